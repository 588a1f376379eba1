#pragma once

#include "Exception.h"

namespace vantor
{
namespace MusicTheory
{
class OutOfRangeException : public Exception
{
public:
    OutOfRangeException(const std::string& sArgumentName, const std::string& sDetail);
};
}
}
