#include "vtrRealFFT.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace
{
constexpr double kPi = 3.14159265358979323846;

/// The kernel's work arrays, sized as the FFT wrapper sizes them.
struct Tables
{
    explicit Tables(int n) : ip(static_cast<size_t>(std::sqrt(n / 2.0)) + 2, 0), w(5 * n / 4 + 1, 0.f) {}
    std::vector<int> ip;
    std::vector<float> w;
};

/// Y[k] = sum x[j]·e^{+2πijk/n} for all k, direct for short lengths.
std::vector<std::complex<double>> directDft(const std::vector<float>& x)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> roots(n);
    for (size_t i = 0; i < n; ++i)
        roots[i] = std::polar(1.0, 2.0 * kPi * static_cast<double>(i) / static_cast<double>(n));
    std::vector<std::complex<double>> y(n);
    for (size_t k = 0; k < n; ++k)
        for (size_t j = 0; j < n; ++j)
            y[k] += static_cast<double>(x[j]) * roots[(j * k) % n];
    return y;
}

/// The same by recursive radix-2 in double precision, for the longer lengths.
void recursiveFft(std::vector<std::complex<double>>& a)
{
    const size_t n = a.size();
    if (n == 1)
        return;
    std::vector<std::complex<double>> even(n / 2), odd(n / 2);
    for (size_t i = 0; i < n / 2; ++i)
    {
        even[i] = a[2 * i];
        odd[i] = a[2 * i + 1];
    }
    recursiveFft(even);
    recursiveFft(odd);
    for (size_t k = 0; k < n / 2; ++k)
    {
        const std::complex<double> t =
            std::polar(1.0, 2.0 * kPi * static_cast<double>(k) / static_cast<double>(n)) * odd[k];
        a[k] = even[k] + t;
        a[k + n / 2] = even[k] - t;
    }
}

/// The reference spectrum in the kernel's packing.
std::vector<double> referencePacked(const std::vector<float>& x)
{
    const size_t n = x.size();
    std::vector<std::complex<double>> y;
    if (n <= 1024)
        y = directDft(x);
    else
    {
        y.assign(x.begin(), x.end());
        recursiveFft(y);
    }
    std::vector<double> packed(n);
    packed[0] = y[0].real();
    packed[1] = y[n / 2].real();
    for (size_t k = 1; k < n / 2; ++k)
    {
        packed[2 * k] = y[k].real();
        packed[2 * k + 1] = y[k].imag();
    }
    return packed;
}

double relativeRmsError(const std::vector<float>& actual, const std::vector<double>& expected)
{
    double dError = 0.0, dEnergy = 0.0;
    for (size_t i = 0; i < actual.size(); ++i)
    {
        dError += (actual[i] - expected[i]) * (actual[i] - expected[i]);
        dEnergy += expected[i] * expected[i];
    }
    return std::sqrt(dError / dEnergy);
}

std::vector<float> randomSignal(int n, unsigned iSeed)
{
    std::mt19937 rng(iSeed);
    std::uniform_real_distribution<float> dist(-1.f, 1.f);
    std::vector<float> x(static_cast<size_t>(n));
    for (float& v : x)
        v = dist(rng);
    return x;
}
}

TEST(RealFFT, ForwardAndRoundTripMatchDoublePrecisionForAllLengths)
{
    for (int n = 4; n <= 16384; n *= 2)
    {
        SCOPED_TRACE(n);
        const std::vector<float> x = randomSignal(n, static_cast<unsigned>(n));
        Tables t(n);
        std::vector<float> a = x;
        rdft(n, 1, a.data(), t.ip.data(), t.w.data());
        EXPECT_LT(relativeRmsError(a, referencePacked(x)), 1e-5);

        rdft(n, -1, a.data(), t.ip.data(), t.w.data());
        std::vector<double> scaled(x.begin(), x.end());
        for (double& v : scaled)
            v *= n / 2.0;
        EXPECT_LT(relativeRmsError(a, scaled), 1e-5);
    }
}

TEST(RealFFT, EightPointImpulse)
{
    Tables t(8);
    std::vector<float> a = {1, 0, 0, 0, 0, 0, 0, 0};
    rdft(8, 1, a.data(), t.ip.data(), t.w.data());
    const std::vector<float> expected = {1, 1, 1, 0, 1, 0, 1, 0};
    for (int i = 0; i < 8; ++i)
        EXPECT_NEAR(a[i], expected[i], 1e-6f) << i;
}

TEST(RealFFT, InverseFollowsItsFormula)
{
    // a[k] = (R0 + Rn/2·cos πk)/2 + sum (R[j]·cos + I[j]·sin), on an arbitrary spectrum.
    const int n = 16;
    const std::vector<float> spectrum = randomSignal(n, 7);
    std::vector<double> expected(n);
    for (int k = 0; k < n; ++k)
    {
        double v = 0.5 * (spectrum[0] + spectrum[1] * std::cos(kPi * k));
        for (int j = 1; j < n / 2; ++j)
        {
            const double dAngle = 2.0 * kPi * j * k / n;
            v += spectrum[2 * j] * std::cos(dAngle) + spectrum[2 * j + 1] * std::sin(dAngle);
        }
        expected[k] = v;
    }
    Tables t(n);
    std::vector<float> a = spectrum;
    rdft(n, -1, a.data(), t.ip.data(), t.w.data());
    EXPECT_LT(relativeRmsError(a, expected), 1e-6);
}

TEST(RealFFT, ShorterLengthsReuseTablesBuiltForALongerOne)
{
    Tables shared(4096);
    std::vector<float> big = randomSignal(4096, 1);
    rdft(4096, 1, big.data(), shared.ip.data(), shared.w.data());
    for (int n : {4, 8, 32, 256, 2048})
    {
        SCOPED_TRACE(n);
        const std::vector<float> x = randomSignal(n, 2);
        std::vector<float> a = x;
        rdft(n, 1, a.data(), shared.ip.data(), shared.w.data());
        EXPECT_LT(relativeRmsError(a, referencePacked(x)), 1e-5);
    }
}
