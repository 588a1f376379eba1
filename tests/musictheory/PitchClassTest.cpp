#include "ExpectThrow.h"
#include "Printers.h"
#include "MusicTheory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <type_traits>

using namespace vantor::MusicTheory;

namespace
{
const char* const kLetterNameDetail = "'name' must be one of C, D, E, F, G, A, B, c, d, e, f, g, a, b";
const char* const kLetterCharDetail = "'name' must be empty or one of C, D, E, F, G, A, B, c, d, e, f, g, a, b";
const char* const kAccidentalDetail = "'name' must be a string as returned by PitchClass::getName()";
const char* const kNoneText = "Operation is not defined on AlphabeticPitchClass::none.";

std::string invalidName(const std::string& detail)
{
    return "Argument 'name' was invalid. " + detail;
}
}

TEST(Helpers, WrapAndChromaIndex)
{
    struct Case
    {
        int iValue, iMin, iMax, iExpected;
    };
    for (const Case& c : {Case{-1, 0, 11, 11}, Case{12, 0, 11, 0}, Case{8, 1, 7, 1}, Case{0, 1, 7, 7}, Case{7, -5, 6, -5},
                          Case{-25, 0, 11, 11}, Case{INT_MIN, 0, 11, 4}, Case{INT_MAX, 0, 11, 7},
                          Case{INT_MAX, INT_MIN, INT_MAX, INT_MAX}})
        EXPECT_EQ(wrap(c.iValue, c.iMin, c.iMax), c.iExpected) << c.iValue << " in " << c.iMin << ".." << c.iMax;
    EXPECT_THROW_MESSAGE(wrap(0, 1, 0), InvalidArgumentException,
                         "Argument 'iMax' was invalid. 'iMax' must not be smaller than 'iMin'");

    for (int iValue : {-1, -12, 11, 12, 25, INT_MIN, INT_MAX})
        EXPECT_EQ(wrapToChromaIndex(iValue), ((iValue % 12) + 12) % 12) << iValue;
    EXPECT_EQ(wrapToChromaIndex(-1), 11);
    EXPECT_EQ(wrapToChromaIndex(-12), 0);
}

TEST(Helpers, FloorTowardsZeroAndCreateStdVector)
{
    EXPECT_EQ(floorTowardsZero<float>(2.9f), 2);
    EXPECT_EQ(floorTowardsZero<float>(-2.9f), -2);
    EXPECT_EQ(floorTowardsZero<double>(-0.5), 0);
    EXPECT_EQ(floorTowardsZero<double>(7.0), 7);
    EXPECT_THROW(floorTowardsZero<double>(std::nan("")), OutOfRangeException);
    EXPECT_THROW(floorTowardsZero<float>(3e9f), OutOfRangeException);
    EXPECT_THROW(floorTowardsZero<double>(-std::numeric_limits<double>::infinity()), OutOfRangeException);

    EXPECT_EQ(createStdVector(3, 1, 2), (std::vector<int>{3, 1, 2}));
}

TEST(Exceptions, MessagesAndHierarchy)
{
    EXPECT_STREQ(OutOfRangeException("iStaffPosition", "").what(), "Argument 'iStaffPosition' was out of range. ");
    EXPECT_STREQ(OutOfRangeException("x", "too big").what(), "Argument 'x' was out of range. too big");
    EXPECT_STREQ(InvalidArgumentException("name", "bad").what(), "Argument 'name' was invalid. bad");
    EXPECT_STREQ(InvalidArgumentException().what(), "One or more argument was invalid.");
    EXPECT_STREQ(InternalErrorException("").what(), "");
    EXPECT_STREQ(InvalidOperationException("text").what(), "text");

    static_assert(std::is_base_of<std::exception, Exception>::value, "");
    static_assert(std::is_base_of<Exception, InternalErrorException>::value, "");
    static_assert(std::is_base_of<Exception, InvalidOperationException>::value, "");
    static_assert(std::is_base_of<Exception, OutOfRangeException>::value, "");
    static_assert(std::is_base_of<Exception, InvalidArgumentException>::value, "");
}

TEST(AlphabeticPitchClass, NamesChromaAndPositions)
{
    struct Case
    {
        const AlphabeticPitchClass& letter;
        const char* pcName;
        int iChroma, iPosition;
    };
    const Case aCases[] = {{AlphabeticPitchClass::none, "none", -1, -1}, {AlphabeticPitchClass::C, "C", 0, 0},
                           {AlphabeticPitchClass::D, "D", 2, 1},         {AlphabeticPitchClass::E, "E", 4, 2},
                           {AlphabeticPitchClass::F, "F", 5, 3},         {AlphabeticPitchClass::G, "G", 7, 4},
                           {AlphabeticPitchClass::A, "A", 9, 5},         {AlphabeticPitchClass::B, "B", 11, 6}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(c.letter.getName(), c.pcName);
        EXPECT_EQ(c.letter.getChromaIndex(), c.iChroma) << c.pcName;
        EXPECT_EQ(c.letter.getNumStaffPositionsAboveC(), c.iPosition) << c.pcName;
        EXPECT_EQ(AlphabeticPitchClass(c.iPosition), c.letter) << c.pcName;
    }
    EXPECT_THROW_MESSAGE(AlphabeticPitchClass(7), OutOfRangeException, "Argument 'iStaffPosition' was out of range. ");
    EXPECT_THROW_MESSAGE(AlphabeticPitchClass(-2), OutOfRangeException, "Argument 'iStaffPosition' was out of range. ");
}

TEST(AlphabeticPitchClass, ParsingNames)
{
    EXPECT_EQ(AlphabeticPitchClass(std::string()), AlphabeticPitchClass::none);
    EXPECT_EQ(AlphabeticPitchClass(std::string("a")), AlphabeticPitchClass::A);
    EXPECT_EQ(AlphabeticPitchClass(std::string("G")), AlphabeticPitchClass::G);
    EXPECT_EQ(AlphabeticPitchClass(std::string("c")), AlphabeticPitchClass::C);
    EXPECT_THROW_MESSAGE(AlphabeticPitchClass(std::string("C#")), InvalidArgumentException, invalidName(kLetterNameDetail));
    for (const char* pcName : {"H", "h", "1", " ", "\xC3"})
        EXPECT_THROW_MESSAGE(AlphabeticPitchClass(std::string(pcName)), InvalidArgumentException,
                             invalidName(kLetterCharDetail));
}

TEST(AlphabeticPitchClass, StepArithmeticWraps)
{
    EXPECT_EQ(AlphabeticPitchClass::B + 1, AlphabeticPitchClass::C);
    EXPECT_EQ(AlphabeticPitchClass::C - 1, AlphabeticPitchClass::B);
    EXPECT_EQ(AlphabeticPitchClass::C - 8, AlphabeticPitchClass::B);
    EXPECT_EQ(AlphabeticPitchClass::E + 16, AlphabeticPitchClass::G);
    EXPECT_EQ(AlphabeticPitchClass::C + INT_MAX, AlphabeticPitchClass::C + (INT_MAX % 7));
    EXPECT_EQ(AlphabeticPitchClass::C - INT_MIN, AlphabeticPitchClass::C + 2);  // -INT_MIN = 2^31 = 2 mod 7
    EXPECT_THROW_MESSAGE(AlphabeticPitchClass::none + 0, InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(AlphabeticPitchClass::none - 1, InvalidOperationException, kNoneText);
}

TEST(AllAlphabeticPitchClasses, RegistryAndLookups)
{
    ASSERT_EQ(AllAlphabeticPitchClasses::getNumAlphabeticPitchClasses(), 8);
    EXPECT_EQ(AllAlphabeticPitchClasses::allInstances.front(), &AlphabeticPitchClass::none);
    EXPECT_EQ(AllAlphabeticPitchClasses::allInstances.back(), &AlphabeticPitchClass::B);
    AllAlphabeticPitchClasses::initAllInstances();
    EXPECT_EQ(AllAlphabeticPitchClasses::getNumAlphabeticPitchClasses(), 8);

    EXPECT_EQ(AllAlphabeticPitchClasses::findByName("none"), &AlphabeticPitchClass::none);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByName("F"), &AlphabeticPitchClass::F);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByName("c"), nullptr);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByChromaIndex(11), &AlphabeticPitchClass::B);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByChromaIndex(0), &AlphabeticPitchClass::C);
    for (int iIndex : {1, 12, -1, INT_MIN})
        EXPECT_EQ(AllAlphabeticPitchClasses::findByChromaIndex(iIndex), nullptr) << iIndex;
    EXPECT_EQ(AllAlphabeticPitchClasses::findByNumStaffPositionsAboveC(6), &AlphabeticPitchClass::B);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByNumStaffPositionsAboveC(7), nullptr);
    EXPECT_EQ(AllAlphabeticPitchClasses::findByNumStaffPositionsAboveC(-1), nullptr);
}

TEST(PitchClass, NamesChromaAndConstants)
{
    struct Case
    {
        const PitchClass& pitchClass;
        const char* pcName;
        int iChroma;
    };
    const Case aCases[] = {{PitchClass::C, "C", 0},           {PitchClass::FSharp, "F#", 6},
                           {PitchClass::BFlat, "Bb", 10},      {PitchClass::CDoubleSharp, "C##", 2},
                           {PitchClass::DDoubleFlat, "Dbb", 0}, {PitchClass::BSharp, "B#", 0},
                           {PitchClass::CFlat, "Cb", 11},      {PitchClass::EDoubleSharp, "E##", 6},
                           {PitchClass::none, "none", 11}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(c.pitchClass.getName(), c.pcName);
        EXPECT_EQ(c.pitchClass.getChromaIndex(), c.iChroma) << c.pcName;
    }
    EXPECT_EQ(PitchClass(AlphabeticPitchClass::E, -3).getName(), "Ebbb");
    EXPECT_EQ(PitchClass(), PitchClass::none);
    EXPECT_EQ(PitchClass::GFlat.getAlphabeticPitchClass(), AlphabeticPitchClass::G);
    EXPECT_EQ(PitchClass::GFlat.getModifier(), -1);
    // Modifiers are unchecked, yet the chroma index stays in range.
    EXPECT_EQ(PitchClass(AlphabeticPitchClass::B, INT_MAX).getChromaIndex(), (11 + INT_MAX % 12) % 12);
    EXPECT_EQ(PitchClass(AlphabeticPitchClass::C, INT_MIN).getChromaIndex(), 4);
}

TEST(PitchClass, EqualityIsSpellingEnharmonicIsChroma)
{
    EXPECT_NE(PitchClass::CSharp, PitchClass::DFlat);
    EXPECT_TRUE(PitchClass::CSharp.isEnharmonicEquivalentOf(PitchClass::DFlat));
    EXPECT_TRUE(PitchClass::BSharp.isEnharmonicEquivalentOf(PitchClass::C));
    EXPECT_FALSE(PitchClass::C.isEnharmonicEquivalentOf(PitchClass::CSharp));
    EXPECT_EQ(PitchClass(AlphabeticPitchClass::F, 1), PitchClass::FSharp);
}

TEST(PitchClass, ParsingAcceptedNames)
{
    struct Case
    {
        const char* pcName;
        const AlphabeticPitchClass& letter;
        int iModifier;
    };
    const Case aCases[] = {{"c#", AlphabeticPitchClass::C, 1}, {"Bb", AlphabeticPitchClass::B, -1},
                           {"bb", AlphabeticPitchClass::B, -1}, {"Fbbb", AlphabeticPitchClass::F, -3},
                           {"G##", AlphabeticPitchClass::G, 2}, {"c", AlphabeticPitchClass::C, 0},
                           {"", AlphabeticPitchClass::none, 0}};
    for (const Case& c : aCases)
        EXPECT_EQ(PitchClass(std::string(c.pcName)), PitchClass(c.letter, c.iModifier)) << c.pcName;
    EXPECT_EQ(PitchClass(std::string("c#")), PitchClass::CSharp);
    EXPECT_EQ(PitchClass(std::string("Cbbb")).getName(), "Cbbb");
    EXPECT_EQ(PitchClass(std::string()).getName(), "none");

    // Every name getName() produces for a real letter parses back to the same spelling.
    for (int iPosition = 0; iPosition < 7; ++iPosition)
        for (int iModifier = -4; iModifier <= 4; ++iModifier)
        {
            const PitchClass pitchClass(AlphabeticPitchClass(iPosition), iModifier);
            EXPECT_EQ(PitchClass(pitchClass.getName()), pitchClass) << pitchClass.getName();
        }
}

TEST(PitchClass, ParsingRejectedNames)
{
    for (const char* pcName : {"none", "H", "Hb", "#", "\xE2\x99\xAF"})
        EXPECT_THROW_MESSAGE(PitchClass(std::string(pcName)), InvalidArgumentException, invalidName(kLetterCharDetail));
    for (const char* pcName : {"C#b", "Cb#", "BB", "Cis", "C x", "C# ", "Cbb#"})
        EXPECT_THROW_MESSAGE(PitchClass(std::string(pcName)), InvalidArgumentException, invalidName(kAccidentalDetail));
}
