// Cost of one pitch spectrum: extractPitches runs 21.5 times per second of audio and
// sets the engine's speed. The stages are measured alone as well, on the same block.

#include "IterativeHSS.h"
#include "LogFreqSpectrum.h"
#include "PitchExtraction.h"
#include "SpectralWhitening.h"
#include "vtrVecLib.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace
{
constexpr int kBlockSize = 4096;
constexpr int kNumBins = 256;
constexpr float kSampleRate = 11025.f;

// A minor triad (A3, C4, E4) and its bass, eight harmonics each, plus noise.
Vector<float> musicLikeBlock()
{
    Vector<float> block(kBlockSize);
    std::srand(11);
    for (int i = 0; i < kBlockSize; ++i)
    {
        for (float f : {110.f, 220.f, 261.63f, 329.63f})
            for (int h = 1; h <= 8; ++h)
                block[i] += 0.2f * std::sin(6.2831853f * f * static_cast<float>(h) * static_cast<float>(i) / kSampleRate) / static_cast<float>(h);
        block[i] += 0.05f * (static_cast<float>(std::rand()) / RAND_MAX - 0.5f);
    }
    return block;
}

/// The benchmark argument names the table: 0 portable, 10 accelerated (where available).
void selectTable(const benchmark::State& state)
{
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(static_cast<int>(state.range(0)));
}

LogFreqSpectrum::Config engineSpectrumConfig()
{
    LogFreqSpectrum::Config config;
    config.m_fSampleRate = kSampleRate;
    config.m_fMinFrequency = 25.956539f;
    config.m_fNumOctaves = 7.111111f;
    config.m_iNumBinsPerSemitone = 3;
    config.m_iBlockSize = kBlockSize;
    return config;
}

void BM_ExtractPitches(benchmark::State& state)
{
    selectTable(state);
    std::unique_ptr<PitchExtraction> extraction(new PitchExtraction());
    const Vector<float> block = musicLikeBlock();
    Vector<float> pitches(kNumBins);
    for (auto _ : state)
    {
        extraction->extractPitches(block, pitches);
        benchmark::DoNotOptimize(pitches.getPointer());
    }
}
BENCHMARK(BM_ExtractPitches)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_LogFreqSpectrum(benchmark::State& state)
{
    selectTable(state);
    LogFreqSpectrum spectrum;
    spectrum.initialize(engineSpectrumConfig());
    const Vector<float> block = musicLikeBlock();
    Vector<float> out(kNumBins);
    for (auto _ : state)
    {
        spectrum.process(out, block);
        benchmark::DoNotOptimize(out.getPointer());
    }
}
BENCHMARK(BM_LogFreqSpectrum)->Arg(0)->Arg(10)->Unit(benchmark::kMicrosecond);

void BM_WhiteningAndHarmonicAnalysis(benchmark::State& state)
{
    selectTable(state);
    LogFreqSpectrum spectrum;
    spectrum.initialize(engineSpectrumConfig());
    Vector<float> logSpectrum(kNumBins), work(kNumBins);
    spectrum.process(logSpectrum, musicLikeBlock());

    std::unique_ptr<SpectralWhitening> whitening(new SpectralWhitening());
    whitening->init(kNumBins, 0.5f, 3);
    IterativeHSS::Config config(25.956539f, 3, kNumBins);
    config.m_pPartialWeightFunction = IterativeHSS::Config::oneOverSquaredPartialIndex;
    config.m_pPartialReductionFunction = IterativeHSS::Config::oneOverSquaredPartialIndexReduction;
    IterativeHSS hss;
    hss.init(config);

    const bool bHarmonicOnly = state.range(1) != 0;
    for (auto _ : state)
    {
        work.copyFrom(logSpectrum);
        if (!bHarmonicOnly)
            whitening->process(work, work, 1e-4f, false);
        hss.process(work);
        benchmark::DoNotOptimize(work.getPointer());
    }
}
BENCHMARK(BM_WhiteningAndHarmonicAnalysis)->Args({0, 0})->Args({10, 0})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WhiteningAndHarmonicAnalysis)->Args({0, 1})->Args({10, 1})->Unit(benchmark::kMicrosecond)->Name("BM_HarmonicAnalysisUnwhitened");
}
