// The engine gives the same analysis with the portable and the accelerated vector table:
// same top key, every key's probability within 1e-4 and the tuning within 0.01 Hz.

#include "KeyraIf.h"
#include "KeyraResultIf.h"
#include "SynthesizedMusic.h"
#include "vtrVecLib.h"
#include "vtrVecLibAccelerate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#ifdef VTR_HAVE_ACCELERATE

namespace
{
struct Analysis
{
    std::string topKey;
    std::map<std::string, float> probabilities;
    float fTuning = 0.f;
};

void selectTable(int iTable)
{
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(iTable);
}

std::vector<Analysis> analyse(const std::vector<float>& left, const std::vector<float>& right, float fSampleRate)
{
    KeyraIf* pEngine = nullptr;
    EXPECT_EQ(KeyraIf::createInstance(pEngine, fSampleRate, 2), 0);
    for (size_t pos = 0; pos < left.size(); pos += 1024)
    {
        const int n = static_cast<int>(std::min<size_t>(1024, left.size() - pos));
        const float* channels[] = {left.data() + pos, right.data() + pos};
        pEngine->process(channels, n);
    }
    std::vector<Analysis> analyses;
    for (KeyraIf::GenreType eGenre : {KeyraIf::general, KeyraIf::electronic})
    {
        const KeyraResultIf result = pEngine->computeResult(eGenre);
        Analysis a;
        a.topKey = result.getKeyResult().getKey().getName();
        for (const KeyraResultIf::KeyResult& key : result.getAllKeyResults())
            a.probabilities[key.getKey().getName()] = key.getProbability();
        a.fTuning = result.getTuningFrequencyInHz();
        analyses.push_back(a);
    }
    KeyraIf::destroyInstance(pEngine);
    return analyses;
}

struct MusicCase
{
    int iTonic;
    bool bMajor;
    float fTuning;
    float fSampleRate;
};

TEST(TableEquivalence, SynthesizedCadencesGiveTheSameAnalysis)
{
    if (!vtrAccelerateSupported())
        GTEST_SKIP() << "processor without AVX2 and FMA";
    const int iTableBefore = vtrVecLibGetCPUType();
    const MusicCase cases[] = {{0, true, 440.f, 44100.f}, {9, false, 443.f, 44100.f}, {3, true, 436.f, 48000.f}, {7, false, 440.f, 22050.f}};
    for (const MusicCase& c : cases)
    {
        synth::Cadence cadence{c.iTonic, c.bMajor, c.fSampleRate, c.fTuning};
        const std::vector<float> left = synth::render(cadence);
        std::vector<float> right(left.size());
        for (size_t i = 0; i < left.size(); ++i)
            right[i] = 0.7f * left[i] + 0.01f * static_cast<float>((i * 7919) % 101) / 101.f;

        selectTable(kUsedCPUExtensionGeneric);
        const std::vector<Analysis> portable = analyse(left, right, c.fSampleRate);
        selectTable(kUsedCPUExtensionAccelerate);
        ASSERT_EQ(vtrVecLibGetCPUType(), kUsedCPUExtensionAccelerate);
        const std::vector<Analysis> accelerated = analyse(left, right, c.fSampleRate);

        for (size_t g = 0; g < portable.size(); ++g)
        {
            SCOPED_TRACE("tonic " + std::to_string(c.iTonic) + " rate " + std::to_string(c.fSampleRate) + " genre " + std::to_string(g));
            EXPECT_EQ(portable[g].topKey, accelerated[g].topKey);
            EXPECT_NEAR(portable[g].fTuning, accelerated[g].fTuning, 0.01f);
            ASSERT_EQ(portable[g].probabilities.size(), 24u);
            for (const auto& [name, fProbability] : portable[g].probabilities)
                EXPECT_NEAR(fProbability, accelerated[g].probabilities.at(name), 1e-4f) << name;
        }
    }
    selectTable(iTableBefore);
}
}

#endif
