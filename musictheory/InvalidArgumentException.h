#pragma once

#include "Exception.h"

namespace vantor
{
namespace MusicTheory
{
class InvalidArgumentException : public Exception
{
public:
    InvalidArgumentException();
    InvalidArgumentException(const std::string& sArgumentName, const std::string& sDetail);
};
}
}
