#pragma once

#include "CatalogueInitializer.h"
#include "Interval.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// A scale degree I to VII.
class ScaleDegree
{
public:
    static const ScaleDegree& I;
    static const ScaleDegree& II;
    static const ScaleDegree& III;
    static const ScaleDegree& IV;
    static const ScaleDegree& V;
    static const ScaleDegree& VI;
    static const ScaleDegree& VII;

    static constexpr int iNumDegreesPerOctave = 7;

    /// Throws OutOfRangeException outside 1..7.
    explicit ScaleDegree(int iDegree);
    /// The number folded into one octave: a ninth gives II; none throws.
    explicit ScaleDegree(const Interval::Number& number);

    std::string getName() const;
    operator int() const;

    /// Wrapping within I to VII.
    ScaleDegree operator+(int iNumSteps) const;
    ScaleDegree operator-(int iNumSteps) const;

    bool operator==(const ScaleDegree& other) const;
    bool operator!=(const ScaleDegree& other) const;

private:
    int m_iDegree;
};
}
}
