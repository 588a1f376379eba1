#pragma once

#include "CatalogueInitializer.h"
#include "Frequency.h"
#include "Interval.h"
#include "PitchClass.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A pitch class in a scientific octave (C4 is middle C), never below octave -1.
class Pitch
{
public:
    /// PitchClass::none in octave 0.
    Pitch();
    /// Throws InvalidArgumentException for an octave below -1.
    Pitch(const PitchClass& pitchClass, int iOctave);
    virtual ~Pitch() = default;
    Pitch(const Pitch&) = default;
    Pitch& operator=(const Pitch&) = default;

    PitchClass getPitchClass() const;
    int getOctave() const;
    std::string getName() const;

    /// Not wrapped: C-1 = 0, A4 = 69, Cb4 = 59. Throws OutOfRangeException beyond the int range.
    int getMIDINumber() const;
    /// Single precision; fTuningInHz is the frequency of A4.
    float getFrequencyInHz(float fTuningInHz) const;
    Frequency getFrequency(Frequency tuning) const;
    /// 7 x octave + the letter's staff position: C0 = 0, C4 = 28.
    int getAbsoluteStaffPosition() const;
    bool isEnharmonicEquivalentOf(const Pitch& other) const;

    Pitch operator+(const Interval& interval) const;
    Pitch operator-(const Interval& interval) const;
    /// The interval from other to this; downward when other is higher on the staff.
    Interval operator-(const Pitch& other) const;

    bool operator==(const Pitch& other) const;
    bool operator!=(const Pitch& other) const;

private:
    long long getSemitonesAboveA4() const;
    long long getLongAbsoluteStaffPosition() const;
    Pitch moved(const PitchClass& pitchClass, long long lNumSteps) const;

    PitchClass m_pitchClass;
    int m_iOctave;
};
}
}
