#include "CBuffSrc.h"
#include "ResampleInterface.h"
#include "vtrVecLib.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

namespace
{
constexpr int kFrames = 16384;

std::vector<float> testSignal(float fRate)
{
    std::vector<float> v(kFrames);
    for (int i = 0; i < kFrames; ++i)
        v[static_cast<size_t>(i)] = 0.5f * std::sin(2.f * 3.1415927f * 440.f * static_cast<float>(i) / fRate)
                                    + 0.1f * std::sin(0.37f * static_cast<float>(i));
    return v;
}

// Mono conversion to the analysis rate in engine-sized calls. "realtime" is audio seconds
// converted per second of CPU time.
void BM_ResampleToAnalysisRate(benchmark::State& state)
{
    const float fIn = static_cast<float>(state.range(0));
    // Second argument: the table, 0 portable or 10 accelerated.
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(static_cast<int>(state.range(1)));
    void* pInstance = nullptr;
    ResampleCreateInstance(&pInstance, 6, kFrames, 1, 0, 0);
    const std::vector<float> in = testSignal(fIn);
    std::vector<float> out(static_cast<size_t>(kFrames * 11025.0 / fIn) + 256);
    for (auto _ : state)
    {
        const int iProduced = Resample(pInstance, in.data(), out.data(), 1, kFrames, fIn, 11025.f);
        benchmark::DoNotOptimize(iProduced);
        benchmark::ClobberMemory();
    }
    state.counters["realtime"] = benchmark::Counter(static_cast<double>(state.iterations()) * kFrames / fIn,
                                                    benchmark::Counter::kIsRate);
    state.SetItemsProcessed(state.iterations() * kFrames);
    ResampleDestroyInstance(&pInstance);
}
BENCHMARK(BM_ResampleToAnalysisRate)->ArgsProduct({{44100, 48000, 96000, 8000}, {0, 10}});

// The analysis block cutting: 4096-sample blocks every 512 samples from 4096-frame chunks.
void BM_BlockSource(benchmark::State& state)
{
    CBuffSrc src;
    src.Init(1, 4096, 2048, true);
    const std::vector<float> chunk = testSignal(11025.f);
    std::vector<float> block(4096);
    float* pBlock = block.data();
    const float* pChunk = chunk.data();
    for (auto _ : state)
    {
        src.SetDataPtr(&pChunk, 4096);
        while (src.GetBlock(&pBlock, 4096))
        {
            benchmark::DoNotOptimize(block.data());
            src.IncrementIndex(512);
        }
        src.ReleaseDataPtr();
    }
    state.SetItemsProcessed(state.iterations() * 4096);
}
BENCHMARK(BM_BlockSource);
}
