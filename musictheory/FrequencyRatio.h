#pragma once

namespace vantor
{
namespace MusicTheory
{
/// The ratio of two frequencies; 1.0 by default.
class FrequencyRatio
{
public:
    constexpr FrequencyRatio() : m_dRatio(1.0) {}
    constexpr FrequencyRatio(double dRatio) : m_dRatio(dRatio) {}

    constexpr operator double() const { return m_dRatio; }

    double inOctaves() const;
    double inSemitones() const;
    double inCents() const;

    static FrequencyRatio fromOctaves(double dOctaves);
    static FrequencyRatio fromSemitones(double dSemitones);
    static FrequencyRatio fromCents(double dCents);

    bool operator==(const FrequencyRatio& other) const { return m_dRatio == other.m_dRatio; }
    bool operator!=(const FrequencyRatio& other) const { return m_dRatio != other.m_dRatio; }
    bool operator<(const FrequencyRatio& other) const { return m_dRatio < other.m_dRatio; }
    bool operator>(const FrequencyRatio& other) const { return m_dRatio > other.m_dRatio; }
    bool operator<=(const FrequencyRatio& other) const { return m_dRatio <= other.m_dRatio; }
    bool operator>=(const FrequencyRatio& other) const { return m_dRatio >= other.m_dRatio; }

private:
    double m_dRatio;
};

inline namespace Literals
{
FrequencyRatio operator""_ct(long double dCents);
FrequencyRatio operator""_ct(unsigned long long lCents);
FrequencyRatio operator""_st(long double dSemitones);
FrequencyRatio operator""_st(unsigned long long lSemitones);
}
}
}
