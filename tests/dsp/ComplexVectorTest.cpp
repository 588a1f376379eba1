#include "ComplexVector.h"
#include "CvtrfFFT_If.h"
#include "Vector.h"
#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>
#include <new>
#include <vector>

namespace
{
using cf = std::complex<float>;
constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

Vector<float> floats(const std::vector<float>& values)
{
    Vector<float> v(static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        v[static_cast<int>(i)] = values[i];
    return v;
}

ComplexVector complexes(const std::vector<cf>& values)
{
    ComplexVector c(static_cast<int>(values.size()));
    for (size_t i = 0; i < values.size(); ++i)
        c[static_cast<int>(i)] = values[i];
    return c;
}

void expectNear(cf actual, cf expected, float fTolerance = 1e-6f)
{
    EXPECT_NEAR(actual.real(), expected.real(), fTolerance);
    EXPECT_NEAR(actual.imag(), expected.imag(), fTolerance);
}
}

TEST(ComplexVector, AllocationLimits)
{
    ComplexVector c;
    c.allocate(0);
    EXPECT_EQ(c.size(), 0);
    EXPECT_EQ(c.getRealPointer(), nullptr);

    c.allocate(4);
    ASSERT_EQ(c.size(), 4);
    EXPECT_EQ(c.getImagPointer(), c.getRealPointer() + 4);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(static_cast<cf>(c[k]), cf(0.f, 0.f));

    EXPECT_EQ(ComplexVector::getMaxSize(), 268435454);
    for (int iBad : {-1, 268435454, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()})
    {
        EXPECT_THROW(c.allocate(iBad), std::bad_alloc) << iBad;
        EXPECT_EQ(c.size(), 0);
        EXPECT_EQ(c.getRealPointer(), nullptr);
        EXPECT_EQ(c.getImagPointer(), nullptr);
    }
}

TEST(ComplexVector, ObjectsAndStorageComeFromTheAllocator)
{
    const int64_t iBefore = vtrAllocator::getNumOfBytesAllocated();
    ComplexVector* p = new ComplexVector(8);
    EXPECT_GE(vtrAllocator::getNumOfBytesAllocated() - iBefore,
              static_cast<int64_t>(sizeof(ComplexVector) + 16 * sizeof(float)));
    delete p;
}

TEST(ComplexVector, CopiesAndSectionsAreViews)
{
    ComplexVector source = complexes({{1, 2}, {3, 4}, {5, 6}, {7, 8}});
    {
        ComplexVector view(source);
        source[1] = cf(30, 40);
        EXPECT_EQ(static_cast<cf>(view[1]), cf(30, 40));
        ComplexVector::Section section = source.getSection(2, 2);
        EXPECT_EQ(section.size(), 2);
        EXPECT_EQ(static_cast<cf>(section.first()), cf(5, 6));
        section.last() = cf(70, 80);
    }
    EXPECT_EQ(static_cast<cf>(source.last()), cf(70, 80)); // still valid after the views died
    EXPECT_EQ(static_cast<cf>(source[0]), cf(1, 2));

    ComplexVector moved(std::move(source));
    EXPECT_EQ(source.size(), 0);
    EXPECT_EQ(static_cast<cf>(moved[3]), cf(70, 80));
}

TEST(ComplexVector, CopiesBetweenRepresentations)
{
    ComplexVector c = complexes({{1, -1}, {2, -2}, {3, -3}});
    Vector<float> re(2), im(5);
    c.copyRealPartsTo(re);
    c.copyImagPartsTo(im);
    EXPECT_EQ(re[1], 2.f);
    EXPECT_EQ(im[2], -3.f);
    EXPECT_EQ(im[3], 0.f); // only min(sizes) copied

    c.setRealAndImagParts(floats({10, 20, 30, 40}), floats({-10}));
    EXPECT_EQ(static_cast<cf>(c[0]), cf(10, -10));
    EXPECT_EQ(static_cast<cf>(c[2]), cf(30, -3));

    Vector<float> interleaved(6);
    c.copyInterleavedFormatTo(interleaved);
    EXPECT_EQ(interleaved[4], 30.f);
    EXPECT_EQ(interleaved[5], -3.f);

    // A short destination takes whole pairs only, never more than it holds.
    Vector<float> guard(4);
    Vector<float>::Section shortDest(guard, 0, 3);
    c.copyInterleavedFormatTo(shortDest);
    EXPECT_EQ(guard[2], 0.f);
    EXPECT_EQ(guard[1], -10.f);

    ComplexVector d(3);
    d.copyInterleavedFormatFrom(floats({1, 2, 3}));
    EXPECT_EQ(static_cast<cf>(d[0]), cf(1, 2));
    EXPECT_EQ(static_cast<cf>(d[1]), cf(0, 0));
    d.copyFrom(c);
    EXPECT_EQ(static_cast<cf>(d[2]), cf(30, -3));
}

TEST(ComplexVector, FftOutputCopyFollowsTheActiveLayout)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    CvtrfFFT_If* pFft = nullptr;
    ASSERT_EQ(vtrfFFTCreateInstance(pFft, 8, 1, kWindowNone), 0);
    const std::vector<float> x = {1, 2, 0, -1, 3, 0, 0, 1};
    std::vector<float> spectrum(8);
    pFft->vtrfFFT(spectrum.data(), x.data());
    vtrfFFTDestroyInstance(pFft);

    ComplexVector bins(5);
    bins.copyFftOutputFrom(spectrum.data(), 8);
    EXPECT_EQ(bins[0].real(), spectrum[0]);
    EXPECT_EQ(bins[4].real(), spectrum[1]); // Nyquist
    EXPECT_EQ(bins[0].imag(), 0.f);
    EXPECT_EQ(bins[4].imag(), 0.f);
    for (int k = 1; k < 4; ++k)
        EXPECT_EQ(static_cast<cf>(bins[k]), cf(spectrum[2 * k], spectrum[2 * k + 1])) << k;

    std::vector<float> back(8, 99.f);
    bins.copyIfftInputTo(back.data(), 8);
    EXPECT_EQ(back, spectrum);

    // Under the split layout the same calls read reals first, then imaginary parts.
    vtrReIdx = vtrReIdxSeparate;
    vtrImIdx = vtrImIdxSeparate;
    const std::vector<float> split = {10, 11, 12, 13, 14, 21, 22, 23};
    bins.copyFftOutputFrom(split.data(), 8);
    std::vector<float> splitBack(8, 99.f);
    bins.copyIfftInputTo(splitBack.data(), 8);
    vtrReIdx = vtrReIdxInterleaved;
    vtrImIdx = vtrImIdxInterleaved;
    EXPECT_EQ(static_cast<cf>(bins[0]), cf(10, 0));
    EXPECT_EQ(static_cast<cf>(bins[2]), cf(12, 22));
    EXPECT_EQ(static_cast<cf>(bins[4]), cf(14, 0));
    EXPECT_EQ(splitBack, split);
}

TEST(ComplexVector, ElementWiseArithmetic)
{
    ComplexVector a = complexes({{1, 2}, {3, -1}, {0, 1}});
    a.multiply(complexes({{2, 1}, {0, 1}}));
    expectNear(a[0], {0, 5});
    expectNear(a[1], {1, 3});
    expectNear(a[2], {0, 1}); // beyond the shorter operand: unchanged

    a.divide(complexes({{2, 1}, {0, 1}, {0, 2}}));
    expectNear(a[0], {1, 2});
    expectNear(a[1], {3, -1});
    expectNear(a[2], {0.5f, 0});

    a.add(complexes({{1, 1}, {1, 1}, {1, 1}}));
    a.subtract(complexes({{0, 2}}));
    expectNear(a[0], {2, 1});
    expectNear(a[1], {4, 0});

    a.multiply(2.f);
    a.divide(4.f);
    expectNear(a[0], {1, 0.5f});
    a.multiply(floats({2, 10}));
    a.divide(floats({1, 5, 0.5f}));
    expectNear(a[0], {2, 1});
    expectNear(a[1], {4, 0});
    expectNear(a[2], {1.5f, 1});
}

TEST(ComplexVector, SpecialValuesOfComplexProductAndQuotient)
{
    struct Case { cf a, b; bool bProduct; cf expected; const char* what; };
    const Case cases[] = {
        {{kInf, kNaN}, {1, 0}, true, {kInf, kNaN}, "infinite times finite stays infinite"},
        {{kInf, 0}, {0, 1}, true, {kNaN, kInf}, "infinity rotated"},
        {{1e30f, 1e30f}, {1e30f, 1e30f}, false, {1, 0}, "scaled: no overflow in the divisor's norm"},
        {{1e-30f, 2e-30f}, {1e-30f, 0}, false, {1, 2}, "scaled: no underflow"},
        {{1, 1}, {0, 0}, false, {kInf, kInf}, "finite over zero is infinite"},
        {{kInf, 1}, {1, 1}, false, {kInf, kNaN}, "infinite over finite is infinite"},
        {{1, 1}, {kInf, 0}, false, {0, 0}, "finite over infinite is zero"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        ComplexVector x = complexes({c.a});
        if (c.bProduct)
            x.multiply(complexes({c.b}));
        else
            x.divide(complexes({c.b}));
        const cf r = x[0];
        for (auto [fActual, fExpected] : {std::pair{r.real(), c.expected.real()}, std::pair{r.imag(), c.expected.imag()}})
        {
            if (std::isnan(fExpected))
                continue; // only the infinite / finite part is specified
            if (std::isinf(fExpected))
                EXPECT_TRUE(std::isinf(fActual)) << fActual;
            else
                EXPECT_NEAR(fActual, fExpected, 1e-6f);
        }
    }
}

TEST(ComplexVector, MagnitudesAndPhases)
{
    ComplexVector c = complexes({{3, 4}, {0, -2}, {0, 0}});
    Vector<float> abs(3), phase(3);
    c.calcAbs(abs);
    c.calcPhases(phase);
    EXPECT_FLOAT_EQ(abs[0], 5.f);
    EXPECT_FLOAT_EQ(abs[1], 2.f);
    EXPECT_FLOAT_EQ(phase[1], -1.5707964f);
    EXPECT_EQ(phase[2], 0.f);

    c.setMagnitude(10.f);
    expectNear(c[0], {6, 8}, 1e-5f);
    expectNear(c[1], {0, -10}, 1e-5f);
    expectNear(c[2], {10, 0}); // a zero element takes phase 0

    c.setPhase(1.5707964f);
    expectNear(c[0], {0, 10}, 1e-5f);
    c.addPhaseOffset(1.5707964f);
    expectNear(c[0], {-10, 0}, 1e-5f);

    c.setMagnitudeAndPhase(floats({2, 3}), floats({0, 3.1415927f, 1}));
    expectNear(c[0], {2, 0});
    expectNear(c[1], {-3, 0}, 1e-5f);
    expectNear(c[2], {-10, 0}, 1e-5f); // beyond the shorter input: unchanged
}

TEST(ComplexVector, DotProduct)
{
    const ComplexVector c = complexes({{1, 2}, {3, -1}});
    EXPECT_EQ(c.dotProduct(floats({2, 1})), cf(5, 3));
    EXPECT_EQ(c.dotProduct(floats({2})), cf(2, 4));
    EXPECT_EQ(c.dotProduct(floats({2, 1, 100})), cf(5, 3));
    EXPECT_EQ(ComplexVector().dotProduct(floats({2})), cf(0, 0));
}

TEST(ComplexVector, FillWithExponential)
{
    ComplexVector c(4);
    c.fillWithExponential(1.5707964f, 0.f);
    expectNear(c[0], {1, 0});
    expectNear(c[1], {0, 1});
    expectNear(c[2], {-1, 0});
    expectNear(c[3], {0, -1});

    // Each argument is k·a + b in single precision, not an accumulated sum.
    ComplexVector d(1000);
    d.fillWithExponential(0.01f, 0.5f);
    const float fArgument = 999.f * 0.01f + 0.5f;
    EXPECT_EQ(static_cast<cf>(d[999]), cf(std::cos(fArgument), std::sin(fArgument)));
}

TEST(ComplexVector, ShiftLeftAndInsert)
{
    ComplexVector c = complexes({{1, -1}, {2, -2}, {3, -3}});
    c.shiftLeftAndInsert({9, -9});
    EXPECT_EQ(static_cast<cf>(c[0]), cf(2, -2));
    EXPECT_EQ(static_cast<cf>(c[1]), cf(3, -3));
    EXPECT_EQ(static_cast<cf>(c[2]), cf(9, -9));

    ComplexVector empty;
    empty.shiftLeftAndInsert({1, 1}); // nothing to shift into
    EXPECT_EQ(empty.size(), 0);
}
