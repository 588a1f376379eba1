#include "KeyraIf.h"
#include "SynthesizedMusic.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <cctype>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
const char* const kNames[] = {"C", "Db", "D", "Eb", "E", "F", "Gb", "G", "Ab", "A", "Bb", "B"};

std::string keyName(int iTonic, bool bMajor)
{
    return std::string(kNames[iTonic]) + (bMajor ? ":maj" : ":min");
}

struct EngineDeleter
{
    void operator()(KeyraIf* p) const { KeyraIf::destroyInstance(p); }
};
using Engine = std::unique_ptr<KeyraIf, EngineDeleter>;

Engine makeEngine(float fSampleRate, int iChannels)
{
    KeyraIf* p = nullptr;
    EXPECT_EQ(KeyraIf::createInstance(p, fSampleRate, iChannels), KeyraIf::noError);
    return Engine(p);
}

/// Pushes the mono signal into every channel (scaled per channel, so the mean is
/// the signal itself), in blocks of iBlock frames.
void push(KeyraIf& engine, const std::vector<float>& mono, int iChannels, int iBlock)
{
    std::vector<std::vector<float>> channels(static_cast<size_t>(iChannels));
    std::vector<const float*> pointers(static_cast<size_t>(iChannels));
    for (size_t pos = 0; pos < mono.size(); pos += static_cast<size_t>(iBlock))
    {
        const int iFrames = static_cast<int>(std::min(mono.size() - pos, static_cast<size_t>(iBlock)));
        for (int c = 0; c < iChannels; ++c)
        {
            // Channel weights 2c+1 normalised to a mean of 1.
            const float fWeight = static_cast<float>(2 * c + 1) / static_cast<float>(iChannels);
            auto& ch = channels[static_cast<size_t>(c)];
            ch.assign(mono.begin() + static_cast<long>(pos), mono.begin() + static_cast<long>(pos) + iFrames);
            for (float& x : ch)
                x *= fWeight;
            pointers[static_cast<size_t>(c)] = ch.data();
        }
        ASSERT_EQ(engine.process(pointers.data(), iFrames), KeyraIf::noError);
    }
}

void expectSameResult(const KeyraResultIf& a, const KeyraResultIf& b, float fTolerance)
{
    EXPECT_NEAR(a.getTuningFrequencyInHz(), b.getTuningFrequencyInHz(), fTolerance * 100.f);
    const auto ra = a.getAllKeyResults(), rb = b.getAllKeyResults();
    ASSERT_EQ(ra.size(), rb.size());
    for (size_t i = 0; i < ra.size(); ++i)
    {
        if (fTolerance == 0.f)
        {
            EXPECT_EQ(ra[i].getKey().getName(), rb[i].getKey().getName());
        }
        EXPECT_NEAR(ra[i].getProbability(), rb[i].getProbability(), fTolerance);
    }
}

void expectSilenceResult(const KeyraResultIf& result)
{
    EXPECT_EQ(result.getTuningFrequencyInHz(), 440.f);
    for (const auto& keyResult : result.getAllKeyResults())
    {
        const bool bMinor = keyResult.getKey().getType() == KeyraResultIf::Key::minor;
        EXPECT_NEAR(keyResult.getProbability(), bMinor ? 1.f / 12.f : 0.f, 1e-4f);
    }
}
}

TEST(KeyraFactory, RejectsBadArgumentsAndLeavesPointer)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const float kInf = std::numeric_limits<float>::infinity();
    struct Case { float fRate; int iChannels; };
    const Case cases[] = {{44100.f, 0}, {44100.f, -1}, {0.f, 2},     {-44100.f, 2}, {kNaN, 2},
                          {kInf, 2},    {-kInf, 1},    {99.f, 1},    {5000001.f, 1}};
    KeyraIf* const pSentinel = reinterpret_cast<KeyraIf*>(0x1234);
    for (const Case& c : cases)
    {
        KeyraIf* p = pSentinel;
        EXPECT_EQ(KeyraIf::createInstance(p, c.fRate, c.iChannels), KeyraIf::invalidArgumentError)
            << c.fRate << " Hz, " << c.iChannels << " channels";
        EXPECT_EQ(p, pSentinel);
    }
    for (float fRate : {100.f, 8000.f, 5000000.f})
        EXPECT_NE(makeEngine(fRate, 1), nullptr) << fRate;
}

TEST(KeyraFactory, DestroyNullsThePointer)
{
    KeyraIf* p = nullptr;
    KeyraIf::destroyInstance(p);
    EXPECT_EQ(p, nullptr);
    ASSERT_EQ(KeyraIf::createInstance(p, 44100.f, 2), KeyraIf::noError);
    EXPECT_EQ(p->getMaximumNumberOfInputFrames(), 16384);
    KeyraIf::destroyInstance(p);
    EXPECT_EQ(p, nullptr);
}

TEST(KeyraFactory, VersionAndBuildDate)
{
    EXPECT_STREQ(KeyraIf::getVersion(), "3.1.6+9b9803a");
    const std::string date = KeyraIf::getBuildDate();
    EXPECT_EQ(date.size(), 11u);
    const std::string months = "JanFebMarAprMayJunJulAugSepOctNovDec";
    EXPECT_EQ(months.find(date.substr(0, 3)) % 3, 0u) << date;
    EXPECT_NE(months.find(date.substr(0, 3)), std::string::npos) << date;
    EXPECT_EQ(date[3], ' ');
    EXPECT_TRUE(date[4] == ' ' || (date[4] >= '1' && date[4] <= '3')) << date;
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(date[5]))) << date;
    EXPECT_EQ(date[6], ' ');
    for (int i = 7; i < 11; ++i)
        EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(date[static_cast<size_t>(i)]))) << date;
}

TEST(KeyraProcess, FrameLimitsLeaveStateUnchanged)
{
    Engine engine = makeEngine(44100.f, 1);
    const std::vector<float> music = synth::render({9, false, 44100.f});
    push(*engine, music, 1, 4096);
    const KeyraResultIf before = engine->computeResult(KeyraIf::general);

    std::vector<float> block(16385, 0.5f);
    const float* channels[] = {block.data()};
    EXPECT_EQ(engine->process(channels, 16385), KeyraIf::invalidArgumentError);
    EXPECT_EQ(engine->process(channels, -1), KeyraIf::invalidArgumentError);
    EXPECT_EQ(engine->process(channels, 0), KeyraIf::noError);
    expectSameResult(engine->computeResult(KeyraIf::general), before, 0.f);
    EXPECT_EQ(engine->process(channels, 16384), KeyraIf::noError);
}

TEST(KeyraProcess, EmptyFirstBlockDoesNotSkewTheAnalysis)
{
    const std::vector<float> music = synth::render({2, true, 44100.f});
    Engine plain = makeEngine(44100.f, 1), startsEmpty = makeEngine(44100.f, 1);
    const float* none[] = {music.data()};
    EXPECT_EQ(startsEmpty->process(none, 0), KeyraIf::noError);
    push(*plain, music, 1, 1024);
    push(*startsEmpty, music, 1, 1024);
    expectSameResult(startsEmpty->computeResult(KeyraIf::general), plain->computeResult(KeyraIf::general), 0.f);
}

TEST(KeyraProcess, NoInputAndCancellingChannelsGiveTheSilenceResult)
{
    Engine engine = makeEngine(48000.f, 2);
    expectSilenceResult(engine->computeResult(KeyraIf::general));
    expectSilenceResult(engine->computeResult(KeyraIf::electronic));

    const std::vector<float> x = synth::render({4, true, 48000.f});
    std::vector<float> minusX(x);
    for (float& v : minusX)
        v = -v;
    for (size_t pos = 0; pos + 1024 <= x.size(); pos += 1024)
    {
        const float* channels[] = {x.data() + pos, minusX.data() + pos};
        ASSERT_EQ(engine->process(channels, 1024), KeyraIf::noError);
    }
    expectSilenceResult(engine->computeResult(KeyraIf::general));
}

TEST(KeyraProcess, IdenticalChannelsEqualMono)
{
    const std::vector<float> x = synth::render({7, false, 22050.f});
    Engine mono = makeEngine(22050.f, 1), stereo = makeEngine(22050.f, 2);
    for (size_t pos = 0; pos + 2000 <= x.size(); pos += 2000)
    {
        const float* one[] = {x.data() + pos};
        const float* two[] = {x.data() + pos, x.data() + pos};
        ASSERT_EQ(mono->process(one, 2000), KeyraIf::noError);
        ASSERT_EQ(stereo->process(two, 2000), KeyraIf::noError);
    }
    expectSameResult(stereo->computeResult(KeyraIf::general), mono->computeResult(KeyraIf::general), 0.f);
}

TEST(KeyraResult, ProfilesShareTheTuningAndResultsAreRepeatable)
{
    Engine engine = makeEngine(44100.f, 2);
    push(*engine, synth::render({0, true, 44100.f}), 2, 1024);
    const KeyraResultIf general = engine->computeResult(KeyraIf::general);
    const KeyraResultIf electronic = engine->computeResult(KeyraIf::electronic);
    EXPECT_EQ(general.getTuningFrequencyInHz(), electronic.getTuningFrequencyInHz());
    expectSameResult(engine->computeResult(KeyraIf::general), general, 0.f);
    EXPECT_THROW(engine->computeResult(static_cast<KeyraIf::GenreType>(2)), std::invalid_argument);
}

TEST(KeyraResult, OutlivesTheEngine)
{
    KeyraIf* p = nullptr;
    ASSERT_EQ(KeyraIf::createInstance(p, 44100.f, 1), KeyraIf::noError);
    push(*p, synth::render({5, true, 44100.f}), 1, 8192);
    const KeyraResultIf result = p->computeResult(KeyraIf::general);
    KeyraIf::destroyInstance(p);
    EXPECT_EQ(result.getKeyResult().getKey().getName(), "F:maj");
    EXPECT_EQ(result.getAllKeyResults().size(), 24u);
}

TEST(KeyraReset, IsIdempotentAndStartsANewRecording)
{
    Engine engine = makeEngine(44100.f, 1);
    engine->reset();
    engine->reset();
    expectSilenceResult(engine->computeResult(KeyraIf::general));

    push(*engine, synth::render({11, false, 44100.f}), 1, 4096);
    EXPECT_EQ(engine->computeResult(KeyraIf::general).getKeyResult().getKey().getName(), "B:min");
    engine->reset();
    expectSilenceResult(engine->computeResult(KeyraIf::general));
    push(*engine, synth::render({3, true, 44100.f}), 1, 4096);
    EXPECT_EQ(engine->computeResult(KeyraIf::general).getKeyResult().getKey().getName(), "Eb:maj");
}

TEST(KeyraRecognition, CadencesRankTheirKeyFirst)
{
    struct Case { int iTonic; bool bMajor; float fRate; int iChannels; };
    const Case cases[] = {
        {0, true, 44100.f, 2},  {9, false, 44100.f, 2}, {7, true, 48000.f, 1}, {4, false, 8000.f, 1},
        {2, true, 96000.f, 6},  {5, false, 22050.f, 3}, {10, true, 11025.f, 4}, {1, false, 32000.f, 2},
        {6, true, 16000.f, 5},  {8, false, 88200.f, 2},
    };
    for (const Case& c : cases)
    {
        Engine engine = makeEngine(c.fRate, c.iChannels);
        push(*engine, synth::render({c.iTonic, c.bMajor, c.fRate}), c.iChannels, 1024);
        for (KeyraIf::GenreType eGenre : {KeyraIf::general, KeyraIf::electronic})
        {
            const KeyraResultIf result = engine->computeResult(eGenre);
            EXPECT_EQ(result.getKeyResult().getKey().getName(), keyName(c.iTonic, c.bMajor))
                << c.fRate << " Hz, " << c.iChannels << " channels, genre " << eGenre;
            EXPECT_NEAR(result.getTuningFrequencyInHz(), 440.f, 440.f * (std::pow(2.f, 6.f / 1200.f) - 1.f));
        }
    }
}

TEST(KeyraTuning, DetunedRecordingsWithinSixCents)
{
    for (float fCents : {30.f, -30.f, 12.f})
    {
        const float fTrueA4 = 440.f * std::pow(2.f, fCents / 1200.f);
        synth::Cadence cadence{9, false, 44100.f};
        cadence.fTuningA4 = fTrueA4;
        Engine engine = makeEngine(44100.f, 2);
        push(*engine, synth::render(cadence), 2, 1024);
        const KeyraResultIf result = engine->computeResult(KeyraIf::general);
        const float fErrorCents = 1200.f * std::log2(result.getTuningFrequencyInHz() / fTrueA4);
        EXPECT_LT(std::fabs(fErrorCents), 6.f) << fCents << " cents: " << result.getTuningFrequencyInHz() << " Hz";
        EXPECT_EQ(result.getKeyResult().getKey().getName(), "A:min") << fCents;
    }
}

TEST(KeyraProcess, ResultDoesNotDependOnBlockSplitting)
{
    const std::vector<float> music = synth::render({8, true, 44100.f});
    Engine reference = makeEngine(44100.f, 1);
    push(*reference, music, 1, 16384);
    const KeyraResultIf expected = reference->computeResult(KeyraIf::general);
    for (int iBlock : {1, 477, 1024, 16383})
    {
        Engine engine = makeEngine(44100.f, 1);
        push(*engine, music, 1, iBlock);
        expectSameResult(engine->computeResult(KeyraIf::general), expected, 1e-5f);
    }
}

TEST(KeyraProcess, NonFiniteSamplesNeitherCrashNorPoison)
{
    std::vector<float> music = synth::render({9, false, 44100.f});
    const float kBad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity()};
    for (size_t i = 0; i < 3; ++i)
        music[20000 + i * 30000] = kBad[i];
    Engine engine = makeEngine(44100.f, 2);
    push(*engine, music, 2, 1024);
    for (KeyraIf::GenreType eGenre : {KeyraIf::general, KeyraIf::electronic})
    {
        const KeyraResultIf result = engine->computeResult(eGenre);
        EXPECT_TRUE(std::isfinite(result.getTuningFrequencyInHz()));
        EXPECT_EQ(result.getKeyResult().getKey().getName(), "A:min");
        for (const auto& keyResult : result.getAllKeyResults())
            EXPECT_FALSE(std::isnan(keyResult.getProbability()));
    }

    // All-NaN input is skipped like silence.
    std::vector<float> nan(16384, std::numeric_limits<float>::quiet_NaN());
    Engine nanEngine = makeEngine(44100.f, 1);
    const float* channels[] = {nan.data()};
    for (int i = 0; i < 4; ++i)
        ASSERT_EQ(nanEngine->process(channels, 16384), KeyraIf::noError);
    expectSilenceResult(nanEngine->computeResult(KeyraIf::general));
}
