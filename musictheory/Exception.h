#pragma once

#include <exception>
#include <string>

namespace vantor
{
namespace MusicTheory
{
/// Base of every exception the music-theory library throws.
class Exception : public std::exception
{
public:
    explicit Exception(std::string sMessage);
    ~Exception() override;

    const char* what() const noexcept override;

private:
    std::string m_sMessage;
};
}
}
