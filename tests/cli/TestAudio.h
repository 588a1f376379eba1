#pragma once

#include <string>

/// The recordings the tests analyse, made on first use and kept in the build folder:
///   formats/   one A minor cadence (5 s, 44.1 kHz stereo) in every format
///   keys/      cadences in Eb major (48 kHz mono) and F# minor, WAV and lossy
///   mixed/     good files beside a text file, a text file named .mp3, an empty
///              file, a truncated MP3, a hidden file and names with commas and accents
///   silent.wav digital silence; quiet.wav a tone 100 dB down, in float
class TestAudio
{
public:
    /// The folder holding it all; throws std::runtime_error if it cannot be made.
    static const std::string& folder();
    static std::string path(const std::string& sRelative) { return folder() + "/" + sRelative; }

private:
    static void generate(const std::string& sFolder);
};
