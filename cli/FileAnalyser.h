#pragma once

#include "FileResult.h"

#include <cstdint>
#include <string>
#include <vector>

class KeyraIf;

/// Decodes one file at a time into its own engine instance and turns the engine's
/// answer into a FileResult. Never throws: whatever goes wrong becomes a failed result.
class FileAnalyser
{
public:
    FileAnalyser();
    ~FileAnalyser();

    FileAnalyser(const FileAnalyser&) = delete;
    FileAnalyser& operator=(const FileAnalyser&) = delete;

    FileResult analyse(const std::string& sPath);

private:
    void analyseInto(FileResult& result);
    void prepareEngine(int32_t iSampleRate, int32_t iNumberOfChannels);
    void prepareBuffers(int32_t iNumberOfChannels, int32_t iBlockFrames);
    void takeResults(FileResult& result);

    KeyraIf* m_pEngine = nullptr; // lives while one file is analysed
    std::vector<std::vector<float>> m_buffers;
    std::vector<float*> m_channelPointers;
};
