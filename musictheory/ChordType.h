#pragma once

#include "CatalogueInitializer.h"
#include "Interval.h"

#include <string>
#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// A short name and the chord tones as ascending intervals above the root.
class ChordType
{
public:
    static const ChordType& none;
    static const ChordType& fifth;
    static const ChordType& major;
    static const ChordType& minor;
    static const ChordType& diminished;
    static const ChordType& augmented;
    static const ChordType& sus2;
    static const ChordType& sus4;
    static const ChordType& majorSeventh;
    static const ChordType& minorSeventh;
    static const ChordType& seventh;
    static const ChordType& diminishedSeventh;
    static const ChordType& halfDiminishedSeventh;
    static const ChordType& majorSixth;
    static const ChordType& minorSixth;
    static const ChordType& ninth;
    static const ChordType& majorNinth;
    static const ChordType& minorNinth;

    /// A chord type without intervals.
    explicit ChordType(const std::string& shorthand);
    /// At least two distinct intervals, none below the unison, strictly ascending in
    /// semitones; otherwise InvalidArgumentException.
    ChordType(const std::string& shorthand, const std::vector<Interval>& intervals);

    const std::string& getShorthand() const;
    const std::vector<Interval>& getIntervals() const;
    int getNumIntervals() const;
    /// Throws OutOfRangeException for an index outside the list.
    Interval getInterval(int iIndex) const;
    bool containsInterval(const Interval& interval) const;
    bool containsIntervalNumber(const Interval::Number& number) const;

    /// Interval-set equality; shorthands are not compared.
    bool operator==(const ChordType& other) const;
    bool operator!=(const ChordType& other) const;

private:
    std::string m_sShorthand;
    std::vector<Interval> m_vIntervals;
};
}
}
