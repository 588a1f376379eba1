#include "Frequency.h"

#include <cmath>

namespace vantor
{
namespace MusicTheory
{
namespace
{
const double kdLn2 = 0.6931471805599453;
const double kdTwoPi = 6.283185307179586;
const double kdOneOverTwoPi = 0.15915494309189535;
}

Frequency Frequency::fromHz(double dHz)
{
    return Frequency(dHz);
}

Frequency Frequency::fromRadiansPerSecond(double dRadiansPerSecond)
{
    return Frequency(dRadiansPerSecond * kdOneOverTwoPi);
}

Frequency Frequency::fromPeriodInSeconds(double dSeconds)
{
    return Frequency(1.0 / dSeconds);
}

double Frequency::inHz() const
{
    return m_dHz;
}

double Frequency::inRadiansPerSecond() const
{
    return m_dHz * kdTwoPi;
}

double Frequency::getPeriodInSeconds() const
{
    return 1.0 / m_dHz;
}

Frequency Frequency::operator*(double dFactor) const
{
    return Frequency(m_dHz * dFactor);
}

Frequency Frequency::operator/(double dDivisor) const
{
    return Frequency(m_dHz / dDivisor);
}

Frequency Frequency::operator+(const FrequencyRatio& ratio) const
{
    return Frequency(m_dHz * static_cast<double>(ratio));
}

Frequency Frequency::operator-(const FrequencyRatio& ratio) const
{
    return Frequency(m_dHz / static_cast<double>(ratio));
}

FrequencyRatio Frequency::operator/(const Frequency& other) const
{
    return FrequencyRatio::fromOctaves(std::log(m_dHz / other.m_dHz) / kdLn2);
}

inline namespace Literals
{
Frequency operator""_Hz(long double dHz)
{
    return Frequency(static_cast<double>(dHz));
}

Frequency operator""_Hz(unsigned long long lHz)
{
    return Frequency(static_cast<double>(lHz));
}
}
}
}
