#include "Helpers.h"

#include "InvalidArgumentException.h"
#include "OutOfRangeException.h"

#include <cmath>
#include <limits>

namespace vantor
{
namespace MusicTheory
{
namespace
{
template <typename T>
int floorTowardsZeroImpl(T value)
{
    const T magnitude = std::floor(std::fabs(value)) + std::numeric_limits<T>::epsilon();
    // Checked before the conversion, which would be undefined beyond the int range.
    if (!(static_cast<double>(magnitude) < 2147483648.0))
        throw OutOfRangeException("value", "");
    const int iTruncated = static_cast<int>(magnitude);
    return value < 0 ? -iTruncated : iTruncated;
}
}

int wrap(int iValue, int iMin, int iMax)
{
    if (iMax < iMin)
        throw InvalidArgumentException("iMax", "'iMax' must not be smaller than 'iMin'");
    // In 64 bits, so that no value of the int range can overflow on the way.
    const long long lCount = static_cast<long long>(iMax) - iMin + 1;
    long long lRemainder = (static_cast<long long>(iValue) - iMin) % lCount;
    if (lRemainder < 0)
        lRemainder += lCount;
    return static_cast<int>(iMin + lRemainder);
}

int wrapToChromaIndex(int iValue)
{
    const int iRemainder = iValue % 12;
    return iRemainder < 0 ? iRemainder + 12 : iRemainder;
}

template <>
int floorTowardsZero<float>(float value)
{
    return floorTowardsZeroImpl(value);
}

template <>
int floorTowardsZero<double>(double value)
{
    return floorTowardsZeroImpl(value);
}

int toCheckedInt(long long lValue, const char* pcArgumentName)
{
    if (lValue < std::numeric_limits<int>::min() || lValue > std::numeric_limits<int>::max())
        throw OutOfRangeException(pcArgumentName, "the result does not fit in an int");
    return static_cast<int>(lValue);
}
}
}
