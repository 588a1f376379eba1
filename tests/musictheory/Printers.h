#pragma once

#include "MusicTheory.h"

#include <ostream>

// Readable failure messages for the library's value types.
namespace vantor
{
namespace MusicTheory
{
inline void PrintTo(const AlphabeticPitchClass& letter, std::ostream* pStream)
{
    *pStream << letter.getName();
}

inline void PrintTo(const PitchClass& pitchClass, std::ostream* pStream)
{
    *pStream << pitchClass.getName() << " (modifier " << pitchClass.getModifier() << ")";
}

inline void PrintTo(const Interval::Number& number, std::ostream* pStream)
{
    *pStream << "number " << number.getNumStaffPositions();
}

inline void PrintTo(const Interval& interval, std::ostream* pStream)
{
    *pStream << "(" << interval.getNumber().getNumStaffPositions() << ", " << interval.getNumSemitones() << ")";
}

inline void PrintTo(const Pitch& pitch, std::ostream* pStream)
{
    *pStream << pitch.getName();
}

inline void PrintTo(const ScaleDegree& degree, std::ostream* pStream)
{
    *pStream << static_cast<int>(degree);
}

inline void PrintTo(const Numeral& numeral, std::ostream* pStream)
{
    *pStream << "(" << static_cast<int>(numeral.getDegree()) << ", " << numeral.getNumSemitones() << ")";
}

inline void PrintTo(const ChordType& chordType, std::ostream* pStream)
{
    *pStream << chordType.getShorthand();
}

inline void PrintTo(const Chord& chord, std::ostream* pStream)
{
    *pStream << chord.getName();
}

inline void PrintTo(const Key& key, std::ostream* pStream)
{
    *pStream << key.getName();
}
}
}
