#pragma once

#include <string>

/// One of the 24 keys of a result with its probability, copied out of the engine's
/// result so that results outlive the engine and cross threads as plain data.
struct RankedKey
{
    std::string sName; // the engine's name, "A:min"
    int iRootPitchClass = 0; // semitones above C
    bool bMinor = false;
    float fProbability = 0.f;
};
