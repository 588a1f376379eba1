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

// ---- Memory of one instance: bytes from the engine allocator (all requests, and what
// stays live) and from the heap at construction, and what processing 10 s and 10 min
// of audio adds (nothing).

#include "HeapAllocationCounter.h"
#include "vtrAllocatorIf.h"

#include <cstring>

namespace
{
// Hooks that keep a count of the engine allocator's live bytes (size stored in front).
std::atomic<long long> g_llLiveEngineBytes{0};
constexpr size_t kHeader = 16;

void* liveMalloc(uint64_t iSize, vtrAlloc::MemoryAlignment_t)
{
    auto* p = static_cast<unsigned char*>(std::malloc(iSize + kHeader));
    if (p == nullptr)
        return nullptr;
    std::memcpy(p, &iSize, sizeof iSize);
    g_llLiveEngineBytes += static_cast<long long>(iSize);
    return p + kHeader;
}

void liveFree(void* pMemory)
{
    if (pMemory == nullptr)
        return;
    auto* p = static_cast<unsigned char*>(pMemory) - kHeader;
    uint64_t iSize = 0;
    std::memcpy(&iSize, p, sizeof iSize);
    g_llLiveEngineBytes -= static_cast<long long>(iSize);
    std::free(p);
}

void* liveRealloc(void* pMemory, uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlignment)
{
    void* pNew = liveMalloc(iSize, eAlignment);
    if (pNew != nullptr && pMemory != nullptr)
    {
        uint64_t iOld = 0;
        std::memcpy(&iOld, static_cast<unsigned char*>(pMemory) - kHeader, sizeof iOld);
        std::memcpy(pNew, pMemory, std::min(iOld, iSize));
        liveFree(pMemory);
    }
    return pNew;
}
}

namespace
{
void BM_EngineMemory(benchmark::State& state)
{
    const auto& music = stereoMusic();
    const int iSeconds = static_cast<int>(state.range(0));
    long long llEngineBytes = 0, llLiveBytes = 0, llHeapBytes = 0, llProcessBytes = 0;
    for (auto _ : state)
    {
        HeapAllocationCounter::bytes = 0;
        HeapAllocationCounter::counting = true;
        vtrAllocatorIf::setCustomAllocator(liveMalloc);
        vtrAllocatorIf::setCustomReallocator(liveRealloc);
        vtrAllocatorIf::setCustomDeallocator(liveFree);
        const long long llLiveBefore = g_llLiveEngineBytes;
        const int64_t iBefore = vtrAllocator::getNumOfBytesAllocated();
        KeyraIf* pEngine = nullptr;
        KeyraIf::createInstance(pEngine, kSampleRate, 2);
        const int64_t iAfterCreate = vtrAllocator::getNumOfBytesAllocated();
        llHeapBytes = HeapAllocationCounter::bytes;
        llLiveBytes = g_llLiveEngineBytes - llLiveBefore;

        const size_t iTotal = static_cast<size_t>(iSeconds * kSampleRate);
        for (size_t done = 0; done < iTotal; done += 1024)
        {
            const size_t pos = done % (music[0].size() - 1024);
            const float* channels[] = {music[0].data() + pos, music[1].data() + pos};
            pEngine->process(channels, 1024);
        }
        llProcessBytes = (vtrAllocator::getNumOfBytesAllocated() - iAfterCreate) + (HeapAllocationCounter::bytes - llHeapBytes);
        HeapAllocationCounter::counting = false;
        llEngineBytes = iAfterCreate - iBefore;
        KeyraIf::destroyInstance(pEngine);
        vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
        vtrAllocatorIf::setCustomReallocator(vtrAllocator::defaultRealloc);
        vtrAllocatorIf::setCustomDeallocator(vtrAllocator::defaultFree);
    }
    state.counters["engine_allocator_live_bytes"] = static_cast<double>(llLiveBytes);
    state.counters["engine_allocator_bytes"] = static_cast<double>(llEngineBytes);
    state.counters["heap_bytes"] = static_cast<double>(llHeapBytes);
    state.counters["bytes_added_by_process"] = static_cast<double>(llProcessBytes);
}
}

BENCHMARK(BM_EngineMemory)->Arg(10)->Arg(600)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---- Cost of making and destroying one instance: a batch analyser pays it per file.
namespace
{
void BM_EngineCreate(benchmark::State& state)
{
    for (auto _ : state)
    {
        KeyraIf* pEngine = nullptr;
        KeyraIf::createInstance(pEngine, 44100.f, 2);
        benchmark::DoNotOptimize(pEngine);
        KeyraIf::destroyInstance(pEngine);
    }
}
}

BENCHMARK(BM_EngineCreate)->Unit(benchmark::kMicrosecond);
