#pragma once

#include "ResultWriter.h"

#include <nlohmann/json.hpp>

#include <ostream>

/// JSON Lines: one object per file with both profiles' full rankings, each key in the
/// engine's name and both DJ codes; a failed file is {"path", "error"}.
class JsonLinesWriter : public ResultWriter
{
public:
    explicit JsonLinesWriter(std::ostream& out);

    void write(const FileResult& result) override;

    static nlohmann::ordered_json toJson(const FileResult& result);

private:
    std::ostream& m_out;
};
