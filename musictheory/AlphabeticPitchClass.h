#pragma once

#include "CatalogueInitializer.h"

#include <string>

namespace vantor
{
namespace MusicTheory
{
/// One of the seven letters C to B, or none.
class AlphabeticPitchClass
{
public:
    static const AlphabeticPitchClass& none;
    static const AlphabeticPitchClass& C;
    static const AlphabeticPitchClass& D;
    static const AlphabeticPitchClass& E;
    static const AlphabeticPitchClass& F;
    static const AlphabeticPitchClass& G;
    static const AlphabeticPitchClass& A;
    static const AlphabeticPitchClass& B;

    /// -1 gives none; throws OutOfRangeException outside -1..6.
    explicit AlphabeticPitchClass(int iStaffPosition);
    /// The empty name gives none; otherwise one letter A to G in either case.
    explicit AlphabeticPitchClass(const std::string& name);
    virtual ~AlphabeticPitchClass() = default;
    AlphabeticPitchClass(const AlphabeticPitchClass&) = default;
    AlphabeticPitchClass& operator=(const AlphabeticPitchClass&) = default;

    std::string getName() const;
    int getChromaIndex() const;
    int getNumStaffPositionsAboveC() const;

    /// The letter iNumSteps up or down, wrapping within C to B; throws on none.
    AlphabeticPitchClass operator+(int iNumSteps) const;
    AlphabeticPitchClass operator-(int iNumSteps) const;

    bool operator==(const AlphabeticPitchClass& other) const;
    bool operator!=(const AlphabeticPitchClass& other) const;

private:
    void throwIfNone() const;

    int m_iStaffPosition;
};
}
}
