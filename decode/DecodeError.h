#pragma once

#include <stdexcept>
#include <string>

/// A file that cannot be decoded at all; what() is a one-line reason without the path.
class DecodeError : public std::runtime_error
{
public:
    explicit DecodeError(const std::string& sReason);
};
