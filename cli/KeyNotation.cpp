#include "KeyNotation.h"

namespace
{
// Steps of a fifth from C of the key itself (major) or of its relative major (minor).
int fifthsFromC(int iRootPitchClass, bool bMinor)
{
    const int iMajorRoot = (iRootPitchClass + (bMinor ? 3 : 0)) % 12;
    return (iMajorRoot * 7) % 12;
}
}

std::string KeyNotation::camelot(int iRootPitchClass, bool bMinor)
{
    const int iNumber = (fifthsFromC(iRootPitchClass, bMinor) + 7) % 12 + 1;
    return std::to_string(iNumber) + (bMinor ? "A" : "B");
}

std::string KeyNotation::openKey(int iRootPitchClass, bool bMinor)
{
    const int iNumber = fifthsFromC(iRootPitchClass, bMinor) + 1;
    return std::to_string(iNumber) + (bMinor ? "m" : "d");
}

std::string KeyNotation::format(const RankedKey& key, Notation eNotation)
{
    switch (eNotation)
    {
    case Notation::camelot:
        return camelot(key.iRootPitchClass, key.bMinor);
    case Notation::openKey:
        return openKey(key.iRootPitchClass, key.bMinor);
    case Notation::standard:
        break;
    }
    return key.sName;
}
