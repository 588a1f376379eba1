#include "ContainerCheck.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace
{
uint32_t littleEndian32(const unsigned char* pcBytes)
{
    return static_cast<uint32_t>(pcBytes[0]) | static_cast<uint32_t>(pcBytes[1]) << 8 |
           static_cast<uint32_t>(pcBytes[2]) << 16 | static_cast<uint32_t>(pcBytes[3]) << 24;
}

uint64_t littleEndian64(const unsigned char* pcBytes)
{
    return static_cast<uint64_t>(littleEndian32(pcBytes)) | static_cast<uint64_t>(littleEndian32(pcBytes + 4)) << 32;
}

bool readBytes(std::istream& file, unsigned char* pcBytes, size_t iCount)
{
    return static_cast<bool>(file.read(reinterpret_cast<char*>(pcBytes), static_cast<std::streamsize>(iCount)));
}

// Files with more chunks or objects in front of the audio than this are not worth the search.
constexpr int kMaxHeaderParts = 64;

// The last page of an Ogg stream: at most 27 header bytes, 255 lacing values and 255
// segments of 255 bytes.
constexpr size_t kMaxOggPage = 27 + 255 + 255 * 255;
constexpr size_t kOggHeader = 27;
constexpr unsigned char kOggEndOfStream = 0x04;
// Candidates for the first whole page to try; a crafted tail full of capture patterns
// would otherwise cost a checksum over a page for each.
constexpr int kMaxOggStarts = 64;

// The page checksum: CRC-32 with polynomial 0x04C11DB7, not reflected, starting at 0,
// over the page with its checksum field read as zero.
uint32_t oggChecksum(const unsigned char* pcPage, size_t iSize)
{
    static const auto table = [] {
        std::array<uint32_t, 256> values{};
        for (uint32_t i = 0; i < 256; ++i)
        {
            uint32_t iValue = i << 24;
            for (int iBit = 0; iBit < 8; ++iBit)
                iValue = (iValue & 0x80000000u) != 0 ? (iValue << 1) ^ 0x04C11DB7u : iValue << 1;
            values[i] = iValue;
        }
        return values;
    }();
    uint32_t iCrc = 0;
    for (size_t i = 0; i < iSize; ++i)
    {
        const unsigned char c = i >= 22 && i < 26 ? 0 : pcPage[i];
        iCrc = (iCrc << 8) ^ table[((iCrc >> 24) ^ c) & 0xFF];
    }
    return iCrc;
}

bool isOggCapture(const std::vector<unsigned char>& tail, size_t iAt)
{
    return iAt + 5 <= tail.size() && std::memcmp(tail.data() + iAt, "OggS", 4) == 0 && tail[iAt + 4] == 0;
}

// Where the page at iAt ends; past the end of tail when the page is cut off.
size_t oggPageEnd(const std::vector<unsigned char>& tail, size_t iAt)
{
    if (iAt + kOggHeader > tail.size())
        return SIZE_MAX;
    const size_t iSegments = tail[iAt + 26];
    if (iAt + kOggHeader + iSegments > tail.size())
        return SIZE_MAX;
    size_t iEnd = iAt + kOggHeader + iSegments;
    for (size_t i = 0; i < iSegments; ++i)
        iEnd += tail[iAt + kOggHeader + i];
    return iEnd;
}

bool isWholeOggPage(const std::vector<unsigned char>& tail, size_t iAt)
{
    const size_t iEnd = oggPageEnd(tail, iAt);
    return iEnd <= tail.size() && oggChecksum(tail.data() + iAt, iEnd - iAt) == littleEndian32(tail.data() + iAt + 22);
}
}

int64_t ContainerCheck::getWaveDataBytes(std::istream& file)
{
    unsigned char acHeader[12];
    if (!readBytes(file, acHeader, sizeof acHeader) || std::memcmp(acHeader, "RIFF", 4) != 0 ||
        std::memcmp(acHeader + 8, "WAVE", 4) != 0)
        return -1;
    for (int i = 0; i < kMaxHeaderParts; ++i)
    {
        unsigned char acChunk[8];
        if (!readBytes(file, acChunk, sizeof acChunk))
            return -1;
        const uint32_t iSize = littleEndian32(acChunk + 4);
        if (std::memcmp(acChunk, "data", 4) == 0)
            return iSize == 0 || iSize == 0xFFFFFFFFu ? -1 : static_cast<int64_t>(iSize);
        if (!file.seekg(static_cast<std::streamoff>(iSize) + (iSize & 1), std::ios::cur))
            return -1;
    }
    return -1;
}

double ContainerCheck::getAsfSeconds(std::istream& file)
{
    static const unsigned char kHeaderObject[16] = {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11,
                                                    0xA6, 0xD9, 0x00, 0xAA, 0x00, 0x62, 0xCE, 0x6C};
    static const unsigned char kFileProperties[16] = {0xA1, 0xDC, 0xAB, 0x8C, 0x47, 0xA9, 0xCF, 0x11,
                                                      0x8E, 0xE4, 0x00, 0xC0, 0x0C, 0x20, 0x53, 0x65};
    constexpr size_t kObjectHeader = 24; // identifier and 64-bit size
    unsigned char acHeader[30];
    if (!readBytes(file, acHeader, sizeof acHeader) || std::memcmp(acHeader, kHeaderObject, 16) != 0)
        return -1.0;
    const int iObjects = static_cast<int>(std::min<uint32_t>(littleEndian32(acHeader + 24), kMaxHeaderParts));
    for (int i = 0; i < iObjects; ++i)
    {
        unsigned char acObject[kObjectHeader];
        if (!readBytes(file, acObject, sizeof acObject))
            return -1.0;
        const uint64_t iSize = littleEndian64(acObject + 16);
        if (iSize < kObjectHeader || iSize > (uint64_t{1} << 40))
            return -1.0;
        if (std::memcmp(acObject, kFileProperties, 16) == 0)
        {
            // File identifier, file size, creation date, packet count, play duration
            // (100 ns), send duration, preroll (ms), flags.
            unsigned char acProperties[68];
            if (!readBytes(file, acProperties, sizeof acProperties))
                return -1.0;
            const bool bBroadcast = (littleEndian32(acProperties + 64) & 1) != 0;
            const double dSeconds = static_cast<double>(littleEndian64(acProperties + 40)) / 1e7 -
                                    static_cast<double>(littleEndian64(acProperties + 56)) / 1e3;
            return bBroadcast || dSeconds <= 0.0 ? -1.0 : dSeconds;
        }
        if (!file.seekg(static_cast<std::streamoff>(iSize - kObjectHeader), std::ios::cur))
            return -1.0;
    }
    return -1.0;
}

bool ContainerCheck::oggEndsEarly(std::istream& file)
{
    // Two pages' worth always holds a whole page ahead of a cut-off last one.
    if (!file.seekg(0, std::ios::end))
        return false;
    const auto iFileSize = static_cast<size_t>(std::max<std::streamoff>(file.tellg(), 0));
    const size_t iTailSize = std::min(iFileSize, 2 * kMaxOggPage);
    std::vector<unsigned char> tail(iTailSize);
    if (!file.seekg(static_cast<std::streamoff>(iFileSize - iTailSize)) || !readBytes(file, tail.data(), iTailSize))
        return false;

    // From the first page with a good checksum, follow the pages to the end of the file.
    int iTried = 0;
    for (size_t iStart = 0; iStart + kOggHeader <= tail.size() && iTried < kMaxOggStarts; ++iStart)
    {
        if (!isOggCapture(tail, iStart))
            continue;
        ++iTried;
        if (!isWholeOggPage(tail, iStart))
            continue;
        size_t iPage = iStart;
        for (;;)
        {
            const size_t iEnd = oggPageEnd(tail, iPage);
            if (iEnd == tail.size())
                return (tail[iPage + 5] & kOggEndOfStream) == 0;
            if (iEnd > tail.size())
                return true;
            if (!isOggCapture(tail, iEnd))
                // Fewer bytes than a capture pattern left: the next page was cut right at its start.
                return tail.size() - iEnd < 5 && std::memcmp(tail.data() + iEnd, "OggS", tail.size() - iEnd) == 0;
            if (oggPageEnd(tail, iEnd) <= tail.size() && !isWholeOggPage(tail, iEnd))
                return false; // a damaged page, not an early end
            iPage = iEnd;
        }
    }
    return false;
}
