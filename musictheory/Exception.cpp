#include "Exception.h"

#include <utility>

namespace vantor
{
namespace MusicTheory
{
Exception::Exception(std::string sMessage) : m_sMessage(std::move(sMessage)) {}

Exception::~Exception() = default;

const char* Exception::what() const noexcept
{
    return m_sMessage.c_str();
}
}
}
