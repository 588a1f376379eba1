#include "OutOfRangeException.h"

namespace vantor
{
namespace MusicTheory
{
OutOfRangeException::OutOfRangeException(const std::string& sArgumentName, const std::string& sDetail)
    : Exception("Argument '" + sArgumentName + "' was out of range. " + sDetail)
{
}
}
}
