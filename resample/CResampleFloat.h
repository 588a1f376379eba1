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
    int GetNumOfOutputSamples(int iNumFrames, float fInputSampleRate, float fOutputSampleRate) override;
    int Reset() override;
    int Init() override;
    void DeInit() override;
    void InitTables(int iNumEntries) override;

    const float* GetImpulse() const { return static_cast<const float*>(m_pImpulse); }
    const float* GetImpulseDelta() const { return static_cast<const float*>(m_pImpulseDelta); }

private:
    void ResampleData(const float* pfX, float* pfY, const CallPlan& plan, double& dTime) const;
};
