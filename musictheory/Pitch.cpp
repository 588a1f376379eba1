#include "Pitch.h"

#include "Helpers.h"
#include "InvalidArgumentException.h"

#include <cmath>

namespace vantor
{
namespace MusicTheory
{
namespace
{
long long floorDivide(long long lValue, long long lDivisor)
{
    const long long lQuotient = lValue / lDivisor;
    return (lValue % lDivisor != 0 && lValue < 0) ? lQuotient - 1 : lQuotient;
}
}

Pitch::Pitch() : m_pitchClass(PitchClass::none), m_iOctave(0) {}

Pitch::Pitch(const PitchClass& pitchClass, int iOctave) : m_pitchClass(pitchClass), m_iOctave(iOctave)
{
    if (iOctave < -1)
        throw InvalidArgumentException("iOctave", "'iOctave' is smaller than -1");
}

PitchClass Pitch::getPitchClass() const
{
    return m_pitchClass;
}

int Pitch::getOctave() const
{
    return m_iOctave;
}

std::string Pitch::getName() const
{
    return m_pitchClass.getName() + std::to_string(m_iOctave);
}

int Pitch::getMIDINumber() const
{
    return toCheckedInt(getSemitonesAboveA4() + 69, "pitch");
}

float Pitch::getFrequencyInHz(float fTuningInHz) const
{
    return fTuningInHz * std::exp2(static_cast<float>(getSemitonesAboveA4()) / 12.0f);
}

Frequency Pitch::getFrequency(Frequency tuning) const
{
    return Frequency(tuning.inHz() * std::exp2(static_cast<double>(getSemitonesAboveA4()) / 12.0));
}

int Pitch::getAbsoluteStaffPosition() const
{
    return toCheckedInt(getLongAbsoluteStaffPosition(), "pitch");
}

bool Pitch::isEnharmonicEquivalentOf(const Pitch& other) const
{
    return getSemitonesAboveA4() == other.getSemitonesAboveA4();
}

Pitch Pitch::operator+(const Interval& interval) const
{
    return moved(m_pitchClass + interval, interval.getNumber().getDifferenceInStaffPositions());
}

Pitch Pitch::operator-(const Interval& interval) const
{
    return moved(m_pitchClass - interval, -static_cast<long long>(interval.getNumber().getDifferenceInStaffPositions()));
}

Interval Pitch::operator-(const Pitch& other) const
{
    const long long lSteps = getLongAbsoluteStaffPosition() - other.getLongAbsoluteStaffPosition();
    const int iSemitones = toCheckedInt(getSemitonesAboveA4() - other.getSemitonesAboveA4(), "pitch");
    return Interval(Interval::Number::fromDifferenceInStaffPositions(lSteps), iSemitones);
}

bool Pitch::operator==(const Pitch& other) const
{
    return m_pitchClass == other.m_pitchClass && m_iOctave == other.m_iOctave;
}

bool Pitch::operator!=(const Pitch& other) const
{
    return !(*this == other);
}

long long Pitch::getSemitonesAboveA4() const
{
    // In 64 bits: octave and modifier are unbounded above, the sum must not overflow.
    return static_cast<long long>(m_pitchClass.getAlphabeticPitchClass().getChromaIndex()) + 12LL * m_iOctave +
           m_pitchClass.getModifier() - 57;
}

long long Pitch::getLongAbsoluteStaffPosition() const
{
    return 7LL * m_iOctave + m_pitchClass.getAlphabeticPitchClass().getNumStaffPositionsAboveC();
}

Pitch Pitch::moved(const PitchClass& pitchClass, long long lNumSteps) const
{
    const long long lOctave = floorDivide(getLongAbsoluteStaffPosition() + lNumSteps, 7);
    if (lOctave < -1)
        throw InvalidArgumentException("iOctave", "'iOctave' is smaller than -1");
    return Pitch(pitchClass, toCheckedInt(lOctave, "pitch"));
}
}
}
