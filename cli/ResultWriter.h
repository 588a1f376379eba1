#pragma once

#include "FileResult.h"

/// Writes results to standard output, one after another, as they arrive.
class ResultWriter
{
public:
    virtual ~ResultWriter() = default;

    /// Called once before the first result.
    virtual void writeHeader() {}
    virtual void write(const FileResult& result) = 0;
};
