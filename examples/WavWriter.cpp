#include "WavWriter.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace
{
void put16(std::ofstream& file, uint32_t iValue)
{
    const char acBytes[2] = {static_cast<char>(iValue & 0xff), static_cast<char>((iValue >> 8) & 0xff)};
    file.write(acBytes, 2);
}

void put32(std::ofstream& file, uint32_t iValue)
{
    put16(file, iValue & 0xffff);
    put16(file, iValue >> 16);
}
}

WavWriter::WavWriter(const std::string& sPath, int32_t iSampleRate, int32_t iNumberOfChannels, int64_t iNumberOfFrames)
    : m_file(sPath, std::ios::binary | std::ios::trunc), m_sPath(sPath), m_iNumberOfChannels(iNumberOfChannels)
{
    if (!m_file)
        throw std::runtime_error("cannot create " + sPath);
    const int64_t iDataBytes = iNumberOfFrames * iNumberOfChannels * 2;
    if (iDataBytes > 0xffffffffLL - 36)
        throw std::runtime_error("too long for a WAV file: " + sPath);
    writeHeader(iSampleRate, iNumberOfFrames);
}

void WavWriter::writeHeader(int32_t iSampleRate, int64_t iNumberOfFrames)
{
    const auto iDataBytes = static_cast<uint32_t>(iNumberOfFrames * m_iNumberOfChannels * 2);
    const auto iChannels = static_cast<uint32_t>(m_iNumberOfChannels);
    const auto iRate = static_cast<uint32_t>(iSampleRate);
    m_file.write("RIFF", 4);
    put32(m_file, 36 + iDataBytes);
    m_file.write("WAVEfmt ", 8);
    put32(m_file, 16);
    put16(m_file, 1); // integer PCM
    put16(m_file, iChannels);
    put32(m_file, iRate);
    put32(m_file, iRate * iChannels * 2);
    put16(m_file, iChannels * 2);
    put16(m_file, 16);
    m_file.write("data", 4);
    put32(m_file, iDataBytes);
}

void WavWriter::write(const float* pfInterleaved, int64_t iNumberOfFrames)
{
    std::vector<char> bytes(static_cast<size_t>(iNumberOfFrames * m_iNumberOfChannels * 2));
    for (size_t i = 0; i < bytes.size() / 2; ++i)
    {
        const float fSample = std::clamp(pfInterleaved[i], -1.f, 1.f);
        const auto iValue = static_cast<int16_t>(std::lround(fSample * 32767.f));
        bytes[2 * i] = static_cast<char>(iValue & 0xff);
        bytes[2 * i + 1] = static_cast<char>((iValue >> 8) & 0xff);
    }
    m_file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WavWriter::close()
{
    m_file.close();
    if (!m_file)
        throw std::runtime_error("cannot write " + m_sPath);
}
