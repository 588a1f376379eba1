#include "KeyraCli.h"

#include "BatchRunner.h"
#include "CsvWriter.h"
#include "InputCollector.h"
#include "JsonLinesWriter.h"
#include "ProgressBar.h"
#include "TableWriter.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace
{
// Longer names push their own row out rather than widening every row.
constexpr size_t kMaxFileColumnWidth = 60;
}

int KeyraCli::run(int argc, const char* const* argv)
{
    if (const auto iStatus = m_options.parse(argc, argv))
        return *iStatus;
    if (!collectInputs())
        return 2;

    const auto pWriter = makeWriter();
    pWriter->writeHeader();
    ProgressBar progress(stderr, !m_options.bQuiet && isatty(STDERR_FILENO) != 0, m_files.size());
    BatchRunner runner(m_files, m_options.iJobs);
    runner.run(
        [&](const FileResult& result) {
            progress.clear();
            report(result);
            pWriter->write(result);
            std::cout.flush(); // a pipeline downstream sees every result as it comes
        },
        [&](size_t iDone, const std::string& sCurrent) { progress.update(iDone, sCurrent); });
    progress.clear();

    if (!std::cout)
    {
        std::cerr << "keyra: cannot write the results to standard output\n";
        return 1;
    }
    return m_iFailures == 0 && m_iUnreadableFolders == 0 ? 0 : 1;
}

bool KeyraCli::collectInputs()
{
    InputCollector collector(std::cerr);
    for (const auto& sPath : m_options.paths)
        collector.addPath(sPath);
    if (m_options.sFilesFrom == "-")
        collector.addList(std::cin);
    else if (!m_options.sFilesFrom.empty())
    {
        std::ifstream list(m_options.sFilesFrom);
        if (!list)
        {
            std::cerr << "keyra: cannot read the list " << m_options.sFilesFrom << '\n';
            return false;
        }
        collector.addList(list);
    }
    m_files = collector.getFiles();
    m_iUnreadableFolders = collector.getNumberOfFailures();
    return true;
}

std::unique_ptr<ResultWriter> KeyraCli::makeWriter() const
{
    switch (m_options.eFormat)
    {
    case Options::Format::json:
        return std::make_unique<JsonLinesWriter>(std::cout);
    case Options::Format::csv:
        return std::make_unique<CsvWriter>(std::cout, m_options.eNotation, m_options.eProfile);
    case Options::Format::table:
        break;
    }
    size_t iWidth = 0;
    for (const auto& sFile : m_files)
        iWidth = std::max(iWidth, TableWriter::displayWidth(sFile));
    return std::make_unique<TableWriter>(std::cout, m_options.eNotation, m_options.eProfile,
                                         std::min(iWidth, kMaxFileColumnWidth));
}

void KeyraCli::report(const FileResult& result)
{
    if (result.eStatus == FileResult::Status::failed)
    {
        ++m_iFailures;
        std::cerr << "keyra: error: " << result.sPath << ": " << result.sError << '\n';
    }
    else if (!result.sWarning.empty())
        std::cerr << "keyra: warning: " << result.sPath << ": " << result.sWarning << " (analysed what was readable)\n";
}
