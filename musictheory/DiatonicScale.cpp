#include "DiatonicScale.h"

namespace vantor
{
namespace MusicTheory
{
DiatonicScale::DiatonicScale(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4, Numeral n5,
                             Numeral n6, Numeral n7)
    : Mode(shorthand, n1, n2, n3, n4, n5, n6, n7)
{
}

bool DiatonicScale::isMajor() const
{
    return contains(Numeral::III);
}
}
}
