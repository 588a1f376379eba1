#pragma once

#include "Exception.h"

namespace vantor
{
namespace MusicTheory
{
class InternalErrorException : public Exception
{
public:
    explicit InternalErrorException(const std::string& sText) : Exception(sText) {}
};
}
}
