#include "TableWriter.h"

#include <algorithm>
#include <cstdio>
#include <iomanip>

namespace
{
constexpr int kKeyWidth = 8;
constexpr int kProbabilityWidth = 7;

std::string formatPercent(float fProbability)
{
    char acText[16];
    std::snprintf(acText, sizeof acText, "%.1f%%", 100.0 * fProbability);
    return acText;
}

std::string formatTuning(float fTuningInHz)
{
    char acText[32];
    std::snprintf(acText, sizeof acText, "A4 = %.1f Hz", fTuningInHz);
    return acText;
}
}

TableWriter::TableWriter(std::ostream& out, Notation eNotation, KeyraIf::GenreType eProfile, size_t iFileColumnWidth)
    : m_out(out), m_eNotation(eNotation), m_eProfile(eProfile), m_iFileColumnWidth(std::max<size_t>(iFileColumnWidth, 4))
{
}

size_t TableWriter::displayWidth(const std::string& sText)
{
    return static_cast<size_t>(
        std::count_if(sText.begin(), sText.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xc0) != 0x80; }));
}

void TableWriter::writeFileCell(const std::string& sPath)
{
    m_out << sPath << std::string(m_iFileColumnWidth - std::min(m_iFileColumnWidth, displayWidth(sPath)) + 2, ' ');
}

void TableWriter::writeHeader()
{
    writeFileCell("FILE");
    m_out << std::left << std::setw(kKeyWidth) << "KEY" << std::setw(kProbabilityWidth) << "PROB"
          << std::setw(kKeyWidth) << "2ND" << std::setw(kKeyWidth) << "3RD" << "TUNING\n";
}

void TableWriter::write(const FileResult& result)
{
    writeFileCell(result.sPath);
    switch (result.eStatus)
    {
    case FileResult::Status::failed:
        m_out << "error: " << result.sError << '\n';
        return;
    case FileResult::Status::silent:
        m_out << "silent (no key)\n";
        return;
    case FileResult::Status::analysed:
        break;
    }
    const auto& keys = m_eProfile == KeyraIf::electronic ? result.electronic : result.general;
    m_out << std::left << std::setw(kKeyWidth) << KeyNotation::format(keys[0], m_eNotation)
          << std::setw(kProbabilityWidth) << formatPercent(keys[0].fProbability) << std::setw(kKeyWidth)
          << KeyNotation::format(keys[1], m_eNotation) << std::setw(kKeyWidth)
          << KeyNotation::format(keys[2], m_eNotation) << formatTuning(result.fTuningInHz) << '\n';
}
