#include "vtrVecLib.h"
#include "vtrVecLibAccelerate.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace
{
struct VecLib : ::testing::Test
{
    VecLib() { vtrVecLibDispatcher(kUsedCPUExtensionAuto); }
};
}

TEST(VecLibDispatcher, StateChanges)
{
    vtrVecLibDispatcherClear();
    EXPECT_EQ(vtrVecLibGetCPUType(), -1);
    vtrVecLibDispatcher(kUsedCPUExtensionGeneric);
    EXPECT_EQ(vtrVecLibGetCPUType(), 0);
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    EXPECT_EQ(vtrVecLibGetCPUType(), 0);
    vtrVecLibDispatcher(kUsedCPUExtensionAccelerate); // higher request after filling: ignored
    EXPECT_EQ(vtrVecLibGetCPUType(), 0);
    vtrVecLibDispatcherClear();
    EXPECT_EQ(vtrVecLibGetCPUType(), -1);
    EXPECT_NE(vtrfRealAdd_I, nullptr); // clearing forgets the choice, not the pointers
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
#ifdef VTR_HAVE_ACCELERATE
    if (vtrAccelerateSupported())
    {
        EXPECT_EQ(vtrVecLibGetCPUType(), kUsedCPUExtensionAccelerate);
        EXPECT_NE(vsqrt_I_MAC, nullptr);
        vtrVecLibDispatcher(kUsedCPUExtensionGeneric); // a lower request switches down
        EXPECT_EQ(vtrVecLibGetCPUType(), 0);
    }
#endif
    EXPECT_EQ(vtrVecLibGetCPUType(), 0);
    EXPECT_EQ(vsqrt_I_MAC, nullptr);
}

TEST(VecLibDispatcher, VersionTexts)
{
    EXPECT_STREQ(vtrVecLibGetVersion(), "4.4.5+1e98bee");
    EXPECT_STREQ(vtrVecLibGetBuildDate(), "Nov 24 2023");
}

TEST_F(VecLib, IndexEntriesInterleaved)
{
    EXPECT_EQ(vtrReIdx(0, 4), 0);
    EXPECT_EQ(vtrImIdx(0, 4), 1);
    EXPECT_EQ(vtrReIdx(3, 4), 6);
    EXPECT_EQ(vtrImIdx(3, 4), 7);
    EXPECT_EQ(vtrReIdxSeparate(3, 4), 3);
    EXPECT_EQ(vtrImIdxSeparate(3, 4), 7);
    EXPECT_EQ(vtrImIdxSeparate(0, 4), 4);
}

TEST_F(VecLib, FindExtremes)
{
    struct Case { std::vector<float> data; float fMax; int iMax; float fMin; int iMin; };
    const Case cases[] = {
        {{3, 7, 7, 1}, 7, 1, 1, 3},
        {{2, 2}, 2, 0, 2, 0},
        {{}, -1e37f, 0, 1e37f, 0},
    };
    for (const Case& c : cases)
    {
        float fValue = 0;
        int iIdx = -1;
        vtrfRealFindMax(c.data.data(), &fValue, &iIdx, static_cast<int>(c.data.size()));
        EXPECT_EQ(fValue, c.fMax);
        EXPECT_EQ(iIdx, c.iMax);
        vtrfRealFindMin(c.data.data(), &fValue, &iIdx, static_cast<int>(c.data.size()));
        EXPECT_EQ(fValue, c.fMin);
        EXPECT_EQ(iIdx, c.iMin);
    }
}

TEST_F(VecLib, Reductions)
{
    const float af[] = {2, 4, 4, 4, 5, 5, 7, 9};
    float fResult = 0;
    vtrfRealCalcStd(af, &fResult, 8);
    EXPECT_NEAR(fResult, 2.13809f, 1e-5f);
    vtrfRealCalcStd(af, &fResult, 1);
    EXPECT_TRUE(std::isnan(fResult));
    vtrfRealCalcStd(af, &fResult, 0);
    EXPECT_EQ(fResult, 0.f);

    vtrfRealCalcMean(af, &fResult, 8);
    EXPECT_FLOAT_EQ(fResult, 5.f);
    vtrfRealCalcMean(af, &fResult, 0);
    EXPECT_TRUE(std::isnan(fResult));

    const float afRms[] = {3, -4};
    vtrfRealCalcRMS(afRms, &fResult, 2);
    EXPECT_FLOAT_EQ(fResult, std::sqrt(12.5f));
    vtrfRealCalcRMS(afRms, &fResult, 0);
    EXPECT_TRUE(std::isnan(fResult));

    vtrfRealDotProduct(af, af, &fResult, 2);
    EXPECT_EQ(fResult, 20.f);
    fResult = 5;
    vtrfRealDotProduct(af, af, &fResult, 0);
    EXPECT_EQ(fResult, 0.f);
}

TEST_F(VecLib, ElementWise)
{
    std::vector<float> a = {1, -2, 3, 0};
    const std::vector<float> b = {2, 2, -1, 4};

    std::vector<float> r = a;
    vtrfRealMaxVec(r.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({2, 2, 3, 4}));
    r = a;
    vtrfRealAdd_I(r.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({3, 0, 2, 4}));
    r = a;
    vtrfRealSub_I(r.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({-1, -4, 4, -4}));
    r = a;
    vtrfRealMul_I(r.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({2, -4, -3, 0}));
    r = a;
    vtrfRealDiv_I(r.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({0.5f, -1, -3, 0}));
    r = a;
    vtrfRealMac_I(r.data(), b.data(), b.data(), 4);
    EXPECT_EQ(r, std::vector<float>({5, 2, 4, 16}));
    r = a;
    vtrfRealAddC_I(r.data(), 1.f, 4);
    EXPECT_EQ(r, std::vector<float>({2, -1, 4, 1}));
    r = a;
    vtrfRealMulC_I(r.data(), -2.f, 4);
    EXPECT_EQ(r, std::vector<float>({-2, 4, -6, -0.f}));
    r = a;
    vtrfRealAbs_I(r.data(), 4);
    EXPECT_EQ(r, std::vector<float>({1, 2, 3, 0}));
    r = a;
    vtrfRealLThresh_I(r.data(), 1.f, 9.f, 4);
    EXPECT_EQ(r, std::vector<float>({1, 9, 3, 9}));
    r = a;
    vtrfRealHThresh_I(r.data(), 1.f, 9.f, 4);
    EXPECT_EQ(r, std::vector<float>({1, -2, 9, 0}));

    r = a;
    vtrfRealAdd_I(r.data(), b.data(), 0);
    vtrfRealAdd_I(r.data(), b.data(), -3);
    vtrfSetZero(r.data(), 0);
    EXPECT_EQ(r, a);
    vtrfSetZero(r.data(), 4);
    EXPECT_EQ(r, std::vector<float>(4, 0.f));
}

TEST_F(VecLib, Transcendentals)
{
    std::vector<float> v = {0.f, 10.f};
    vtrfRealLn_I(v.data(), 1e-6f, 1.f, 2);
    EXPECT_EQ(v[0], 0.f);
    EXPECT_NEAR(v[1], 2.3025851f, 1e-6f);

    v = {0.f, 1.f};
    vtrfRealExp_I(v.data(), 2);
    EXPECT_FLOAT_EQ(v[0], 1.f);
    EXPECT_FLOAT_EQ(v[1], 2.7182817f);

    v = {4.f, 2.25f};
    vtrfRealSqrt_I(v.data(), 2);
    EXPECT_EQ(v, std::vector<float>({2.f, 1.5f}));

    const float afPhase[] = {0.f, 1.5707964f};
    float afSin[2], afCos[2];
    vtrfRealSinCos(afSin, afCos, afPhase, 2);
    EXPECT_FLOAT_EQ(afSin[0], 0.f);
    EXPECT_FLOAT_EQ(afCos[0], 1.f);
    EXPECT_FLOAT_EQ(afSin[1], 1.f);
    EXPECT_NEAR(afCos[1], 0.f, 1e-7f);
}

TEST_F(VecLib, PrincipalArgument)
{
    const float kPi = 3.1415927f;
    const float afIn[] = {0.f, kPi, -kPi, 1.5f * kPi, 5.f * kPi + 0.25f};
    const float afExpected[] = {0.f, kPi, kPi, -0.5f * kPi, -kPi + 0.25f + 2.f * kPi - 2.f * kPi};
    float afOut[5];
    vtrfPrincArg(afOut, afIn, 5);
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(afOut[i], afExpected[i], 2e-6f) << i;
    EXPECT_NEAR(afOut[4], kPi + 0.25f - 2.f * kPi, 1e-5f);
}

TEST_F(VecLib, ComplexMagnitudeAndPhase)
{
    const float afPacked[] = {-3, 5, 3, 4};
    float afAbs[2];
    vtrfCompAbs(afAbs, afPacked, 2);
    EXPECT_EQ(afAbs[0], 3.f);
    EXPECT_EQ(afAbs[1], 5.f);

    const float afPhaseIn[] = {1, 1, 0, -2, 0, 0, -1, 0, 1, 1};
    float afPhase[5];
    vtrfCompPhase(afPhase, afPhaseIn, 5);
    EXPECT_FLOAT_EQ(afPhase[0], 3.1415927f);
    EXPECT_FLOAT_EQ(afPhase[1], 1.5707964f); // re 0, im negative: still +pi/2
    EXPECT_EQ(afPhase[2], 0.f);
    EXPECT_FLOAT_EQ(afPhase[3], 3.1415927f);
    EXPECT_FLOAT_EQ(afPhase[4], 0.7853982f);
}

TEST_F(VecLib, ComplexConjugateTouchesOnlyBinsOneToHalfMinusOne)
{
    std::vector<float> v = {1, 2, 3, 4, 5, 6, 7, 8};
    vtrfCompConj_I(v.data(), 8);
    // Every bin from 1 to n/2 - 1 is conjugated, the last one included; DC and Nyquist stay.
    EXPECT_EQ(v, std::vector<float>({1, 2, 3, -4, 5, -6, 7, -8}));

    std::vector<float> small = {1, 2};
    vtrfCompConj_I(small.data(), 2);
    EXPECT_EQ(small, std::vector<float>({1, 2}));
}

TEST_F(VecLib, ComplexProductsTreatBinZeroAsTwoReals)
{
    std::vector<float> a = {2, 3, 1, 2};
    const std::vector<float> b = {4, 5, 3, -1};
    vtrfCompMul_I(a.data(), b.data(), 2);
    EXPECT_EQ(a, std::vector<float>({8, 15, 5, 5}));

    std::vector<float> acc = {1, 1, 1, 1};
    vtrfCompMac_I(acc.data(), b.data(), b.data(), 2);
    EXPECT_EQ(acc, std::vector<float>({17, 26, 9, -5}));

    std::vector<float> sum = {1, 1, 1, 1};
    vtrfCompAdd_I(sum.data(), b.data(), 2);
    EXPECT_EQ(sum, std::vector<float>({5, 6, 4, 0}));

    std::vector<float> unchanged = b;
    vtrfCompDiv_I(unchanged.data(), a.data(), 2);
    EXPECT_EQ(unchanged, b);
}

TEST_F(VecLib, SplitAndMergeRoundTrip)
{
    const std::vector<float> packed = {10, 99, 1, 2, 3, 4, 5, 6};
    std::vector<float> re(5), im(3), merged(8);
    vtrfCompSplitReIm(re.data(), im.data(), packed.data(), 8);
    EXPECT_EQ(re, std::vector<float>({10, 1, 3, 5, 99}));
    EXPECT_EQ(im, std::vector<float>({2, 4, 6}));
    vtrfCompMergeReIm(merged.data(), re.data(), im.data(), 8);
    EXPECT_EQ(merged, packed);
}

TEST_F(VecLib, MallocAndFree)
{
    float* pf = vtrfMalloc(16);
    ASSERT_NE(pf, nullptr);
    vtrfFree(pf);
    EXPECT_EQ(pf, nullptr);
    vtrfFree(pf); // null is fine
    EXPECT_THROW(vtrfMalloc(-1), std::bad_alloc);
}
