// The engine through its public interface: the input chooses the sample rate, the
// channel count, the blocks and their samples, and when results and resets happen.
#include "FuzzSupport.h"
#include "KeyraIf.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace
{
// The cost is in analysis blocks, that is in seconds of audio: a few seconds give
// several blocks at any rate and keep an input fast.
constexpr int64_t kFrameBudget = 1 << 15;
constexpr double kSecondsBudget = 1.0;
constexpr int kMaxChannels = 64;

float pickSampleRate(FuzzedDataProvider& in)
{
    static const float kRates[] = {100.f, 8000.f, 11025.f, 22050.f, 44100.f, 48000.f, 96000.f, 192000.f,
                                   5000000.f, 99.99999f, 5000000.5f, 0.f, -44100.f, 1.f};
    constexpr size_t kCount = sizeof kRates / sizeof kRates[0];
    if (in.ConsumeBool())
        return kRates[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    return fuzz::hostileFloat(in);
}

int pickFrames(FuzzedDataProvider& in)
{
    static const int kFrames[] = {0, 1, 2, 16383, 16384, 16385, -1, -16384, 1 << 20,
                                  std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
    constexpr size_t kCount = sizeof kFrames / sizeof kFrames[0];
    if (in.ConsumeBool())
        return kFrames[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    return in.ConsumeIntegralInRange<int>(0, 16384);
}

/// A short pattern repeated over the block, scaled per channel: enough variety for
/// every sample class without spending input bytes on each sample.
void fillBlock(FuzzedDataProvider& in, std::vector<std::vector<float>>& channels, int iFrames)
{
    std::vector<float> pattern(in.ConsumeIntegralInRange<size_t>(1, 64));
    for (float& f : pattern)
        f = in.ConsumeBool() ? fuzz::hostileFloat(in) : static_cast<float>(in.ConsumeIntegral<int16_t>()) / 32768.f;
    for (size_t c = 0; c < channels.size(); ++c)
    {
        const float fGain = c == 0 ? 1.f : fuzz::hostileFloat(in);
        auto& channel = channels[c];
        channel.resize(static_cast<size_t>(iFrames));
        for (int i = 0; i < iFrames; ++i)
            channel[static_cast<size_t>(i)] = pattern[static_cast<size_t>(i) % pattern.size()] * fGain;
    }
}

void checkResult(const KeyraResultIf& result)
{
    fuzz::check(std::isfinite(result.getTuningFrequencyInHz()) && result.getTuningFrequencyInHz() > 0.f,
                "tuning frequency is a positive number");
    const std::vector<KeyraResultIf::KeyResult> keys = result.getAllKeyResults();
    fuzz::check(keys.size() == 24, "24 ranked keys");
    std::set<std::string> names;
    double dSum = 0.0;
    float fPrevious = std::numeric_limits<float>::infinity();
    for (const auto& key : keys)
    {
        const float p = key.getProbability();
        fuzz::check(p >= 0.f && p <= 1.f, "probability within 0..1");
        fuzz::check(p <= fPrevious, "ranked most probable first");
        fPrevious = p;
        dSum += p;
        names.insert(key.getKey().getName());
    }
    fuzz::check(names.size() == 24, "every key once");
    fuzz::check(std::fabs(dSum - 1.0) < 1e-3, "probabilities sum to 1");
    fuzz::check(result.getKeyResult().getKey().getName() == keys.front().getKey().getName(),
                "the best key is the first");
}

struct Destroy
{
    void operator()(KeyraIf* p) const { KeyraIf::destroyInstance(p); }
};
using EnginePtr = std::unique_ptr<KeyraIf, Destroy>;

/// Engines already made, by rate and channel count. Making one costs more than most
/// inputs spend processing, and a reset engine must behave as a new one, so reusing
/// them after a reset multiplies the executions and puts reset itself under test.
class EngineCache
{
public:
    KeyraIf* find(float fRate, int iChannels)
    {
        for (auto& entry : m_entries)
            if (entry.fRate == fRate && entry.iChannels == iChannels)
                return entry.engine.get();
        return nullptr;
    }

    KeyraIf* keep(float fRate, int iChannels, EnginePtr engine)
    {
        if (m_entries.size() == kCapacity)
            m_entries.erase(m_entries.begin());
        m_entries.push_back({fRate, iChannels, std::move(engine)});
        return m_entries.back().engine.get();
    }

private:
    static constexpr size_t kCapacity = 32;
    struct Entry
    {
        float fRate;
        int iChannels;
        EnginePtr engine;
    };
    std::vector<Entry> m_entries;
};

KeyraIf* makeEngine(float fRate, int iChannels)
{
    KeyraIf* const pSentinel = reinterpret_cast<KeyraIf*>(static_cast<uintptr_t>(0x5eed));
    KeyraIf* p = pSentinel;
    const int32_t iError = KeyraIf::createInstance(p, fRate, iChannels);
    const bool bValid = fRate >= 100.f && fRate <= 5000000.f && iChannels >= 1;
    if (!bValid)
    {
        fuzz::check(iError == KeyraIf::invalidArgumentError && p == pSentinel, "bad arguments are refused");
        return nullptr;
    }
    fuzz::check(iError == KeyraIf::noError && p != pSentinel && p != nullptr, "good arguments make an engine");
    fuzz::check(p->getMaximumNumberOfInputFrames() == 16384, "block limit");
    return p;
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    FuzzedDataProvider in(pData, iSize);
    const float fRate = pickSampleRate(in);
    const int iChannels = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-2, kMaxChannels)
                                           : in.ConsumeIntegralInRange<int>(1, 2);

    static EngineCache cache;
    KeyraIf* engine = cache.find(fRate, iChannels);
    if (engine != nullptr)
        engine->reset();
    else if (KeyraIf* pNew = makeEngine(fRate, iChannels))
        engine = cache.keep(fRate, iChannels, EnginePtr(pNew));
    else
        return 0;

    std::vector<std::vector<float>> channels(static_cast<size_t>(iChannels));
    std::vector<const float*> pointers(static_cast<size_t>(iChannels));
    int64_t iFramesLeft = std::min<int64_t>(kFrameBudget / iChannels, static_cast<int64_t>(kSecondsBudget * fRate));
    for (int iOp = 0; iOp < 64 && in.remaining_bytes() > 0; ++iOp)
    {
        switch (in.ConsumeIntegralInRange<int>(0, 7))
        {
        case 5:
        {
            const int iGenre = in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(0, 1) : fuzz::hostileInt(in);
            if (iGenre == 0 || iGenre == 1)
            {
                checkResult(engine->computeResult(static_cast<KeyraIf::GenreType>(iGenre)));
                break;
            }
            try
            {
                engine->computeResult(static_cast<KeyraIf::GenreType>(iGenre));
                fuzz::fail("an unknown genre throws");
            }
            catch (const std::invalid_argument&)
            {
            }
            break;
        }
        case 6:
            engine->reset();
            break;
        default:
        {
            const int iFrames = pickFrames(in);
            const bool bAccepted = iFrames >= 0 && iFrames <= 16384;
            if (bAccepted && iFrames > iFramesLeft)
                break;
            // A refused block gets null channels: reading them would be a finding.
            if (bAccepted)
            {
                fillBlock(in, channels, iFrames);
                iFramesLeft -= iFrames;
            }
            for (size_t c = 0; c < channels.size(); ++c)
                pointers[c] = bAccepted ? channels[c].data() : nullptr;
            const int32_t iResult = engine->process(pointers.data(), iFrames);
            fuzz::check(iResult == (bAccepted ? KeyraIf::noError : KeyraIf::invalidArgumentError),
                        "process accepts exactly 0..16384 frames");
        }
        }
    }
    checkResult(engine->computeResult(KeyraIf::general));
    return 0;
}
