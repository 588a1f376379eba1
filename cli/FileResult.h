#pragma once

#include "RankedKey.h"

#include <cstdint>
#include <string>
#include <vector>

/// Everything the output knows about one input file.
struct FileResult
{
    enum class Status
    {
        analysed,
        silent, // decoded fine, but nothing above the silence threshold: no key
        failed
    };

    std::string sPath;
    Status eStatus = Status::failed;
    std::string sError; // set when failed
    std::string sWarning; // e.g. a truncated file that was analysed up to its break
    double dDurationSeconds = 0.0;
    int32_t iSampleRate = 0;
    int32_t iNumberOfChannels = 0;
    float fTuningInHz = 0.f;
    std::vector<RankedKey> general; // 24 keys, most probable first; empty unless analysed
    std::vector<RankedKey> electronic;
};
