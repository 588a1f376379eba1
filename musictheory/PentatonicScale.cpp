#include "PentatonicScale.h"

#include "Helpers.h"

namespace vantor
{
namespace MusicTheory
{
PentatonicScale::PentatonicScale(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4,
                                 Numeral n5)
    : Scale(shorthand, createStdVector(n1, n2, n3, n4, n5))
{
    checkDegrees({1, 2, 3, 5, 6});
}
}
}
