#pragma once

#include "AlphabeticPitchClass.h"
#include "CatalogueInitializer.h"

#include <string>
#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// Registry of the named letters: none, C, D, E, F, G, A, B.
class AllAlphabeticPitchClasses
{
public:
    AllAlphabeticPitchClasses() = delete;

    static const std::vector<const AlphabeticPitchClass*>& allInstances;

    /// Fills allInstances; done at program start, calling it again changes nothing.
    static void initAllInstances();

    static int getNumAlphabeticPitchClasses();
    /// Exact, case-sensitive match of getName(); null when nothing matches.
    static const AlphabeticPitchClass* findByName(const std::string& name);
    /// Null for negative values, so none is never found.
    static const AlphabeticPitchClass* findByChromaIndex(int iChromaIndex);
    static const AlphabeticPitchClass* findByNumStaffPositionsAboveC(int iNumStaffPositions);

private:
    friend class CatalogueInitializer;
    static void releaseAllInstances();
};
}
}
