// The decoder library on damaged files of every container the command-line analyser
// reads. The input is laid out as
//   byte 0                 the file name's extension (FFmpeg weighs it when it probes)
//   bytes 1..kControlBytes the read blocks and seeks, one FuzzedDataProvider
//   the rest               the file
// so that the file's bytes mutate freely without shifting the choices. When the
// choices run out, the rest of the stream is read in blocks of the last size.
#include "AudioDecoder.h"
#include "DecodeError.h"
#include "FuzzSupport.h"

#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace
{
namespace fs = std::filesystem;

// The containers of the seed corpus first, then the rest of the analyser's list.
// Seeds name their extension by its index here: keep the order.
const char* const kExtensions[] = {"wav",  "aiff", "flac", "mp3", "ogg", "opus", "m4a", "caf", "wma",
                                   "aif",  "aifc", "wave", "w64", "oga", "spx",  "m4b", "alac", "aac",
                                   "ac3",  "amr",  "ape",  "au",  "dsf", "dff",  "dts", "eac3", "mka",
                                   "mp2",  "mpc",  "ra",   "shn", "snd", "tta",  "wv"};
constexpr size_t kExtensionCount = sizeof kExtensions / sizeof kExtensions[0];
constexpr size_t kControlBytes = 16;

// A few million samples keep one input well under a second even when a small file
// decodes to a long stream (a FLAC frame of constant subframes is a few bytes).
constexpr int64_t kSampleBudget = 1 << 22;
// What a call costs beyond its samples: many one-frame reads must not outlast the budget.
constexpr int64_t kCallCost = 256;
constexpr int64_t kMaxBlockSamples = 1 << 20;
// Written into the caller's buffers before each read: what read() does not return
// must stay untouched.
constexpr uint32_t kCanaryBits = 0x7fc0beefu;

/// The inputs go through the file system as the analyser's do; RAM-backed where the
/// machine has /dev/shm. One folder per process, so parallel jobs never share a file.
class ScratchFolder
{
public:
    ScratchFolder()
    {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? fs::path("/dev/shm") : fs::temp_directory_path();
        removeLeftovers(base);
        m_folder = base / (kPrefix + std::to_string(getpid()));
        fs::create_directories(m_folder);
    }
    ~ScratchFolder()
    {
        std::error_code error;
        fs::remove_all(m_folder, error);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string write(const char* pcExtension, const uint8_t* pData, size_t iSize) const
    {
        const std::string sPath = (m_folder / (std::string("input.") + pcExtension)).string();
        std::FILE* pFile = std::fopen(sPath.c_str(), "wb");
        fuzz::check(pFile != nullptr, "the scratch file opens");
        const bool bWritten = iSize == 0 || std::fwrite(pData, 1, iSize, pFile) == iSize;
        fuzz::check(std::fclose(pFile) == 0 && bWritten, "the scratch file is written");
        return sPath;
    }

private:
    static constexpr const char* kPrefix = "keyra-fuzz-decoder-";

    /// A crash ends the process without the destructor: the next run clears the
    /// folders of processes that are gone.
    static void removeLeftovers(const fs::path& base)
    {
        std::error_code error;
        const std::string sPrefix = kPrefix;
        for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error))
        {
            const std::string sName = it->path().filename().string();
            if (sName.compare(0, sPrefix.size(), sPrefix) != 0)
                continue;
            const long iPid = std::strtol(sName.c_str() + sPrefix.size(), nullptr, 10);
            if (iPid > 0 && kill(static_cast<pid_t>(iPid), 0) != 0 && errno == ESRCH)
            {
                std::error_code ignored;
                fs::remove_all(it->path(), ignored);
            }
        }
    }

    fs::path m_folder;
};

int64_t saturatingAdd(int64_t a, int64_t b)
{
    int64_t iSum;
    if (__builtin_add_overflow(a, b, &iSum))
        return b > 0 ? std::numeric_limits<int64_t>::max() : std::numeric_limits<int64_t>::min();
    return iSum;
}

int32_t pickBlock(FuzzedDataProvider& in)
{
    static const int32_t kBlocks[] = {4096, 1, 2, 3, 64, 576, 997, 1024, 1152, 16384, 65536, 0};
    constexpr size_t kCount = sizeof kBlocks / sizeof kBlocks[0];
    if (!in.ConsumeBool())
        return kBlocks[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    return in.ConsumeIntegralInRange<int32_t>(0, 1 << 17);
}

int64_t pickFrame(FuzzedDataProvider& in, const AudioDecoder& decoder)
{
    const int64_t iLength = decoder.getLengthInFrames();
    const int64_t iSpan = std::max<int64_t>(iLength, 1 << 16);
    switch (in.ConsumeIntegralInRange<int>(0, 3))
    {
    case 0:
    {
        const int64_t kFrames[] = {0,
                                   -1,
                                   iLength,
                                   saturatingAdd(iLength, -1),
                                   saturatingAdd(iLength, 1),
                                   saturatingAdd(iLength, iSpan),
                                   decoder.getPosition(),
                                   std::numeric_limits<int64_t>::max(),
                                   std::numeric_limits<int64_t>::min(),
                                   std::numeric_limits<int64_t>::max() / 2,
                                   int64_t{1} << 40};
        constexpr size_t kCount = sizeof kFrames / sizeof kFrames[0];
        return kFrames[in.ConsumeIntegralInRange<size_t>(0, kCount - 1)];
    }
    case 1:
        return in.ConsumeIntegral<int64_t>();
    default:
        return in.ConsumeIntegralInRange<int64_t>(0, iSpan);
    }
}

/// Where seek(iFrame) must land: clamped to 0 and, when the length is known, to it.
int64_t expectedSeekPosition(int64_t iFrame, int64_t iLength)
{
    iFrame = std::max<int64_t>(iFrame, 0);
    return iLength > 0 ? std::min(iFrame, iLength) : iFrame;
}

class Reader
{
public:
    explicit Reader(AudioDecoder& decoder) : m_decoder(decoder)
    {
        const int32_t iChannels = decoder.getNumberOfChannels();
        m_iMaxBlock = static_cast<int32_t>(std::max<int64_t>(kMaxBlockSamples / iChannels, 1));
        m_channels.resize(static_cast<size_t>(iChannels));
        m_pointers.resize(static_cast<size_t>(iChannels));
    }

    bool budgetLeft() const { return m_iSamplesLeft > 0; }
    bool ended() const { return m_bEnded; }

    void read(int32_t iRequested)
    {
        const int32_t iFrames = std::min(iRequested, m_iMaxBlock);
        // Exactly as large as asked for: a write past the block is an AddressSanitizer report.
        for (size_t c = 0; c < m_channels.size(); ++c)
        {
            m_channels[c].assign(static_cast<size_t>(iFrames), canary());
            m_pointers[c] = m_channels[c].data();
        }
        const int64_t iBefore = m_decoder.getPosition();
        const int32_t iRead = m_decoder.read(m_pointers.data(), iFrames);
        fuzz::check(iRead >= 0 && iRead <= iFrames, "read returns 0..maxFrames");
        fuzz::check(m_decoder.getPosition() == iBefore + iRead, "the position advances by what read returned");
        if (m_bShortRead)
            fuzz::check(iRead == 0, "after a short read the stream has ended");
        if (iRead < iFrames)
            m_bShortRead = m_bEnded = true;
        for (const auto& channel : m_channels)
            for (size_t i = static_cast<size_t>(iRead); i < channel.size(); ++i)
                fuzz::check(isCanary(channel[i]), "read writes no frame past the ones it returns");
        m_iSamplesLeft -= std::max<int64_t>(int64_t{iRead} * static_cast<int64_t>(m_channels.size()), kCallCost);
    }

    void seek(int64_t iFrame)
    {
        const int64_t iBefore = m_decoder.getPosition();
        if (m_decoder.seek(iFrame))
        {
            fuzz::check(m_decoder.getPosition() == expectedSeekPosition(iFrame, m_decoder.getLengthInFrames()),
                        "a seek lands on the clamped frame");
            m_bShortRead = m_bEnded = false;
        }
        else
            fuzz::check(m_decoder.getPosition() == iBefore, "a failed seek keeps the position");
        // A seek decodes up to its target, which costs like a read.
        m_iSamplesLeft -= 16 * kCallCost;
    }

private:
    static float canary()
    {
        float f;
        std::memcpy(&f, &kCanaryBits, sizeof f);
        return f;
    }
    static bool isCanary(float f)
    {
        uint32_t iBits;
        std::memcpy(&iBits, &f, sizeof iBits);
        return iBits == kCanaryBits;
    }

    AudioDecoder& m_decoder;
    int32_t m_iMaxBlock = 1;
    std::vector<std::vector<float>> m_channels;
    std::vector<float*> m_pointers;
    int64_t m_iSamplesLeft = kSampleBudget;
    bool m_bShortRead = false;
    bool m_bEnded = false;
};

void checkDescriptions(const AudioDecoder& decoder)
{
    // Either would throw out of here, which libFuzzer records as a crash.
    fuzz::check(!decoder.getCodecName().empty(), "a codec name");
    decoder.getWarning();
}

void exercise(AudioDecoder& decoder, FuzzedDataProvider& control)
{
    fuzz::check(decoder.getSampleRate() > 0, "a positive sample rate");
    fuzz::check(decoder.getNumberOfChannels() >= 1, "at least one channel");
    fuzz::check(decoder.getLengthInFrames() >= -1, "a length, or -1 when unknown");
    fuzz::check(decoder.getPosition() == 0, "a new decoder starts at frame 0");
    checkDescriptions(decoder);

    Reader reader(decoder);
    int32_t iBlock = 4096;
    while (control.remaining_bytes() > 0 && reader.budgetLeft())
    {
        if (control.ConsumeIntegralInRange<int>(0, 3) == 3)
            reader.seek(pickFrame(control, decoder));
        else
            reader.read(iBlock = pickBlock(control));
    }
    iBlock = std::max(iBlock, 1);
    while (!reader.ended() && reader.budgetLeft())
        reader.read(iBlock);
    if (reader.ended())
        reader.read(iBlock);
    checkDescriptions(decoder);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t iSize)
{
    static const ScratchFolder folder;
    if (iSize == 0)
        return 0;
    const char* const pcExtension = kExtensions[pData[0] % kExtensionCount];
    const size_t iControl = std::min(iSize - 1, kControlBytes);
    FuzzedDataProvider control(pData + 1, iControl);
    const size_t iHeader = 1 + iControl;
    const std::string sPath = folder.write(pcExtension, pData + iHeader, iSize - iHeader);

    try
    {
        const std::unique_ptr<AudioDecoder> pDecoder = AudioDecoder::open(sPath);
        fuzz::check(pDecoder != nullptr, "open returns a decoder or throws");
        exercise(*pDecoder, control);
    }
    catch (const DecodeError&)
    {
    }
    std::error_code error;
    fs::remove(sPath, error);
    return 0;
}
