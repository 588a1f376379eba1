#include "CvtrfFFT_If.h"
#include "Vector.h"
#include "vtrVecLib.h"

#include <benchmark/benchmark.h>

namespace
{
/// One windowed forward transform of a block, as the pitch analysis runs it every
/// 512 samples (block length 4096, Hann window, no padding).
void BM_ForwardFFTHann(benchmark::State& state)
{
    // Second argument: the table, 0 portable or 10 accelerated.
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(static_cast<int>(state.range(1)));
    const int iBlockLength = static_cast<int>(state.range(0));
    CvtrfFFT_If* pFft = nullptr;
    if (vtrfFFTCreateInstance(pFft, iBlockLength, 1, kWindowHann) != 0)
    {
        state.SkipWithError("FFT creation failed");
        return;
    }
    Vector<float> input(iBlockLength), spectrum(iBlockLength);
    for (int i = 0; i < iBlockLength; ++i)
        input[i] = 0.001f * static_cast<float>(i % 997) - 0.5f;
    for (auto _ : state)
    {
        pFft->vtrfFFT(spectrum.getPointer(), input.getPointer());
        benchmark::DoNotOptimize(spectrum.getPointer());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    vtrfFFTDestroyInstance(pFft);
}

void BM_InverseFFT(benchmark::State& state)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    const int iBlockLength = static_cast<int>(state.range(0));
    CvtrfFFT_If* pFft = nullptr;
    if (vtrfFFTCreateInstance(pFft, iBlockLength, 1, kWindowNone) != 0)
    {
        state.SkipWithError("FFT creation failed");
        return;
    }
    Vector<float> spectrum(iBlockLength), output(iBlockLength);
    for (int i = 0; i < iBlockLength; ++i)
        spectrum[i] = 0.001f * static_cast<float>(i % 991);
    for (auto _ : state)
    {
        pFft->vtrfIFFT(output.getPointer(), spectrum.getPointer());
        benchmark::DoNotOptimize(output.getPointer());
        benchmark::ClobberMemory();
    }
    vtrfFFTDestroyInstance(pFft);
}
}

BENCHMARK(BM_ForwardFFTHann)->ArgsProduct({{4096, 1024, 16384}, {0, 10}});
BENCHMARK(BM_InverseFFT)->Arg(4096);
