#pragma once

#include "KeyraResultIf.h"

#include <cstdint>
#include <string>

/// The key-detection engine. Create an instance for one sample rate and channel
/// count, push blocks of non-interleaved float audio with process(), then ask for a
/// result with computeResult() as often as you like. One instance belongs to one
/// thread at a time; separate instances may run on separate threads.
class KeyraIf
{
public:
    /// Genre profile a result is computed for.
    enum GenreType : int32_t
    {
        electronic = 0,
        general = 1
    };

    /// Codes returned by createInstance() and process().
    enum ErrorCode : int32_t
    {
        noError = 0,
        memoryError = 1,
        invalidArgumentError = 2
    };

    virtual ~KeyraIf() = default;

    /// 16384: the longest block process() accepts.
    virtual int32_t getMaximumNumberOfInputFrames() const = 0;

    /// ppfChannels holds one pointer per channel, each to at least iNumberOfFrames
    /// samples. Returns invalidArgumentError, changing nothing, for a frame count
    /// below 0 or above getMaximumNumberOfInputFrames().
    virtual int32_t process(const float* const* ppfChannels, int32_t iNumberOfFrames) = 0;

    /// Ranks the 24 keys for the profile from everything pushed so far; does not
    /// consume anything. Throws std::invalid_argument for a profile that is neither
    /// electronic nor general, std::bad_alloc when out of memory.
    virtual KeyraResultIf computeResult(GenreType eGenre) = 0;

    /// Forgets the accumulated analysis. The converter and the block buffer keep the
    /// last moments of audio (under half a second), so a continuous stream stays
    /// seamless; for a result fully independent of earlier input, use a new instance.
    virtual void reset() = 0;

    /// "3.1.6+9b9803a"
    static const char* getVersion();
    /// The build date, as in "Nov 24 2023".
    static std::string getBuildDate();

    /// On noError, pInstance holds the new engine; otherwise it is left as it was.
    /// invalidArgumentError for fewer than 1 channel, or a sample rate that is not a
    /// finite number from 100 Hz to 5 MHz; memoryError when out of memory.
    static int32_t createInstance(KeyraIf*& pInstance, float fSampleRate, int32_t iNumberOfChannels);
    /// Deletes the instance (null is fine) and sets the pointer to null.
    static void destroyInstance(KeyraIf*& pInstance);
};
