#pragma once

#include "KeyNotation.h"
#include "ResultWriter.h"

#include <KeyraIf.h>

#include <ostream>
#include <string>

/// The aligned table for people: file, best key, its probability, the next two keys
/// and the tuning, for one profile.
class TableWriter : public ResultWriter
{
public:
    /// iFileColumnWidth: display width of the file column (longer names push the row).
    TableWriter(std::ostream& out, Notation eNotation, KeyraIf::GenreType eProfile, size_t iFileColumnWidth);

    void writeHeader() override;
    void write(const FileResult& result) override;

    /// Display width of a UTF-8 string, counting each code point as one column.
    static size_t displayWidth(const std::string& sText);

private:
    void writeFileCell(const std::string& sPath);

    std::ostream& m_out;
    Notation m_eNotation;
    KeyraIf::GenreType m_eProfile;
    size_t m_iFileColumnWidth;
};
