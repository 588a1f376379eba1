#include "AudioDecoder.h"

#include "FfmpegAudioDecoder.h"

std::unique_ptr<AudioDecoder> AudioDecoder::open(const std::string& sPath)
{
    return std::make_unique<FfmpegAudioDecoder>(sPath);
}
