// Engines on separate threads must not share anything they write: eight instances, each
// on its own thread over its own input, give exactly the results they give alone. The
// threads start together, so that the first constructions and with them any process-wide
// state set up on first use overlap; under ThreadSanitizer (make test-tsan) any race on
// that state is a failure even when the results happen to agree.
#include "KeyraIf.h"
#include "MusicTheory.h"
#include "SynthesizedMusic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace
{
constexpr int kThreads = 8;

struct Job
{
    synth::Cadence cadence;
    int iChannels;
    int iBlock;
};

// Short cadences keep the test quick under ThreadSanitizer.
synth::Cadence cadence(int iTonic, bool bMajor, float fRate)
{
    synth::Cadence c{iTonic, bMajor, fRate};
    c.fSecondsPerChord = 0.6f;
    c.iRepeats = 1;
    return c;
}

const Job kJobs[kThreads] = {
    {cadence(0, true, 44100.f), 2, 1024},  {cadence(9, false, 48000.f), 1, 4096},
    {cadence(7, true, 22050.f), 3, 777},   {cadence(4, false, 8000.f), 1, 16384},
    {cadence(2, true, 96000.f), 2, 2048},  {cadence(5, false, 11025.f), 4, 512},
    {cadence(10, true, 32000.f), 1, 3000}, {cadence(1, false, 16000.f), 6, 1500},
};

/// Everything a result says, to be compared exactly.
struct Outcome
{
    float fTuning = 0.f;
    std::vector<std::string> keys;
    std::vector<float> probabilities;

    bool operator==(const Outcome& other) const
    {
        return fTuning == other.fTuning && keys == other.keys && probabilities == other.probabilities;
    }
};

void record(const KeyraResultIf& result, Outcome& outcome)
{
    outcome.fTuning = result.getTuningFrequencyInHz();
    for (const auto& keyResult : result.getAllKeyResults())
    {
        outcome.keys.push_back(keyResult.getKey().getName());
        outcome.probabilities.push_back(keyResult.getProbability());
    }
}

/// Releases all waiting threads at once.
class StartGate
{
public:
    explicit StartGate(int iCount) : m_iCount(iCount) {}
    void arriveAndWait()
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (++m_iArrived == m_iCount)
            m_opened.notify_all();
        else
            m_opened.wait(lock, [this] { return m_iArrived >= m_iCount; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    const int m_iCount;
    int m_iArrived = 0;
};

/// A first pass, a result, a reset and the whole input again: both results, both genres.
Outcome analyse(const Job& job, const std::vector<float>& mono, StartGate* pGate)
{
    if (pGate != nullptr)
        pGate->arriveAndWait();
    Outcome outcome;
    KeyraIf* p = nullptr;
    if (KeyraIf::createInstance(p, job.cadence.fSampleRate, job.iChannels) != KeyraIf::noError)
        return outcome;
    std::unique_ptr<KeyraIf, void (*)(KeyraIf*)> engine(p, [](KeyraIf* q) { KeyraIf::destroyInstance(q); });

    std::vector<std::vector<float>> channels(static_cast<size_t>(job.iChannels));
    std::vector<const float*> pointers(channels.size());
    auto push = [&](size_t iEnd) {
        for (size_t pos = 0; pos < iEnd; pos += static_cast<size_t>(job.iBlock))
        {
            const size_t n = std::min(iEnd - pos, static_cast<size_t>(job.iBlock));
            for (size_t c = 0; c < channels.size(); ++c)
            {
                channels[c].assign(mono.begin() + static_cast<long>(pos), mono.begin() + static_cast<long>(pos + n));
                for (float& x : channels[c])
                    x *= static_cast<float>(c + 1) / static_cast<float>(channels.size());
                pointers[c] = channels[c].data();
            }
            engine->process(pointers.data(), static_cast<int32_t>(n));
        }
    };
    push(mono.size() / 2);
    record(engine->computeResult(KeyraIf::electronic), outcome);
    engine->reset();
    push(mono.size());
    record(engine->computeResult(KeyraIf::general), outcome);
    return outcome;
}
}

TEST(Threads, EightEnginesGiveTheirResultsAlone)
{
    std::vector<std::vector<float>> inputs;
    for (const Job& job : kJobs)
        inputs.push_back(synth::render(job.cadence));

    // Concurrent first: nothing in the process has built an engine yet.
    std::vector<Outcome> concurrent(kThreads);
    {
        StartGate gate(kThreads);
        std::vector<std::thread> threads;
        for (int i = 0; i < kThreads; ++i)
            threads.emplace_back([&, i] { concurrent[i] = analyse(kJobs[i], inputs[i], &gate); });
        for (std::thread& t : threads)
            t.join();
    }

    for (int i = 0; i < kThreads; ++i)
    {
        const Outcome alone = analyse(kJobs[i], inputs[i], nullptr);
        ASSERT_EQ(alone.keys.size(), 48u) << "job " << i;
        EXPECT_TRUE(concurrent[i] == alone) << "job " << i << ": " << concurrent[i].keys.front() << " vs "
                                            << alone.keys.front();
    }
    // The inputs are in different keys: a mix-up between threads would show here too.
    EXPECT_EQ(concurrent[0].keys[24], "C:maj");
    EXPECT_EQ(concurrent[1].keys[24], "A:min");
}

// The catalogue is built at start-up and then only read, from any thread.
TEST(Threads, MusicTheoryCatalogueIsReadConcurrently)
{
    using namespace vantor::MusicTheory;
    std::vector<std::string> names(kThreads);
    StartGate gate(kThreads);
    std::vector<std::thread> threads;
    for (int i = 0; i < kThreads; ++i)
        threads.emplace_back([&, i] {
            gate.arriveAndWait();
            std::string s;
            for (int k = 0; k < 200; ++k)
            {
                const Key key(PitchClass(std::string(1, "CDEFGAB"[(i + k) % 7]) + "#"), KeyType::minor);
                s = key.getName() + " " + key.getTriadAt(ScaleDegree(1 + k % 7)).getName() + " "
                    + std::to_string(AllChordTypes::getNumChordTypes());
            }
            names[static_cast<size_t>(i)] = s;
        });
    for (std::thread& t : threads)
        t.join();
    for (int i = 0; i < kThreads; ++i)
    {
        const int k = 199;
        const Key key(PitchClass(std::string(1, "CDEFGAB"[(i + k) % 7]) + "#"), KeyType::minor);
        EXPECT_EQ(names[static_cast<size_t>(i)], key.getName() + " " + key.getTriadAt(ScaleDegree(1 + k % 7)).getName()
                                                     + " " + std::to_string(AllChordTypes::getNumChordTypes()));
    }
}
