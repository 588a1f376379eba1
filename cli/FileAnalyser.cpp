#include "FileAnalyser.h"

#include "AudioDecoder.h"
#include "DecodeError.h"
#include "SilenceDetector.h"

#include <KeyraIf.h>

#include <algorithm>
#include <new>
#include <stdexcept>

namespace
{
constexpr int32_t kBlockFrames = 16384;

std::vector<RankedKey> copyKeys(const KeyraResultIf& result)
{
    std::vector<RankedKey> keys;
    for (const auto& keyResult : result.getAllKeyResults())
    {
        const auto key = keyResult.getKey();
        keys.push_back({key.getName(), static_cast<int>(key.getRootPitchClass()),
                        key.getType() == KeyraResultIf::Key::minor, keyResult.getProbability()});
    }
    return keys;
}

// The engine's answer when no block was above its silence threshold: equal
// probabilities for the top half of the ranking.
bool isFlat(const std::vector<RankedKey>& keys)
{
    return keys.size() >= 12 && keys.front().fProbability - keys[11].fProbability < 1e-6f;
}
}

FileAnalyser::FileAnalyser() = default;

FileAnalyser::~FileAnalyser() { KeyraIf::destroyInstance(m_pEngine); }

FileResult FileAnalyser::analyse(const std::string& sPath)
{
    FileResult result;
    result.sPath = sPath;
    try
    {
        analyseInto(result);
    }
    catch (const DecodeError& e)
    {
        result.sError = e.what();
    }
    catch (const std::bad_alloc&)
    {
        result.sError = "out of memory";
    }
    catch (const std::exception& e)
    {
        result.sError = e.what();
    }
    KeyraIf::destroyInstance(m_pEngine);
    if (!result.sError.empty())
    {
        result.eStatus = FileResult::Status::failed;
        result.general.clear();
        result.electronic.clear();
    }
    return result;
}

void FileAnalyser::analyseInto(FileResult& result)
{
    auto pDecoder = AudioDecoder::open(result.sPath);
    result.iSampleRate = pDecoder->getSampleRate();
    result.iNumberOfChannels = pDecoder->getNumberOfChannels();
    prepareEngine(result.iSampleRate, result.iNumberOfChannels);
    prepareBuffers(result.iNumberOfChannels, std::min(kBlockFrames, m_pEngine->getMaximumNumberOfInputFrames()));

    SilenceDetector silence(result.iSampleRate, result.iNumberOfChannels);
    const auto iBlockFrames = static_cast<int32_t>(m_buffers.front().size());
    int64_t iTotalFrames = 0;
    while (const int32_t iFrames = pDecoder->read(m_channelPointers.data(), iBlockFrames))
    {
        if (m_pEngine->process(m_channelPointers.data(), iFrames) != KeyraIf::noError)
            throw std::runtime_error("the engine rejected a block of " + std::to_string(iFrames) + " frames");
        silence.add(m_channelPointers.data(), iFrames);
        iTotalFrames += iFrames;
    }
    result.sWarning = pDecoder->getWarning();
    if (iTotalFrames == 0)
        throw DecodeError(result.sWarning.empty() ? "no audio samples" : "no audio decoded: " + result.sWarning);
    result.dDurationSeconds = static_cast<double>(iTotalFrames) / result.iSampleRate;

    if (silence.isSilent())
    {
        result.eStatus = FileResult::Status::silent;
        return;
    }
    takeResults(result);
}

void FileAnalyser::takeResults(FileResult& result)
{
    const KeyraResultIf general = m_pEngine->computeResult(KeyraIf::general);
    result.general = copyKeys(general);
    result.electronic = copyKeys(m_pEngine->computeResult(KeyraIf::electronic));
    result.fTuningInHz = general.getTuningFrequencyInHz();
    if (result.general.size() != 24 || result.electronic.size() != 24)
        throw std::runtime_error("the engine returned " + std::to_string(result.general.size()) + " keys, not 24");
    if (isFlat(result.general))
    {
        result.eStatus = FileResult::Status::silent;
        result.general.clear();
        result.electronic.clear();
        return;
    }
    result.eStatus = FileResult::Status::analysed;
}

void FileAnalyser::prepareEngine(int32_t iSampleRate, int32_t iNumberOfChannels)
{
    // A fresh instance for every file, even of the same format: reset() does not bring
    // the engine back to the state of a new one (later results drift by up to a
    // percent), and results must not depend on which worker analysed a file before.
    KeyraIf::destroyInstance(m_pEngine);
    const int32_t iError = KeyraIf::createInstance(m_pEngine, static_cast<float>(iSampleRate), iNumberOfChannels);
    if (iError == KeyraIf::memoryError)
        throw std::bad_alloc();
    if (iError != KeyraIf::noError || m_pEngine == nullptr)
    {
        m_pEngine = nullptr;
        throw std::runtime_error("the engine cannot analyse " + std::to_string(iSampleRate) + " Hz with " +
                                 std::to_string(iNumberOfChannels) + " channels");
    }
}

void FileAnalyser::prepareBuffers(int32_t iNumberOfChannels, int32_t iBlockFrames)
{
    m_buffers.resize(static_cast<size_t>(iNumberOfChannels));
    for (auto& buffer : m_buffers)
        buffer.resize(static_cast<size_t>(iBlockFrames));
    m_channelPointers.clear();
    for (auto& buffer : m_buffers)
        m_channelPointers.push_back(buffer.data());
}
