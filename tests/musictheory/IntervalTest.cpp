#include "ExpectThrow.h"
#include "Printers.h"
#include "MusicTheory.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

using namespace vantor::MusicTheory;

namespace
{
using Number = Interval::Number;

const char* const kNoneNumberText = "mapToBaseOctave() is not allowed on Interval::Number::none";
const char* const kNoneText = "Operation is not defined on AlphabeticPitchClass::none.";
const char* const kOctaveText = "Argument 'iOctave' was invalid. 'iOctave' is smaller than -1";
}

TEST(IntervalNumber, StepsAndArithmetic)
{
    EXPECT_EQ(Number::none + Number::third, Number::third);
    EXPECT_EQ(Number::unison * 3, Number::unison);
    EXPECT_EQ(Number::second * 0, Number::none);
    EXPECT_EQ((Number::third * -2).getNumStaffPositions(), -5);
    EXPECT_EQ(Number::third + Number::third, Number::fifth);
    EXPECT_EQ(Number::second - Number::third, Number(-2));
    EXPECT_EQ(-Number::fifth, Number(-5));
    EXPECT_EQ(Number(-2).getDifferenceInStaffPositions(), -1);
    EXPECT_EQ(Number::octave.getDifferenceInStaffPositions(), 7);
    EXPECT_TRUE(Number::third < Number::fourth && Number::fifth >= Number::fifth && Number(-2) <= Number::none);
}

TEST(IntervalNumber, FoldingIntoBaseOctave)
{
    struct Case
    {
        int iNumber, iFolded;
    };
    for (const Case& c : {Case{1, 1}, Case{7, 7}, Case{8, 1}, Case{9, 2}, Case{13, 6}, Case{15, 1}, Case{-1, 1},
                          Case{-2, 7}, Case{-3, 6}, Case{-8, 1}, Case{INT_MAX, 1}, Case{INT_MIN, 7}})
    {
        EXPECT_EQ(Number(c.iNumber).mappedToBaseOctave().getNumStaffPositions(), c.iFolded) << c.iNumber;
        Number number(c.iNumber);
        number.mapToBaseOctave();
        EXPECT_EQ(number.getNumStaffPositions(), c.iFolded) << c.iNumber;
    }
    EXPECT_THROW_MESSAGE(Number::none.mappedToBaseOctave(), InvalidOperationException, kNoneNumberText);
}

TEST(Interval, FoldingAndArithmetic)
{
    EXPECT_EQ(Interval::majorNinth.mappedToBaseOctave(), Interval::majorSecond);
    EXPECT_EQ(Interval::octave.mappedToBaseOctave(), Interval::unison);
    EXPECT_EQ((-Interval::majorThird).mappedToBaseOctave(), Interval::minorSixth);
    EXPECT_EQ(Interval::octave * -1, Interval(Number(-8), -12));
    EXPECT_EQ(Interval::majorSecond * 2, Interval::majorThird);
    EXPECT_EQ(Interval::majorThird + Interval::minorThird, Interval::perfectFifth);
    EXPECT_EQ(Interval::perfectFifth - Interval::majorThird, Interval::minorThird);
    EXPECT_EQ(Interval::perfectFifth + Interval::perfectFourth, Interval::octave);
    EXPECT_EQ(Interval::majorSeventh + Interval::majorThird - Interval::octave, Interval(Number::second, 3));  // augmented ninth less an octave

    Interval interval(Number::none, 5);
    EXPECT_THROW_MESSAGE(interval.mapToBaseOctave(), InvalidOperationException, kNoneNumberText);
    EXPECT_EQ(interval.getNumSemitones(), 5);  // unchanged after the failure
}

TEST(Interval, ComparisonUsesSemitonesEqualityUsesBoth)
{
    EXPECT_FALSE(Interval::diminishedFifth == Interval::augmentedFourth);
    EXPECT_FALSE(Interval::diminishedFifth < Interval::augmentedFourth);
    EXPECT_FALSE(Interval::diminishedFifth > Interval::augmentedFourth);
    EXPECT_TRUE(Interval::diminishedFourth <= Interval::majorThird && Interval::diminishedFourth >= Interval::majorThird);
    EXPECT_TRUE(Interval::minorThird < Interval::majorThird);
    EXPECT_EQ(Interval().getNumber(), Number::none);
    EXPECT_EQ(Interval().getNumSemitones(), 0);
}

TEST(Interval, NamedConstants)
{
    struct Case
    {
        const Interval& interval;
        int iNumber, iSemitones;
    };
    const Case aCases[] = {{Interval::unison, 1, 0},           {Interval::minorSecond, 2, 1},
                           {Interval::majorSecond, 2, 2},      {Interval::minorThird, 3, 3},
                           {Interval::majorThird, 3, 4},       {Interval::diminishedFourth, 4, 4},
                           {Interval::perfectFourth, 4, 5},    {Interval::augmentedFourth, 4, 6},
                           {Interval::diminishedFifth, 5, 6},  {Interval::perfectFifth, 5, 7},
                           {Interval::augmentedFifth, 5, 8},   {Interval::minorSixth, 6, 8},
                           {Interval::majorSixth, 6, 9},       {Interval::diminishedSeventh, 7, 9},
                           {Interval::minorSeventh, 7, 10},    {Interval::majorSeventh, 7, 11},
                           {Interval::octave, 8, 12},          {Interval::minorNinth, 9, 13},
                           {Interval::majorNinth, 9, 14},      {Interval::perfectEleventh, 11, 17},
                           {Interval::augmentedEleventh, 11, 18}, {Interval::minorThirteenth, 13, 20},
                           {Interval::majorThirteenth, 13, 21}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ(c.interval.getNumber().getNumStaffPositions(), c.iNumber);
        EXPECT_EQ(c.interval.getNumSemitones(), c.iSemitones);
    }
    EXPECT_EQ(Number::thirteenth.getNumStaffPositions(), 13);
    EXPECT_EQ(Number::tenth.getNumStaffPositions(), 10);
    EXPECT_EQ(Number::twelfth.getNumStaffPositions(), 12);
}

TEST(Interval, OverflowThrowsInsteadOfWrapping)
{
    const Interval huge(Number(INT_MAX), INT_MAX);
    EXPECT_THROW(huge + Interval::majorSecond, OutOfRangeException);
    EXPECT_THROW(huge * 2, OutOfRangeException);
    EXPECT_THROW(-Interval(Number(INT_MIN), 0), OutOfRangeException);
    EXPECT_THROW(-Interval(Number::unison, INT_MIN), OutOfRangeException);
    EXPECT_THROW(Number(INT_MIN) * -1, OutOfRangeException);
    EXPECT_EQ(Interval(Number(INT_MIN), INT_MIN) * 0, Interval(Number::none, 0));
}

TEST(PitchClass, PlusAndMinusIntervalAreSpelledByLetter)
{
    struct Case
    {
        const PitchClass& from;
        const Interval& interval;
        const char* pcUp;
        const char* pcDown;
    };
    const Case aCases[] = {{PitchClass::C, Interval::minorThird, "Eb", "A"},
                           {PitchClass::A, Interval::minorThird, "C", "F#"},
                           {PitchClass::E, Interval::augmentedFourth, "A#", "Bb"},
                           {PitchClass::B, Interval::minorSecond, "C", "A#"},
                           {PitchClass::FSharp, Interval::minorThird, "A", "D#"},
                           {PitchClass::CFlat, Interval::majorThird, "Eb", "Abb"},
                           {PitchClass::DSharp, Interval::majorSecond, "E#", "C#"},
                           {PitchClass::EFlat, Interval::minorThird, "Gb", "C"},
                           {PitchClass::G, Interval::majorThirteenth, "E", "Bb"},
                           {PitchClass::D, Interval::octave * -1, "D", "D"}};
    for (const Case& c : aCases)
    {
        EXPECT_EQ((c.from + c.interval).getName(), c.pcUp) << c.from.getName();
        EXPECT_EQ((c.from - c.interval).getName(), c.pcDown) << c.from.getName();
    }
    // Unbounded sizes never overflow: only the sizes modulo the octave count.
    EXPECT_EQ(PitchClass::C + Interval(Number(INT_MAX), INT_MAX), PitchClass::C + Interval(Number((INT_MAX - 1) % 7 + 1), 7));
    EXPECT_EQ((PitchClass::C - Interval(Number(INT_MIN), INT_MIN)).getChromaIndex(), 8);

    EXPECT_THROW_MESSAGE(PitchClass::none + Interval::unison, InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(PitchClass::none - Interval::majorThird, InvalidOperationException, kNoneText);
}

TEST(PitchClass, DifferenceIsAscendingIntervalWithinOctave)
{
    EXPECT_EQ(PitchClass::C - PitchClass::A, Interval::minorThird);
    EXPECT_EQ(PitchClass::A - PitchClass::C, Interval::majorSixth);
    EXPECT_EQ(PitchClass::CSharp - PitchClass::CFlat, Interval(Number::unison, 2));
    EXPECT_EQ(PitchClass::ESharp - PitchClass::EFlat, Interval(Number::unison, 2));
    EXPECT_EQ(PitchClass::G - PitchClass::G, Interval::unison);
    EXPECT_EQ(PitchClass::F - PitchClass::B, Interval::diminishedFifth);
    // Letter distance is undefined for none: it would otherwise read as a seventh.
    EXPECT_THROW_MESSAGE(PitchClass::none - PitchClass::C, InvalidOperationException, kNoneText);
    EXPECT_THROW_MESSAGE(PitchClass::C - PitchClass::none, InvalidOperationException, kNoneText);
}

TEST(Frequency, ConversionsAndLiterals)
{
    EXPECT_EQ(Frequency().inHz(), 0.0);
    EXPECT_EQ(double(FrequencyRatio()), 1.0);
    EXPECT_DOUBLE_EQ(double(1200_ct), 2.0);
    EXPECT_DOUBLE_EQ(double(12_st), 2.0);
    EXPECT_DOUBLE_EQ(double(0.5_st), std::exp2(1.0 / 24.0));
    EXPECT_DOUBLE_EQ(FrequencyRatio(2.0).inSemitones(), 12.0);
    EXPECT_DOUBLE_EQ(FrequencyRatio(2.0).inCents(), 1200.0);
    EXPECT_DOUBLE_EQ(FrequencyRatio(4.0).inOctaves(), 2.0);
    EXPECT_DOUBLE_EQ(double(FrequencyRatio::fromOctaves(-1.0)), 0.5);
    EXPECT_TRUE(FrequencyRatio(1.5) < FrequencyRatio(2.0) && FrequencyRatio(2.0) == 1200_ct);

    EXPECT_EQ((440_Hz).inHz(), 440.0);
    EXPECT_EQ((440.5_Hz).inHz(), 440.5);
    EXPECT_DOUBLE_EQ((440_Hz + 12_st).inHz(), 880.0);
    EXPECT_DOUBLE_EQ((440_Hz - 1200_ct).inHz(), 220.0);
    EXPECT_DOUBLE_EQ((880_Hz / 440_Hz).inSemitones(), 12.0);
    EXPECT_DOUBLE_EQ((440_Hz * 2.0).inHz(), 880.0);
    EXPECT_DOUBLE_EQ((440_Hz / 4.0).inHz(), 110.0);
    EXPECT_DOUBLE_EQ(Frequency::fromPeriodInSeconds(0.01).inHz(), 100.0);
    EXPECT_DOUBLE_EQ(Frequency(100.0).getPeriodInSeconds(), 0.01);
    EXPECT_DOUBLE_EQ(Frequency::fromRadiansPerSecond(6.283185307179586).inHz(), 1.0);
    EXPECT_DOUBLE_EQ(Frequency::fromHz(2.0).inRadiansPerSecond(), 2.0 * 6.283185307179586);
    EXPECT_EQ(double(Frequency(3.0)), 3.0);
}

TEST(Pitch, NamesMidiNumbersAndStaffPositions)
{
    struct Case
    {
        const PitchClass& pitchClass;
        int iOctave;
        const char* pcName;
        int iMidi, iStaff;
    };
    const Case aCases[] = {{PitchClass::C, 4, "C4", 60, 28},      {PitchClass::A, 4, "A4", 69, 33},
                           {PitchClass::C, -1, "C-1", 0, -7},      {PitchClass::BSharp, 3, "B#3", 60, 27},
                           {PitchClass::CFlat, 4, "Cb4", 59, 28},  {PitchClass::FSharp, 5, "F#5", 78, 38},
                           {PitchClass::BFlat, -1, "Bb-1", 10, -1}, {PitchClass::CFlat, -1, "Cb-1", -1, -7},
                           {PitchClass::C, 0, "C0", 12, 0}};
    for (const Case& c : aCases)
    {
        const Pitch pitch(c.pitchClass, c.iOctave);
        EXPECT_EQ(pitch.getName(), c.pcName);
        EXPECT_EQ(pitch.getMIDINumber(), c.iMidi) << c.pcName;
        EXPECT_EQ(pitch.getAbsoluteStaffPosition(), c.iStaff) << c.pcName;
    }
    EXPECT_EQ(Pitch(), Pitch(PitchClass::none, 0));
    EXPECT_TRUE(Pitch(PitchClass::BSharp, 3).isEnharmonicEquivalentOf(Pitch(PitchClass::C, 4)));
    EXPECT_NE(Pitch(PitchClass::BSharp, 3), Pitch(PitchClass::C, 4));
    EXPECT_THROW_MESSAGE(Pitch(PitchClass::C, -2), InvalidArgumentException, kOctaveText);
    EXPECT_THROW(Pitch(PitchClass::C, INT_MAX).getMIDINumber(), OutOfRangeException);
    EXPECT_THROW(Pitch(PitchClass::C, INT_MAX).getAbsoluteStaffPosition(), OutOfRangeException);
}

TEST(Pitch, FrequenciesInBothPrecisions)
{
    struct Case
    {
        Pitch pitch;
        double dHz;
    };
    const Case aCases[] = {{Pitch(PitchClass::A, 4), 440.0},
                           {Pitch(PitchClass::C, 4), 261.6255653005986},
                           {Pitch(PitchClass::A, 5), 880.0},
                           {Pitch(PitchClass::A, 3), 220.0},
                           {Pitch(PitchClass::C, -1), 8.175798915643707},
                           {Pitch(PitchClass::GSharp, 4), 415.3046975799451}};
    for (const Case& c : aCases)
    {
        EXPECT_NEAR(c.pitch.getFrequencyInHz(440.f), c.dHz, c.dHz * 1e-6) << c.pitch.getName();
        EXPECT_NEAR(c.pitch.getFrequency(440_Hz).inHz(), c.dHz, c.dHz * 1e-12) << c.pitch.getName();
    }
    EXPECT_EQ(Pitch(PitchClass::A, 4).getFrequencyInHz(440.f), 440.f);
    EXPECT_EQ(Pitch(PitchClass::A, 5).getFrequencyInHz(432.f), 864.f);
    EXPECT_NEAR(Pitch(PitchClass::C, 4).getFrequencyInHz(440.f), 261.6256f, 1e-4f);
}

TEST(Pitch, IntervalArithmeticAcrossOctaves)
{
    struct Case
    {
        Pitch from;
        Interval interval;
        bool bUp;
        Pitch expected;
    };
    const Case aCases[] = {{Pitch(PitchClass::C, 4), Interval::majorThird, true, Pitch(PitchClass::E, 4)},
                           {Pitch(PitchClass::B, 3), Interval::minorSecond, true, Pitch(PitchClass::C, 4)},
                           {Pitch(PitchClass::C, 4), Interval::minorSecond, false, Pitch(PitchClass::B, 3)},
                           {Pitch(PitchClass::G, 4), Interval::octave * -1, true, Pitch(PitchClass::G, 3)},
                           {Pitch(PitchClass::D, -1), Interval::unison, true, Pitch(PitchClass::D, -1)},
                           {Pitch(PitchClass::C, 0), Interval::minorSecond, false, Pitch(PitchClass::B, -1)},
                           {Pitch(PitchClass::A, 4), Interval::majorThirteenth, true, Pitch(PitchClass::FSharp, 6)},
                           {Pitch(PitchClass::BSharp, 3), Interval::minorSecond, true, Pitch(PitchClass::CSharp, 4)}};
    for (const Case& c : aCases)
        EXPECT_EQ(c.bUp ? c.from + c.interval : c.from - c.interval, c.expected) << c.from.getName();

    EXPECT_EQ(Pitch(PitchClass::E, 4) - Pitch(PitchClass::C, 4), Interval::majorThird);
    EXPECT_EQ(Pitch(PitchClass::C, 5) - Pitch(PitchClass::C, 4), Interval::octave);
    EXPECT_EQ(Pitch(PitchClass::B, 4) - Pitch(PitchClass::C, 5), Interval(Number(-2), -1));

    EXPECT_THROW_MESSAGE(Pitch(PitchClass::C, -1) - Interval::minorSecond, InvalidArgumentException, kOctaveText);
    EXPECT_THROW_MESSAGE(Pitch(PitchClass::C, 0) + Interval::octave * -2, InvalidArgumentException, kOctaveText);
    EXPECT_THROW_MESSAGE(Pitch() + Interval::unison, InvalidOperationException, kNoneText);
}

TEST(Pitch, DifferenceInvertsAdditionForEveryNamedInterval)
{
    const Interval* apIntervals[] = {&Interval::unison,          &Interval::minorSecond,     &Interval::majorSecond,
                                     &Interval::minorThird,      &Interval::majorThird,      &Interval::diminishedFourth,
                                     &Interval::perfectFourth,   &Interval::augmentedFourth, &Interval::diminishedFifth,
                                     &Interval::perfectFifth,    &Interval::augmentedFifth,  &Interval::minorSixth,
                                     &Interval::majorSixth,      &Interval::diminishedSeventh, &Interval::minorSeventh,
                                     &Interval::majorSeventh,    &Interval::octave,          &Interval::minorNinth,
                                     &Interval::majorNinth,      &Interval::perfectEleventh, &Interval::augmentedEleventh,
                                     &Interval::minorThirteenth, &Interval::majorThirteenth};
    const Pitch aPitches[] = {Pitch(PitchClass::C, -1), Pitch(PitchClass::FSharp, 3), Pitch(PitchClass::BFlat, 4),
                              Pitch(PitchClass::EDoubleFlat, 2), Pitch(PitchClass::B, 7)};
    for (const Pitch& pitch : aPitches)
        for (const Interval* pInterval : apIntervals)
        {
            EXPECT_EQ((pitch + *pInterval) - pitch, *pInterval) << pitch.getName();
            EXPECT_EQ(pitch - ((pitch + *pInterval) - *pInterval), Interval::unison) << pitch.getName();
        }
}
