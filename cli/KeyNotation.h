#pragma once

#include "RankedKey.h"

#include <string>

enum class Notation
{
    standard, // the engine's names: "A:min"
    camelot, // "8A"
    openKey // "1m"
};

/// Key codes of the DJ wheels: both place keys a fifth apart next to each other and a
/// key beside its relative, so neighbouring codes mix harmonically.
class KeyNotation
{
public:
    /// 1A-12A for minor keys, 1B-12B for major keys; C major is 8B, A minor 8A.
    static std::string camelot(int iRootPitchClass, bool bMinor);
    /// 1m-12m for minor keys, 1d-12d for major keys; C major is 1d, A minor 1m.
    static std::string openKey(int iRootPitchClass, bool bMinor);
    static std::string format(const RankedKey& key, Notation eNotation);
};
