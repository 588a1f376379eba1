#pragma once

#include <vector>

namespace vantor
{
namespace MusicTheory
{
/// The int in [iMin, iMax] congruent to iValue modulo (iMax - iMin + 1), for any int
/// iValue. Throws InvalidArgumentException when iMax < iMin.
int wrap(int iValue, int iMin, int iMax);

/// The int in 0..11 congruent to iValue modulo 12.
int wrapToChromaIndex(int iValue);

/// The value truncated toward zero. Throws OutOfRangeException for NaN and for values
/// whose truncation does not fit in an int.
template <typename T>
int floorTowardsZero(T value);

template <>
int floorTowardsZero<float>(float value);
template <>
int floorTowardsZero<double>(double value);

template <typename T, typename... Rest>
std::vector<T> createStdVector(const T& first, const Rest&... rest)
{
    return std::vector<T>{first, static_cast<const T&>(rest)...};
}

/// The value as an int; throws OutOfRangeException with the argument name when it
/// does not fit, so that no arithmetic of the library overflows.
int toCheckedInt(long long lValue, const char* pcArgumentName);
}
}
