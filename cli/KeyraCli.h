#pragma once

#include "FileResult.h"
#include "Options.h"
#include "ResultWriter.h"

#include <memory>
#include <string>
#include <vector>

/// The keyra program: collects the inputs, runs the analysis and writes the results.
class KeyraCli
{
public:
    /// Returns the exit status: 0 all analysed, 1 some failed, 2 usage error.
    int run(int argc, const char* const* argv);

private:
    bool collectInputs();
    std::unique_ptr<ResultWriter> makeWriter() const;
    void report(const FileResult& result);

    Options m_options;
    std::vector<std::string> m_files;
    size_t m_iFailures = 0;
    size_t m_iUnreadableFolders = 0;
};
