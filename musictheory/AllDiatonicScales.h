#pragma once

#include "CatalogueInitializer.h"
#include "DiatonicScale.h"

#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// Registry of the four named diatonic scales: major, aeolic, harmonic and melodic minor.
class AllDiatonicScales
{
public:
    using Predicate = bool (*)(const DiatonicScale&);

    AllDiatonicScales() = delete;

    static const std::vector<const DiatonicScale*>& allInstances;

    /// Fills allInstances; done at program start, calling it again changes nothing.
    static void initAllInstances();

    static int getNumInstances();
    /// Throws OutOfRangeException for an index outside the registry.
    static const DiatonicScale* getInstance(int iIndex);
    /// Throws InvalidArgumentException for a null predicate.
    static std::vector<const DiatonicScale*> list(Predicate pfPredicate);

    static bool selectAll(const DiatonicScale& scale);
    static bool selectMajorMinor(const DiatonicScale& scale);
    static bool selectMajorAndAeolicMinor(const DiatonicScale& scale);

private:
    friend class CatalogueInitializer;
    static void releaseAllInstances();
};
}
}
