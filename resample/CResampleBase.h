#pragma once

#include "vtrAllocatedObject.h"

#include <cstdint>

/// Streaming band-limited sample-rate converter over interleaved frames: a Kaiser-windowed
/// sinc table (one wing, 256 entries per zero crossing) interpolated linearly, 15-bit phase.
/// Output frame k lies at input position k * inRate / outRate from the first input frame.
///
/// Calls the buffers cannot serve safely are refused (0 frames, nothing changed): invalid
/// rates, a channel count other than the one given at creation, more frames than the
/// maximum given at creation, or a ratio below what the history reserve holds (the reach
/// may grow to about 501 * (order + 1) frames: inRate / outRate must stay below
/// 501 - 1 / (order + 1), 500.857 for order 6).
class CResampleBase : public vtrAllocatedObject
{
public:
    enum ErrorCode_t
    {
        kNoError = 0,
        kMemError = 1000001,
        kInvalidArgError = 5000003
    };

    enum SampleType_t
    {
        kSampleFloat32 = 0,
        kSampleInt16 = 1
    };

    static int Create(CResampleBase*& pInstance, int iType, int iOrder, int iMaxFrames, int iNumChannels, bool bOption);
    static int Destroy(CResampleBase* pInstance);

    int SetScalingFactor(float fFactor);
    /// 0 for rates Process would refuse.
    int GetNumOfFillPreBufferSamples(float fInputSampleRate, float fOutputSampleRate) const;
    /// Fresh state prepared for the given rates, with the first output moved by fTimeOffset
    /// input frames (|fTimeOffset| <= 1). Returns kInvalidArgError, changing nothing, otherwise.
    int Reset(float fTimeOffset, float fInputSampleRate, float fOutputSampleRate);
    int getNumOfSamplesNeeded(int iOutFrames, float fInputSampleRate, float fOutputSampleRate) const;
    int GetNumFramesNeededFixedOutput(int iOutFrames, float fInputSampleRate, float fOutputSampleRate) const;

    /// Converts and hands out exactly iOutFrames frames once enough input has arrived; the
    /// surplus stays inside for the next call. The holding buffer grows (never shrinks) to
    /// whatever a call produces, so no frame is lost; a call that would leave more than
    /// kMaxFixedOutputSurplus samples held is refused (0, nothing consumed).
    int ProcessFixedOutput(const void* pIn, void* pOut, int iNumChannels, int iInFrames, int iOutFrames,
                           float fInputSampleRate, float fOutputSampleRate);

    /// 2^24 samples: 64 MB of floats, hours beyond what any caller asking for its input
    /// with GetNumFramesNeededFixedOutput could leave behind.
    static constexpr int64_t kMaxFixedOutputSurplus = int64_t{1} << 24;

    float sinc(float fX) const;
    float window(float fI, int iN) const;
    float Bessel(float fX) const;

    virtual int Process(const char* pcIn, char* pcOut, float fInputSampleRate, float fOutputSampleRate,
                        unsigned int iNumChannels, unsigned int iNumFrames) = 0;
    /// History frames placed at frame 0 before the first call; at most the largest reach
    /// (501 * (order + 1)) frames, otherwise refused with 0.
    virtual int FillPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames) = 0;
    virtual int GetNumOfOutputSamples(int iNumFrames, float fInputSampleRate, float fOutputSampleRate);
    virtual int Reset() = 0;
    virtual int Init() = 0;
    virtual void DeInit() = 0;
    virtual ~CResampleBase();
    virtual void InitTables(int iNumEntries) = 0;

    int GetFilterReach() const { return m_iFilterReach; }
    int GetTableStep() const { return m_iTableStep; }
    int GetNumTableEntries() const { return m_iNumTableEntries; }
    int GetCreep() const { return m_iCreep; }
    int GetOutputFrames() const { return m_iOutputFrames; }
    int GetNumChannels() const { return m_iNumChannels; }
    int GetFixedOutputPending() const { return m_iFixedOutputPending; }
    float GetCutOff() const { return m_fCutOff; }
    float GetKaiserBeta() const { return m_fKaiserBeta; }
    float GetScalingFactor() const { return m_fScalingFactor; }
    double GetTime() const { return m_dTime; }
    bool IsInt16() const { return m_bInt16; }

protected:
    CResampleBase(int iOrder, int iMaxFrames, int iNumChannels, bool bOption, bool bInt16);

    /// Everything one Process call will do, worked out before any state changes.
    struct CallPlan
    {
        float fFactor = 0.f;
        int iReach = 0;
        int iGrowth = 0;
        int iNx = 0;
        int iOutputFrames = 0;
        int iStep = 0;
        double dInc = 0.0;
        float fGain = 0.f;
    };

    bool PlanCall(float fInputSampleRate, float fOutputSampleRate, unsigned int iNumChannels, unsigned int iNumFrames,
                  CallPlan& plan) const;
    /// Steps before filtering: reach growth, input copy, positions. Returns the start time.
    double BeginCall(const char* pcIn, unsigned int iNumFrames, const CallPlan& plan);
    /// Steps after filtering: drift removal and moving history and look-ahead to the front.
    int EndCall(const CallPlan& plan, int iNumOutputFrames);
    int CopyToPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames);
    void ResetState();
    void AllocateSampleBuffer();
    void AllocateFixedOutput();
    void FreeBuffers();

    int SampleBytes() const { return m_bInt16 ? 2 : 4; }
    int MaxReach() const { return 501 * m_iHalfLength; }
    int FramesAbove() const { return (m_iBufferLength + m_iBufferShift) / m_iNumChannels; }
    int FramesBelow() const { return (m_iHistoryReserve - m_iBufferShift) / m_iNumChannels; }
    char* FramePtr(int iFrame) const
    {
        return static_cast<char*>(m_pX) + static_cast<int64_t>(iFrame) * m_iNumChannels * SampleBytes();
    }

    int m_iNumTableEntries;
    int m_iCreep = 0;
    int m_iFilterReach;
    int m_iInputWritePos;
    int m_iInputCurrentPos;
    int m_iOutputFrames = 0;
    int m_iTableStep = 0;
    int m_iTableResolution = 256;
    int m_iInputBacklog = 0;
    int m_iHalfLength;
    int m_iBufferShift = 0;
    int m_iHistoryReserve;
    // Given at creation; calls with another channel count are refused.
    int m_iNumChannels;
    int m_iBufferLength;
    int m_iMaxFrames;
    bool m_bFirstCall = true;
    float m_fCutOff;
    float m_fKaiserBeta = 9.0f;
    float m_fScalingFactor = 0.99f;
    double m_dTime;
    bool m_bOption;
    bool m_bInt16;
    int m_iFixedOutputPending = 0;
    int m_iFixedOutputCapacity = 512;
    void* m_pFixedOutput = nullptr;
    void* m_pImpulse = nullptr;
    void* m_pImpulseDelta = nullptr;
    void* m_pX = nullptr;
    void* m_pBufferStart = nullptr;

private:
    float BesselSeries(float fY) const;
    bool ReachFor(float fFactor, int& iReach) const;
    int64_t CountOutputFrames(int64_t iNx, float fFactor) const;
    bool ValidRates(float fInputSampleRate, float fOutputSampleRate, float& fFactor) const;
};
