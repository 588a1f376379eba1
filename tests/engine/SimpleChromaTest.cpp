#include "SimpleChroma.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <stdexcept>

namespace
{
// The pitch grid: bin i at 25.956539 * 2^(i/36) Hz.
Vector<float> pitchGrid()
{
    Vector<float> frequencies(256);
    for (int i = 0; i < 256; ++i)
        frequencies[i] = 25.956539f * std::pow(2.f, static_cast<float>(i) / 36.f);
    return frequencies;
}

const float kSharpTuning = 440.f * std::pow(2.f, 1.f / 36.f);
}

TEST(SimpleChroma, FoldsTheGridIntoPitchClasses)
{
    const Vector<float> grid = pitchGrid();
    const SimpleChroma at440(grid, 440.f);
    EXPECT_EQ(at440.getNumberOfBins(), 256);
    EXPECT_EQ(at440.getChromaIndexOfBin(0), 8);
    EXPECT_EQ(at440.getChromaIndexOfBin(1), 8);
    EXPECT_EQ(at440.getChromaIndexOfBin(2), 9);
    EXPECT_EQ(at440.getChromaIndexOfBin(147), 9);
    // Bins 3k - 1, 3k, 3k + 1 belong to MIDI note 20 + k.
    for (int k = 1; k < 85; ++k)
        for (int i = 3 * k - 1; i <= 3 * k + 1; ++i)
            EXPECT_EQ(at440.getChromaIndexOfBin(i), (20 + k) % 12) << i;

    const SimpleChroma sharp(grid, kSharpTuning);
    EXPECT_EQ(sharp.getChromaIndexOfBin(2), 8);
    for (int k = 1; k < 85; ++k)
        for (int i = 3 * k; i <= 3 * k + 2; ++i)
            EXPECT_EQ(sharp.getChromaIndexOfBin(i), (20 + k) % 12) << i;
}

TEST(SimpleChroma, ProcessSumsBinsPerPitchClass)
{
    const Vector<float> grid = pitchGrid();
    SimpleChroma chroma(grid, 440.f);
    Vector<float> spectrum(256);
    spectrum[146] = 1.f; // A
    spectrum[147] = 2.f; // A
    spectrum[150] = 4.f; // A#
    spectrum[111] = 8.f; // A, an octave lower
    EXPECT_EQ(chroma.process(spectrum), 0);
    Vector<float> result(5);
    EXPECT_EQ(chroma.getResult(result), 0);
    ASSERT_EQ(result.size(), 12);
    EXPECT_EQ(result[9], 11.f);
    EXPECT_EQ(result[10], 4.f);
    EXPECT_EQ(result.getSum(), 15.f);

    // Each call starts from zero.
    spectrum.clear();
    chroma.process(spectrum);
    chroma.getResult(result);
    for (int c = 0; c < 12; ++c)
        EXPECT_EQ(result[c], 0.f) << c;
}

TEST(SimpleChroma, ChromaPositions)
{
    const SimpleChroma chroma;
    EXPECT_NEAR(chroma.freq2ChromaIndex(440.f, 440.f), 9.f, 1e-4f);
    EXPECT_NEAR(chroma.freq2ChromaIndex(261.6256f, 440.f), 0.f, 1e-4f);
    EXPECT_NEAR(chroma.midiPitch2ChromaIndex(71.6f), -0.4f, 1e-4f);
    EXPECT_NEAR(chroma.freq2MidiPitch(880.f, 440.f), 81.f, 1e-4f);
    // Below MIDI 0 the position still lies in [-0.5, 11.5).
    EXPECT_NEAR(chroma.midiPitch2ChromaIndex(-3.f), 9.f, 1e-4f);
    EXPECT_NEAR(chroma.midiPitch2ChromaIndex(-0.4f), -0.4f, 1e-4f);
}

TEST(SimpleChroma, BinsBelowMidiZeroFoldLikeAnyOther)
{
    // 440 / 2^6 = 6.875 Hz is MIDI -3 (an A), 440 / 2^(70/12) is MIDI -1 (a B); the
    // last lies so close below MIDI -0.5 that a naive wrap can round up to 12.
    Vector<float> frequencies(4);
    frequencies[0] = 440.f / 64.f;
    frequencies[1] = 440.f * std::pow(2.f, -70.f / 12.f);
    frequencies[2] = 1e-30f;
    frequencies[3] = 440.f * std::pow(2.f, -69.5f / 12.f) * 0.9999999f;
    const SimpleChroma chroma(frequencies, 440.f);
    EXPECT_EQ(chroma.getChromaIndexOfBin(0), 9);
    EXPECT_EQ(chroma.getChromaIndexOfBin(1), 11);
    // A ratio beyond the float range has no pitch; it still lands in range.
    Vector<float> extreme(1);
    extreme[0] = std::numeric_limits<float>::max();
    const SimpleChroma overflow(extreme, 1e-30f);
    EXPECT_EQ(overflow.getChromaIndexOfBin(0), 0);
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_GE(chroma.getChromaIndexOfBin(i), 0) << i;
        EXPECT_LT(chroma.getChromaIndexOfBin(i), 12) << i;
    }
}

TEST(SimpleChroma, InvalidFrequenciesThrowAndChangeNothing)
{
    SimpleChroma chroma(pitchGrid(), 440.f);
    const float fNaN = std::numeric_limits<float>::quiet_NaN();
    for (float fTuning : {0.f, -440.f, fNaN, std::numeric_limits<float>::infinity()})
    {
        try
        {
            chroma.init(pitchGrid(), fTuning);
            ADD_FAILURE() << fTuning;
        }
        catch (const std::invalid_argument& e)
        {
            EXPECT_STREQ(e.what(), "fTuningFrequency");
        }
    }
    for (float fBin : {0.f, -1.f, fNaN})
    {
        Vector<float> grid = pitchGrid();
        grid[7] = fBin;
        EXPECT_THROW(chroma.init(grid, 440.f), std::invalid_argument) << fBin;
    }
    EXPECT_EQ(chroma.getNumberOfBins(), 256);
    EXPECT_EQ(chroma.getChromaIndexOfBin(147), 9);
}

TEST(SimpleChroma, ShortSpectrumIsRefusedAndEmptyObjectGivesZeros)
{
    SimpleChroma chroma(pitchGrid(), 440.f);
    Vector<float> shortSpectrum(255);
    shortSpectrum[0] = 1.f;
    EXPECT_EQ(chroma.process(shortSpectrum), 3);
    Vector<float> result;
    chroma.getResult(result);
    ASSERT_EQ(result.size(), 12);
    EXPECT_EQ(result.getSum(), 0.f);

    SimpleChroma empty;
    EXPECT_EQ(empty.process(shortSpectrum), 0);
    empty.getResult(result);
    ASSERT_EQ(result.size(), 12);
    EXPECT_EQ(result.getSum(), 0.f);
}
