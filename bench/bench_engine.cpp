// Realtime factor of one engine instance on one thread: 60 s of 44.1 kHz stereo
// music-like signal (cadences of harmonic tones plus a little noise), decoding excluded.
// Arguments: block size in frames, vector table (0 portable, 10 accelerated where the
// processor has it).

#include "KeyraIf.h"
#include "SynthesizedMusic.h"
#include "vtrVecLib.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace
{
constexpr float kSampleRate = 44100.f;
constexpr int kSeconds = 60;

const std::vector<std::vector<float>>& stereoMusic()
{
    static const std::vector<std::vector<float>> channels = [] {
        synth::Cadence cadence{9, false, kSampleRate};
        cadence.fSecondsPerChord = 2.5f;
        cadence.iRepeats = 6; // 4 chords x 2.5 s x 6 = 60 s
        std::vector<float> mono = synth::render(cadence);
        mono.resize(static_cast<size_t>(kSeconds * kSampleRate));
        std::mt19937 rng(7);
        std::normal_distribution<float> noise(0.f, 0.003f);
        std::vector<std::vector<float>> stereo(2, mono);
        for (auto& ch : stereo)
            for (float& x : ch)
                x += noise(rng);
        return stereo;
    }();
    return channels;
}

void BM_EngineRealtime(benchmark::State& state)
{
    const int iBlock = static_cast<int>(state.range(0));
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(static_cast<int>(state.range(1)));
    if (vtrVecLibGetCPUType() != state.range(1))
    {
        state.SkipWithError("table not available on this processor");
        return;
    }
    const auto& music = stereoMusic();
    const size_t iFrames = music[0].size();
    for (auto _ : state)
    {
        KeyraIf* pEngine = nullptr;
        KeyraIf::createInstance(pEngine, kSampleRate, 2);
        for (size_t pos = 0; pos < iFrames; pos += static_cast<size_t>(iBlock))
        {
            const int n = static_cast<int>(std::min(static_cast<size_t>(iBlock), iFrames - pos));
            const float* channels[] = {music[0].data() + pos, music[1].data() + pos};
            pEngine->process(channels, n);
        }
        benchmark::DoNotOptimize(pEngine->computeResult(KeyraIf::general));
        benchmark::DoNotOptimize(pEngine->computeResult(KeyraIf::electronic));
        KeyraIf::destroyInstance(pEngine);
    }
    // Audio seconds analysed per second of CPU time.
    state.counters["realtime"] =
        benchmark::Counter(static_cast<double>(kSeconds) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
}
}

BENCHMARK(BM_EngineRealtime)->ArgsProduct({{1024, 16384}, {0, 10}})->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();
