#include "EarlyStatics.h"

#include <gtest/gtest.h>

TEST(StaticInitialisation, ConstantsAreBuiltBeforeStaticsOfOtherTranslationUnits)
{
    const EarlyStatics& statics = getEarlyStatics();
    EXPECT_EQ(statics.sKeyName, "Eb:min");
    EXPECT_EQ(statics.sRelativeKeyName, "Gb:maj");
    EXPECT_EQ(statics.sTonicTriadName, "Eb:min");
    EXPECT_EQ(statics.tonicTriadPitchClasses, (std::vector<std::string>{"Eb", "Gb", "Bb"}));
    EXPECT_EQ(statics.iPerfectFifthSemitones, 7);
    EXPECT_EQ(statics.iNumChordTypes, 18);
    EXPECT_EQ(statics.sTrebleBottomLine, "E4");
}
