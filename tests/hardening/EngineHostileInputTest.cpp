// The engine on input a recording should never contain but a file or a plug-in host can
// deliver: whatever arrives, the result is a valid ranking and the engine keeps working.
#include "KeyraIf.h"
#include "SynthesizedMusic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace
{
const float kNaN = std::numeric_limits<float>::quiet_NaN();
const float kInf = std::numeric_limits<float>::infinity();
const float kDenormal = std::numeric_limits<float>::denorm_min();

struct Destroy
{
    void operator()(KeyraIf* p) const { KeyraIf::destroyInstance(p); }
};
using Engine = std::unique_ptr<KeyraIf, Destroy>;

Engine makeEngine(float fRate, int iChannels)
{
    KeyraIf* p = nullptr;
    EXPECT_EQ(KeyraIf::createInstance(p, fRate, iChannels), KeyraIf::noError) << fRate << " Hz";
    return Engine(p);
}

/// Pushes the mono signal into every channel, in blocks of iBlock frames.
void push(KeyraIf& engine, const std::vector<float>& mono, int iChannels, int iBlock)
{
    const std::vector<const float*> unused;
    for (size_t pos = 0; pos < mono.size(); pos += static_cast<size_t>(iBlock))
    {
        const int iFrames = static_cast<int>(std::min(mono.size() - pos, static_cast<size_t>(iBlock)));
        const std::vector<const float*> channels(static_cast<size_t>(iChannels), mono.data() + pos);
        ASSERT_EQ(engine.process(channels.data(), iFrames), KeyraIf::noError);
    }
}

/// 24 distinct keys, finite probabilities in 0..1 that sum to 1, most probable first.
void expectValidResult(const KeyraResultIf& result, const std::string& what)
{
    EXPECT_TRUE(std::isfinite(result.getTuningFrequencyInHz())) << what;
    EXPECT_GT(result.getTuningFrequencyInHz(), 0.f) << what;
    const auto keys = result.getAllKeyResults();
    ASSERT_EQ(keys.size(), 24u) << what;
    std::set<std::string> names;
    double dSum = 0.0;
    for (size_t i = 0; i < keys.size(); ++i)
    {
        const float p = keys[i].getProbability();
        EXPECT_TRUE(p >= 0.f && p <= 1.f) << what << ": " << p;
        if (i > 0)
        {
            EXPECT_LE(p, keys[i - 1].getProbability()) << what;
        }
        dSum += p;
        names.insert(keys[i].getKey().getName());
    }
    EXPECT_EQ(names.size(), 24u) << what;
    EXPECT_NEAR(dSum, 1.0, 1e-4) << what;
}

bool isSilenceResult(const KeyraResultIf& result)
{
    if (result.getTuningFrequencyInHz() != 440.f)
        return false;
    for (const auto& key : result.getAllKeyResults())
    {
        const bool bMinor = key.getKey().getType() == KeyraResultIf::Key::minor;
        if (std::fabs(key.getProbability() - (bMinor ? 1.f / 12.f : 0.f)) > 1e-4f)
            return false;
    }
    return true;
}

std::vector<float> filled(size_t iFrames, const std::function<float(size_t)>& sample)
{
    std::vector<float> v(iFrames);
    for (size_t i = 0; i < iFrames; ++i)
        v[i] = sample(i);
    return v;
}

std::vector<float> square(size_t iFrames, float fHz, float fRate, float fLevel)
{
    return filled(iFrames, [=](size_t i) {
        return std::fmod(static_cast<double>(i) * fHz / fRate, 1.0) < 0.5 ? fLevel : -fLevel;
    });
}

std::vector<float> shortCadence(int iTonic, bool bMajor, float fRate, float fSecondsPerChord = 0.75f)
{
    synth::Cadence c{iTonic, bMajor, fRate};
    c.fSecondsPerChord = fSecondsPerChord;
    c.iRepeats = 1;
    return synth::render(c);
}
}

// Signals with no usable content: non-finite blocks are skipped like silence, so these give
// the silence result; the others give some valid ranking.
TEST(EngineHostileInput, DegenerateSignalsGiveValidResults)
{
    const size_t n = 5 * 44100;
    struct Case
    {
        const char* pName;
        std::vector<float> signal;
        bool bSilence;
    };
    const Case cases[] = {
        {"positive infinity", std::vector<float>(n, kInf), true},
        {"negative infinity", std::vector<float>(n, -kInf), true},
        {"alternating infinities", filled(n, [](size_t i) { return i % 2 ? kInf : -kInf; }), true},
        {"largest floats (overflow in the downmix)", std::vector<float>(n, std::numeric_limits<float>::max()), true},
        {"smallest denormals", std::vector<float>(n, kDenormal), true},
        {"alternating denormals", filled(n, [](size_t i) { return i % 2 ? kDenormal : -kDenormal; }), true},
        {"digital silence with a negative zero", std::vector<float>(n, -0.f), true},
        {"DC at full scale", std::vector<float>(n, 1.f), false},
        {"DC at negative full scale", std::vector<float>(n, -1.f), false},
        {"full-scale square wave at 440 Hz", square(n, 440.f, 44100.f, 1.f), false},
        {"full-scale square wave at 5 kHz", square(n, 5000.f, 44100.f, 1.f), false},
        {"full-scale square wave at Nyquist", filled(n, [](size_t i) { return i % 2 ? 1.f : -1.f; }), false},
        {"samples far beyond full scale", square(n, 220.f, 44100.f, 1e30f), false},
    };
    for (const Case& c : cases)
    {
        Engine engine = makeEngine(44100.f, 2);
        push(*engine, c.signal, 2, 4096);
        for (KeyraIf::GenreType eGenre : {KeyraIf::general, KeyraIf::electronic})
        {
            const KeyraResultIf result = engine->computeResult(eGenre);
            expectValidResult(result, c.pName);
            if (c.bSilence)
            {
                EXPECT_TRUE(isSilenceResult(result)) << c.pName;
            }
        }
    }
}

// Bad samples among music: denormals and non-finite bursts cost at most their blocks.
TEST(EngineHostileInput, MusicSurvivesBadSamples)
{
    const std::vector<float> music = shortCadence(9, false, 44100.f);
    struct Case
    {
        const char* pName;
        std::function<void(std::vector<float>&)> spoil;
    };
    const Case cases[] = {
        {"denormals between the samples", [](std::vector<float>& v) {
             for (size_t i = 0; i < v.size(); i += 3)
                 v[i] = kDenormal;
         }},
        {"denormals added to every sample", [](std::vector<float>& v) {
             for (float& x : v)
                 x += 8 * kDenormal;
         }},
        {"a second of NaN", [](std::vector<float>& v) {
             std::fill(v.begin() + 44100, v.begin() + 88200, kNaN);
         }},
        {"an infinity in every block", [](std::vector<float>& v) {
             for (size_t i = 100; i < v.size(); i += 20000)
                 v[i] = kInf;
         }},
        {"music at exactly full scale", [](std::vector<float>& v) {
             float fPeak = 0.f;
             for (float x : v)
                 fPeak = std::max(fPeak, std::fabs(x));
             for (float& x : v)
                 x /= fPeak;
         }},
        {"music clipped at full scale", [](std::vector<float>& v) {
             for (float& x : v)
                 x = std::clamp(4.f * x, -1.f, 1.f);
         }},
    };
    for (const Case& c : cases)
    {
        std::vector<float> spoilt = music;
        c.spoil(spoilt);
        Engine engine = makeEngine(44100.f, 1);
        push(*engine, spoilt, 1, 4096);
        const KeyraResultIf result = engine->computeResult(KeyraIf::general);
        expectValidResult(result, c.pName);
        EXPECT_EQ(result.getKeyResult().getKey().getName(), "A:min") << c.pName;
    }
}

// A block too short for any analysis leaves the silence result; the longest block works.
TEST(EngineHostileInput, SingleFrameAndLongestBlocks)
{
    struct Case
    {
        int iFrames;
        int iCalls;
        bool bSilence;
    };
    const std::vector<float> music = shortCadence(4, true, 44100.f);
    for (const Case& c : {Case{1, 1, true}, Case{1, 1000, true}, Case{16384, 8, false}})
    {
        Engine engine = makeEngine(44100.f, 1);
        for (int i = 0; i < c.iCalls; ++i)
        {
            const float* channels[] = {music.data() + static_cast<size_t>(i) * static_cast<size_t>(c.iFrames)};
            ASSERT_EQ(engine->process(channels, c.iFrames), KeyraIf::noError);
        }
        const KeyraResultIf result = engine->computeResult(KeyraIf::general);
        expectValidResult(result, std::to_string(c.iFrames) + " frames");
        EXPECT_EQ(isSilenceResult(result), c.bSilence) << c.iFrames << " frames x " << c.iCalls;
        if (!c.bSilence)
        {
            EXPECT_EQ(result.getKeyResult().getKey().getName(), "E:maj");
        }
    }
}

// The same music in 1 to 64 identical channels ranks as the mono signal does.
TEST(EngineHostileInput, OneToSixtyFourChannels)
{
    const std::vector<float> music = shortCadence(2, true, 22050.f);
    Engine mono = makeEngine(22050.f, 1);
    push(*mono, music, 1, 2048);
    const KeyraResultIf expected = mono->computeResult(KeyraIf::general);
    for (int iChannels : {2, 3, 7, 8, 16, 33, 64})
    {
        Engine engine = makeEngine(22050.f, iChannels);
        push(*engine, music, iChannels, 2048);
        const KeyraResultIf result = engine->computeResult(KeyraIf::general);
        expectValidResult(result, std::to_string(iChannels) + " channels");
        EXPECT_EQ(result.getKeyResult().getKey().getName(), "D:maj") << iChannels;
        EXPECT_NEAR(result.getTuningFrequencyInHz(), expected.getTuningFrequencyInHz(), 0.01f) << iChannels;
        const auto a = result.getAllKeyResults(), b = expected.getAllKeyResults();
        for (size_t i = 0; i < a.size(); ++i)
            EXPECT_NEAR(a[i].getProbability(), b[i].getProbability(), 1e-4f) << iChannels << " channels, rank " << i;
    }
}

// From the lowest to the highest rate accepted: music still ranks its key where the rate
// can carry it, and the extremes give valid results.
TEST(EngineHostileInput, SampleRatesFromTheLowestToTheHighest)
{
    struct Case
    {
        float fRate;
        bool bCarriesMusic;
    };
    for (const Case& c : {Case{100.f, false}, Case{100.5f, false}, Case{1000.f, false}, Case{4000.f, true},
                          Case{192000.f, true}, Case{5000000.f, true}})
    {
        // Half-second chords: at 5 MHz even these are ten million samples.
        const std::vector<float> music = shortCadence(7, true, c.fRate, 0.5f);
        Engine engine = makeEngine(c.fRate, 1);
        push(*engine, music, 1, 16384);
        const KeyraResultIf result = engine->computeResult(KeyraIf::general);
        expectValidResult(result, std::to_string(c.fRate) + " Hz");
        if (c.bCarriesMusic)
        {
            EXPECT_EQ(result.getKeyResult().getKey().getName(), "G:maj") << c.fRate << " Hz";
        }
    }
}

// Rates the existing factory tests leave out: the float neighbours of the limits, the
// denormal and overflowing ends of the float range.
TEST(EngineHostileInput, RatesJustOutsideTheRangeAreRefused)
{
    KeyraIf* const pSentinel = reinterpret_cast<KeyraIf*>(0x1234);
    for (float fRate : {std::nextafter(100.f, 0.f), std::nextafter(5000000.f, 1e7f), kDenormal, -0.f,
                        -std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::signaling_NaN(),
                        std::numeric_limits<float>::max(), std::numeric_limits<float>::lowest()})
    {
        KeyraIf* p = pSentinel;
        EXPECT_EQ(KeyraIf::createInstance(p, fRate, 1), KeyraIf::invalidArgumentError) << fRate;
        EXPECT_EQ(p, pSentinel) << fRate;
    }
    for (float fRate : {std::nextafter(100.f, 1e7f), std::nextafter(5000000.f, 0.f)})
        EXPECT_NE(makeEngine(fRate, 1), nullptr) << fRate;
}

// Refused calls in the middle of a stream change nothing: the stream goes on as if they
// had not been made.
TEST(EngineHostileInput, RefusedBlocksInTheMiddleOfAStream)
{
    const std::vector<float> music = shortCadence(11, false, 44100.f);
    Engine plain = makeEngine(44100.f, 1), interrupted = makeEngine(44100.f, 1);
    push(*plain, music, 1, 4096);
    for (size_t pos = 0; pos < music.size(); pos += 4096)
    {
        const float* channels[] = {music.data() + pos};
        for (int iBad : {16385, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
            ASSERT_EQ(interrupted->process(channels, iBad), KeyraIf::invalidArgumentError);
        ASSERT_EQ(interrupted->process(channels, static_cast<int>(std::min<size_t>(4096, music.size() - pos))),
                  KeyraIf::noError);
    }
    const auto a = interrupted->computeResult(KeyraIf::general).getAllKeyResults();
    const auto b = plain->computeResult(KeyraIf::general).getAllKeyResults();
    for (size_t i = 0; i < a.size(); ++i)
    {
        EXPECT_EQ(a[i].getKey().getName(), b[i].getKey().getName());
        EXPECT_EQ(a[i].getProbability(), b[i].getProbability());
    }
}
