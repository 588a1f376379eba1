#include "CResampleFloat.h"
#include "ResampleTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

using namespace resampletest;

TEST(ResampleCore, Order6FilterDesign)
{
    Instance r = makeFloat();
    EXPECT_EQ(r->GetNumTableEntries(), 1536);
    EXPECT_EQ(r->GetFilterReach(), 14);
    EXPECT_FLOAT_EQ(r->GetCutOff(), 0.9046875f);
    EXPECT_FLOAT_EQ(r->GetKaiserBeta(), 9.f);
    EXPECT_FLOAT_EQ(r->GetScalingFactor(), 0.99f);

    const auto& f = static_cast<const CResampleFloat&>(*r);
    const float* pfTable = f.GetImpulse();
    const float* pfDelta = f.GetImpulseDelta();
    EXPECT_FLOAT_EQ(pfTable[0], 0.9046875f);
    // Taps at phase 0 (the centre and both wings at whole frames) sum to about 1.0001.
    float fSum = pfTable[0];
    for (int m = 1; m < 6; ++m)
        fSum += 2.f * pfTable[256 * m];
    EXPECT_NEAR(fSum, 1.0001f, 2e-4f);
    // The window closes the table; the deltas interpolate between entries.
    EXPECT_NEAR(pfTable[1535], 0.f, 1e-4f);
    EXPECT_FLOAT_EQ(pfTable[10] + pfDelta[10], pfTable[11]);
    EXPECT_EQ(pfDelta[1535], 0.f);
    EXPECT_NEAR(r->Bessel(0.f), 1.f, 1e-7f);
    EXPECT_NEAR(r->Bessel(9.f), 1093.588f, 0.01f);
    EXPECT_NEAR(r->window(0.f, 1536), 1.f, 1e-6f);
}

TEST(ResampleCore, QuarterRateCountsAndGain)
{
    Instance r = makeFloat();
    std::vector<float> in(16384, 0.f);
    EXPECT_EQ(r->GetNumOfFillPreBufferSamples(44100.f, 11025.f), 29);
    EXPECT_EQ(process(*r, in, 44100.f, 11025.f).size(), 4089u);
    EXPECT_EQ(r->GetFilterReach(), 29);
    EXPECT_EQ(r->GetTableStep(), 8192);
    EXPECT_EQ(process(*r, in, 44100.f, 11025.f).size(), 4096u);
}

// An impulse shows where each output frame sits: output k at input k * inRate / outRate,
// phase 0, so the output equals the table centre times the gain.
TEST(ResampleCore, OutputFrameKLiesAtInputPosition)
{
    struct Case
    {
        float fIn, fOut;
        int iImpulseAt, iOutputFrame;
        float fGain;
        size_t iFirstCallFrames;
    };
    const Case cases[] = {{44100.f, 44100.f, 100, 100, 0.99f, 986}, {44100.f, 11025.f, 400, 100, 0.2475f, 243}};
    for (const Case& c : cases)
    {
        Instance r = makeFloat();
        std::vector<float> in(1000, 0.f);
        in[static_cast<size_t>(c.iImpulseAt)] = 1.f;
        const std::vector<float> out = process(*r, in, c.fIn, c.fOut);
        ASSERT_EQ(out.size(), c.iFirstCallFrames);
        EXPECT_FLOAT_EQ(out[static_cast<size_t>(c.iOutputFrame)], 0.9046875f * c.fGain);
        EXPECT_FLOAT_EQ(*std::max_element(out.begin(), out.end()), out[static_cast<size_t>(c.iOutputFrame)]);
    }
}

TEST(ResampleCore, ConstantInputSettlesNearGain)
{
    for (float fIn : {44100.f, 11025.f, 48000.f})
    {
        Instance r = makeFloat();
        std::vector<float> out;
        for (int i = 0; i < 3; ++i)
        {
            const std::vector<float> part = process(*r, std::vector<float>(4096, 1.f), fIn, 11025.f);
            out.insert(out.end(), part.begin(), part.end());
        }
        // Past the start-up region (the filter reaching back into the zero history).
        for (size_t k = 64; k < out.size(); ++k)
            ASSERT_NEAR(out[k], 0.990f, 0.002f) << "rate " << fIn << " frame " << k;
    }
}

TEST(ResampleCore, SineKeepsFrequencyAndAmplitude)
{
    Instance r = makeFloat();
    std::vector<float> out;
    for (int i = 0; i < 4; ++i)
    {
        const std::vector<float> part = process(*r, sine(16384, 1000.f, 44100.f, 1.f, 16384 * i), 44100.f, 11025.f);
        out.insert(out.end(), part.begin(), part.end());
    }
    // 11025 frames past the start hold exactly 1000 periods of 1 kHz.
    const size_t iStart = 200, iLength = 11025;
    ASSERT_GE(out.size(), iStart + iLength);
    double dSin = 0.0, dCos = 0.0;
    int iCrossings = 0;
    for (size_t k = iStart; k < iStart + iLength; ++k)
    {
        const double dPhase = 2.0 * M_PI * 1000.0 * static_cast<double>(k) / 11025.0;
        dSin += out[k] * std::sin(dPhase);
        dCos += out[k] * std::cos(dPhase);
        if ((out[k] >= 0.f) != (out[k + 1] >= 0.f))
            ++iCrossings;
    }
    EXPECT_NEAR(2.0 * std::hypot(dSin, dCos) / iLength, 0.99, 0.002);
    // Time-aligned: output frame k is the input sine at k / 11025 s, phase 0.
    EXPECT_NEAR(2.0 * dSin / iLength, 0.99, 0.003);
    EXPECT_NEAR(iCrossings, 2000, 2);
}

TEST(ResampleCore, PredictedCountMatchesEveryCall)
{
    const float rates[] = {8000.f, 11025.f, 22050.f, 44100.f, 48000.f, 96000.f, 192000.f};
    const int blocks[] = {1021, 1, 0, 7, 4095, 16384, 513, 3, 12345, 29, 16383, 2};
    for (float fIn : rates)
        for (float fOut : rates)
        {
            Instance r = makeFloat();
            for (int iFrames : blocks)
            {
                const int iPredicted = r->GetNumOfOutputSamples(iFrames, fIn, fOut);
                const std::vector<float> in(static_cast<size_t>(iFrames), 0.25f);
                const int iProduced = static_cast<int>(process(*r, in, fIn, fOut).size());
                ASSERT_EQ(iPredicted, iProduced) << fIn << " -> " << fOut << ", " << iFrames << " frames";
                ASSERT_LE(iProduced, iFrames * static_cast<double>(fOut) / fIn + 2.0);
            }
        }
}

// However the stream is cut into calls, the output stream is the same.
TEST(ResampleCore, ChunkingDoesNotChangeTheStream)
{
    const float pairs[][2] = {{48000.f, 11025.f}, {44100.f, 44100.f}, {11025.f, 44100.f}, {44100.f, 8000.f}};
    std::mt19937 rng(7);
    for (const auto& pair : pairs)
    {
        const int iTotal = 60000;
        std::vector<float> signal = sine(iTotal, 440.f, pair[0]);
        std::uniform_real_distribution<float> noise(-0.3f, 0.3f);
        for (float& s : signal)
            s += noise(rng);

        Instance whole = makeFloat(iTotal);
        const std::vector<float> reference = process(*whole, signal, pair[0], pair[1]);

        Instance chunked = makeFloat(3000);
        std::vector<float> out;
        std::uniform_int_distribution<int> size(0, 3000);
        int iPos = 0;
        bool bFirst = true;
        while (iPos < iTotal)
        {
            const int iFrames = std::min(bFirst ? 600 : size(rng), iTotal - iPos);
            bFirst = false;
            const std::vector<float> part =
                process(*chunked, std::vector<float>(signal.begin() + iPos, signal.begin() + iPos + iFrames),
                        pair[0], pair[1]);
            out.insert(out.end(), part.begin(), part.end());
            iPos += iFrames;
        }
        const size_t iCommon = std::min(out.size(), reference.size());
        ASSERT_GT(iCommon, reference.size() - 40);
        for (size_t k = 0; k < iCommon; ++k)
            ASSERT_NEAR(out[k], reference[k], 1e-4f) << pair[0] << " -> " << pair[1] << " frame " << k;
    }
}

TEST(ResampleCore, InterleavedChannelsAreIndependent)
{
    Instance stereo = makeFloat(8192, 2);
    Instance mono = makeFloat(8192, 1);
    const std::vector<float> left = sine(8192, 700.f, 48000.f);
    std::vector<float> interleaved(2 * left.size());
    for (size_t i = 0; i < left.size(); ++i)
    {
        interleaved[2 * i] = left[i];
        interleaved[2 * i + 1] = -0.5f * left[i];
    }
    const std::vector<float> both = process(*stereo, interleaved, 48000.f, 11025.f, 2);
    const std::vector<float> one = process(*mono, left, 48000.f, 11025.f);
    ASSERT_EQ(both.size(), 2 * one.size());
    for (size_t k = 0; k < one.size(); ++k)
    {
        ASSERT_FLOAT_EQ(both[2 * k], one[k]);
        ASSERT_FLOAT_EQ(both[2 * k + 1], -0.5f * one[k]);
    }
}

TEST(ResampleCore, ResetBehavesAsFreshInstance)
{
    const std::vector<float> signal = sine(16384, 1234.f, 44100.f);
    Instance fresh = makeFloat();
    const std::vector<float> expected = process(*fresh, signal, 44100.f, 11025.f);

    Instance used = makeFloat();
    process(*used, sine(16384, 300.f, 96000.f), 96000.f, 11025.f);
    process(*used, sine(999, 300.f, 8000.f), 8000.f, 11025.f);
    EXPECT_EQ(used->Reset(), 0);
    EXPECT_EQ(process(*used, signal, 44100.f, 11025.f), expected);

    // The rate-aware reset prepares the reach, so the stream starts at the same place.
    process(*used, signal, 44100.f, 11025.f);
    EXPECT_EQ(used->Reset(0.f, 44100.f, 11025.f), 0);
    EXPECT_EQ(used->GetFilterReach(), 29);
    EXPECT_EQ(process(*used, signal, 44100.f, 11025.f), expected);
}

TEST(ResampleCore, ResetTimeOffsetMovesFirstOutput)
{
    Instance r = makeFloat();
    std::vector<float> in(1000, 0.f);
    in[101] = 1.f;
    EXPECT_EQ(r->Reset(1.f, 44100.f, 44100.f), 0);
    const std::vector<float> out = process(*r, in, 44100.f, 44100.f);
    EXPECT_FLOAT_EQ(out[100], 0.9046875f * 0.99f);
    EXPECT_EQ(r->Reset(1.5f, 44100.f, 44100.f), CResampleBase::kInvalidArgError);
}

TEST(ResampleCore, EmptyFirstCallEndsLookAhead)
{
    Instance r = makeFloat();
    EXPECT_EQ(process(*r, {}, 44100.f, 44100.f).size(), 0u);
    EXPECT_EQ(r->GetFilterReach(), 14);
    EXPECT_DOUBLE_EQ(r->GetTime(), 14.0);
    EXPECT_EQ(process(*r, std::vector<float>(1000, 0.f), 44100.f, 44100.f).size(), 1000u);
}

TEST(ResampleCore, ScalingFactor)
{
    Instance r = makeFloat();
    EXPECT_EQ(r->SetScalingFactor(0.f), CResampleBase::kInvalidArgError);
    EXPECT_EQ(r->SetScalingFactor(-1.f), CResampleBase::kInvalidArgError);
    EXPECT_EQ(r->SetScalingFactor(NAN), CResampleBase::kInvalidArgError);
    EXPECT_FLOAT_EQ(r->GetScalingFactor(), 0.99f);
    EXPECT_EQ(r->SetScalingFactor(2.f), 0);
    std::vector<float> in(1000, 0.f);
    in[100] = 1.f;
    EXPECT_FLOAT_EQ(process(*r, in, 44100.f, 44100.f)[100], 0.9046875f * 2.f);
}

TEST(ResampleCore, SamplesNeeded)
{
    Instance r = makeFloat();
    // Before the first call the look-ahead is asked for as well.
    EXPECT_EQ(r->getNumOfSamplesNeeded(1024, 44100.f, 11025.f), 29 + 4096);
    EXPECT_EQ(r->GetNumOfOutputSamples(29 + 4096, 44100.f, 11025.f), 1024);
    process(*r, std::vector<float>(29 + 4096, 0.f), 44100.f, 11025.f);
    EXPECT_EQ(r->getNumOfSamplesNeeded(1024, 44100.f, 11025.f), 4096);
    EXPECT_EQ(r->getNumOfSamplesNeeded(-5, 44100.f, 11025.f), 0);
    EXPECT_EQ(r->getNumOfSamplesNeeded(1024, 0.f, 11025.f), 0);
    EXPECT_EQ(r->GetNumFramesNeededFixedOutput(1024, 44100.f, -1.f), 0);
}

TEST(ResampleCore, CreateRejectsBadArguments)
{
    CResampleBase* p = reinterpret_cast<CResampleBase*>(&p);
    EXPECT_EQ(CResampleBase::Create(p, 2, 6, 1024, 1, false), CResampleBase::kInvalidArgError);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(CResampleBase::Create(p, 0, 0, 1024, 1, false), CResampleBase::kInvalidArgError);
    EXPECT_EQ(CResampleBase::Create(p, 0, 6, 0, 1, false), CResampleBase::kInvalidArgError);
    EXPECT_EQ(CResampleBase::Create(p, 0, 6, 1024, 0, false), CResampleBase::kInvalidArgError);
    EXPECT_EQ(CResampleBase::Create(p, 0, 6, 1 << 30, 8, false), CResampleBase::kInvalidArgError);
    EXPECT_EQ(p, nullptr);
    EXPECT_EQ(CResampleBase::Destroy(nullptr), 0);
}

TEST(ResampleCore, ProcessAllocatesNothing)
{
    Instance r = makeFloat();
    std::vector<float> in = sine(16384, 440.f, 44100.f);
    std::vector<float> out(8192);
    AllocationCounter counter;
    for (int i = 0; i < 20; ++i)
    {
        const float fIn = i % 2 ? 44100.f : 48000.f;
        r->Process(reinterpret_cast<const char*>(in.data()), reinterpret_cast<char*>(out.data()), fIn, 11025.f, 1,
                   16384);
    }
    r->Reset();
    EXPECT_EQ(counter.count(), 0);
}
