#pragma once

#include <cstdint>
#include <istream>

/// The few facts about a container's length that libavformat does not pass on. It drops
/// the length a RIFF WAVE or an ASF header announces as soon as the file is shorter
/// than the header says (and then guesses from the bit rate), which is exactly when a
/// file was cut; and an Ogg stream announces no length at all, only marks its last page.
/// Every reader takes the file's bytes and trusts none of its sizes.
class ContainerCheck
{
public:
    /// Bytes of samples that the "data" chunk of a RIFF WAVE file announces; -1 when the
    /// file is not one or does not say (a size of 0 or 0xFFFFFFFF, written by a stream).
    static int64_t getWaveDataBytes(std::istream& file);
    /// The playing time an ASF (WMA) header announces, in seconds, less the preroll;
    /// -1 when the file is not one, does not say or is flagged as a live broadcast.
    static double getAsfSeconds(std::istream& file);
    /// True when the last page of an Ogg file is cut off or does not end its stream.
    /// False when it does, and also when the end cannot be told (not Ogg, trailing junk).
    static bool oggEndsEarly(std::istream& file);
};
