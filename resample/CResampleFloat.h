#pragma once

#include "CResampleBase.h"

/// The converter on 32-bit float samples.
class CResampleFloat : public CResampleBase
{
public:
    CResampleFloat(int iOrder, int iMaxFrames, int iNumChannels, bool bOption);
    ~CResampleFloat() override;

    using CResampleBase::Reset;

    int Process(const char* pcIn, char* pcOut, float fInputSampleRate, float fOutputSampleRate,
                unsigned int iNumChannels, unsigned int iNumFrames) override;
    int FillPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames) override;
    int Reset() override;
    int Init() override;
    void DeInit() override;
    void InitTables(int iNumEntries) override;

    const float* GetImpulse() const { return static_cast<const float*>(m_pImpulse); }
    const float* GetImpulseDelta() const { return static_cast<const float*>(m_pImpulseDelta); }

private:
    void ResampleData(const float* pfX, float* pfY, const CallPlan& plan, double& dTime) const;
    /// The same filter, with the interpolated taps of a phase kept while the phase repeats
    /// and each wing summed by vtrfRealDotProduct (interleaved channels are gathered into
    /// a scratch buffer first, so every channel sums as a mono signal would).
    void ResampleDataWithTapBuffers(const float* pfX, float* pfY, const CallPlan& plan, double& dTime);
    int FillTaps(int64_t iFirst, int64_t iEnd, int64_t iStep, float* pfTaps, bool bReversed) const;
    bool TapBuffersFit(int64_t iStep) const;
    bool TapBuffersPay(const CallPlan& plan) const;

    // Interpolated taps of the left wing (reversed, to meet the samples in ascending
    // order) and of the right wing.
    float* m_pfLeftTaps = nullptr;
    float* m_pfRightTaps = nullptr;
    float* m_pfSampleScratch = nullptr;
    int m_iTapCapacity = 0;
};
