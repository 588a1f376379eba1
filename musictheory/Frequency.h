#pragma once

#include "FrequencyRatio.h"

namespace vantor
{
namespace MusicTheory
{
/// A frequency in hertz; 0 by default.
class Frequency
{
public:
    constexpr Frequency() : m_dHz(0.0) {}
    constexpr Frequency(double dHz) : m_dHz(dHz) {}

    static Frequency fromHz(double dHz);
    static Frequency fromRadiansPerSecond(double dRadiansPerSecond);
    static Frequency fromPeriodInSeconds(double dSeconds);

    constexpr operator double() const { return m_dHz; }
    double inHz() const;
    double inRadiansPerSecond() const;
    double getPeriodInSeconds() const;

    Frequency operator*(double dFactor) const;
    Frequency operator/(double dDivisor) const;
    /// Transposed up or down by the ratio.
    Frequency operator+(const FrequencyRatio& ratio) const;
    Frequency operator-(const FrequencyRatio& ratio) const;
    FrequencyRatio operator/(const Frequency& other) const;

private:
    double m_dHz;
};

inline namespace Literals
{
Frequency operator""_Hz(long double dHz);
Frequency operator""_Hz(unsigned long long lHz);
}
}
}
