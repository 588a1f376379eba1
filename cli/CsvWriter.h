#pragma once

#include "KeyNotation.h"
#include "ResultWriter.h"

#include <KeyraIf.h>

#include <ostream>
#include <string>

/// RFC 4180 CSV with a header line: the table's columns for one profile, plus the
/// file's facts and a status (ok, silent, error) with its message.
class CsvWriter : public ResultWriter
{
public:
    CsvWriter(std::ostream& out, Notation eNotation, KeyraIf::GenreType eProfile);

    void writeHeader() override;
    void write(const FileResult& result) override;

    /// The field as it goes into a line: quoted when it holds a comma, quote or line break.
    static std::string quote(const std::string& sField);

private:
    std::ostream& m_out;
    Notation m_eNotation;
    KeyraIf::GenreType m_eProfile;
};
