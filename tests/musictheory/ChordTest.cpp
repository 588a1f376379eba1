#include "ExpectThrow.h"
#include "MusicTheory.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace vantor::MusicTheory;

namespace
{
using Intervals = std::vector<Interval>;

std::vector<std::string> shorthands(const std::vector<const ChordType*>& chordTypes)
{
    std::vector<std::string> names;
    for (const ChordType* pChordType : chordTypes)
        names.push_back(pChordType->getShorthand());
    return names;
}

std::vector<std::string> pitchClassNames(const Chord& chord)
{
    std::vector<std::string> names;
    for (int i = 0; i < chord.getNumPitchClasses(); ++i)
        names.push_back(chord.getPitchClass(i).getName());
    return names;
}
}

TEST(ChordType, CatalogueInRegistryOrder)
{
    struct Case
    {
        const ChordType& chordType;
        const char* pcShorthand;
        Intervals intervals;
    };
    const Interval& P1 = Interval::unison;
    const Interval& P5 = Interval::perfectFifth;
    const Case aCases[] = {
        {ChordType::none, "N", {}},
        {ChordType::fifth, "5", {P1, P5}},
        {ChordType::major, "maj", {P1, Interval::majorThird, P5}},
        {ChordType::minor, "min", {P1, Interval::minorThird, P5}},
        {ChordType::diminished, "dim", {P1, Interval::minorThird, Interval::diminishedFifth}},
        {ChordType::augmented, "aug", {P1, Interval::majorThird, Interval::augmentedFifth}},
        {ChordType::sus2, "sus2", {P1, Interval::majorSecond, P5}},
        {ChordType::sus4, "sus4", {P1, Interval::perfectFourth, P5}},
        {ChordType::majorSeventh, "maj7", {P1, Interval::majorThird, P5, Interval::majorSeventh}},
        {ChordType::minorSeventh, "min7", {P1, Interval::minorThird, P5, Interval::minorSeventh}},
        {ChordType::seventh, "7", {P1, Interval::majorThird, P5, Interval::minorSeventh}},
        {ChordType::diminishedSeventh, "dim7",
         {P1, Interval::minorThird, Interval::diminishedFifth, Interval::diminishedSeventh}},
        {ChordType::halfDiminishedSeventh, "hdim7",
         {P1, Interval::minorThird, Interval::diminishedFifth, Interval::minorSeventh}},
        {ChordType::majorSixth, "maj6", {P1, Interval::majorThird, P5, Interval::majorSixth}},
        {ChordType::minorSixth, "min6", {P1, Interval::minorThird, P5, Interval::majorSixth}},
        {ChordType::ninth, "9", {P1, Interval::majorThird, P5, Interval::minorSeventh, Interval::majorNinth}},
        {ChordType::majorNinth, "maj9", {P1, Interval::majorThird, P5, Interval::majorSeventh, Interval::majorNinth}},
        {ChordType::minorNinth, "min9", {P1, Interval::minorThird, P5, Interval::minorSeventh, Interval::majorNinth}}};
    ASSERT_EQ(AllChordTypes::getNumChordTypes(), 18);
    for (int i = 0; i < 18; ++i)
    {
        const Case& c = aCases[i];
        EXPECT_EQ(AllChordTypes::getChordType(i), &c.chordType) << c.pcShorthand;
        EXPECT_EQ(c.chordType.getShorthand(), c.pcShorthand);
        EXPECT_EQ(c.chordType.getIntervals(), c.intervals) << c.pcShorthand;
        EXPECT_EQ(AllChordTypes::findChordType(c.intervals), &c.chordType) << c.pcShorthand;
    }
    EXPECT_EQ(AllChordTypes::getChordType(18), nullptr);
    EXPECT_EQ(AllChordTypes::getChordType(-1), nullptr);
}

TEST(ChordType, ConstructionChecksInListOrder)
{
    const std::string prefix = "Argument 'intervals' was invalid. ";
    struct Case
    {
        Intervals intervals;
        const char* pcDetail;
    };
    const Case aCases[] = {
        {{}, "intervals.size() < 2"},
        {{Interval::unison}, "intervals.size() < 2"},
        {{Interval::unison, Interval::majorThird, Interval::majorThird},
         "'intervals' contains multiple instances of the same interval"},
        {{Interval::majorThird, Interval::unison}, "'intervals' should be sorted in ascending order"},
        {{Interval::unison, Interval::diminishedFourth, Interval::majorThird},
         "'intervals' should be sorted in ascending order"},
        {{-Interval::minorSecond, Interval::unison},
         "'intervals' contains one or more intervals smaller than Interval::unison"},
        // The duplicate check of an element comes before its order check.
        {{Interval::majorThird, Interval::unison, Interval::majorThird},
         "'intervals' contains multiple instances of the same interval"}};
    for (const Case& c : aCases)
        EXPECT_THROW_MESSAGE(ChordType("x", c.intervals), InvalidArgumentException, prefix + c.pcDetail);
}

TEST(ChordType, EqualityIgnoresShorthandAndOrderOfLookup)
{
    EXPECT_EQ(ChordType("power", {Interval::unison, Interval::perfectFifth}), ChordType::fifth);
    EXPECT_NE(ChordType::major, ChordType::minor);
    EXPECT_EQ(ChordType("N"), ChordType::none);
    EXPECT_TRUE(ChordType::seventh.containsInterval(Interval::minorSeventh));
    EXPECT_FALSE(ChordType::seventh.containsInterval(Interval::majorSeventh));
    EXPECT_TRUE(ChordType::seventh.containsIntervalNumber(Interval::Number::seventh));
    EXPECT_FALSE(ChordType::seventh.containsIntervalNumber(Interval::Number::sixth));
    EXPECT_EQ(ChordType::minorSeventh.getInterval(3), Interval::minorSeventh);
    EXPECT_THROW_MESSAGE(ChordType::major.getInterval(3), OutOfRangeException, "Argument 'iIndex' was out of range. ");
    EXPECT_THROW(ChordType::none.getInterval(0), OutOfRangeException);

    EXPECT_EQ(AllChordTypes::findChordType({Interval::perfectFifth, Interval::unison, Interval::minorThird}),
              &ChordType::minor);
    EXPECT_EQ(AllChordTypes::findChordType({Interval::unison, Interval::minorThird, Interval::augmentedFifth}), nullptr);
    EXPECT_EQ(AllChordTypes::findChordType({}), &ChordType::none);
    // A repeated interval is not a set of three chord tones.
    EXPECT_EQ(AllChordTypes::findChordType({Interval::unison, Interval::unison, Interval::perfectFifth}), nullptr);
}

TEST(AllChordTypes, PredicatesAndGroups)
{
    using Names = std::vector<std::string>;
    struct Case
    {
        AllChordTypes::Predicate pfPredicate;
        AllChordTypes::TypeGroupFlags eFlag;
        Names expected;
    };
    const Case aCases[] = {
        {AllChordTypes::isMajorMinor, AllChordTypes::majorMinorTypes, {"maj", "min"}},
        {AllChordTypes::isDyad, AllChordTypes::dyadTypes, {"5"}},
        {AllChordTypes::isTriad, AllChordTypes::triadTypes, {"maj", "min", "dim", "aug"}},
        {AllChordTypes::isSuspended, AllChordTypes::suspendedTypes, {"sus2", "sus4"}},
        {AllChordTypes::isSixth, AllChordTypes::sixthTypes, {"maj6", "min6"}},
        {AllChordTypes::isSeventh, AllChordTypes::seventhTypes, {"maj7", "min7", "7", "dim7", "hdim7"}},
        {AllChordTypes::isNinth, AllChordTypes::ninthTypes, {"9", "maj9", "min9"}}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(shorthands(AllChordTypes::list(c.pfPredicate)), c.expected);
        EXPECT_EQ(shorthands(AllChordTypes::list(c.eFlag)), c.expected);
    }

    EXPECT_EQ(shorthands(AllChordTypes::list(AllChordTypes::isTriadOrSeventh)),
              (Names{"maj", "min", "dim", "aug", "maj7", "min7", "7", "dim7", "hdim7"}));
    EXPECT_EQ(shorthands(AllChordTypes::list(AllChordTypes::isTriadSixthOrSeventh)),
              (Names{"maj", "min", "dim", "aug", "maj7", "min7", "7", "dim7", "hdim7", "maj6", "min6"}));
    EXPECT_EQ(shorthands(AllChordTypes::list(AllChordTypes::isTriadsSeventhOrNinth)),
              (Names{"maj", "min", "dim", "aug", "maj7", "min7", "7", "dim7", "hdim7", "9", "maj9", "min9"}));
    EXPECT_EQ(shorthands(AllChordTypes::list(AllChordTypes::isDyadTriadSixthAndSevenths)),
              (Names{"5", "maj", "min", "dim", "aug", "maj7", "min7", "7", "dim7", "hdim7", "maj6", "min6"}));
    EXPECT_EQ(AllChordTypes::list(AllChordTypes::isAny).size(), 18u);

    EXPECT_EQ(AllChordTypes::list(static_cast<AllChordTypes::TypeGroupFlags>(127)).size(), 17u);
    EXPECT_TRUE(AllChordTypes::list(static_cast<AllChordTypes::TypeGroupFlags>(0)).empty());
    EXPECT_TRUE(AllChordTypes::list(static_cast<AllChordTypes::TypeGroupFlags>(128 | 256)).empty());
    EXPECT_EQ(shorthands(AllChordTypes::list(AllChordTypes::dyadTypes | AllChordTypes::suspendedTypes)),
              (Names{"5", "sus2", "sus4"}));
    EXPECT_THROW_MESSAGE(AllChordTypes::list(AllChordTypes::Predicate(nullptr)), InvalidArgumentException,
                         "Argument 'pfPredicate' was invalid. 'pfPredicate' must not be null");

    // Numbers decide, not semitones: a ninth chord without its seventh still counts.
    EXPECT_TRUE(AllChordTypes::isNinth(
        ChordType("add9", {Interval::unison, Interval::majorThird, Interval::perfectFifth, Interval::majorNinth})));
}

TEST(Chord, SpelledTonesAndNames)
{
    struct Case
    {
        const PitchClass& root;
        const ChordType& chordType;
        const char* pcName;
        std::vector<std::string> tones;
    };
    const Case aCases[] = {{PitchClass::EFlat, ChordType::major, "Eb:maj", {"Eb", "G", "Bb"}},
                           {PitchClass::CSharp, ChordType::minor, "C#:min", {"C#", "E", "G#"}},
                           {PitchClass::C, ChordType::augmented, "C:aug", {"C", "E", "G#"}},
                           {PitchClass::B, ChordType::diminishedSeventh, "B:dim7", {"B", "D", "F", "Ab"}},
                           {PitchClass::FSharp, ChordType::minorSeventh, "F#:min7", {"F#", "A", "C#", "E"}},
                           {PitchClass::BFlat, ChordType::halfDiminishedSeventh, "Bb:hdim7", {"Bb", "Db", "Fb", "Ab"}},
                           {PitchClass::EFlat, ChordType::fifth, "Eb:5", {"Eb", "Bb"}},
                           {PitchClass::G, ChordType::ninth, "G:9", {"G", "B", "D", "F", "A"}},
                           {PitchClass::C, ChordType::none, "N", {}}};
    for (const Case& c : aCases)
    {
        const Chord chord(c.root, c.chordType);
        EXPECT_EQ(chord.getName(), c.pcName);
        EXPECT_EQ(pitchClassNames(chord), c.tones) << c.pcName;
        EXPECT_EQ(chord.getRoot(), c.root);
        EXPECT_EQ(chord.getChordType().getShorthand(), c.chordType.getShorthand());
    }
}

TEST(Chord, ContainsEqualityAndErrors)
{
    const Chord fSharpMajor(PitchClass::FSharp, ChordType::major);
    EXPECT_TRUE(fSharpMajor.contains(PitchClass::FSharp));
    EXPECT_TRUE(fSharpMajor.contains(PitchClass::ASharp));
    EXPECT_TRUE(fSharpMajor.contains(PitchClass::CSharp));
    EXPECT_FALSE(fSharpMajor.contains(PitchClass::BFlat));

    const Chord cSharpMajor(PitchClass::CSharp, ChordType::major);
    const Chord dFlatMajor(PitchClass::DFlat, ChordType::major);
    EXPECT_TRUE(cSharpMajor.isEnharmonicEquivalentOf(dFlatMajor));
    EXPECT_NE(cSharpMajor, dFlatMajor);
    EXPECT_FALSE(cSharpMajor.isEnharmonicEquivalentOf(Chord(PitchClass::DFlat, ChordType::minor)));
    EXPECT_EQ(cSharpMajor, Chord(PitchClass::CSharp, ChordType("other", ChordType::major.getIntervals())));

    for (int iIndex : {-1, 3})
        EXPECT_THROW_MESSAGE(fSharpMajor.getPitchClass(iIndex), OutOfRangeException,
                             "Argument 'iAtIndex' was out of range. ");
    const Chord noRoot(PitchClass::none, ChordType::major);
    EXPECT_THROW_MESSAGE(noRoot.getPitchClass(0), InvalidOperationException,
                         "Operation is not defined on AlphabeticPitchClass::none.");
    EXPECT_THROW_MESSAGE(noRoot.contains(PitchClass::C), InvalidOperationException,
                         "Operation is not defined on AlphabeticPitchClass::none.");
}
