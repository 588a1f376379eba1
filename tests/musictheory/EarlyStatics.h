#pragma once

#include <string>
#include <vector>

// Values computed by static initialisers of their own translation unit, which is linked
// ahead of the library and so initialised before the library's own sources.
struct EarlyStatics
{
    std::string sKeyName;
    std::string sRelativeKeyName;
    std::string sTonicTriadName;
    std::vector<std::string> tonicTriadPitchClasses;
    int iPerfectFifthSemitones;
    int iNumChordTypes;
    std::string sTrebleBottomLine;
};

const EarlyStatics& getEarlyStatics();
