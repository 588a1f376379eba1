#include "TestAudio.h"

#include "CommandRunner.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace
{
// Bump when the set changes, so that an old build folder does not keep a stale one.
const std::string kFolder = std::string(KEYRA_TEST_AUDIO_DIR) + "-4";

void check(const CommandRunner::Outcome& outcome, const std::string& sWhat)
{
    if (outcome.iExitStatus != 0)
        throw std::runtime_error("cannot make " + sWhat + ": " + outcome.sErr);
}

void synth(const std::string& sOut, const std::string& sKey, const std::string& sRate, const std::string& sChannels)
{
    check(CommandRunner::run(KEYRA_SYNTH_PATH, {"--key", sKey, "--seconds", "5", "--rate", sRate, "--channels",
                                                sChannels, sOut}),
          sOut);
}

void encode(const std::string& sIn, const std::string& sOut, const std::vector<std::string>& codec)
{
    std::vector<std::string> arguments = {"-nostdin", "-v", "error", "-y", "-i", sIn};
    arguments.insert(arguments.end(), codec.begin(), codec.end());
    arguments.push_back(sOut);
    check(CommandRunner::run("ffmpeg", arguments), sOut);
}

void writeText(const std::string& sPath, const std::string& sText)
{
    std::ofstream(sPath, std::ios::binary) << sText;
}

void copyHead(const std::string& sFrom, const std::string& sTo, double dFraction)
{
    const std::string sData = CommandRunner::readFile(sFrom);
    writeText(sTo, sData.substr(0, static_cast<size_t>(static_cast<double>(sData.size()) * dFraction)));
}
}

void TestAudio::generate(const std::string& sFolder)
{
    for (const char* pcSub : {"formats", "keys", "mixed/sub"})
        fs::create_directories(sFolder + "/" + pcSub);

    const std::string sCadence = sFolder + "/formats/a-minor.wav";
    synth(sCadence, "A:min", "44100", "2");
    encode(sCadence, sFolder + "/formats/a-minor.flac", {});
    encode(sCadence, sFolder + "/formats/a-minor.aiff", {});
    encode(sCadence, sFolder + "/formats/a-minor.mp3", {"-c:a", "libmp3lame", "-b:a", "128k"});
    encode(sCadence, sFolder + "/formats/a-minor.ogg", {"-c:a", "libvorbis", "-q:a", "4"});
    encode(sCadence, sFolder + "/formats/a-minor.opus", {"-c:a", "libopus", "-b:a", "96k"});
    encode(sCadence, sFolder + "/formats/a-minor.m4a", {"-c:a", "aac", "-b:a", "128k"});
    encode(sCadence, sFolder + "/formats/a-minor-alac.m4a", {"-c:a", "alac"});
    encode(sCadence, sFolder + "/formats/a-minor.wma", {"-c:a", "wmav2", "-b:a", "128k"});

    synth(sFolder + "/keys/eb-major.wav", "Eb:maj", "48000", "1");
    encode(sFolder + "/keys/eb-major.wav", sFolder + "/keys/eb-major.mp3", {"-c:a", "libmp3lame", "-b:a", "128k"});
    synth(sFolder + "/keys/f-sharp-minor.wav", "F#:min", "22050", "2");
    encode(sFolder + "/keys/f-sharp-minor.wav", sFolder + "/keys/f-sharp-minor.ogg", {"-c:a", "libvorbis"});

    check(CommandRunner::run("ffmpeg", {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                        "anullsrc=r=44100:cl=stereo", "-t", "3", sFolder + "/silent.wav"}),
          "silent.wav");
    // Float samples far below the engine's threshold, but not digital zero.
    check(CommandRunner::run("ffmpeg", {"-nostdin", "-v", "error", "-y", "-f", "lavfi", "-i",
                                        "sine=frequency=440:sample_rate=44100:duration=3,volume=-100dB", "-c:a",
                                        "pcm_f32le", sFolder + "/quiet.wav"}),
          "quiet.wav");

    const std::string sMixed = sFolder + "/mixed/";
    fs::copy_file(sCadence, sMixed + "good.wav");
    fs::copy_file(sFolder + "/formats/a-minor.ogg", sMixed + "sub/good.ogg");
    fs::copy_file(sFolder + "/formats/a-minor.flac", sMixed + "name, with comma \xc3\xa9.flac");
    fs::copy_file(sCadence, sMixed + ".hidden.wav");
    writeText(sMixed + "notes.txt", "not audio\n");
    writeText(sMixed + "fake.mp3", "This is a text file that pretends to be an MP3.\n");
    writeText(sMixed + "empty.wav", "");
    copyHead(sFolder + "/formats/a-minor.mp3", sMixed + "truncated.mp3", 0.5);
}

const std::string& TestAudio::folder()
{
    static const std::string sFolder = [] {
        std::error_code error;
        if (fs::is_directory(kFolder, error))
            return kFolder;
        // Tests run in parallel processes: each makes its own copy and the first to
        // rename it into place wins.
        const std::string sTemporary = kFolder + ".tmp-" + std::to_string(getpid());
        fs::remove_all(sTemporary, error);
        generate(sTemporary);
        fs::rename(sTemporary, kFolder, error);
        if (error)
            fs::remove_all(sTemporary, error);
        if (!fs::is_directory(kFolder, error))
            throw std::runtime_error("cannot make the test recordings in " + kFolder);
        return kFolder;
    }();
    return sFolder;
}
