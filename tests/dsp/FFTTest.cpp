#include "CvtrfFFTGen.h"
#include "CvtrfFFT_If.h"
#include "vtrAllocator.h"
#include "vtrAllocatorIf.h"
#include "vtrVecLib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <new>
#include <random>
#include <vector>

namespace
{
constexpr int kInvalid = 5000003;
constexpr double kPi = 3.14159265358979323846;

/// Owns an FFT made through the table and destroys it through the table.
struct Fft
{
    Fft(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
    {
        vtrVecLibDispatcher(kUsedCPUExtensionAuto);
        iResult = vtrfFFTCreateInstance(p, iBlockLength, iZeroPadFactor, eWindow);
    }
    ~Fft()
    {
        if (p != nullptr)
            vtrfFFTDestroyInstance(p);
    }
    std::vector<float> window() const
    {
        std::vector<float> w(static_cast<size_t>(p->getBlockLength()));
        p->vtrfGetWindow(w.data());
        return w;
    }
    CvtrfFFT_If* p = nullptr;
    int iResult = -1;
};

/// Another implementation, for the destroyer's class check.
class CForeignFFT : public CvtrfFFT_If
{
public:
    CForeignFFT() : CvtrfFFT_If(4, 1, kWindowNone) {}
    int vtrfFFT(float*, const float*) override { return 0; }
    int vtrfIFFT(float*, const float*) override { return 0; }
    int BuildFFTTables() override { return 0; }
    void FreeFFTTables() override {}
    int Init() override { return 0; }
};

std::vector<float> randomBlock(int n)
{
    std::mt19937 rng(static_cast<unsigned>(n));
    std::uniform_real_distribution<float> dist(-1.f, 1.f);
    std::vector<float> x(static_cast<size_t>(n));
    for (float& v : x)
        v = dist(rng);
    return x;
}

int g_iOutstanding = 0;
int g_iCallsUntilFailure = 0;
void* failingAfterMalloc(uint64_t iSize, vtrAlloc::MemoryAlignment_t eAlignment)
{
    if (g_iCallsUntilFailure-- == 0)
        return nullptr;
    ++g_iOutstanding;
    return vtrAllocator::defaultMalloc(iSize, eAlignment);
}
void countingFree(void* pMemory)
{
    if (pMemory != nullptr)
        --g_iOutstanding;
    vtrAllocator::defaultFree(pMemory);
}
}

TEST(FFTFactory, LengthsOfAValidInstance)
{
    Fft fft(4096, 2, kWindowHann);
    ASSERT_EQ(fft.iResult, 0);
    ASSERT_NE(fft.p, nullptr);
    EXPECT_EQ(fft.p->getFFTLength(), 8192);
    EXPECT_EQ(fft.p->getBlockLength(), 4096);
    EXPECT_EQ(fft.p->vtrfGetWindow(nullptr), 4096);
}

TEST(FFTFactory, RejectsBadLengthsWithANullPointer)
{
    struct Case { int iBlockLength, iFactor; };
    const Case cases[] = {{6, 1}, {0, 1}, {1000, 1}, {4096, 3}, {4096, 0}, {-4, 1}, {2, 1}, {4, -2}, {1 << 20, 1 << 12}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.iBlockLength << " x " << c.iFactor);
        CvtrfFFT_If* p = reinterpret_cast<CvtrfFFT_If*>(&g_iOutstanding); // must be overwritten
        EXPECT_EQ(vtrfFFTCreateInstance(p, c.iBlockLength, c.iFactor, kWindowNone), kInvalid);
        EXPECT_EQ(p, nullptr);
    }
}

TEST(FFTFactory, DestroyTwiceAndForeignClass)
{
    Fft fft(16, 1, kWindowNone);
    EXPECT_EQ(vtrfFFTDestroyInstance(fft.p), 0);
    EXPECT_EQ(fft.p, nullptr);
    EXPECT_EQ(vtrfFFTDestroyInstance(fft.p), kInvalid);

    CvtrfFFT_If* pForeign = new CForeignFFT;
    CvtrfFFT_If* pSame = pForeign;
    EXPECT_EQ(vtrfFFTDestroyInstance(pForeign), kInvalid);
    EXPECT_EQ(pForeign, pSame);
    delete pForeign;
}

TEST(FFTFactory, AllocationFailureThrowsAndLeavesNothing)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    // The object, the window, the work area, the table, the scratch array.
    for (int iFailAt = 0; iFailAt < 5; ++iFailAt)
    {
        SCOPED_TRACE(iFailAt);
        g_iOutstanding = 0;
        g_iCallsUntilFailure = iFailAt;
        vtrAllocatorIf::setCustomAllocator(failingAfterMalloc);
        vtrAllocatorIf::setCustomDeallocator(countingFree);
        CvtrfFFT_If* p = nullptr;
        EXPECT_THROW(vtrfFFTCreateInstance(p, 64, 2, kWindowHann), std::bad_alloc);
        vtrAllocatorIf::setCustomAllocator(vtrAllocator::defaultMalloc);
        vtrAllocatorIf::setCustomDeallocator(vtrAllocator::defaultFree);
        EXPECT_EQ(p, nullptr);
        EXPECT_EQ(g_iOutstanding, 0);
    }
}

TEST(FFTTransform, ImpulseGivesFlatRealSpectrum)
{
    for (int n : {8, 64, 4096})
    {
        SCOPED_TRACE(n);
        Fft fft(n, 1, kWindowNone);
        std::vector<float> x(static_cast<size_t>(n), 0.f), spectrum(static_cast<size_t>(n));
        x[0] = 1.f;
        ASSERT_EQ(fft.p->vtrfFFT(spectrum.data(), x.data()), 0);
        for (int k = 0; k < n / 2; ++k)
        {
            EXPECT_NEAR(spectrum[vtrReIdx(k, n / 2)], 1.f, 1e-6f) << k;
            if (k > 0)
            {
                EXPECT_NEAR(spectrum[vtrImIdx(k, n / 2)], 0.f, 1e-6f) << k;
            }
        }
        EXPECT_NEAR(spectrum[vtrImIdx(0, n / 2)], 1.f, 1e-6f); // Nyquist
    }
}

TEST(FFTTransform, CosineAndSineLandInTheirBinWithPositiveSineSign)
{
    const int n = 64;
    Fft fft(n, 1, kWindowNone);
    std::vector<float> x(n), spectrum(n);
    for (int j = 0; j < n; ++j)
        x[j] = static_cast<float>(std::cos(2.0 * kPi * 4 * j / n) + std::sin(2.0 * kPi * 3 * j / n));
    fft.p->vtrfFFT(spectrum.data(), x.data());
    for (int i = 0; i < n; ++i)
    {
        float fExpected = 0.f;
        if (i == vtrReIdx(4, n / 2))
            fExpected = n / 2.f;
        if (i == vtrImIdx(3, n / 2))
            fExpected = n / 2.f;
        EXPECT_NEAR(spectrum[i], fExpected, 1e-4f) << i;
    }
}

TEST(FFTTransform, InverseReturnsNTimesTheWindowedBlock)
{
    struct Case { int iBlockLength, iFactor; _Fft_Windows_ eWindow; };
    const Case cases[] = {{256, 1, kWindowNone}, {256, 2, kWindowNone}, {4096, 1, kWindowHann}, {128, 4, kWindowBlackman}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.iBlockLength << " x " << c.iFactor << " window " << c.eWindow);
        Fft fft(c.iBlockLength, c.iFactor, c.eWindow);
        const int n = fft.p->getFFTLength();
        const std::vector<float> x = randomBlock(c.iBlockLength);
        const std::vector<float> w = fft.window();
        std::vector<float> spectrum(static_cast<size_t>(n)), back(x.size());
        fft.p->vtrfFFT(spectrum.data(), x.data());
        ASSERT_EQ(fft.p->vtrfIFFT(back.data(), spectrum.data()), 0);
        double dError = 0.0, dEnergy = 0.0;
        for (size_t i = 0; i < x.size(); ++i)
        {
            const double dExpected = static_cast<double>(n) * w[i] * x[i];
            dError += (back[i] - dExpected) * (back[i] - dExpected);
            dEnergy += dExpected * dExpected;
        }
        EXPECT_LT(std::sqrt(dError / dEnergy), 1e-5);
    }
}

TEST(FFTTransform, InPlaceMatchesOutOfPlaceAndPadsWithZeros)
{
    Fft fft(64, 4, kWindowHann);
    const std::vector<float> x = randomBlock(64);
    std::vector<float> outOfPlace(256, 99.f), inPlace(256, 99.f);
    std::copy(x.begin(), x.end(), inPlace.begin());
    fft.p->vtrfFFT(outOfPlace.data(), x.data());
    fft.p->vtrfFFT(inPlace.data(), inPlace.data());
    EXPECT_EQ(outOfPlace, inPlace);
    // DC is the plain sum of the windowed block: the padding entered as zeros.
    const std::vector<float> w = fft.window();
    double dSum = 0.0;
    for (int i = 0; i < 64; ++i)
        dSum += w[i] * x[i];
    EXPECT_NEAR(outOfPlace[0], dSum, 1e-4);
}

TEST(FFTTransform, TransformsAllocateNothing)
{
    Fft fft(4096, 1, kWindowHann);
    std::vector<float> x = randomBlock(4096), spectrum(4096);
    const int64_t iBefore = vtrAllocator::getNumOfBytesAllocated();
    fft.p->vtrfFFT(spectrum.data(), x.data()); // first call builds the kernel tables
    fft.p->vtrfIFFT(x.data(), spectrum.data());
    fft.p->vtrfFFT(spectrum.data(), x.data());
    EXPECT_EQ(vtrAllocator::getNumOfBytesAllocated(), iBefore);
}

TEST(FFTTransform, NullArraysAreRejected)
{
    Fft fft(16, 1, kWindowNone);
    std::vector<float> a(16);
    EXPECT_EQ(fft.p->vtrfFFT(nullptr, a.data()), kInvalid);
    EXPECT_EQ(fft.p->vtrfIFFT(a.data(), nullptr), kInvalid);
}

TEST(FFTWindow, ValuesOfEachType)
{
    const float h7 = 1.f / 7.f;
    struct Case { _Fft_Windows_ eWindow; int n; std::vector<float> values; };
    const Case cases[] = {
        {kWindowNone, 4, {1, 1, 1, 1}},
        {kWindowSine, 4, {0.5877853f, 0.9510565f, 0.9510565f, 0.5877853f}},
        {kWindowHann, 4, {0.3454915f, 0.9045085f, 0.9045085f, 0.3454915f}},
        {kWindowHamming, 4, {0.08f, 0.77f, 0.77f, 0.08f}},
        {kWindowBlackman, 4, {0.f, 0.63f, 0.63f, 0.f}},
        {kWindowTriangle, 8, {0, 2 * h7, 4 * h7, 6 * h7, 6 * h7, 4 * h7, 2 * h7, 0}},
        {kWindowTriangleSquared, 8, {0, 4 * h7 * h7, 16 * h7 * h7, 36 * h7 * h7, 36 * h7 * h7, 16 * h7 * h7, 4 * h7 * h7, 0}},
        {kWindowZero, 4, {0, 0, 0, 0}},
        {static_cast<_Fft_Windows_>(9), 4, {0, 0, 0, 0}}, // no formula: stays zero
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.eWindow);
        Fft fft(c.n, 1, c.eWindow);
        const std::vector<float> w = fft.window();
        for (int i = 0; i < c.n; ++i)
            EXPECT_NEAR(w[i], c.values[i], 1e-6f) << i;
    }
}

TEST(FFTWindow, SetWindowIsAppliedAndNullClearsIt)
{
    Fft fft(4, 1, kWindowZero);
    const std::vector<float> custom = {1, 2, 3, 4}, ones = {1, 1, 1, 1};
    fft.p->vtrfSetWindow(custom.data());
    EXPECT_EQ(fft.window(), custom);
    std::vector<float> spectrum(4);
    fft.p->vtrfFFT(spectrum.data(), ones.data());
    EXPECT_FLOAT_EQ(spectrum[0], 10.f); // DC of the windowed block

    fft.p->vtrfSetWindow(nullptr);
    EXPECT_EQ(fft.window(), std::vector<float>(4, 0.f));
}

TEST(FFTWindow, Log2)
{
    struct Case { int iValue, iLog2; };
    const Case cases[] = {{0, -1}, {-8, -1}, {1, 0}, {2, 1}, {3, 2}, {4096, 12}, {4097, 13}, {1 << 30, 30}, {0x7fffffff, 31}};
    for (const Case& c : cases)
        EXPECT_EQ(CvtrfFFT_If::Log2(c.iValue), c.iLog2) << c.iValue;
}
