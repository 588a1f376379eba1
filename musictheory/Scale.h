#pragma once

#include "Numeral.h"

#include <string>
#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// A named set of distinct numerals, strictly ascending in semitones.
class Scale
{
public:
    /// Throws InvalidArgumentException for a repeated numeral or unsorted semitones.
    Scale(const std::string& shorthand, const std::vector<Numeral>& numerals);
    virtual ~Scale() = default;
    Scale(const Scale&) = default;
    Scale& operator=(const Scale&) = default;

    const std::string& getShorthand() const;
    int getNumNumerals() const;
    /// Throws OutOfRangeException for an index outside the scale.
    Numeral getNumeralAtIndex(int iIndex) const;
    bool contains(const Numeral& numeral) const;

    /// Numeral-set equality; shorthands are not compared.
    bool operator==(const Scale& other) const;
    bool operator!=(const Scale& other) const;

protected:
    /// Throws InvalidArgumentException() unless the degrees are exactly these, in order.
    void checkDegrees(const std::vector<int>& degrees) const;

private:
    std::string m_sShorthand;
    std::vector<Numeral> m_vNumerals;
};
}
}
