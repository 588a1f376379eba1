#pragma once

#include "CatalogueInitializer.h"
#include "DiatonicScale.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A named diatonic scale: "maj" for the major scale, "min" for the natural minor.
class KeyType
{
public:
    static const KeyType& major;
    static const KeyType& minor;

    KeyType(const std::string& shorthand, const DiatonicScale& scale);

    const std::string& getShorthand() const;
    const DiatonicScale& getScale() const;

    /// Equal shorthands and equal numeral sets.
    bool operator==(const KeyType& other) const;
    bool operator!=(const KeyType& other) const;

private:
    std::string m_sShorthand;
    DiatonicScale m_scale;
};
}
}
