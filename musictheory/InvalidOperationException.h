#pragma once

#include "Exception.h"

namespace vantor
{
namespace MusicTheory
{
class InvalidOperationException : public Exception
{
public:
    explicit InvalidOperationException(const std::string& sText) : Exception(sText) {}
};
}
}
