#include "Options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <map>
#include <thread>

namespace
{
std::string versionText()
{
    return std::string("keyra ") + KeyraIf::getVersion() + " (engine built " + KeyraIf::getBuildDate() + ")";
}

const char* const kFooter = R"(
A PATH is an audio file or a folder, searched recursively for audio files by
extension (hidden files and folders are skipped) in sorted order. Results come out
in input order, one per file, whatever the number of jobs.

Exit status: 0 when every file was analysed (a silent file counts as analysed),
1 when any file failed, 2 for a usage error.

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
        ->check(CLI::ExistingFile | CLI::IsMember({"-"}));
    app.add_option("-f,--format", eFormat, "Output: table (aligned, for people), json (JSON Lines), csv")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, Format>{{"table", Format::table}, {"json", Format::json}, {"csv", Format::csv}},
            CLI::ignore_case))
        ->default_str("table");
    app.add_option("-p,--profile", eProfile, "Key profile shown in the table and CSV (JSON carries both)")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, KeyraIf::GenreType>{{"general", KeyraIf::general},
                                                      {"electronic", KeyraIf::electronic}},
            CLI::ignore_case))
        ->default_str("general");
    app.add_option("-n,--notation", eNotation,
                   "Key names: standard (A:min), camelot (8A) or openkey (1m); JSON carries all three")
        ->transform(CLI::CheckedTransformer(
            std::map<std::string, Notation>{
                {"standard", Notation::standard}, {"camelot", Notation::camelot}, {"openkey", Notation::openKey}},
            CLI::ignore_case))
        ->default_str("standard");
    app.add_option("-j,--jobs", iJobs, "Files analysed at once, one engine each (default: hardware threads)")
        ->check(CLI::Range(1, 1024))
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
    if (paths.empty() && sFilesFrom.empty())
    {
        std::cerr << "keyra: nothing to analyse: give a PATH or --files-from\n"
                  << "Run with --help for more information.\n";
        return 2;
    }
    return std::nullopt;
}
