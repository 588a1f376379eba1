#pragma once

#include "KeyNotation.h"

#include <KeyraIf.h>

#include <optional>
#include <string>
#include <vector>

/// What the command line asks for.
class Options
{
public:
    enum class Format
    {
        table,
        json,
        csv
    };

    /// Parses argv. Returns an exit status when the program should end right away
    /// (0 after --help or --version, 2 after a usage error, the message already
    /// printed), or nothing when there is work to do.
    std::optional<int> parse(int argc, const char* const* argv);

    std::vector<std::string> paths;
    std::string sFilesFrom; // "-" for standard input; empty when not given
    Format eFormat = Format::table;
    KeyraIf::GenreType eProfile = KeyraIf::general;
    Notation eNotation = Notation::standard;
    int iJobs = 1;
    bool bQuiet = false;
};
