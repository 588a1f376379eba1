#include "ExpectThrow.h"
#include "MusicTheory.h"
#include "Printers.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>
#include <vector>

using namespace vantor::MusicTheory;

namespace
{
const char* const kInvalid = "One or more argument was invalid.";
const char* const kDegreeRange = "Argument 'iDegree' was out of range. ";

const ScaleDegree kaDegrees[] = {ScaleDegree::I, ScaleDegree::II,  ScaleDegree::III, ScaleDegree::IV,
                                 ScaleDegree::V, ScaleDegree::VI, ScaleDegree::VII};

// The seven chord shorthands of a mode, "throws" where no chord type matches.
std::string chordsOf(const Mode& mode, int iNumThirds)
{
    std::string sChords;
    for (const ScaleDegree& degree : kaDegrees)
    {
        if (!sChords.empty())
            sChords += " ";
        try
        {
            sChords += mode.getChordTypeAt(degree, iNumThirds).getShorthand();
        }
        catch (const InvalidArgumentException&)
        {
            sChords += "throws";
        }
    }
    return sChords;
}

std::string tensionsOf(const Mode& mode, const ScaleDegree& degree)
{
    std::ostringstream stream;
    for (const Interval& tension : mode.getTensions(degree))
        stream << "(" << tension.getNumber().getNumStaffPositions() << "," << tension.getNumSemitones() << ")";
    return stream.str();
}
}

TEST(ScaleDegree, ConstructionNamesAndWrapping)
{
    const char* const apcNames[] = {"I", "II", "III", "IV", "V", "VI", "VII"};
    for (int i = 0; i < 7; ++i)
    {
        EXPECT_EQ(kaDegrees[i].getName(), apcNames[i]);
        EXPECT_EQ(static_cast<int>(kaDegrees[i]), i + 1);
        EXPECT_EQ(ScaleDegree(i + 1), kaDegrees[i]);
    }
    EXPECT_EQ(ScaleDegree::VII + 1, ScaleDegree::I);
    EXPECT_EQ(ScaleDegree::I - 1, ScaleDegree::VII);
    EXPECT_EQ(ScaleDegree::III + 16, ScaleDegree::V);
    EXPECT_EQ(ScaleDegree::III - 16, ScaleDegree::I);
    EXPECT_EQ(ScaleDegree::I + INT_MAX, ScaleDegree::II);
    EXPECT_EQ(ScaleDegree::iNumDegreesPerOctave, 7);

    EXPECT_EQ(ScaleDegree(Interval::Number::ninth), ScaleDegree::II);
    EXPECT_EQ(ScaleDegree(Interval::Number::octave), ScaleDegree::I);
    EXPECT_EQ(ScaleDegree(Interval::Number(-2)), ScaleDegree::VII);
    for (int iDegree : {0, 8, -1, INT_MIN})
        EXPECT_THROW_MESSAGE(ScaleDegree{iDegree}, OutOfRangeException, kDegreeRange);
    EXPECT_THROW_MESSAGE(ScaleDegree(Interval::Number::none), InvalidArgumentException,
                         "Argument 'number' was invalid. number must not be Interval::Number::none");
}

TEST(Numeral, ConstantsNamesAndIntervals)
{
    struct Case
    {
        const Numeral& numeral;
        int iDegree, iSemitones;
        const char* pcName;
    };
    const Case aCases[] = {{Numeral::I, 1, 0, "I"},         {Numeral::IIFlat, 2, 1, "IIb"}, {Numeral::II, 2, 2, "II"},
                           {Numeral::IIIFlat, 3, 3, "IIIb"}, {Numeral::III, 3, 4, "III"},    {Numeral::IV, 4, 5, "IV"},
                           {Numeral::IVSharp, 4, 6, "Vb"},   {Numeral::VFlat, 5, 6, "Vb"},   {Numeral::V, 5, 7, "V"},
                           {Numeral::VIFlat, 6, 8, "VIb"},   {Numeral::VI, 6, 9, "VI"},      {Numeral::VIIFlat, 7, 10, "VIIb"},
                           {Numeral::VII, 7, 11, "VII"}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(static_cast<int>(c.numeral.getDegree()), c.iDegree) << c.pcName;
        EXPECT_EQ(c.numeral.getNumSemitones(), c.iSemitones) << c.pcName;
        EXPECT_EQ(c.numeral.getName(), c.pcName);
        const Interval interval = c.numeral;
        EXPECT_EQ(interval, Interval(Interval::Number(c.iDegree), c.iSemitones));
        EXPECT_EQ(Numeral(interval), c.numeral) << c.pcName;
    }
    EXPECT_EQ(static_cast<Interval>(Numeral::III), Interval::majorThird);
    EXPECT_EQ(static_cast<Interval>(Numeral::VIIFlat), Interval::minorSeventh);

    EXPECT_NE(Numeral::IVSharp, Numeral::VFlat);
    EXPECT_FALSE(Numeral::IVSharp < Numeral::VFlat);
    EXPECT_FALSE(Numeral::IVSharp > Numeral::VFlat);
    EXPECT_TRUE(Numeral::IIIFlat < Numeral::III && Numeral::VII >= Numeral::VI && Numeral::I <= Numeral::I);
}

TEST(Numeral, ConstructionErrors)
{
    EXPECT_THROW_MESSAGE(Numeral(Interval::majorNinth), OutOfRangeException, kDegreeRange);
    EXPECT_THROW_MESSAGE(Numeral(-Interval::minorSecond), OutOfRangeException, kDegreeRange);
    EXPECT_THROW_MESSAGE(Numeral(Interval()), OutOfRangeException, kDegreeRange);
    EXPECT_THROW_MESSAGE(Numeral(Interval(Interval::Number::second, -1)), OutOfRangeException,
                         "Argument 'interval' was out of range. ");
    EXPECT_THROW_MESSAGE(Numeral(ScaleDegree::II, 12), OutOfRangeException, "Argument 'iNumSemitones' was out of range. ");
    EXPECT_THROW_MESSAGE(Numeral(ScaleDegree::II, -1), OutOfRangeException, "Argument 'iNumSemitones' was out of range. ");
    // No upper bound when built from an interval; the name then has no entry.
    EXPECT_THROW_MESSAGE(Numeral(Interval(Interval::Number::second, 13)).getName(), InternalErrorException, "");
}

TEST(Numeral, ArithmeticWithIntervals)
{
    EXPECT_EQ(Numeral::V + Interval::minorSeventh, Numeral::IV);
    EXPECT_EQ(Numeral::I - Interval::minorSecond, Numeral::VII);
    EXPECT_EQ(Numeral::VI + Interval::minorThird, Numeral::I);
    EXPECT_EQ(Numeral::II + Interval::majorNinth, Numeral::III);
    EXPECT_EQ(Numeral::III - Interval::majorThird, Numeral::I);
    EXPECT_EQ(Numeral::V.getIntervalToNumeralAbove(Numeral::I), Interval::perfectFourth);
    EXPECT_EQ(Numeral::VII.getIntervalToNumeralAbove(Numeral::II), Interval::minorThird);
    EXPECT_EQ(Numeral::I - Numeral::V, Interval(Interval::Number(-5), -7));
    EXPECT_EQ(Numeral::VII - Numeral::II, Interval::majorSixth);
}

TEST(NumeralChord, NamesAndNumerals)
{
    const NumeralChord dominant(Numeral::V, ChordType::seventh);
    EXPECT_EQ(dominant.getName(), "V:7");
    EXPECT_EQ(NumeralChord(Numeral::IIFlat, ChordType::major).getName(), "IIb:maj");
    EXPECT_EQ(dominant.getNumNumerals(), 4);
    EXPECT_EQ(dominant.getNumerals(), (std::vector<Numeral>{Numeral::V, Numeral::VII, Numeral::II, Numeral::IV}));
    EXPECT_EQ(dominant.getNumeral(3), Numeral::IV);
    EXPECT_TRUE(dominant.contains(Numeral::II));
    EXPECT_FALSE(dominant.contains(Numeral::I));
    EXPECT_EQ(dominant, NumeralChord(Numeral::V, ChordType("dom7", ChordType::seventh.getIntervals())));
    EXPECT_NE(dominant, NumeralChord(Numeral::V, ChordType::majorSeventh));
    for (int iIndex : {-1, 4})
        EXPECT_THROW_MESSAGE(dominant.getNumeral(iIndex), OutOfRangeException, "Argument 'iIndex' was out of range. ");
}

TEST(Scale, ConstructionChecks)
{
    const std::string prefix = "Argument 'numerals' was invalid. ";
    struct Case
    {
        std::vector<Numeral> numerals;
        std::string message;
    };
    const Case aCases[] = {
        {{Numeral::I, Numeral::III, Numeral::II}, prefix + "'numerals' must be sorted in ascending order"},
        {{Numeral::I, Numeral::IVSharp, Numeral::VFlat}, prefix + "'numerals' must be sorted in ascending order"},
        {{Numeral::I, Numeral::II, Numeral::I}, prefix + "'numerals' contains multiple instances of the same numeral"}};
    for (const Case& c : aCases)
        EXPECT_THROW_MESSAGE(Scale("x", c.numerals), InvalidArgumentException, c.message);

    const Scale empty("empty", {});
    EXPECT_EQ(empty.getNumNumerals(), 0);
    EXPECT_THROW_MESSAGE(empty.getNumeralAtIndex(0), OutOfRangeException, "Argument 'iIndex' was out of range. ");

    EXPECT_THROW_MESSAGE(Mode("x", Numeral::I, Numeral::II, Numeral::III, Numeral::IV, Numeral::V, Numeral::VII,
                              Numeral::VI),
                         InvalidArgumentException, prefix + "'numerals' must be sorted in ascending order");
    EXPECT_THROW_MESSAGE(Mode("x", Numeral::I, Numeral::II, Numeral::III, Numeral::IVSharp, Numeral::VIFlat, Numeral::VI,
                              Numeral::VII),
                         InvalidArgumentException, kInvalid);
    EXPECT_THROW_MESSAGE(PentatonicScale("x", Numeral::I, Numeral::II, Numeral::III, Numeral::IV, Numeral::VI),
                         InvalidArgumentException, kInvalid);
}

TEST(Scale, NamedScalesAndEquality)
{
    struct Case
    {
        const Scale& scale;
        const char* pcShorthand;
        std::vector<Numeral> numerals;
    };
    using N = Numeral;
    const Case aCases[] = {
        {Mode::ionian, "ionian", {N::I, N::II, N::III, N::IV, N::V, N::VI, N::VII}},
        {Mode::dorian, "dorian", {N::I, N::II, N::IIIFlat, N::IV, N::V, N::VI, N::VIIFlat}},
        {Mode::phrygian, "phrygian", {N::I, N::IIFlat, N::IIIFlat, N::IV, N::V, N::VIFlat, N::VIIFlat}},
        {Mode::lydian, "lydian", {N::I, N::II, N::III, N::IVSharp, N::V, N::VI, N::VII}},
        {Mode::mixolydian, "mixolydian", {N::I, N::II, N::III, N::IV, N::V, N::VI, N::VIIFlat}},
        {Mode::aeolian, "aeolian", {N::I, N::II, N::IIIFlat, N::IV, N::V, N::VIFlat, N::VIIFlat}},
        {Mode::locrian, "locrian", {N::I, N::IIFlat, N::IIIFlat, N::IV, N::VFlat, N::VIFlat, N::VIIFlat}},
        {DiatonicScale::major, "maj", {N::I, N::II, N::III, N::IV, N::V, N::VI, N::VII}},
        {DiatonicScale::aeolicMinor, "min", {N::I, N::II, N::IIIFlat, N::IV, N::V, N::VIFlat, N::VIIFlat}},
        {DiatonicScale::harmonicMinor, "harmmin", {N::I, N::II, N::IIIFlat, N::IV, N::V, N::VIFlat, N::VII}},
        {DiatonicScale::melodicMinor, "melomin", {N::I, N::II, N::IIIFlat, N::IV, N::V, N::VI, N::VII}},
        {PentatonicScale::major, "pentMaj", {N::I, N::II, N::III, N::V, N::VI}},
        {PentatonicScale::minor, "pentMin", {N::I, N::II, N::IIIFlat, N::V, N::VIFlat}},
        {ChromaticScale::chromatic, "chromatic",
         {N::I, N::IIFlat, N::II, N::IIIFlat, N::III, N::IV, N::IVSharp, N::V, N::VIFlat, N::VI, N::VIIFlat, N::VII}}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(c.scale.getShorthand(), c.pcShorthand);
        ASSERT_EQ(c.scale.getNumNumerals(), static_cast<int>(c.numerals.size())) << c.pcShorthand;
        for (int i = 0; i < c.scale.getNumNumerals(); ++i)
            EXPECT_EQ(c.scale.getNumeralAtIndex(i), c.numerals[static_cast<std::size_t>(i)]) << c.pcShorthand << i;
    }
    EXPECT_TRUE(Mode::ionian == DiatonicScale::major);
    EXPECT_TRUE(Mode::aeolian == DiatonicScale::aeolicMinor);
    EXPECT_FALSE(Mode::dorian == DiatonicScale::aeolicMinor);
    EXPECT_EQ(ChromaticScale(), ChromaticScale::chromatic);
    EXPECT_TRUE(Mode::locrian.contains(Numeral::VFlat));
    EXPECT_FALSE(Mode::locrian.contains(Numeral::IVSharp));
    EXPECT_EQ(Mode::dorian.getRoot(), Numeral::I);
    EXPECT_EQ(Mode::phrygian.getNumeralAt(ScaleDegree::II), Numeral::IIFlat);
    EXPECT_TRUE(DiatonicScale::major.isMajor());
    EXPECT_FALSE(DiatonicScale::harmonicMinor.isMajor());
}

TEST(Mode, TriadsAndTetradsOfTheNamedModes)
{
    struct Case
    {
        const Mode& mode;
        const char* pcTriads;
        const char* pcTetrads;
    };
    const Case aCases[] = {
        {Mode::ionian, "maj min min maj maj min dim", "maj7 min7 min7 maj7 7 min7 hdim7"},
        {DiatonicScale::major, "maj min min maj maj min dim", "maj7 min7 min7 maj7 7 min7 hdim7"},
        {Mode::dorian, "min min maj maj min dim maj", "min7 min7 maj7 7 min7 hdim7 maj7"},
        {Mode::phrygian, "min maj maj min dim maj min", "min7 maj7 7 min7 hdim7 maj7 min7"},
        {Mode::lydian, "maj maj min dim maj min min", "maj7 7 min7 hdim7 maj7 min7 min7"},
        {Mode::mixolydian, "maj min dim maj min min maj", "7 min7 hdim7 maj7 min7 min7 maj7"},
        {Mode::aeolian, "min dim maj min min maj maj", "min7 hdim7 maj7 min7 min7 maj7 7"},
        {DiatonicScale::aeolicMinor, "min dim maj min min maj maj", "min7 hdim7 maj7 min7 min7 maj7 7"},
        {Mode::locrian, "dim maj min min maj maj min", "hdim7 maj7 min7 min7 maj7 7 min7"},
        {DiatonicScale::harmonicMinor, "min dim aug min maj maj dim", "throws hdim7 throws min7 7 maj7 dim7"},
        {DiatonicScale::melodicMinor, "min min aug maj maj dim dim", "throws min7 throws 7 7 hdim7 hdim7"}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(chordsOf(c.mode, 3), c.pcTriads) << c.mode.getShorthand();
        EXPECT_EQ(chordsOf(c.mode, 4), c.pcTetrads) << c.mode.getShorthand();
    }
    EXPECT_EQ(Mode::ionian.getTriadAt(ScaleDegree::V).getName(), "V:maj");
    EXPECT_EQ(Mode::ionian.getTetradAt(ScaleDegree::V).getName(), "V:7");
    EXPECT_EQ(DiatonicScale::aeolicMinor.getTetradAt(ScaleDegree::III).getName(), "IIIb:maj7");
    EXPECT_THROW_MESSAGE(DiatonicScale::harmonicMinor.getTetradAt(ScaleDegree::I), InvalidArgumentException, kInvalid);

    EXPECT_EQ(Mode::ionian.getChordTypeAt(ScaleDegree::II, 0), ChordType::none);
    EXPECT_EQ(Mode::ionian.getChordTypeAt(ScaleDegree::II, -3), ChordType::none);
    EXPECT_THROW_MESSAGE(Mode::ionian.getChordTypeAt(ScaleDegree::V, 2), InvalidArgumentException, kInvalid);
    for (int iNumThirds : {5, 7, 8, INT_MAX})
        EXPECT_THROW_MESSAGE(Mode::ionian.getChordTypeAt(ScaleDegree::I, iNumThirds), InvalidArgumentException, kInvalid);
}

TEST(Mode, AvailableTensions)
{
    // (number, semitones) of the ninth, eleventh and thirteenth that remain, degrees I to VII.
    struct Case
    {
        const Mode& mode;
        std::vector<std::string> tensions;
    };
    const Case aCases[] = {
        {DiatonicScale::major,
         {"(9,14)(13,21)", "(9,14)(11,17)(13,21)", "(11,17)", "(9,14)(11,18)(13,21)", "(9,14)(13,21)", "(9,14)(11,17)",
          "(11,17)(13,20)"}},
        {Mode::aeolian,
         {"(9,14)(11,17)", "(11,17)(13,20)", "(9,14)(13,21)", "(9,14)(11,17)(13,21)", "(11,17)",
          "(9,14)(11,18)(13,21)", "(9,14)(13,21)"}}};
    for (const Case& c : aCases)
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(tensionsOf(c.mode, kaDegrees[i]), c.tensions[static_cast<std::size_t>(i)])
                << c.mode.getShorthand() << " degree " << i + 1;
}

TEST(AllDiatonicScales, RegistryAndSelectors)
{
    ASSERT_EQ(AllDiatonicScales::getNumInstances(), 4);
    EXPECT_EQ(AllDiatonicScales::getInstance(0), &DiatonicScale::major);
    EXPECT_EQ(AllDiatonicScales::getInstance(1), &DiatonicScale::aeolicMinor);
    EXPECT_EQ(AllDiatonicScales::getInstance(2), &DiatonicScale::harmonicMinor);
    EXPECT_EQ(AllDiatonicScales::getInstance(3), &DiatonicScale::melodicMinor);
    for (int iIndex : {-1, 4})
        EXPECT_THROW_MESSAGE(AllDiatonicScales::getInstance(iIndex), OutOfRangeException,
                             "Argument 'iIndex' was out of range. ");

    const DiatonicScale dorian("dor", Numeral::I, Numeral::II, Numeral::IIIFlat, Numeral::IV, Numeral::V, Numeral::VI,
                               Numeral::VIIFlat);
    for (const DiatonicScale* pScale : AllDiatonicScales::allInstances)
        EXPECT_TRUE(AllDiatonicScales::selectMajorMinor(*pScale)) << pScale->getShorthand();
    EXPECT_FALSE(AllDiatonicScales::selectMajorMinor(dorian));
    EXPECT_TRUE(AllDiatonicScales::selectAll(dorian));
    EXPECT_FALSE(AllDiatonicScales::selectMajorAndAeolicMinor(DiatonicScale::harmonicMinor));

    const std::vector<const DiatonicScale*> majorAndMinor = AllDiatonicScales::list(AllDiatonicScales::selectMajorAndAeolicMinor);
    EXPECT_EQ(majorAndMinor, (std::vector<const DiatonicScale*>{&DiatonicScale::major, &DiatonicScale::aeolicMinor}));
    EXPECT_EQ(AllDiatonicScales::list(AllDiatonicScales::selectAll).size(), 4u);
    EXPECT_THROW(AllDiatonicScales::list(nullptr), InvalidArgumentException);
}
