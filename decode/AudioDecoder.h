#pragma once

#include <cstdint>
#include <memory>
#include <string>

/// Streams the first audio stream of a file as planar float frames at the file's own
/// sample rate and channel count. Reads as little as needed: memory does not grow with
/// the length of the file. One decoder belongs to one thread at a time.
class AudioDecoder
{
public:
    /// Opens the file and prepares its first decodable audio stream. Throws DecodeError
    /// with a one-line reason ("No such file or directory", "no audio stream", ...).
    static std::unique_ptr<AudioDecoder> open(const std::string& sPath);

    virtual ~AudioDecoder() = default;

    virtual int32_t getSampleRate() const = 0;
    virtual int32_t getNumberOfChannels() const = 0;
    /// The length the file announces, in frames; -1 when it does not say.
    virtual int64_t getLengthInFrames() const = 0;
    /// The frame the next read() starts at.
    virtual int64_t getPosition() const = 0;

    /// Fills ppfChannels (one pointer per channel, each to at least iMaxFrames samples)
    /// and returns the number of frames written: iMaxFrames, except at the end of the
    /// stream, where it returns fewer and then 0. Damaged data never throws: it ends the
    /// stream early or is skipped, and getWarning() says so.
    virtual int32_t read(float* const* ppfChannels, int32_t iMaxFrames) = 0;

    /// Moves to iFrame (clamped to 0 and the end); returns false if the file cannot seek,
    /// or cannot express so late a time, in which case the position is unchanged.
    virtual bool seek(int64_t iFrame) = 0;

    /// Empty while the stream has decoded cleanly; otherwise what went wrong, e.g.
    /// "file ends early: 2.0 s of 4.0 s decoded".
    virtual std::string getWarning() const = 0;
    /// The codec's short name, e.g. "mp3" or "pcm_s16le".
    virtual std::string getCodecName() const = 0;
};
