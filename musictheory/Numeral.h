#pragma once

#include "CatalogueInitializer.h"
#include "Interval.h"
#include "ScaleDegree.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A scale degree with its distance in semitones above the tonic, such as the flat third.
class Numeral
{
public:
    static const Numeral& I;
    static const Numeral& IIFlat;
    static const Numeral& II;
    static const Numeral& IIIFlat;
    static const Numeral& III;
    static const Numeral& IV;
    static const Numeral& IVSharp;
    static const Numeral& VFlat;
    static const Numeral& V;
    static const Numeral& VIFlat;
    static const Numeral& VI;
    static const Numeral& VIIFlat;
    static const Numeral& VII;

    /// Throws OutOfRangeException for semitones outside 0..11.
    Numeral(const ScaleDegree& degree, int iNumSemitones);
    /// The numeral the interval above the tonic: number 1..7, semitones not negative.
    explicit Numeral(const Interval& interval);
    virtual ~Numeral() = default;
    Numeral(const Numeral&) = default;
    Numeral& operator=(const Numeral&) = default;

    ScaleDegree getDegree() const;
    int getNumSemitones() const;
    /// Chosen by the semitones alone, so IVSharp and VFlat are both "Vb".
    std::string getName() const;
    operator Interval() const;

    /// From this numeral up to the other, within one octave.
    Interval getIntervalToNumeralAbove(const Numeral& other) const;
    /// Not folded.
    Interval operator-(const Numeral& other) const;
    Numeral operator+(const Interval& interval) const;
    Numeral operator-(const Interval& interval) const;

    bool operator==(const Numeral& other) const;
    bool operator!=(const Numeral& other) const;
    /// Semitones alone.
    bool operator<(const Numeral& other) const;
    bool operator>(const Numeral& other) const;
    bool operator<=(const Numeral& other) const;
    bool operator>=(const Numeral& other) const;

private:
    ScaleDegree m_degree;
    int m_iNumSemitones;
};
}
}
