#include "InvalidArgumentException.h"

namespace vantor
{
namespace MusicTheory
{
InvalidArgumentException::InvalidArgumentException() : Exception("One or more argument was invalid.") {}

InvalidArgumentException::InvalidArgumentException(const std::string& sArgumentName, const std::string& sDetail)
    : Exception("Argument '" + sArgumentName + "' was invalid. " + sDetail)
{
}
}
}
