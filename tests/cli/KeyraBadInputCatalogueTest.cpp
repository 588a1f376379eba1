// Empty, cut, damaged and fake files of every format keyra reads, paths that are not
// plain readable files, and a folder of ten thousand files, each run through the built
// keyra as a pipeline would. Every run is bounded by timeout(1): a hang fails the test
// with status 124 instead of stalling the suite.
#include "CommandRunner.h"
#include "KeyraOutput.h"
#include "ScratchFolder.h"
#include "TestAudio.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sys/stat.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using nlohmann::json;
using testing::HasSubstr;
using testing::Not;

namespace
{
constexpr int kTimedOut = 124;

// sPrefix goes in front of the command, e.g. "ulimit -n 256 &&".
CommandRunner::Outcome keyra(const std::vector<std::string>& arguments, const std::string& sPrefix = "")
{
    std::string sCommand = sPrefix + " timeout -k 10 300 " + CommandRunner::quote(KEYRA_CLI_PATH);
    for (const auto& sArgument : arguments)
        sCommand += " " + CommandRunner::quote(sArgument);
    return CommandRunner::runShell(sCommand + " < /dev/null");
}

std::string noise(size_t iBytes, uint32_t iSeed)
{
    std::mt19937 generator(iSeed);
    std::string sBytes(iBytes, '\0');
    for (auto& c : sBytes)
        c = static_cast<char>(generator() & 0xFF);
    return sBytes;
}

std::string head(const std::string& sData, double dFraction)
{
    return sData.substr(0, static_cast<size_t>(static_cast<double>(sData.size()) * dFraction));
}

std::string overwrite(std::string sData, size_t iAt, size_t iBytes, uint32_t iSeed)
{
    return sData.replace(iAt, iBytes, noise(iBytes, iSeed));
}

std::string littleEndian(uint32_t iValue, int iBytes)
{
    std::string sBytes;
    for (int i = 0; i < iBytes; ++i)
        sBytes += static_cast<char>((iValue >> (8 * i)) & 0xFF);
    return sBytes;
}

// 16-bit mono PCM WAV of a 440 Hz sine: long enough for the engine's first analysis
// block (4096 samples at 11025 Hz), and small.
std::string tinyWave()
{
    constexpr double kPi = 3.14159265358979323846;
    constexpr uint32_t kRate = 8000;
    constexpr uint32_t kFrames = 4000;
    std::string sData;
    for (uint32_t i = 0; i < kFrames; ++i)
        sData += littleEndian(static_cast<uint32_t>(static_cast<int16_t>(
                                  std::lround(16000.0 * std::sin(2.0 * kPi * 440.0 * i / kRate)))),
                              2);
    return "RIFF" + littleEndian(36 + kFrames * 2, 4) + "WAVEfmt " + littleEndian(16, 4) + littleEndian(1, 2) +
           littleEndian(1, 2) + littleEndian(kRate, 4) + littleEndian(kRate * 2, 4) + littleEndian(2, 2) +
           littleEndian(16, 2) + "data" + littleEndian(kFrames * 2, 4) + sData;
}

const std::string kText = [] {
    std::string sText;
    for (int i = 0; i < 20; ++i)
        sText += "This is a plain text file, not a recording.\n";
    return sText;
}();

// What keyra must make of a damaged file.
enum class Expect
{
    emptyError,       // an error that says the file is empty
    notAudioError,    // an error that says it is not an audio file
    endsEarly,        // a result with the warning that the file ends early
    endsEarlyOrError, // that, or an error (a container whose index was cut away)
    keyOrError,       // the right key (damage skipped, any warning), or an error
    key               // the right key, any warning
};

struct Damage
{
    const char* pcName;
    const char* pcOnly; // the one extension it applies to; nullptr: every format
    Expect eExpect;
    std::string (*make)(const std::string& sGood);
};

const Damage kDamages[] = {
    {"empty", nullptr, Expect::emptyError, [](const std::string&) { return std::string(); }},
    {"cut-in-header", nullptr, Expect::notAudioError, [](const std::string& s) { return s.substr(0, 40); }},
    {"cut-at-60-percent", nullptr, Expect::endsEarlyOrError, [](const std::string& s) { return head(s, 0.6); }},
    {"garbage-in-data", nullptr, Expect::key,
     [](const std::string& s) { return overwrite(s, s.size() / 2, 4096, 1); }},
    {"garbage-in-header", nullptr, Expect::keyOrError, [](const std::string& s) { return overwrite(s, 0, 32, 2); }},
    {"text", nullptr, Expect::notAudioError, [](const std::string&) { return kText; }},
    {"random-bytes", nullptr, Expect::notAudioError, [](const std::string&) { return noise(8192, 3); }},
    // The container says nothing about the length here; only its end marks can tell.
    {"cut-before-last-page", "ogg", Expect::endsEarly,
     [](const std::string& s) { return s.substr(0, s.rfind("OggS")); }},
    {"cut-before-last-page", "opus", Expect::endsEarly,
     [](const std::string& s) { return s.substr(0, s.rfind("OggS")); }},
    // Whole sample frames: no partial packet gives the cut away.
    {"cut-on-a-frame", "wav", Expect::endsEarly,
     [](const std::string& s) {
         const size_t iData = s.find("data") + 8;
         return s.substr(0, iData + (s.size() - iData) * 6 / 10 / 4 * 4);
     }},
};

const char* const kFormats[] = {"a-minor.wav", "a-minor.aiff",     "a-minor.flac", "a-minor.mp3", "a-minor.ogg",
                                "a-minor.opus", "a-minor.m4a", "a-minor-alac.m4a", "a-minor.wma"};

void expectOneMessage(const std::string& sErr, const std::string& sPath, const char* pcKind)
{
    EXPECT_EQ(KeyraOutput::countLinesWith(sErr, sPath + ": "), 1u) << sPath << "\n" << sErr;
    EXPECT_EQ(KeyraOutput::countLinesWith(sErr, std::string("keyra: ") + pcKind + ": " + sPath + ": "), 1u) << sPath;
}

void expectError(const json& result, const std::string& sErr, const std::string& sReason)
{
    const std::string sPath = result.at("path");
    ASSERT_TRUE(result.contains("error")) << result.dump();
    EXPECT_FALSE(result.contains("general")) << sPath;
    EXPECT_THAT(result.at("error").get<std::string>(), HasSubstr(sReason)) << sPath;
    expectOneMessage(sErr, sPath, "error");
}

void expectKey(const json& result, const std::string& sErr)
{
    const std::string sPath = result.at("path");
    ASSERT_FALSE(result.contains("error")) << result.dump();
    EXPECT_EQ(result.at("general").at(0).at("key"), "A:min") << sPath;
    EXPECT_EQ(KeyraOutput::countLinesWith(sErr, sPath + ": "), result.contains("warning") ? 1u : 0u) << sPath << "\n" << sErr;
}

void expectEndsEarly(const json& result, const std::string& sErr)
{
    const std::string sPath = result.at("path");
    ASSERT_FALSE(result.contains("error")) << result.dump();
    EXPECT_THAT(result.value("warning", ""), HasSubstr("ends early")) << sPath;
    expectOneMessage(sErr, sPath, "warning");
}

void check(Expect eExpect, const json& result, const std::string& sErr)
{
    const bool bError = result.contains("error");
    switch (eExpect)
    {
    case Expect::emptyError:
        return expectError(result, sErr, "empty");
    case Expect::notAudioError:
        return expectError(result, sErr, "not an audio file");
    case Expect::endsEarly:
        return expectEndsEarly(result, sErr);
    case Expect::endsEarlyOrError:
        return bError ? expectError(result, sErr, "") : expectEndsEarly(result, sErr);
    case Expect::keyOrError:
        return bError ? expectError(result, sErr, "") : expectKey(result, sErr);
    case Expect::key:
        return expectKey(result, sErr);
    }
}

std::string extensionOf(const std::string& sFile) { return fs::path(sFile).extension().string().substr(1); }
}

TEST(KeyraBadInputCatalogue, EveryFormatDamagedEveryWayGetsOneClearReportAndTheGoodFilesAKey)
{
    ScratchFolder scratch("catalogue");
    std::vector<std::string> arguments = {"--format", "json", "-j", "2"};
    std::vector<Expect> expected;
    std::vector<std::string> goodFiles;
    for (const char* pcFormat : kFormats)
    {
        // The good file between its damaged copies: a bad file must not spoil the next.
        const std::string sGood = TestAudio::path(std::string("formats/") + pcFormat);
        const std::string sData = CommandRunner::readFile(sGood);
        ASSERT_FALSE(sData.empty()) << sGood;
        const std::string sStem = fs::path(pcFormat).stem().string();
        const std::string sExtension = extensionOf(pcFormat);
        bool bGoodAdded = false;
        for (const auto& damage : kDamages)
        {
            if (damage.pcOnly != nullptr && sExtension != damage.pcOnly)
                continue;
            arguments.push_back(scratch.write(sStem + "." + damage.pcName + "." + sExtension, damage.make(sData)));
            expected.push_back(damage.eExpect);
            if (!bGoodAdded)
            {
                arguments.push_back(sGood);
                expected.push_back(Expect::key);
                goodFiles.push_back(sGood);
                bGoodAdded = true;
            }
        }
    }

    const auto outcome = keyra(arguments);
    ASSERT_NE(outcome.iExitStatus, kTimedOut) << "keyra hangs";
    EXPECT_EQ(outcome.iExitStatus, 1) << outcome.sErr;
    const auto results = KeyraOutput::parseJsonLines(outcome.sOut);
    ASSERT_EQ(results.size(), expected.size()) << outcome.sErr;
    for (size_t i = 0; i < results.size(); ++i)
    {
        ASSERT_EQ(results[i].at("path"), arguments[i + 4]);
        check(expected[i], results[i], outcome.sErr);
    }
    for (const auto& sGood : goodFiles)
        EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, sGood + ": "), 0u) << sGood;
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("Input/output error"))) << "a cut header is not a disk fault";
}

TEST(KeyraBadInputCatalogue, PathsThatAreNoPlainFileAreReportedWithoutBlocking)
{
    ScratchFolder scratch("paths");
    const std::string sGood = CommandRunner::readFile(TestAudio::path("formats/a-minor.wav"));
    fs::create_directories(scratch.path("album.wav"));
    fs::create_directories(scratch.path("folder"));
    scratch.write("album.wav/inside.wav", sGood);
    scratch.write("folder/song.wav", sGood);
    fs::create_symlink("nowhere.wav", scratch.path("dangling.wav"));
    fs::create_symlink("loop.wav", scratch.path("loop.wav"));
    fs::create_symlink("gone.flac", scratch.path("folder/gone.wav"));
    // Named pipes without a writer: opening one for reading waits for a writer forever.
    ASSERT_EQ(mkfifo(scratch.path("pipe.wav").c_str(), 0644), 0);
    ASSERT_EQ(mkfifo(scratch.path("folder/pipe.wav").c_str(), 0644), 0);

    struct Case
    {
        std::string sPath;
        const char* pcError; // nullptr: analysed
    };
    const std::vector<Case> cases = {{scratch.path("missing.wav"), "No such file"},
                                     {scratch.path("dangling.wav"), "No such file"},
                                     {scratch.path("loop.wav"), "symbolic links"},
                                     {scratch.path("pipe.wav"), "not a regular file (a named pipe)"},
                                     {"/dev/null", "not a regular file (a device)"},
                                     // A folder named like a file still stands for its files.
                                     {scratch.path("album.wav") + "/inside.wav", nullptr},
                                     // A link in a folder that lost its target stood for a track.
                                     {scratch.path("folder") + "/gone.wav", "No such file"},
                                     {scratch.path("folder") + "/song.wav", nullptr}};
    const auto outcome = keyra({"--format", "json", scratch.path("missing.wav"), scratch.path("dangling.wav"),
                                scratch.path("loop.wav"), scratch.path("pipe.wav"), "/dev/null",
                                scratch.path("album.wav"), scratch.path("folder")});
    ASSERT_NE(outcome.iExitStatus, kTimedOut) << "keyra hangs on a named pipe";
    EXPECT_EQ(outcome.iExitStatus, 1);
    const auto results = KeyraOutput::parseJsonLines(outcome.sOut);
    ASSERT_EQ(results.size(), cases.size()) << outcome.sOut << outcome.sErr;
    for (size_t i = 0; i < cases.size(); ++i)
    {
        ASSERT_EQ(results[i].at("path"), cases[i].sPath);
        if (cases[i].pcError != nullptr)
            expectError(results[i], outcome.sErr, cases[i].pcError);
        else
            expectKey(results[i], outcome.sErr);
    }
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("folder/pipe.wav"))) << "a pipe in a folder is no track";
}

TEST(KeyraBadInputCatalogue, UnreadableFilesAndFoldersAreErrorsAndFailTheRun)
{
    ScratchFolder scratch("unreadable");
    const std::string sGood = CommandRunner::readFile(TestAudio::path("formats/a-minor.wav"));
    fs::create_directories(scratch.path("locked-folder"));
    fs::create_directories(scratch.path("open/locked-sub"));
    scratch.write("locked.wav", sGood);
    scratch.write("locked-folder/hidden-away.wav", sGood);
    scratch.write("open/locked-sub/hidden-away.wav", sGood);
    scratch.write("open/ok.wav", sGood);
    const std::vector<std::string> locked = {scratch.path("locked.wav"), scratch.path("locked-folder"),
                                             scratch.path("open/locked-sub")};
    for (const auto& sPath : locked)
        fs::permissions(sPath, fs::perms::none);
    struct Unlock
    {
        const std::vector<std::string>& paths;
        ~Unlock()
        {
            for (const auto& sPath : paths)
                fs::permissions(sPath, fs::perms::owner_all);
        }
    } unlock{locked};

    // Permissions do not bind root (CI runs as root): run keyra as nobody where that
    // is possible, and skip where it is not.
    std::string sPrefix;
    if (std::FILE* pFile = std::fopen(locked[0].c_str(), "rb"))
    {
        std::fclose(pFile);
        sPrefix = "setpriv --reuid=65534 --regid=65534 --clear-groups";
        const auto probe = CommandRunner::runShell(sPrefix + " test -r " + CommandRunner::quote(scratch.path("open/ok.wav")) +
                                                   " -a -x " + CommandRunner::quote(KEYRA_CLI_PATH));
        if (probe.iExitStatus != 0)
            GTEST_SKIP() << "file permissions do not bind this user, and keyra cannot run as nobody: "
                         << probe.sErr;
    }

    const auto outcome = keyra({"--format", "json", scratch.path("locked.wav"), scratch.path("locked-folder"),
                                scratch.path("open")},
                               sPrefix);
    EXPECT_EQ(outcome.iExitStatus, 1);
    const auto results = KeyraOutput::parseJsonLines(outcome.sOut);
    ASSERT_EQ(results.size(), 2u) << outcome.sOut << outcome.sErr;
    EXPECT_EQ(results[0].at("path"), scratch.path("locked.wav"));
    expectError(results[0], outcome.sErr, "Permission denied");
    EXPECT_EQ(results[1].at("path"), scratch.path("open") + "/ok.wav");
    expectKey(results[1], outcome.sErr);
    for (const auto& sFolder : {scratch.path("locked-folder"), scratch.path("open") + "/locked-sub"})
        EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, "keyra: error: " + sFolder + ": Permission denied"), 1u)
            << outcome.sErr;
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("no audio files found"))) << "the folder has some, unread";

    // Nothing else to analyse: the folder that could not be read still fails the run.
    const auto alone = keyra({"--format", "json", scratch.path("locked-folder")}, sPrefix);
    EXPECT_EQ(alone.iExitStatus, 1) << alone.sErr;
    EXPECT_EQ(alone.sOut, "");
}

TEST(KeyraBadInputCatalogue, TenThousandFilesWithFewFileHandlesAllGetTheirResult)
{
    // Hard links keep the folder quick to make. Every tenth file is bad, in turns
    // failing before, while and after the container is opened, so that a handle kept
    // on any error path runs keyra out of its 256.
    ScratchFolder scratch("many");
    constexpr int kFiles = 10000;
    const std::string sAiffHead = CommandRunner::readFile(TestAudio::path("formats/a-minor.aiff")).substr(0, 40);
    const std::pair<std::string, std::string> sources[] = {{"wav", scratch.write("source.wav", tinyWave())},
                                                           {"wav", scratch.write("text.wav", kText)},
                                                           {"aiff", scratch.write("cut.aiff", sAiffHead)},
                                                           {"flac", scratch.write("text.flac", kText)}};
    fs::create_directories(scratch.path("library"));
    std::vector<std::string> expectedPaths;
    for (int i = 0; i < kFiles; ++i)
    {
        const auto& source = sources[i % 10 == 9 ? 1 + (i / 10) % 3 : 0];
        char acName[32];
        std::snprintf(acName, sizeof acName, "/t%05d.", i);
        expectedPaths.push_back(scratch.path("library") + acName + source.first);
        fs::create_hard_link(source.second, expectedPaths.back());
    }

    const auto outcome = keyra({"--format", "csv", "-j", "2", scratch.path("library")}, "ulimit -n 256 &&");
    ASSERT_NE(outcome.iExitStatus, kTimedOut);
    EXPECT_EQ(outcome.iExitStatus, 1);
    const auto rows = KeyraOutput::lines(outcome.sOut);
    ASSERT_EQ(rows.size(), kFiles + 1u) << outcome.sErr.substr(0, 2000);
    std::string sFirstKey;
    size_t iErrors = 0;
    for (int i = 0; i < kFiles; ++i)
    {
        const std::string& sRow = rows[static_cast<size_t>(i) + 1];
        const std::string sPrefixOk = expectedPaths[static_cast<size_t>(i)] + ",ok,";
        const std::string sPrefixError = expectedPaths[static_cast<size_t>(i)] + ",error,";
        if (i % 10 == 9)
        {
            ASSERT_EQ(sRow.compare(0, sPrefixError.size(), sPrefixError), 0) << sRow;
            EXPECT_THAT(sRow, HasSubstr("not an audio file")) << sRow;
            ++iErrors;
            continue;
        }
        ASSERT_EQ(sRow.compare(0, sPrefixOk.size(), sPrefixOk), 0) << sRow;
        const std::string sKey = sRow.substr(sPrefixOk.size(), sRow.find(',', sPrefixOk.size()) - sPrefixOk.size());
        if (sFirstKey.empty())
            sFirstKey = sKey;
        ASSERT_EQ(sKey, sFirstKey) << sRow;
    }
    EXPECT_EQ(iErrors, kFiles / 10u);
    EXPECT_EQ(KeyraOutput::countLinesWith(outcome.sErr, "keyra: error: "), kFiles / 10u);
    EXPECT_THAT(outcome.sErr, Not(HasSubstr("open files")));
}
