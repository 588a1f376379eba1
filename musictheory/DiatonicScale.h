#pragma once

#include "CatalogueInitializer.h"
#include "Mode.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// The scale of a key type.
class DiatonicScale : public Mode
{
public:
    static const DiatonicScale& major;
    static const DiatonicScale& aeolicMinor;
    static const DiatonicScale& harmonicMinor;
    static const DiatonicScale& melodicMinor;

    DiatonicScale(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4, Numeral n5, Numeral n6,
                  Numeral n7);

    /// True when the scale has the major third.
    bool isMajor() const;
};
}
}
