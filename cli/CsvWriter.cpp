#include "CsvWriter.h"

#include <cstdio>

namespace
{
std::string formatNumber(const char* pcFormat, double dValue)
{
    char acText[32];
    std::snprintf(acText, sizeof acText, pcFormat, dValue);
    return acText;
}

const char* statusName(FileResult::Status eStatus)
{
    switch (eStatus)
    {
    case FileResult::Status::analysed:
        return "ok";
    case FileResult::Status::silent:
        return "silent";
    case FileResult::Status::failed:
        break;
    }
    return "error";
}
}

CsvWriter::CsvWriter(std::ostream& out, Notation eNotation, KeyraIf::GenreType eProfile)
    : m_out(out), m_eNotation(eNotation), m_eProfile(eProfile)
{
}

std::string CsvWriter::quote(const std::string& sField)
{
    if (sField.find_first_of(",\"\r\n") == std::string::npos)
        return sField;
    std::string sQuoted = "\"";
    for (const char c : sField)
    {
        if (c == '"')
            sQuoted += '"';
        sQuoted += c;
    }
    return sQuoted + '"';
}

void CsvWriter::writeHeader()
{
    m_out << "file,status,key,probability,second_key,third_key,tuning_hz,duration_s,sample_rate,channels,message\n";
}

void CsvWriter::write(const FileResult& result)
{
    m_out << quote(result.sPath) << ',' << statusName(result.eStatus) << ',';
    const auto& keys = m_eProfile == KeyraIf::electronic ? result.electronic : result.general;
    if (result.eStatus == FileResult::Status::analysed)
        m_out << quote(KeyNotation::format(keys[0], m_eNotation)) << ','
              << formatNumber("%.4f", keys[0].fProbability) << ',' << quote(KeyNotation::format(keys[1], m_eNotation))
              << ',' << quote(KeyNotation::format(keys[2], m_eNotation)) << ','
              << formatNumber("%.2f", result.fTuningInHz) << ',';
    else
        m_out << ",,,,,";
    if (result.eStatus != FileResult::Status::failed)
        m_out << formatNumber("%.3f", result.dDurationSeconds) << ',' << result.iSampleRate << ','
              << result.iNumberOfChannels << ',';
    else
        m_out << ",,,";
    m_out << quote(result.eStatus == FileResult::Status::failed ? result.sError : result.sWarning) << '\n';
}
