#pragma once

#include "CatalogueInitializer.h"
#include "ChordType.h"

#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// Registry of the 18 named chord types, none first, with lookups and predicates.
class AllChordTypes
{
public:
    // Fixed underlying type: any int is a valid value, so unknown bits are simply ignored.
    enum TypeGroupFlags : int
    {
        majorMinorTypes = 1,
        dyadTypes = 2,
        triadTypes = 4,
        suspendedTypes = 8,
        sixthTypes = 16,
        seventhTypes = 32,
        ninthTypes = 64
    };

    using Predicate = bool (*)(const ChordType&);

    AllChordTypes() = delete;

    static const std::vector<const ChordType*>& allInstances;

    /// Fills allInstances; done at program start, calling it again changes nothing.
    static void initAllInstances();

    static int getNumChordTypes();
    /// Null for an index outside the registry.
    static const ChordType* getChordType(int iIndex);
    /// The first registered chord type with exactly this set of intervals, in any
    /// order; the empty list finds ChordType::none; null when there is none.
    static const ChordType* findChordType(const std::vector<Interval>& intervals);
    /// Throws InvalidArgumentException for a null predicate.
    static std::vector<const ChordType*> list(Predicate pfPredicate);
    /// Selected by any set bit; 0 selects nothing, bits above 64 are ignored.
    static std::vector<const ChordType*> list(TypeGroupFlags eFlags);

    static bool isMajorMinor(const ChordType& chordType);
    static bool isDyad(const ChordType& chordType);
    static bool isTriad(const ChordType& chordType);
    static bool isSuspended(const ChordType& chordType);
    static bool isSixth(const ChordType& chordType);
    static bool isSeventh(const ChordType& chordType);
    static bool isNinth(const ChordType& chordType);
    static bool isTriadOrSeventh(const ChordType& chordType);
    static bool isTriadSixthOrSeventh(const ChordType& chordType);
    static bool isTriadsSeventhOrNinth(const ChordType& chordType);
    static bool isDyadTriadSixthAndSevenths(const ChordType& chordType);
    static bool isAny(const ChordType& chordType);

private:
    friend class CatalogueInitializer;
    static void releaseAllInstances();
};

inline AllChordTypes::TypeGroupFlags operator|(AllChordTypes::TypeGroupFlags eA, AllChordTypes::TypeGroupFlags eB)
{
    return static_cast<AllChordTypes::TypeGroupFlags>(static_cast<int>(eA) | static_cast<int>(eB));
}
}
}
