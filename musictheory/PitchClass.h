#pragma once

#include "AlphabeticPitchClass.h"
#include "CatalogueInitializer.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
class Interval;

/// A letter with sharps (positive modifier) or flats (negative modifier).
class PitchClass
{
public:
    static const PitchClass& none;
    static const PitchClass& CDoubleFlat;
    static const PitchClass& CFlat;
    static const PitchClass& C;
    static const PitchClass& CSharp;
    static const PitchClass& CDoubleSharp;
    static const PitchClass& DDoubleFlat;
    static const PitchClass& DFlat;
    static const PitchClass& D;
    static const PitchClass& DSharp;
    static const PitchClass& DDoubleSharp;
    static const PitchClass& EDoubleFlat;
    static const PitchClass& EFlat;
    static const PitchClass& E;
    static const PitchClass& ESharp;
    static const PitchClass& EDoubleSharp;
    static const PitchClass& FDoubleFlat;
    static const PitchClass& FFlat;
    static const PitchClass& F;
    static const PitchClass& FSharp;
    static const PitchClass& FDoubleSharp;
    static const PitchClass& GDoubleFlat;
    static const PitchClass& GFlat;
    static const PitchClass& G;
    static const PitchClass& GSharp;
    static const PitchClass& GDoubleSharp;
    static const PitchClass& ADoubleFlat;
    static const PitchClass& AFlat;
    static const PitchClass& A;
    static const PitchClass& ASharp;
    static const PitchClass& ADoubleSharp;
    static const PitchClass& BDoubleFlat;
    static const PitchClass& BFlat;
    static const PitchClass& B;
    static const PitchClass& BSharp;
    static const PitchClass& BDoubleSharp;

    /// none: letter none, modifier 0.
    PitchClass();
    /// Unchecked: any modifier is carried along.
    PitchClass(const AlphabeticPitchClass& letter, int iModifier);
    /// Accepts every name getName() gives for a real letter, lower-case letters too.
    explicit PitchClass(const std::string& name);
    virtual ~PitchClass() = default;
    PitchClass(const PitchClass&) = default;
    PitchClass& operator=(const PitchClass&) = default;

    std::string getName() const;
    AlphabeticPitchClass getAlphabeticPitchClass() const;
    int getModifier() const;
    /// 0..11; none gives 11, as its letter's chroma index -1 wraps.
    int getChromaIndex() const;
    bool isEnharmonicEquivalentOf(const PitchClass& other) const;

    /// Spelled by the interval's number: C + minor third is E flat, not D sharp.
    PitchClass operator+(const Interval& interval) const;
    PitchClass operator-(const Interval& interval) const;
    /// The ascending interval from other up to this, within one octave.
    Interval operator-(const PitchClass& other) const;

    /// Spelling equality: C sharp and D flat differ.
    bool operator==(const PitchClass& other) const;
    bool operator!=(const PitchClass& other) const;

private:
    PitchClass moved(int iNumSteps, int iNumSemitones) const;

    AlphabeticPitchClass m_letter;
    int m_iModifier;
};
}
}
