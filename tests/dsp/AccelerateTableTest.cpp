// The accelerated table against the portable one, entry by entry: identical results for
// the element-wise entries, the extremes and the magnitudes, last-bit differences only
// for sums, and the FFT within float rounding of the portable one.

#include "CvtrfFFTAccelerate.h"
#include "CvtrfFFTGen.h"
#include "vtrVecLib.h"
#include "vtrVecLibAccelerate.h"
#include "vtrVecLibGeneric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#ifdef VTR_HAVE_ACCELERATE

namespace
{
// Lengths around the vector width and the four-vector unrolling.
const int kLengths[] = {0, 1, 3, 7, 8, 9, 15, 16, 17, 31, 32, 33, 63, 100, 257};

std::vector<float> randomValues(int n, unsigned iSeed, float fLo = -2.f, float fHi = 2.f)
{
    std::mt19937 rng(iSeed);
    std::uniform_real_distribution<float> dist(fLo, fHi);
    std::vector<float> v(static_cast<size_t>(n) + 1); // never empty, so data() is valid
    for (float& x : v)
        x = dist(rng);
    return v;
}

bool bitwiseEqual(const std::vector<float>& a, const std::vector<float>& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

struct AccelerateTable : ::testing::Test
{
    void SetUp() override
    {
        if (!vtrAccelerateSupported())
            GTEST_SKIP() << "processor without AVX2 and FMA";
    }
};

using Binary = void (*)(float*, const float*, int);
struct BinaryCase
{
    const char* pcName;
    Binary pGeneric;
    Binary pAccelerate;
};

TEST_F(AccelerateTable, ElementWiseEntriesAreIdentical)
{
    const BinaryCase cases[] = {
        {"MaxVec", vtrfRealMaxVec_Generic, vtrfRealMaxVec_Accelerate},
        {"Add", vtrfRealAdd_I_Generic, vtrfRealAdd_I_Accelerate},
        {"Sub", vtrfRealSub_I_Generic, vtrfRealSub_I_Accelerate},
        {"Mul", vtrfRealMul_I_Generic, vtrfRealMul_I_Accelerate},
        {"Div", vtrfRealDiv_I_Generic, vtrfRealDiv_I_Accelerate},
        {"CompAdd", vtrfCompAdd_I_Generic, vtrfCompAdd_I_Accelerate},
        {"CompMul", vtrfCompMul_I_Generic, vtrfCompMul_I_Accelerate},
    };
    for (const BinaryCase& c : cases)
        for (int n : kLengths)
        {
            const std::vector<float> b = randomValues(2 * n, 2);
            std::vector<float> expected = randomValues(2 * n, 1), actual = expected;
            c.pGeneric(expected.data(), b.data(), n);
            c.pAccelerate(actual.data(), b.data(), n);
            EXPECT_TRUE(bitwiseEqual(expected, actual)) << c.pcName << " n=" << n;
        }
}

TEST_F(AccelerateTable, UnaryAndThresholdEntriesAreIdentical)
{
    for (int n : kLengths)
    {
        const std::vector<float> src = randomValues(n, 3);
        std::vector<float> expected = src, actual = src;
        vtrfRealMulC_I_Generic(expected.data(), 0.37f, n);
        vtrfRealMulC_I_Accelerate(actual.data(), 0.37f, n);
        vtrfRealAbs_I_Generic(expected.data(), n);
        vtrfRealAbs_I_Accelerate(actual.data(), n);
        vtrfRealSqrt_I_Generic(expected.data(), n);
        vtrfRealSqrt_I_Accelerate(actual.data(), n);
        vtrfRealLThresh_I_Generic(expected.data(), 0.5f, -1.f, n);
        vtrfRealLThresh_I_Accelerate(actual.data(), 0.5f, -1.f, n);
        vtrfRealHThresh_I_Generic(expected.data(), 1.f, 7.f, n);
        vtrfRealHThresh_I_Accelerate(actual.data(), 1.f, 7.f, n);
        EXPECT_TRUE(bitwiseEqual(expected, actual)) << "n=" << n;

        const std::vector<float> phases = randomValues(n, 4, -20.f, 20.f);
        vtrfPrincArg_Generic(expected.data(), phases.data(), n);
        vtrfPrincArg_Accelerate(actual.data(), phases.data(), n);
        EXPECT_TRUE(bitwiseEqual(expected, actual)) << "PrincArg n=" << n;

        const std::vector<float> a = randomValues(n, 5), b = randomValues(n, 6);
        std::vector<float> accExpected = randomValues(n, 7), accActual = accExpected;
        vtrfRealMac_I_Generic(accExpected.data(), a.data(), b.data(), n);
        vtrfRealMac_I_Accelerate(accActual.data(), a.data(), b.data(), n);
        EXPECT_TRUE(bitwiseEqual(accExpected, accActual)) << "Mac n=" << n;
    }
}

TEST_F(AccelerateTable, ComplexEntriesAreIdenticalInPlaceToo)
{
    for (int iBins : {1, 2, 4, 5, 8, 9, 33, 2048})
    {
        const int n = 2 * iBins;
        const std::vector<float> packed = randomValues(n, 8);
        std::vector<float> expected(packed.size()), actual(packed.size());
        vtrfCompAbs_Generic(expected.data(), packed.data(), iBins);
        vtrfCompAbs_Accelerate(actual.data(), packed.data(), iBins);
        EXPECT_TRUE(bitwiseEqual(expected, actual)) << "Abs bins=" << iBins;

        std::vector<float> inPlace = packed;
        vtrfCompAbs_Accelerate(inPlace.data(), inPlace.data(), iBins);
        EXPECT_EQ(0, std::memcmp(inPlace.data(), expected.data(), sizeof(float) * static_cast<size_t>(iBins))) << "bins=" << iBins;

        std::vector<float> conjExpected = packed, conjActual = packed;
        vtrfCompConj_I_Generic(conjExpected.data(), n);
        vtrfCompConj_I_Accelerate(conjActual.data(), n);
        EXPECT_TRUE(bitwiseEqual(conjExpected, conjActual)) << "Conj bins=" << iBins;

        const std::vector<float> b = randomValues(n, 9);
        std::vector<float> macExpected = randomValues(n, 10), macActual = macExpected;
        vtrfCompMac_I_Generic(macExpected.data(), packed.data(), b.data(), iBins);
        vtrfCompMac_I_Accelerate(macActual.data(), packed.data(), b.data(), iBins);
        EXPECT_TRUE(bitwiseEqual(macExpected, macActual)) << "Mac bins=" << iBins;
    }
}

TEST_F(AccelerateTable, ExtremesMatchThePortableScan)
{
    const float kNaN = std::numeric_limits<float>::quiet_NaN();
    const std::vector<std::vector<float>> cases = {
        {},
        {3.f, 7.f, 7.f, 1.f},
        {-2e37f, -3e37f},
        {kNaN, 1.f, kNaN, 5.f, 5.f, 2.f, 0.f, 0.f, 9.f, kNaN, 9.f},
        {-0.f, 0.f, -0.f, -1.f, -5.f, -1.f, -3.f, -2.f, -8.f, 0.f},
        randomValues(100, 11),
        std::vector<float>(37, 1.f),
    };
    for (const std::vector<float>& v : cases)
    {
        const int n = static_cast<int>(v.size());
        float fExpected = 0.f, fActual = 0.f;
        int iExpected = -1, iActual = -1;
        vtrfRealFindMax_Generic(v.data(), &fExpected, &iExpected, n);
        vtrfRealFindMax_Accelerate(v.data(), &fActual, &iActual, n);
        EXPECT_EQ(iExpected, iActual) << "max n=" << n;
        EXPECT_EQ(0, std::memcmp(&fExpected, &fActual, sizeof(float))) << "max n=" << n;
        vtrfRealFindMin_Generic(v.data(), &fExpected, &iExpected, n);
        vtrfRealFindMin_Accelerate(v.data(), &fActual, &iActual, n);
        EXPECT_EQ(iExpected, iActual) << "min n=" << n;
        EXPECT_EQ(0, std::memcmp(&fExpected, &fActual, sizeof(float))) << "min n=" << n;
    }
}

TEST_F(AccelerateTable, SumsDifferOnlyInTheLastBits)
{
    for (int n : kLengths)
    {
        const std::vector<float> a = randomValues(n, 12, 0.f, 1.f), b = randomValues(n, 13, 0.f, 1.f);
        float fExpected = 0.f, fActual = 0.f;
        const float fTolerance = 1e-6f * static_cast<float>(n + 1);
        vtrfRealDotProduct_Generic(a.data(), b.data(), &fExpected, n);
        vtrfRealDotProduct_Accelerate(a.data(), b.data(), &fActual, n);
        EXPECT_NEAR(fExpected, fActual, fTolerance) << "dot n=" << n;
        vtrfRealCalcRMS_Generic(a.data(), &fExpected, n);
        vtrfRealCalcRMS_Accelerate(a.data(), &fActual, n);
        EXPECT_TRUE(n == 0 ? std::isnan(fActual) : std::fabs(fExpected - fActual) <= fTolerance) << "rms n=" << n;
        vtrfRealCalcMean_Generic(a.data(), &fExpected, n);
        vtrfRealCalcMean_Accelerate(a.data(), &fActual, n);
        EXPECT_TRUE(n == 0 ? std::isnan(fActual) : std::fabs(fExpected - fActual) <= fTolerance) << "mean n=" << n;
        vtrfRealCalcStd_Generic(a.data(), &fExpected, n);
        vtrfRealCalcStd_Accelerate(a.data(), &fActual, n);
        EXPECT_TRUE(n == 1 ? std::isnan(fActual) : std::fabs(fExpected - fActual) <= fTolerance) << "std n=" << n;
    }
    const float kDeviationCase[] = {2.f, 4.f, 4.f, 4.f, 5.f, 5.f, 7.f, 9.f};
    float fStd = 0.f;
    vtrfRealCalcStd_Accelerate(kDeviationCase, &fStd, 8);
    EXPECT_NEAR(fStd, 2.138f, 1e-3f);
}

TEST_F(AccelerateTable, FFTMatchesThePortableFFT)
{
    for (int iBlock : {4, 8, 16, 32, 64, 128, 1024, 4096, 16384})
        for (int iPad : {1, 2})
            for (_Fft_Windows_ eWindow : {kWindowNone, kWindowHann})
            {
                CvtrfFFT_If* pGeneric = nullptr;
                CvtrfFFT_If* pAccelerate = nullptr;
                ASSERT_EQ(0, vtrfFFTCreateInstance_Generic(pGeneric, iBlock, iPad, eWindow));
                ASSERT_EQ(0, vtrfFFTCreateInstance_Accelerate(pAccelerate, iBlock, iPad, eWindow));
                const int n = iBlock * iPad;
                const std::vector<float> x = randomValues(iBlock, static_cast<unsigned>(n), -1.f, 1.f);
                std::vector<float> expected(static_cast<size_t>(n)), actual(static_cast<size_t>(n));
                pGeneric->vtrfFFT(expected.data(), x.data());
                pAccelerate->vtrfFFT(actual.data(), x.data());
                // Errors grow with the transform's magnitude, about sqrt(n) for these blocks.
                const float fTolerance = 2e-6f * static_cast<float>(n) / std::sqrt(static_cast<float>(n)) * std::log2(static_cast<float>(n));
                for (int i = 0; i < n; ++i)
                    ASSERT_NEAR(expected[static_cast<size_t>(i)], actual[static_cast<size_t>(i)], fTolerance)
                        << "block " << iBlock << " pad " << iPad << " index " << i;

                std::vector<float> inverseExpected(static_cast<size_t>(iBlock)), inverseActual = actual;
                pGeneric->vtrfIFFT(inverseExpected.data(), expected.data());
                pAccelerate->vtrfIFFT(inverseActual.data(), inverseActual.data()); // in place
                for (int i = 0; i < iBlock; ++i)
                    ASSERT_NEAR(inverseExpected[static_cast<size_t>(i)], inverseActual[static_cast<size_t>(i)], fTolerance * std::sqrt(static_cast<float>(n)))
                        << "inverse block " << iBlock << " pad " << iPad << " index " << i;

                EXPECT_EQ(CvtrfFFT_If::kInvalidFunctionArgumentError, vtrfFFTDestroyInstance_Accelerate(pGeneric));
                EXPECT_EQ(0, vtrfFFTDestroyInstance_Generic(pGeneric));
                EXPECT_EQ(0, vtrfFFTDestroyInstance_Accelerate(pAccelerate));
                EXPECT_EQ(nullptr, pAccelerate);
            }
}

TEST_F(AccelerateTable, DispatcherInstallsItAutomatically)
{
    vtrVecLibDispatcherClear();
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    EXPECT_EQ(vtrVecLibGetCPUType(), kUsedCPUExtensionAccelerate);
    EXPECT_EQ(vtrfRealDotProduct, vtrfRealDotProduct_Accelerate);
    EXPECT_EQ(vtrfFFTCreateInstance, vtrfFFTCreateInstance_Accelerate);
    EXPECT_EQ(vtrfRealAddC_I, vtrfRealAddC_I_Generic);
    EXPECT_EQ(vtrReIdx, vtrReIdxInterleaved); // the layout stays interleaved
    vtrVecLibDispatcher(kUsedCPUExtensionGeneric);
    EXPECT_EQ(vtrVecLibGetCPUType(), kUsedCPUExtensionGeneric);
    EXPECT_EQ(vtrfRealDotProduct, vtrfRealDotProduct_Generic);
    EXPECT_EQ(vtrfFFTCreateInstance, vtrfFFTCreateInstance_Generic);
}
}

#endif
