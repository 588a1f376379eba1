#include "Vector.h"
#include "vtrVecLib.h"

#include <benchmark/benchmark.h>

namespace
{
constexpr int kLength = 4096;

void selectTable(int iExtension)
{
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(iExtension);
}

void fillRamp(Vector<float>& v)
{
    for (int i = 0; i < v.size(); ++i)
        v[i] = 0.001f * static_cast<float>(i % 997);
}

void BM_DotProduct(benchmark::State& state)
{
    selectTable(static_cast<int>(state.range(0)));
    Vector<float> a(kLength), b(kLength);
    fillRamp(a);
    fillRamp(b);
    float fResult = 0.f;
    for (auto _ : state)
    {
        vtrfRealDotProduct(a.getPointer(), b.getPointer(), &fResult, kLength);
        benchmark::DoNotOptimize(fResult);
    }
    state.SetItemsProcessed(state.iterations() * kLength);
}

void BM_Add(benchmark::State& state)
{
    selectTable(static_cast<int>(state.range(0)));
    Vector<float> a(kLength), b(kLength);
    fillRamp(b);
    for (auto _ : state)
    {
        vtrfRealAdd_I(a.getPointer(), b.getPointer(), kLength);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kLength);
}
}

// The argument is the requested table: 0 portable, -1 the best available.
BENCHMARK(BM_DotProduct)->Arg(0)->Arg(-1);
BENCHMARK(BM_Add)->Arg(0)->Arg(-1);
