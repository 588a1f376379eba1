#pragma once

#include "AudioDecoder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVPacket;
struct SwrContext;

/// AudioDecoder over libavformat and libavcodec; libswresample turns whatever sample
/// format the codec produces into planar float, without changing rate or channels.
class FfmpegAudioDecoder : public AudioDecoder
{
public:
    explicit FfmpegAudioDecoder(const std::string& sPath);
    ~FfmpegAudioDecoder() override;

    FfmpegAudioDecoder(const FfmpegAudioDecoder&) = delete;
    FfmpegAudioDecoder& operator=(const FfmpegAudioDecoder&) = delete;

    int32_t getSampleRate() const override { return m_iSampleRate; }
    int32_t getNumberOfChannels() const override { return m_iNumberOfChannels; }
    int64_t getLengthInFrames() const override { return m_iLengthInFrames; }
    int64_t getPosition() const override { return m_iPosition; }
    int32_t read(float* const* ppfChannels, int32_t iMaxFrames) override;
    bool seek(int64_t iFrame) override;
    std::string getWarning() const override;
    std::string getCodecName() const override;

private:
    void openInput(const std::string& sPath);
    void openDecoder();
    void computeLength();
    void checkContainer(const std::string& sPath);
    bool decodeMore();
    void feedDecoder();
    bool convertFrame();
    bool configureResampler();
    bool flushResampler();
    void discardBeforeSeekTarget();
    void reserveFrames(int32_t iFrames);
    void releaseAll();

    AVFormatContext* m_pFormat = nullptr;
    AVCodecContext* m_pCodec = nullptr;
    AVPacket* m_pPacket = nullptr;
    AVFrame* m_pFrame = nullptr;
    SwrContext* m_pResampler = nullptr;
    int m_iStreamIndex = -1;

    int32_t m_iSampleRate = 0;
    int32_t m_iNumberOfChannels = 0;
    int64_t m_iLengthInFrames = -1;
    bool m_bLengthIsExact = false;
    bool m_bContainerEndsEarly = false; // an Ogg stream whose last page is missing
    int64_t m_iPosition = 0;
    uint64_t m_outputLayoutMask = 0; // 0: the default layout for the channel count

    // What the resampler was set up for; a stream that changes format mid-way gets a
    // new one.
    int m_iResamplerInputFormat = -1;
    int m_iResamplerInputRate = 0;
    int m_iResamplerInputChannels = 0;
    uint64_t m_iResamplerInputMask = 0;

    // Converted frames not yet handed out: at most one decoded frame's worth.
    std::vector<std::vector<float>> m_pending;
    int32_t m_iPendingBegin = 0;
    int32_t m_iPendingEnd = 0;
    std::vector<uint8_t*> m_outputPointers;

    int64_t m_iSeekTarget = -1;
    bool m_bPacketPending = false;
    bool m_bInputEnded = false;
    bool m_bFlushSent = false;
    bool m_bDecoderDrained = false;
    std::string m_sReadError;
    int64_t m_iDamagedPackets = 0;
};
