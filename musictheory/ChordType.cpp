#include "ChordType.h"

#include "InvalidArgumentException.h"
#include "OutOfRangeException.h"

#include <algorithm>

namespace vantor
{
namespace MusicTheory
{
namespace
{
void checkIntervals(const std::vector<Interval>& intervals)
{
    if (intervals.size() < 2)
        throw InvalidArgumentException("intervals", "intervals.size() < 2");
    for (std::size_t i = 0; i < intervals.size(); ++i)
    {
        if (std::count(intervals.begin(), intervals.end(), intervals[i]) > 1)
            throw InvalidArgumentException("intervals",
                                           "'intervals' contains multiple instances of the same interval");
        if (intervals[i] < Interval::unison)
            throw InvalidArgumentException("intervals",
                                           "'intervals' contains one or more intervals smaller than Interval::unison");
        if (i > 0 && intervals[i].getNumSemitones() <= intervals[i - 1].getNumSemitones())
            throw InvalidArgumentException("intervals", "'intervals' should be sorted in ascending order");
    }
}
}

ChordType::ChordType(const std::string& shorthand) : m_sShorthand(shorthand) {}

ChordType::ChordType(const std::string& shorthand, const std::vector<Interval>& intervals)
    : m_sShorthand(shorthand), m_vIntervals(intervals)
{
    checkIntervals(m_vIntervals);
}

const std::string& ChordType::getShorthand() const
{
    return m_sShorthand;
}

const std::vector<Interval>& ChordType::getIntervals() const
{
    return m_vIntervals;
}

int ChordType::getNumIntervals() const
{
    return static_cast<int>(m_vIntervals.size());
}

Interval ChordType::getInterval(int iIndex) const
{
    if (iIndex < 0 || iIndex >= getNumIntervals())
        throw OutOfRangeException("iIndex", "");
    return m_vIntervals[static_cast<std::size_t>(iIndex)];
}

bool ChordType::containsInterval(const Interval& interval) const
{
    return std::find(m_vIntervals.begin(), m_vIntervals.end(), interval) != m_vIntervals.end();
}

bool ChordType::containsIntervalNumber(const Interval::Number& number) const
{
    return std::any_of(m_vIntervals.begin(), m_vIntervals.end(),
                       [&number](const Interval& interval) { return interval.getNumber() == number; });
}

bool ChordType::operator==(const ChordType& other) const
{
    if (m_vIntervals.size() != other.m_vIntervals.size())
        return false;
    return std::all_of(other.m_vIntervals.begin(), other.m_vIntervals.end(),
                       [this](const Interval& interval) { return containsInterval(interval); });
}

bool ChordType::operator!=(const ChordType& other) const
{
    return !(*this == other);
}
}
}
