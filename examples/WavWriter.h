#pragma once

#include <cstdint>
#include <fstream>
#include <string>

/// Writes 16-bit PCM WAV of a length known in advance, block by block.
class WavWriter
{
public:
    /// Throws std::runtime_error if the file cannot be created.
    WavWriter(const std::string& sPath, int32_t iSampleRate, int32_t iNumberOfChannels, int64_t iNumberOfFrames);

    /// pfInterleaved holds iNumberOfFrames frames of all channels, in [-1, 1].
    void write(const float* pfInterleaved, int64_t iNumberOfFrames);
    /// Throws std::runtime_error if anything failed to reach the file.
    void close();

private:
    void writeHeader(int32_t iSampleRate, int64_t iNumberOfFrames);

    std::ofstream m_file;
    std::string m_sPath;
    int32_t m_iNumberOfChannels;
};
