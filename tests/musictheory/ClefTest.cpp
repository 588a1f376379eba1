#include "ExpectThrow.h"
#include "MusicTheory.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace vantor::MusicTheory;

namespace
{
std::string linesOf(const Clef& clef, int iFirst, int iLast)
{
    std::string sLines;
    for (int iLine = iFirst; iLine <= iLast; ++iLine)
        sLines += (iLine > iFirst ? " " : "") + clef.getPitchForStaffLine(iLine).getName();
    return sLines;
}
}

TEST(Clef, StaffLinesOfTheTenNamedClefs)
{
    struct Case
    {
        const Clef& clef;
        const ClefType& type;
        int iReferenceLine;
        const char* pcLines;
    };
    const Case aCases[] = {{Clef::FrenchViolin, ClefType::G, 0, "G4 B4 D5 F5 A5"},
                           {Clef::Treble, ClefType::G, 1, "E4 G4 B4 D5 F5"},
                           {Clef::Soprano, ClefType::C, 0, "C4 E4 G4 B4 D5"},
                           {Clef::MezzoSoprano, ClefType::C, 1, "A3 C4 E4 G4 B4"},
                           {Clef::Alto, ClefType::C, 2, "F3 A3 C4 E4 G4"},
                           {Clef::Tenor, ClefType::C, 3, "D3 F3 A3 C4 E4"},
                           {Clef::BaritoneC, ClefType::C, 4, "B2 D3 F3 A3 C4"},
                           {Clef::BaritoneF, ClefType::F, 2, "B2 D3 F3 A3 C4"},
                           {Clef::Bass, ClefType::F, 3, "G2 B2 D3 F3 A3"},
                           {Clef::Subbass, ClefType::F, 4, "E2 G2 B2 D3 F3"}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(linesOf(c.clef, 0, 4), c.pcLines);
        EXPECT_EQ(c.clef.getType(), c.type);
        EXPECT_EQ(c.clef.getReferenceStaffLine(), c.iReferenceLine);
        EXPECT_EQ(c.clef.getNumStaffLines(), 5);
    }
    EXPECT_EQ(ClefType::G.getReference(), Pitch(PitchClass::G, 4));
    EXPECT_EQ(ClefType::C.getReference(), Pitch(PitchClass::C, 4));
    EXPECT_EQ(ClefType::F.getReference(), Pitch(PitchClass::F, 3));
}

TEST(Clef, LedgerLinesAndAccidentalReferences)
{
    EXPECT_EQ(linesOf(Clef::Treble, -2, 6), "A3 C4 E4 G4 B4 D5 F5 A5 C6");
    EXPECT_EQ(Clef::Bass.getPitchForStaffLine(5).getName(), "C4");
    EXPECT_EQ(Clef::Bass.getPitchForStaffLine(-10).getName(), "A-1");
    EXPECT_EQ(Clef::Treble.getPitchForStaffLine(30).getName(), "B12");

    const Clef fSharpClef(ClefType(Pitch(PitchClass::FSharp, 4)), 1);
    EXPECT_EQ(fSharpClef.getPitchForStaffLine(2).getName(), "A#4");
    EXPECT_EQ(fSharpClef.getPitchForStaffLine(0).getName(), "D#4");
}

TEST(Clef, LowestLinesAndFailures)
{
    // Only a pitch below octave -1 throws. Treble line -18 is D-1, although shifting G4
    // down by whole octaves first (six of them) would pass through G-2 on the way.
    EXPECT_EQ(Clef::Treble.getPitchForStaffLine(-18).getName(), "D-1");
    EXPECT_EQ(Clef::Soprano.getPitchForStaffLine(-17).getName(), "D-1");
    EXPECT_THROW(Clef::Soprano.getPitchForStaffLine(-18), InvalidArgumentException);
    const char* const pcOctaveText = "Argument 'iOctave' was invalid. 'iOctave' is smaller than -1";
    for (int iLine : {-19, -100, INT_MIN})
        EXPECT_THROW_MESSAGE(Clef::Treble.getPitchForStaffLine(iLine), InvalidArgumentException, pcOctaveText);
    EXPECT_THROW(Clef::Treble.getPitchForStaffLine(INT_MAX), OutOfRangeException);
    EXPECT_THROW_MESSAGE(Clef(ClefType(Pitch()), 0).getPitchForStaffLine(1), InvalidOperationException,
                         "Operation is not defined on AlphabeticPitchClass::none.");
}

TEST(Clef, Equality)
{
    EXPECT_NE(Clef(ClefType::G, 1, 5), Clef(ClefType::G, 1, 4));
    EXPECT_EQ(Clef(ClefType::G, 1), Clef::Treble);
    EXPECT_NE(Clef::BaritoneC, Clef::BaritoneF);
    EXPECT_NE(ClefType::G, ClefType(Pitch(PitchClass::G, 3)));
    EXPECT_EQ(Clef(ClefType::C, 2, 4).getNumStaffLines(), 4);
}
