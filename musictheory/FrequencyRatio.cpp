#include "FrequencyRatio.h"

#include <cmath>

namespace vantor
{
namespace MusicTheory
{
namespace
{
const double kdLn2 = 0.6931471805599453;
}

double FrequencyRatio::inOctaves() const
{
    return std::log(m_dRatio) / kdLn2;
}

double FrequencyRatio::inSemitones() const
{
    return inOctaves() * 12.0;
}

double FrequencyRatio::inCents() const
{
    return inOctaves() * 1200.0;
}

FrequencyRatio FrequencyRatio::fromOctaves(double dOctaves)
{
    return FrequencyRatio(std::exp2(dOctaves));
}

FrequencyRatio FrequencyRatio::fromSemitones(double dSemitones)
{
    return FrequencyRatio(std::exp2(dSemitones / 12.0));
}

FrequencyRatio FrequencyRatio::fromCents(double dCents)
{
    return FrequencyRatio(std::exp2(dCents / 1200.0));
}

inline namespace Literals
{
FrequencyRatio operator""_ct(long double dCents)
{
    return FrequencyRatio::fromCents(static_cast<double>(dCents));
}

FrequencyRatio operator""_ct(unsigned long long lCents)
{
    return FrequencyRatio::fromCents(static_cast<double>(lCents));
}

FrequencyRatio operator""_st(long double dSemitones)
{
    return FrequencyRatio::fromSemitones(static_cast<double>(dSemitones));
}

FrequencyRatio operator""_st(unsigned long long lSemitones)
{
    return FrequencyRatio::fromSemitones(static_cast<double>(lSemitones));
}
}
}
}
