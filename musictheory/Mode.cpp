#include "Mode.h"

#include "AllChordTypes.h"
#include "Helpers.h"
#include "InvalidArgumentException.h"

namespace vantor
{
namespace MusicTheory
{
namespace
{
// From numeral 'from' up to numeral 'to', folded into one octave.
Interval intervalBetween(const Numeral& from, const Numeral& to)
{
    return from.getIntervalToNumeralAbove(to);
}
}

Mode::Mode(const std::string& shorthand, Numeral n1, Numeral n2, Numeral n3, Numeral n4, Numeral n5, Numeral n6,
           Numeral n7)
    : Scale(shorthand, createStdVector(n1, n2, n3, n4, n5, n6, n7))
{
    checkDegrees({1, 2, 3, 4, 5, 6, 7});
}

Numeral Mode::getRoot() const
{
    return getNumeralAt(ScaleDegree::I);
}

Numeral Mode::getNumeralAt(const ScaleDegree& degree) const
{
    return getNumeralAtIndex(static_cast<int>(degree) - 1);
}

ChordType Mode::getChordTypeAt(const ScaleDegree& degree, int iNumThirds) const
{
    // More thirds than degrees would only repeat chord tones, which no chord type has.
    if (iNumThirds > ScaleDegree::iNumDegreesPerOctave)
        throw InvalidArgumentException();
    const Numeral root = getNumeralAt(degree);
    std::vector<Interval> intervals;
    for (int b = 0; b < iNumThirds; ++b)
        intervals.push_back(intervalBetween(root, getNumeralAt(degree + 2 * b)));
    const ChordType* pChordType = AllChordTypes::findChordType(intervals);
    if (pChordType == nullptr)
        throw InvalidArgumentException();
    return *pChordType;
}

NumeralChord Mode::getTriadAt(const ScaleDegree& degree) const
{
    return NumeralChord(getNumeralAt(degree), getChordTypeAt(degree, 3));
}

NumeralChord Mode::getTetradAt(const ScaleDegree& degree) const
{
    return NumeralChord(getNumeralAt(degree), getChordTypeAt(degree, 4));
}

std::vector<Interval> Mode::getTensions(const ScaleDegree& degree) const
{
    const Numeral root = getNumeralAt(degree);
    const std::vector<Numeral> chordTones = getTriadAt(degree).getNumerals();
    std::vector<Interval> tensions;
    for (int iTension : {9, 11, 13})
    {
        const Numeral candidate = getNumeralAt(degree + (iTension - 1));
        bool bAvoided = false;
        for (const Numeral& tone : chordTones)
            bAvoided = bAvoided || intervalBetween(tone, candidate) == Interval::minorSecond;
        if (!bAvoided)
            tensions.push_back(intervalBetween(root, candidate) + Interval::octave);
    }
    return tensions;
}
}
}
