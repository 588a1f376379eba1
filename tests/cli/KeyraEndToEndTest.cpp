// Runs the built keyra on generated recordings, as a user or a pipeline would.
#include "CommandRunner.h"
#include "KeyraOutput.h"
#include "TestAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

using nlohmann::json;
using testing::HasSubstr;
using testing::Not;

namespace
{
CommandRunner::Outcome keyra(const std::vector<std::string>& arguments, const std::string& sStdinFile = "")
{
    return CommandRunner::run(KEYRA_CLI_PATH, arguments, sStdinFile);
}

// The columns of the table row for sPath, after the file name.
std::vector<std::string> tableCells(const std::string& sTable, const std::string& sPath)
{
    for (const auto& sLine : KeyraOutput::lines(sTable))
        if (sLine.compare(0, sPath.size(), sPath) == 0)
        {
            std::istringstream rest(sLine.substr(sPath.size()));
            std::vector<std::string> cells;
            for (std::string sCell; rest >> sCell;)
                cells.push_back(sCell);
            return cells;
        }
    return {};
}

// Camelot and Open Key codes of every key, from the wheels as DJs print them.
const std::map<std::string, std::pair<std::string, std::string>> kWheelCodes = {
    {"C:maj", {"8B", "1d"}},   {"Db:maj", {"3B", "8d"}},  {"D:maj", {"10B", "3d"}},  {"Eb:maj", {"5B", "10d"}},
    {"E:maj", {"12B", "5d"}},  {"F:maj", {"7B", "12d"}},  {"Gb:maj", {"2B", "7d"}},  {"G:maj", {"9B", "2d"}},
    {"Ab:maj", {"4B", "9d"}},  {"A:maj", {"11B", "4d"}},  {"Bb:maj", {"6B", "11d"}}, {"B:maj", {"1B", "6d"}},
    {"C:min", {"5A", "10m"}},  {"Db:min", {"12A", "5m"}}, {"D:min", {"7A", "12m"}},  {"Eb:min", {"2A", "7m"}},
    {"E:min", {"9A", "2m"}},   {"F:min", {"4A", "9m"}},   {"Gb:min", {"11A", "4m"}}, {"G:min", {"6A", "11m"}},
    {"Ab:min", {"1A", "6m"}},  {"A:min", {"8A", "1m"}},   {"Bb:min", {"3A", "8m"}},  {"B:min", {"10A", "3m"}}};

void expectFullRanking(const json& ranking, const std::string& sWhere)
{
    ASSERT_EQ(ranking.size(), 24u) << sWhere;
    double dSum = 0.0;
    double dPrevious = 2.0;
    std::map<std::string, int> seen;
    for (const auto& entry : ranking)
    {
        const std::string sKey = entry.at("key");
        const double dProbability = entry.at("probability");
        EXPECT_LE(dProbability, dPrevious) << sWhere << ": not in rank order at " << sKey;
        EXPECT_GE(dProbability, 0.0) << sWhere;
        dPrevious = dProbability;
        dSum += dProbability;
        ++seen[sKey];
        ASSERT_EQ(kWheelCodes.count(sKey), 1u) << sWhere << ": unknown key " << sKey;
        EXPECT_EQ(entry.at("camelot"), kWheelCodes.at(sKey).first) << sWhere << ": " << sKey;
        EXPECT_EQ(entry.at("openkey"), kWheelCodes.at(sKey).second) << sWhere << ": " << sKey;
    }
    EXPECT_EQ(seen.size(), 24u) << sWhere << ": a key appears twice";
    EXPECT_NEAR(dSum, 1.0, 1e-3) << sWhere;
}
}

TEST(KeyraFormats, EveryFormatGivesTheKeyAndTheyAgree)
{
    const auto outcome = keyra({"--format", "json", TestAudio::path("formats")});
    ASSERT_EQ(outcome.iExitStatus, 0) << outcome.sErr;
    const auto results = KeyraOutput::parseJsonLines(outcome.sOut);
    const std::vector<std::string> expectedFiles = {"a-minor-alac.m4a", "a-minor.aiff", "a-minor.flac",
                                                    "a-minor.m4a",      "a-minor.mp3",  "a-minor.ogg",
                                                    "a-minor.opus",     "a-minor.wav",  "a-minor.wma"};
    ASSERT_EQ(results.size(), expectedFiles.size()) << outcome.sOut;
    const json& wav = results[7];
    const double dReferenceTuning = wav.at("tuning_hz");
    for (size_t i = 0; i < results.size(); ++i)
    {
        const auto& result = results[i];
        EXPECT_EQ(result.at("path"), TestAudio::path("formats/" + expectedFiles[i]));
        const std::string sWhere = expectedFiles[i];
        EXPECT_EQ(result.at("general").at(0).at("key"), "A:min") << sWhere;
        EXPECT_EQ(result.at("electronic").at(0).at("key"), "A:min") << sWhere;
        EXPECT_NEAR(result.at("tuning_hz").get<double>(), dReferenceTuning, 1.0) << sWhere;
        EXPECT_NEAR(result.at("duration_s").get<double>(), 5.0, 0.1) << sWhere;
        EXPECT_EQ(result.at("sample_rate"), sWhere == "a-minor.opus" ? 48000 : 44100) << sWhere;
        EXPECT_EQ(result.at("channels"), 2) << sWhere;
        EXPECT_EQ(result.at("silent"), false) << sWhere;
        // Lossless files decode to the very samples of the WAV, so their rankings match.
        if (sWhere == "a-minor-alac.m4a" || sWhere == "a-minor.aiff" || sWhere == "a-minor.flac")
        {
            EXPECT_EQ(result.at("general"), wav.at("general")) << sWhere;
        }
        expectFullRanking(result.at("general"), sWhere + " general");
        expectFullRanking(result.at("electronic"), sWhere + " electronic");
    }
}

TEST(KeyraNotation, TableShowsTheKeyInEachNotation)
{
    struct Case
    {
        const char* pcFile;
        const char* pcStandard;
        const char* pcCamelot;
        const char* pcOpenKey;
    };
    const Case cases[] = {{"formats/a-minor.wav", "A:min", "8A", "1m"},
                          {"keys/eb-major.wav", "Eb:maj", "5B", "10d"},
                          {"keys/eb-major.mp3", "Eb:maj", "5B", "10d"},
                          {"keys/f-sharp-minor.wav", "Gb:min", "11A", "4m"},
                          {"keys/f-sharp-minor.ogg", "Gb:min", "11A", "4m"}};
    for (const auto& c : cases)
    {
        const std::string sPath = TestAudio::path(c.pcFile);
        const std::pair<const char*, const char*> notations[] = {
            {"standard", c.pcStandard}, {"camelot", c.pcCamelot}, {"openkey", c.pcOpenKey}};
        for (const auto& [pcNotation, pcExpected] : notations)
        {
            const auto outcome = keyra({"--notation", pcNotation, sPath});
            ASSERT_EQ(outcome.iExitStatus, 0) << outcome.sErr;
            const auto cells = tableCells(outcome.sOut, sPath);
            ASSERT_GE(cells.size(), 4u) << outcome.sOut;
            EXPECT_EQ(cells[0], pcExpected) << c.pcFile << " in " << pcNotation;
            EXPECT_THAT(outcome.sOut, testing::ContainsRegex("A4 = 4[34][0-9]\\.[0-9] Hz")) << outcome.sOut;
        }
    }
}

TEST(KeyraBadInput, MixedFolderReportsEachBadFileAndAnalysesTheRest)
{
    const std::string sMixed = TestAudio::path("mixed");
    const std::string sMissing = TestAudio::path("missing.wav");
    const auto outcome = keyra({"--format", "json", sMixed, sMissing});
    EXPECT_EQ(outcome.iExitStatus, 1);

    const auto results = KeyraOutput::parseJsonLines(outcome.sOut);
    const std::vector<std::string> expectedFiles = {sMixed + "/empty.wav",
                                                    sMixed + "/fake.mp3",
                                                    sMixed + "/good.wav",
                                                    sMixed + "/name, with comma \xc3\xa9.flac",
                                                    sMixed + "/sub/good.ogg",
                                                    sMixed + "/truncated.mp3",
                                                    sMissing};
    ASSERT_EQ(results.size(), expectedFiles.size()) << outcome.sOut;
    for (size_t i = 0; i < results.size(); ++i)
        EXPECT_EQ(results[i].at("path"), expectedFiles[i]);

    for (const size_t iBad : {0u, 1u, 6u})
    {
        EXPECT_TRUE(results[iBad].contains("error")) << results[iBad];
        EXPECT_FALSE(results[iBad].contains("general")) << results[iBad];
        EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, expectedFiles[iBad] + ": "), 1u) << outcome.sErr;
    }
    EXPECT_THAT(results[0].at("error").get<std::string>(), HasSubstr("empty"));
    EXPECT_THAT(results[1].at("error").get<std::string>(), HasSubstr("not an audio file"));
    EXPECT_THAT(results[6].at("error").get<std::string>(), HasSubstr("No such file"));

    for (const size_t iGood : {2u, 3u, 4u, 5u})
    {
        EXPECT_FALSE(results[iGood].contains("error")) << results[iGood];
        EXPECT_EQ(results[iGood].at("general").at(0).at("key"), "A:min") << results[iGood].at("path");
    }
    EXPECT_THAT(results[5].at("warning").get<std::string>(), HasSubstr("ends early"));
    EXPECT_LT(results[5].at("duration_s").get<double>(), 4.0);
    EXPECT_FALSE(results[2].contains("warning"));

    EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, "error: "), 3u) << outcome.sErr;
    EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, "warning: " + expectedFiles[5]), 1u) << outcome.sErr;
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("notes.txt")));
    EXPECT_THAT(outcome.sErr + outcome.sOut, Not(HasSubstr(".hidden")));
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("\r"))) << "no progress bar when standard error is a file";
}

TEST(KeyraBadInput, SilentFilesAreReportedAsSilentNotAsAKey)
{
    for (const char* pcFile : {"silent.wav", "quiet.wav"})
    {
        const std::string sPath = TestAudio::path(pcFile);
        const auto json = keyra({"--format", "json", sPath});
        ASSERT_EQ(json.iExitStatus, 0) << json.sErr;
        const auto results = KeyraOutput::parseJsonLines(json.sOut);
        ASSERT_EQ(results.size(), 1u);
        EXPECT_EQ(results[0].at("silent"), true) << pcFile;
        EXPECT_TRUE(results[0].at("general").empty()) << pcFile;
        EXPECT_TRUE(results[0].at("tuning_hz").is_null()) << pcFile;
        EXPECT_NEAR(results[0].at("duration_s").get<double>(), 3.0, 0.01) << pcFile;

        const auto table = keyra({sPath});
        EXPECT_EQ(table.iExitStatus, 0);
        EXPECT_EQ(tableCells(table.sOut, sPath).at(0), "silent") << table.sOut;
    }
}

TEST(KeyraParallel, OutputIsTheSameForAnyNumberOfJobs)
{
    const std::vector<std::string> inputs = {TestAudio::path("mixed"), TestAudio::path("formats"),
                                             TestAudio::path("keys")};
    std::vector<std::string> serial = {"--format", "json", "-j", "1"};
    serial.insert(serial.end(), inputs.begin(), inputs.end());
    std::vector<std::string> parallel = serial;
    parallel[3] = "2";
    const auto one = keyra(serial);
    const auto two = keyra(parallel);
    EXPECT_EQ(one.iExitStatus, 1);
    EXPECT_EQ(two.iExitStatus, one.iExitStatus);
    EXPECT_EQ(KeyraOutput::lines(one.sOut).size(), 19u);
    EXPECT_EQ(two.sOut, one.sOut);
    EXPECT_EQ(two.sErr, one.sErr);
}

TEST(KeyraInput, FilesFromStandardInputEqualsArguments)
{
    const std::string sList = TestAudio::path("list-with-blank-and-crlf.txt");
    std::ofstream(sList, std::ios::binary) << TestAudio::path("keys/eb-major.wav") << "\r\n\n"
                                           << TestAudio::path("mixed") << "\n"
                                           << TestAudio::path("formats/a-minor.ogg");
    const auto fromList = keyra({"--format", "csv", "--files-from", "-"}, sList);
    const auto fromArguments = keyra({"--format", "csv", TestAudio::path("keys/eb-major.wav"),
                                      TestAudio::path("mixed"), TestAudio::path("formats/a-minor.ogg")});
    EXPECT_EQ(fromList.iExitStatus, 1);
    EXPECT_EQ(fromList.sOut, fromArguments.sOut);
    EXPECT_EQ(KeyraOutput::lines(fromList.sOut).size(), 1u + 1u + 6u + 1u);
}

TEST(KeyraCsv, HeaderAndOneQuotedRowPerFile)
{
    const auto outcome = keyra({"--format", "csv", "--notation", "Camelot", "--profile", "electronic",
                                TestAudio::path("mixed")});
    const auto rows = KeyraOutput::lines(outcome.sOut);
    ASSERT_EQ(rows.size(), 7u) << outcome.sOut;
    EXPECT_EQ(rows[0], "file,status,key,probability,second_key,third_key,tuning_hz,duration_s,sample_rate,"
                       "channels,message");
    EXPECT_THAT(rows[1], testing::StartsWith(TestAudio::path("mixed/empty.wav") + ",error,,,,,,,,,"));
    EXPECT_THAT(rows[3], testing::StartsWith(TestAudio::path("mixed/good.wav") + ",ok,8A,"));
    EXPECT_THAT(rows[3], testing::EndsWith(",5.000,44100,2,"));
    EXPECT_THAT(rows[4], testing::StartsWith("\"" + TestAudio::path("mixed/name, with comma \xc3\xa9.flac") +
                                             "\",ok,8A,"));
    EXPECT_THAT(rows[6], HasSubstr("ends early"));
}

TEST(KeyraUsage, BadInvocationsExitWithTwo)
{
    const std::string sFile = TestAudio::path("formats/a-minor.wav");
    const std::vector<std::vector<std::string>> cases = {{},
                                                         {"--format", "xml", sFile},
                                                         {"--profile", "pop", sFile},
                                                         {"--notation", "roman", sFile},
                                                         {"-j", "0", sFile},
                                                         {"-j", "many", sFile},
                                                         {"--bogus", sFile},
                                                         {"--files-from", TestAudio::path("no-such-list.txt")}};
    for (const auto& arguments : cases)
    {
        const auto outcome = keyra(arguments);
        std::string sShown;
        for (const auto& sArgument : arguments)
            sShown += sArgument + " ";
        EXPECT_EQ(outcome.iExitStatus, 2) << sShown;
        EXPECT_FALSE(outcome.sErr.empty()) << sShown;
        EXPECT_TRUE(outcome.sOut.empty()) << sShown << outcome.sOut;
    }
}

TEST(KeyraUsage, HelpNamesEveryOptionAndVersionNamesTheEngine)
{
    const auto help = keyra({"--help"});
    EXPECT_EQ(help.iExitStatus, 0);
    for (const char* pcOption : {"--files-from", "--format", "--profile", "--notation", "--jobs", "--quiet",
                                 "--version", "--help", "camelot", "openkey", "electronic", "csv", "Exit status"})
        EXPECT_THAT(help.sOut, HasSubstr(pcOption));

    const auto version = keyra({"--version"});
    EXPECT_EQ(version.iExitStatus, 0);
    EXPECT_THAT(version.sOut, testing::MatchesRegex("keyra 3\\.1\\.6\\+9b9803a \\(engine built [A-Z][a-z][a-z] [ 0-9][0-9] [0-9]{4}\\)\n"));
}

TEST(KeyraProgress, BarOnATerminalOnlyAndNotWhenQuiet)
{
    // script(1) gives keyra a terminal; the results still go to a file.
    const std::string sFile = TestAudio::path("formats/a-minor.wav");
    const std::string sResults = TestAudio::path("progress-results.txt");
    const auto shown = CommandRunner::runShell("script -qec " +
                                               CommandRunner::quote(CommandRunner::quote(KEYRA_CLI_PATH) + " " +
                                                                    CommandRunner::quote(sFile) + " > " +
                                                                    CommandRunner::quote(sResults)) +
                                               " /dev/null");
    EXPECT_EQ(shown.iExitStatus, 0) << shown.sErr;
    EXPECT_THAT(shown.sOut, HasSubstr("1/1"));
    EXPECT_THAT(shown.sOut, HasSubstr("elapsed"));
    EXPECT_THAT(CommandRunner::readFile(sResults), HasSubstr("A:min"));

    const auto quiet = CommandRunner::runShell("script -qec " +
                                               CommandRunner::quote(CommandRunner::quote(KEYRA_CLI_PATH) +
                                                                    " --quiet " + CommandRunner::quote(sFile) +
                                                                    " > /dev/null") +
                                               " /dev/null");
    EXPECT_EQ(quiet.iExitStatus, 0);
    EXPECT_THAT(quiet.sOut, Not(HasSubstr("elapsed")));
}
