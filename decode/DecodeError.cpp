#include "DecodeError.h"

DecodeError::DecodeError(const std::string& sReason) : std::runtime_error(sReason) {}
