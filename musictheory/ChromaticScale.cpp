#include "ChromaticScale.h"

#include "Helpers.h"

namespace vantor
{
namespace MusicTheory
{
ChromaticScale::ChromaticScale()
    : Scale("chromatic",
            createStdVector(Numeral::I, Numeral::IIFlat, Numeral::II, Numeral::IIIFlat, Numeral::III, Numeral::IV,
                            Numeral::IVSharp, Numeral::V, Numeral::VIFlat, Numeral::VI, Numeral::VIIFlat, Numeral::VII))
{
}
}
}
