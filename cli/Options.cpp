#include "Options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <utility>
#include <thread>

namespace
{
std::string versionText()
{
    return std::string("keyra ") + KeyraIf::getVersion() + " (engine built " + KeyraIf::getBuildDate() + ")";
}

// Accepts the names in any case and passes them on in lower case.
CLI::Validator oneOf(std::vector<std::string> names)
{
    return CLI::IsMember(std::move(names), CLI::ignore_case).description("");
}

const char* const kFooter = R"(
A PATH is an audio file or a folder, searched recursively for audio files by
extension (hidden files and folders are skipped) in sorted order. Results come out
in input order, one per file, whatever the number of jobs.

Exit status: 0 when every file was analysed (a silent file counts as analysed),
1 when any file failed or a folder could not be read, 2 for a usage error.

Examples:
  keyra ~/Music
  keyra --notation camelot --profile electronic set.flac
  find /srv/music -name '*.mp3' | keyra --files-from - --format json > keys.jsonl)";
}

std::optional<int> Options::parse(int argc, const char* const* argv)
{
    CLI::App app{"keyra: finds the musical key and the tuning of audio files.", "keyra"};
    app.footer(kFooter);
    app.set_version_flag("--version", versionText, "Print the engine version and build date, then exit");

    iJobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));

    app.add_option("PATH", paths, "Audio files and folders to analyse");
    app.add_option("--files-from", sFilesFrom, "Also read paths from FILE, one a line ('-': standard input)")
        ->type_name("FILE")
        ->check((CLI::ExistingFile | CLI::IsMember({"-"})).description(""));
    std::string sFormat = "table";
    std::string sProfile = "general";
    std::string sNotation = "standard";
    app.add_option("-f,--format", sFormat, "Output: table (aligned, for people), json (JSON Lines) or csv")
        ->type_name("table|json|csv")
        ->transform(oneOf({"table", "json", "csv"}))
        ->capture_default_str();
    app.add_option("-p,--profile", sProfile, "Key profile shown in the table and CSV (JSON carries both)")
        ->type_name("general|electronic")
        ->transform(oneOf({"general", "electronic"}))
        ->capture_default_str();
    app.add_option("-n,--notation", sNotation,
                   "Key names: standard (A:min), camelot (8A) or openkey (1m); JSON carries all three")
        ->type_name("standard|camelot|openkey")
        ->transform(oneOf({"standard", "camelot", "openkey"}))
        ->capture_default_str();
    app.add_option("-j,--jobs", iJobs, "Files analysed at once, one engine each (default: hardware threads)")
        ->type_name("N")
        ->check(CLI::Range(1, 1024).description(""))
        ->default_str(std::to_string(iJobs));
    app.add_flag("-q,--quiet", bQuiet, "No progress bar (there is none either when standard error is no terminal)");

    try
    {
        app.parse(argc, argv);
    }
    catch (const CLI::ParseError& e)
    {
        const int iStatus = app.exit(e);
        return iStatus == 0 ? 0 : 2;
    }
    eFormat = sFormat == "json" ? Format::json : sFormat == "csv" ? Format::csv : Format::table;
    eProfile = sProfile == "electronic" ? KeyraIf::electronic : KeyraIf::general;
    eNotation = sNotation == "camelot" ? Notation::camelot
                : sNotation == "openkey" ? Notation::openKey
                                         : Notation::standard;
    if (paths.empty() && sFilesFrom.empty())
    {
        std::cerr << "keyra: nothing to analyse: give a PATH or --files-from\n"
                  << "Run with --help for more information.\n";
        return 2;
    }
    return std::nullopt;
}
