#include "Scale.h"

#include "InvalidArgumentException.h"
#include "OutOfRangeException.h"

#include <algorithm>

namespace vantor
{
namespace MusicTheory
{
namespace
{
void checkNumerals(const std::vector<Numeral>& numerals)
{
    for (std::size_t i = 0; i < numerals.size(); ++i)
    {
        if (std::count(numerals.begin(), numerals.end(), numerals[i]) != 1)
            throw InvalidArgumentException("numerals", "'numerals' contains multiple instances of the same numeral");
        if (i > 0 && numerals[i].getNumSemitones() <= numerals[i - 1].getNumSemitones())
            throw InvalidArgumentException("numerals", "'numerals' must be sorted in ascending order");
    }
}
}

Scale::Scale(const std::string& shorthand, const std::vector<Numeral>& numerals)
    : m_sShorthand(shorthand), m_vNumerals(numerals)
{
    checkNumerals(m_vNumerals);
}

const std::string& Scale::getShorthand() const
{
    return m_sShorthand;
}

int Scale::getNumNumerals() const
{
    return static_cast<int>(m_vNumerals.size());
}

Numeral Scale::getNumeralAtIndex(int iIndex) const
{
    if (iIndex < 0 || iIndex >= getNumNumerals())
        throw OutOfRangeException("iIndex", "");
    return m_vNumerals[static_cast<std::size_t>(iIndex)];
}

bool Scale::contains(const Numeral& numeral) const
{
    return std::find(m_vNumerals.begin(), m_vNumerals.end(), numeral) != m_vNumerals.end();
}

bool Scale::operator==(const Scale& other) const
{
    if (m_vNumerals.size() != other.m_vNumerals.size())
        return false;
    return std::all_of(other.m_vNumerals.begin(), other.m_vNumerals.end(),
                       [this](const Numeral& numeral) { return contains(numeral); });
}

bool Scale::operator!=(const Scale& other) const
{
    return !(*this == other);
}

void Scale::checkDegrees(const std::vector<int>& degrees) const
{
    bool bMatch = degrees.size() == m_vNumerals.size();
    for (std::size_t i = 0; bMatch && i < degrees.size(); ++i)
        bMatch = static_cast<int>(m_vNumerals[i].getDegree()) == degrees[i];
    if (!bMatch)
        throw InvalidArgumentException();
}
}
}
