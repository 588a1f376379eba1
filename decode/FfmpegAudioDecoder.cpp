#include "FfmpegAudioDecoder.h"

#include "ContainerCheck.h"
#include "DecodeError.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/error.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <mutex>
#include <new>
#include <system_error>

namespace
{
std::string describe(int iError)
{
    char acText[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(iError, acText, sizeof acText);
    return acText;
}

std::string formatSeconds(int64_t iFrames, int32_t iSampleRate)
{
    char acText[32];
    std::snprintf(acText, sizeof acText, "%.1f s", static_cast<double>(iFrames) / iSampleRate);
    return acText;
}

// Errors reach the caller as DecodeError or getWarning(); FFmpeg's own log lines
// would only scribble over the caller's output.
void silenceLibraryLog()
{
    static std::once_flag once;
    std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

void checkAllocated(const void* pObject)
{
    if (pObject == nullptr)
        throw std::bad_alloc();
}

bool isEmptyFile(const std::string& sPath)
{
    std::error_code error;
    return std::filesystem::is_regular_file(sPath, error) && std::filesystem::file_size(sPath, error) == 0;
}

// Demuxers report unreadable content in many ways (invalid data, invalid argument,
// end of file); only what the file system says is worth passing on as it is.
bool isFileSystemError(int iError)
{
    for (const int iCode : {ENOENT, EACCES, EPERM, EIO, ENOMEM, ENAMETOOLONG, ENOTDIR, ELOOP, EMFILE})
        if (iError == AVERROR(iCode))
            return true;
    return false;
}

// A damaged file's timestamps, start times and durations can be anything: results that
// do not fit are reported rather than wrapped.
bool addWithoutOverflow(int64_t a, int64_t b, int64_t& iResult) { return !__builtin_add_overflow(a, b, &iResult); }
bool subtractWithoutOverflow(int64_t a, int64_t b, int64_t& iResult) { return !__builtin_sub_overflow(a, b, &iResult); }

// av_rescale_q's answer when the result does not fit.
constexpr int64_t kRescaleOverflow = std::numeric_limits<int64_t>::min();

// Far beyond any real file, and far enough from the int64_t limit that the position
// can count on from a seek there.
constexpr int64_t kMaxSeekFrame = int64_t{1} << 62;

// Demuxers also answer "Input/output error" when a header stops short; only a file that
// cannot be read to its end has a real one.
bool readsToTheEnd(const std::string& sPath)
{
    std::FILE* pFile = std::fopen(sPath.c_str(), "rb");
    if (pFile == nullptr)
        return false;
    char acBuffer[65536];
    while (std::fread(acBuffer, 1, sizeof acBuffer, pFile) == sizeof acBuffer)
    {
    }
    const bool bRead = std::ferror(pFile) == 0;
    std::fclose(pFile);
    return bRead;
}

const char* describeKind(std::filesystem::file_type eType)
{
    switch (eType)
    {
    case std::filesystem::file_type::fifo:
        return "a named pipe";
    case std::filesystem::file_type::socket:
        return "a socket";
    case std::filesystem::file_type::block:
    case std::filesystem::file_type::character:
        return "a device";
    default:
        return "neither file nor folder";
    }
}

void makeLayout(AVChannelLayout& layout, const AVChannelLayout& source)
{
    if (source.order == AV_CHANNEL_ORDER_NATIVE)
        av_channel_layout_from_mask(&layout, source.u.mask);
    else
        av_channel_layout_default(&layout, source.nb_channels);
}
}

FfmpegAudioDecoder::FfmpegAudioDecoder(const std::string& sPath)
{
    silenceLibraryLog();
    try
    {
        openInput(sPath);
        openDecoder();
        computeLength();
        checkContainer(sPath);
    }
    catch (...)
    {
        releaseAll();
        throw;
    }
}

FfmpegAudioDecoder::~FfmpegAudioDecoder() { releaseAll(); }

void FfmpegAudioDecoder::releaseAll()
{
    swr_free(&m_pResampler);
    av_frame_free(&m_pFrame);
    av_packet_free(&m_pPacket);
    avcodec_free_context(&m_pCodec);
    avformat_close_input(&m_pFormat);
}

void FfmpegAudioDecoder::openInput(const std::string& sPath)
{
    std::error_code error;
    const auto status = std::filesystem::status(sPath, error);
    if (std::filesystem::is_directory(status))
        throw DecodeError("is a folder");
    // A named pipe without a writer would block the open for good, and a device need
    // not end at all.
    if (std::filesystem::exists(status) && !std::filesystem::is_regular_file(status))
        throw DecodeError(std::string("not a regular file (") + describeKind(status.type()) + ")");
    if (isEmptyFile(sPath))
        throw DecodeError("empty file");

    // Local files only: the "file:" prefix keeps a name like "rtp:x.wav" from being
    // taken as a network address, and the whitelist keeps playlists from reaching out.
    AVDictionary* pOptions = nullptr;
    av_dict_set(&pOptions, "protocol_whitelist", "file", 0);
    const std::string sUrl = "file:" + sPath;
    const int iOpened = avformat_open_input(&m_pFormat, sUrl.c_str(), nullptr, &pOptions);
    av_dict_free(&pOptions);
    const bool bCutHeader = iOpened == AVERROR(EIO) && readsToTheEnd(sPath);
    if (iOpened < 0)
        throw DecodeError(isFileSystemError(iOpened) && !bCutHeader
                              ? describe(iOpened)
                              : "not an audio file (unknown format or damaged header)");

    const int iFound = avformat_find_stream_info(m_pFormat, nullptr);
    if (iFound < 0)
        throw DecodeError("cannot read the stream information: " + describe(iFound));
}

void FfmpegAudioDecoder::openDecoder()
{
    const AVCodec* pDecoder = nullptr;
    AVCodecID eFirstAudioCodec = AV_CODEC_ID_NONE;
    for (unsigned i = 0; i < m_pFormat->nb_streams && m_iStreamIndex < 0; ++i)
    {
        const AVCodecParameters* pParameters = m_pFormat->streams[i]->codecpar;
        if (pParameters->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (eFirstAudioCodec == AV_CODEC_ID_NONE)
            eFirstAudioCodec = pParameters->codec_id;
        pDecoder = avcodec_find_decoder(pParameters->codec_id);
        if (pDecoder != nullptr)
            m_iStreamIndex = static_cast<int>(i);
    }
    if (m_iStreamIndex < 0)
        throw DecodeError(eFirstAudioCodec == AV_CODEC_ID_NONE
                              ? std::string("no audio stream")
                              : std::string("no decoder for the audio codec ") + avcodec_get_name(eFirstAudioCodec));

    for (unsigned i = 0; i < m_pFormat->nb_streams; ++i)
        if (static_cast<int>(i) != m_iStreamIndex)
            m_pFormat->streams[i]->discard = AVDISCARD_ALL;

    const AVStream* pStream = m_pFormat->streams[m_iStreamIndex];
    m_pCodec = avcodec_alloc_context3(pDecoder);
    checkAllocated(m_pCodec);
    if (avcodec_parameters_to_context(m_pCodec, pStream->codecpar) < 0)
        throw DecodeError("unusable codec parameters");
    // Callers run one file per thread; a decoder with its own threads would compete.
    m_pCodec->thread_count = 1;
    m_pCodec->pkt_timebase = pStream->time_base;
    const int iOpened = avcodec_open2(m_pCodec, pDecoder, nullptr);
    if (iOpened < 0)
        throw DecodeError("cannot open the decoder: " + describe(iOpened));

    m_iSampleRate = m_pCodec->sample_rate;
    m_iNumberOfChannels = m_pCodec->ch_layout.nb_channels;
    if (m_iSampleRate <= 0 || m_iNumberOfChannels <= 0)
        throw DecodeError("not an audio file (no sample rate or channel count)");
    m_outputLayoutMask = m_pCodec->ch_layout.order == AV_CHANNEL_ORDER_NATIVE ? m_pCodec->ch_layout.u.mask : 0;

    m_pPacket = av_packet_alloc();
    checkAllocated(m_pPacket);
    m_pFrame = av_frame_alloc();
    checkAllocated(m_pFrame);
    m_pending.assign(static_cast<size_t>(m_iNumberOfChannels), {});
    m_outputPointers.assign(static_cast<size_t>(m_iNumberOfChannels), nullptr);
}

void FfmpegAudioDecoder::computeLength()
{
    const AVStream* pStream = m_pFormat->streams[m_iStreamIndex];
    // A length guessed from the bit rate and the file size is no basis for calling a
    // file truncated.
    const bool bEstimated = m_pFormat->duration_estimation_method == AVFMT_DURATION_FROM_BITRATE;
    if (pStream->duration != AV_NOPTS_VALUE && pStream->duration > 0)
        m_iLengthInFrames = av_rescale_q(pStream->duration, pStream->time_base, AVRational{1, m_iSampleRate});
    else if (m_pFormat->duration != AV_NOPTS_VALUE && m_pFormat->duration > 0)
        m_iLengthInFrames = av_rescale(m_pFormat->duration, m_iSampleRate, AV_TIME_BASE);
    if (m_iLengthInFrames < 0)
        m_iLengthInFrames = -1; // a duration too large for frames says nothing
    m_bLengthIsExact = m_iLengthInFrames > 0 && !bEstimated;
}

void FfmpegAudioDecoder::checkContainer(const std::string& sPath)
{
    const std::string sFormat = m_pFormat->iformat->name;
    if (sFormat != "wav" && sFormat != "asf" && sFormat != "ogg")
        return;
    std::ifstream file(sPath, std::ios::binary);
    if (sFormat == "ogg")
    {
        m_bContainerEndsEarly = ContainerCheck::oggEndsEarly(file);
        return;
    }
    // libavformat keeps these headers' length unless the file is shorter than announced.
    if (m_bLengthIsExact)
        return;
    int64_t iAnnounced = -1;
    const AVCodecParameters* pParameters = m_pFormat->streams[m_iStreamIndex]->codecpar;
    const int iBits = av_get_exact_bits_per_sample(pParameters->codec_id);
    if (sFormat == "wav" && iBits > 0)
    {
        const int64_t iBytes = ContainerCheck::getWaveDataBytes(file);
        if (iBytes > 0)
            iAnnounced = iBytes * 8 / (static_cast<int64_t>(iBits) * m_iNumberOfChannels);
    }
    else if (sFormat == "asf")
    {
        const double dSeconds = ContainerCheck::getAsfSeconds(file);
        if (dSeconds > 0.0 && dSeconds < 1e7)
            iAnnounced = static_cast<int64_t>(dSeconds * m_iSampleRate);
    }
    if (iAnnounced > 0)
    {
        m_iLengthInFrames = iAnnounced;
        m_bLengthIsExact = true;
    }
}

int32_t FfmpegAudioDecoder::read(float* const* ppfChannels, int32_t iMaxFrames)
{
    int32_t iDone = 0;
    while (iDone < iMaxFrames)
    {
        if (m_iPendingBegin == m_iPendingEnd && !decodeMore())
            break;
        const int32_t iCount = std::min(iMaxFrames - iDone, m_iPendingEnd - m_iPendingBegin);
        for (int32_t c = 0; c < m_iNumberOfChannels; ++c)
            std::copy_n(m_pending[static_cast<size_t>(c)].data() + m_iPendingBegin, iCount, ppfChannels[c] + iDone);
        m_iPendingBegin += iCount;
        iDone += iCount;
    }
    m_iPosition += iDone;
    return iDone;
}

bool FfmpegAudioDecoder::decodeMore()
{
    m_iPendingBegin = m_iPendingEnd = 0;
    while (!m_bDecoderDrained)
    {
        const int iReceived = avcodec_receive_frame(m_pCodec, m_pFrame);
        if (iReceived == 0)
        {
            const bool bGotFrames = convertFrame();
            av_frame_unref(m_pFrame);
            if (bGotFrames)
                return true;
            continue;
        }
        if (iReceived == AVERROR_EOF)
        {
            m_bDecoderDrained = true;
            break;
        }
        if (iReceived != AVERROR(EAGAIN))
            ++m_iDamagedPackets;
        feedDecoder();
    }
    return flushResampler();
}

void FfmpegAudioDecoder::feedDecoder()
{
    if (m_bInputEnded)
    {
        // The flush packet went in already and the decoder still wants input: it
        // has nothing more to give.
        if (m_bFlushSent || avcodec_send_packet(m_pCodec, nullptr) < 0)
            m_bDecoderDrained = true;
        m_bFlushSent = true;
        return;
    }
    while (!m_bPacketPending)
    {
        const int iRead = av_read_frame(m_pFormat, m_pPacket);
        if (iRead < 0)
        {
            if (iRead != AVERROR_EOF)
                m_sReadError = describe(iRead);
            m_bInputEnded = true;
            return;
        }
        if (m_pPacket->stream_index == m_iStreamIndex)
            m_bPacketPending = true;
        else
            av_packet_unref(m_pPacket);
    }
    const int iSent = avcodec_send_packet(m_pCodec, m_pPacket);
    if (iSent == AVERROR(EAGAIN))
        return; // the decoder has frames to hand out first; the packet stays pending
    if (iSent < 0)
        ++m_iDamagedPackets;
    av_packet_unref(m_pPacket);
    m_bPacketPending = false;
}

bool FfmpegAudioDecoder::convertFrame()
{
    // Whatever the previous frame left (a seek's skip included) is gone: a frame that
    // converts to nothing must not hand out a stale or inverted range.
    m_iPendingBegin = m_iPendingEnd = 0;
    if (m_pFrame->nb_samples <= 0)
        return false;
    if (!configureResampler())
    {
        ++m_iDamagedPackets;
        return false;
    }
    const int iCapacity = swr_get_out_samples(m_pResampler, m_pFrame->nb_samples);
    if (iCapacity <= 0)
        return false;
    reserveFrames(iCapacity);
    const int iConverted = swr_convert(m_pResampler, m_outputPointers.data(), iCapacity,
                                       const_cast<const uint8_t**>(m_pFrame->extended_data), m_pFrame->nb_samples);
    if (iConverted < 0)
    {
        ++m_iDamagedPackets;
        return false;
    }
    m_iPendingEnd = iConverted;
    discardBeforeSeekTarget();
    return m_iPendingBegin < m_iPendingEnd;
}

bool FfmpegAudioDecoder::configureResampler()
{
    const AVChannelLayout& input = m_pFrame->ch_layout;
    const uint64_t iInputMask = input.order == AV_CHANNEL_ORDER_NATIVE ? input.u.mask : 0;
    if (m_pResampler != nullptr && m_pFrame->format == m_iResamplerInputFormat &&
        m_pFrame->sample_rate == m_iResamplerInputRate && input.nb_channels == m_iResamplerInputChannels &&
        iInputMask == m_iResamplerInputMask)
        return true;
    swr_free(&m_pResampler);
    if (input.nb_channels <= 0 || m_pFrame->sample_rate <= 0)
        return false;

    AVChannelLayout inputLayout{};
    makeLayout(inputLayout, input);
    AVChannelLayout outputLayout{};
    if (m_outputLayoutMask != 0)
        av_channel_layout_from_mask(&outputLayout, m_outputLayoutMask);
    else
        av_channel_layout_default(&outputLayout, m_iNumberOfChannels);
    const int iAllocated =
        swr_alloc_set_opts2(&m_pResampler, &outputLayout, AV_SAMPLE_FMT_FLTP, m_iSampleRate, &inputLayout,
                            static_cast<AVSampleFormat>(m_pFrame->format), m_pFrame->sample_rate, 0, nullptr);
    av_channel_layout_uninit(&inputLayout);
    av_channel_layout_uninit(&outputLayout);
    if (iAllocated < 0 || swr_init(m_pResampler) < 0)
    {
        swr_free(&m_pResampler);
        return false;
    }
    m_iResamplerInputFormat = m_pFrame->format;
    m_iResamplerInputRate = m_pFrame->sample_rate;
    m_iResamplerInputChannels = input.nb_channels;
    m_iResamplerInputMask = iInputMask;
    return true;
}

bool FfmpegAudioDecoder::flushResampler()
{
    m_iPendingBegin = m_iPendingEnd = 0;
    // Only a stream whose rate changed mid-way leaves samples inside the resampler.
    if (m_pResampler == nullptr || m_iResamplerInputRate == m_iSampleRate)
        return false;
    const int iCapacity = swr_get_out_samples(m_pResampler, 0);
    if (iCapacity <= 0)
        return false;
    reserveFrames(iCapacity);
    const int iConverted = swr_convert(m_pResampler, m_outputPointers.data(), iCapacity, nullptr, 0);
    m_iPendingEnd = std::max(iConverted, 0);
    return m_iPendingEnd > 0;
}

void FfmpegAudioDecoder::discardBeforeSeekTarget()
{
    if (m_iSeekTarget < 0)
        return;
    const AVStream* pStream = m_pFormat->streams[m_iStreamIndex];
    const int64_t iTimestamp = m_pFrame->best_effort_timestamp;
    if (iTimestamp == AV_NOPTS_VALUE)
    {
        m_iSeekTarget = -1; // no timestamps: the seek is as exact as the demuxer made it
        return;
    }
    const int64_t iStart = pStream->start_time != AV_NOPTS_VALUE ? pStream->start_time : 0;
    int64_t iOffset = 0;
    int64_t iSkip = 0;
    const int64_t iFrameStart = subtractWithoutOverflow(iTimestamp, iStart, iOffset)
                                    ? av_rescale_q(iOffset, pStream->time_base, AVRational{1, m_iSampleRate})
                                    : kRescaleOverflow;
    if (iFrameStart == kRescaleOverflow || !subtractWithoutOverflow(m_iSeekTarget, iFrameStart, iSkip))
    {
        m_iSeekTarget = -1; // a timestamp out of all range is as good as none
        return;
    }
    if (iSkip >= m_iPendingEnd)
    {
        m_iPendingBegin = m_iPendingEnd;
        return;
    }
    m_iPendingBegin = static_cast<int32_t>(std::max<int64_t>(iSkip, 0));
    m_iSeekTarget = -1;
}

void FfmpegAudioDecoder::reserveFrames(int32_t iFrames)
{
    for (size_t c = 0; c < m_pending.size(); ++c)
    {
        if (m_pending[c].size() < static_cast<size_t>(iFrames))
            m_pending[c].resize(static_cast<size_t>(iFrames));
        m_outputPointers[c] = reinterpret_cast<uint8_t*>(m_pending[c].data());
    }
}

bool FfmpegAudioDecoder::seek(int64_t iFrame)
{
    iFrame = std::max<int64_t>(iFrame, 0);
    if (m_iLengthInFrames > 0)
        iFrame = std::min(iFrame, m_iLengthInFrames);
    if (iFrame > kMaxSeekFrame)
        return false;
    const AVStream* pStream = m_pFormat->streams[m_iStreamIndex];
    const int64_t iStart = pStream->start_time != AV_NOPTS_VALUE ? pStream->start_time : 0;
    const int64_t iOffset = av_rescale_q(iFrame, AVRational{1, m_iSampleRate}, pStream->time_base);
    int64_t iTimestamp = 0;
    if (iOffset == kRescaleOverflow || !addWithoutOverflow(iStart, iOffset, iTimestamp))
        return false; // a time the stream cannot express
    if (avformat_seek_file(m_pFormat, m_iStreamIndex, INT64_MIN, iTimestamp, iTimestamp, 0) < 0)
        return false;

    avcodec_flush_buffers(m_pCodec);
    swr_free(&m_pResampler);
    av_packet_unref(m_pPacket);
    m_bPacketPending = false;
    m_bInputEnded = false;
    m_bFlushSent = false;
    m_bDecoderDrained = false;
    m_iPendingBegin = m_iPendingEnd = 0;
    m_iSeekTarget = iFrame;
    m_iPosition = iFrame;
    return true;
}

std::string FfmpegAudioDecoder::getWarning() const
{
    std::string sWarning;
    auto append = [&sWarning](const std::string& sPart) { sWarning += (sWarning.empty() ? "" : "; ") + sPart; };
    if (!m_sReadError.empty())
        append("read error after " + formatSeconds(m_iPosition, m_iSampleRate) + ": " + m_sReadError);
    if (m_iDamagedPackets > 0)
        append(std::to_string(m_iDamagedPackets) + " damaged packet" + (m_iDamagedPackets == 1 ? "" : "s") +
               " skipped");
    // Codecs differ from the announced length by a few hundred frames of priming and
    // padding; a truncated file misses far more than that.
    const bool bEnded = m_bDecoderDrained && m_iPendingBegin == m_iPendingEnd;
    const int64_t iTolerance = m_iSampleRate / 4 + m_iLengthInFrames / 200;
    if (bEnded && m_bLengthIsExact && m_iLengthInFrames - m_iPosition > iTolerance)
        append("file ends early: " + formatSeconds(m_iPosition, m_iSampleRate) + " of " +
               formatSeconds(m_iLengthInFrames, m_iSampleRate) + " decoded");
    else if (bEnded && m_bContainerEndsEarly)
        append("file ends early: cut off after " + formatSeconds(m_iPosition, m_iSampleRate));
    return sWarning;
}

std::string FfmpegAudioDecoder::getCodecName() const { return avcodec_get_name(m_pCodec->codec_id); }
