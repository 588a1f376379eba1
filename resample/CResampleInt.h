#pragma once

#include "CResampleBase.h"

#include <cstdint>

/// The converter on 16-bit samples in fixed point; the output saturates at full scale.
class CResampleInt : public CResampleBase
{
public:
    CResampleInt(int iOrder, int iMaxFrames, int iNumChannels, bool bOption);
    ~CResampleInt() override;

    using CResampleBase::Reset;

    int Process(const char* pcIn, char* pcOut, float fInputSampleRate, float fOutputSampleRate,
                unsigned int iNumChannels, unsigned int iNumFrames) override;
    int FillPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames) override;
    int Reset() override;
    int Init() override;
    void DeInit() override;
    void InitTables(int iNumEntries) override;

    const int16_t* GetImpulse() const { return static_cast<const int16_t*>(m_pImpulse); }
    const int16_t* GetImpulseDelta() const { return static_cast<const int16_t*>(m_pImpulseDelta); }

private:
    void ResampleData(const int16_t* piX, int16_t* piY, const CallPlan& plan, double& dTime) const;
};
