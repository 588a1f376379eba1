#include "CResampleFloat.h"

#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <cassert>
#include <cstring>

CResampleFloat::CResampleFloat(int iOrder, int iMaxFrames, int iNumChannels, bool bOption)
    : CResampleBase(iOrder, iMaxFrames, iNumChannels, bOption, false)
{
}

CResampleFloat::~CResampleFloat()
{
    DeInit();
}

int CResampleFloat::Init()
{
    DeInit();
    AllocateSampleBuffer();
    const int iTableLength = 2 * m_iNumTableEntries;
    m_pImpulse = vtrfMalloc(iTableLength);
    m_pImpulseDelta = vtrfMalloc(iTableLength);
    vtrfSetZero(static_cast<float*>(m_pImpulse), iTableLength);
    vtrfSetZero(static_cast<float*>(m_pImpulseDelta), iTableLength);
    AllocateFixedOutput();
    InitTables(m_iNumTableEntries);
    return kNoError;
}

void CResampleFloat::DeInit()
{
    FreeBuffers();
}

void CResampleFloat::InitTables(int iNumEntries)
{
    float* pfTable = static_cast<float*>(m_pImpulse);
    float* pfDelta = static_cast<float*>(m_pImpulseDelta);
    pfTable[0] = m_fCutOff;
    for (int i = 1; i < iNumEntries; ++i)
    {
        pfTable[i] = window(static_cast<float>(i), iNumEntries) * sinc(static_cast<float>(i) / 256.f);
        pfDelta[i - 1] = pfTable[i] - pfTable[i - 1];
    }
    pfDelta[iNumEntries - 1] = 0.f;
}

int CResampleFloat::Reset()
{
    ResetState();
    return kNoError;
}

int CResampleFloat::FillPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames)
{
    return CopyToPreBuffer(pcIn, iNumChannels, iNumFrames);
}

int CResampleFloat::GetNumOfOutputSamples(int iNumFrames, float fInputSampleRate, float fOutputSampleRate)
{
    CallPlan plan;
    if (iNumFrames < 0
        || !PlanCall(fInputSampleRate, fOutputSampleRate, static_cast<unsigned int>(m_iNumChannels),
                     static_cast<unsigned int>(iNumFrames), plan))
        return 0;
    return plan.iOutputFrames;
}

int CResampleFloat::Process(const char* pcIn, char* pcOut, float fInputSampleRate, float fOutputSampleRate,
                            unsigned int iNumChannels, unsigned int iNumFrames)
{
    CallPlan plan;
    if (!PlanCall(fInputSampleRate, fOutputSampleRate, iNumChannels, iNumFrames, plan))
        return 0;
    if ((iNumFrames > 0 && pcIn == nullptr) || (plan.iOutputFrames > 0 && pcOut == nullptr))
        return 0;

    const double dStart = BeginCall(pcIn, iNumFrames, plan);
    const float* pfX = static_cast<const float*>(m_pX);
    float* pfY = reinterpret_cast<float*>(pcOut);
    for (int c = 0; c < m_iNumChannels; ++c)
    {
        m_dTime = dStart;
        ResampleData(pfX + c, pfY + c, plan, m_dTime);
    }
    return EndCall(plan, plan.iOutputFrames);
}

void CResampleFloat::ResampleData(const float* pfX, float* pfY, const CallPlan& plan, double& dTime) const
{
    const int64_t iStride = m_iNumChannels;
    const int64_t iStep = plan.iStep;
    const float fInc = static_cast<float>(plan.dInc);
    const float* pfTable = static_cast<const float*>(m_pImpulse);
    const float* pfDelta = static_cast<const float*>(m_pImpulseDelta);
    const int64_t iLeftEnd = static_cast<int64_t>(m_iNumTableEntries) * 128;
    const int64_t iRightEnd = static_cast<int64_t>(m_iNumTableEntries - 1) * 128;

    for (int k = 0; k < plan.iOutputFrames; ++k)
    {
        const int64_t p = static_cast<int64_t>(dTime * 32768.0);
        const int64_t n = p >> 15;
        const int64_t iPhase = p & 32767;

        float fAcc = 0.f;
        int64_t i = n;
        for (int64_t u = (iPhase * iStep) >> 15; u < iLeftEnd; u += iStep, --i)
        {
            const int64_t iIdx = u >> 7;
            const float fCoef = (static_cast<float>(u & 127) * 0.0078125f) * pfDelta[iIdx] + pfTable[iIdx];
            fAcc += fCoef * pfX[i * iStride];
        }
        assert(i + 1 >= -FramesBelow());

        const int64_t iPhaseRight = (-p) & 32767;
        int64_t v = (iPhaseRight * iStep) >> 15;
        if (iPhaseRight == 0)
            v += iStep;
        float fAcc2 = 0.f;
        i = n + 1;
        for (; v < iRightEnd; v += iStep, ++i)
        {
            const int64_t iIdx = v >> 7;
            const float fCoef = (static_cast<float>(v & 127) * 0.0078125f) * pfDelta[iIdx] + pfTable[iIdx];
            fAcc2 += fCoef * pfX[i * iStride];
        }
        assert(i - 1 < FramesAbove());

        pfY[k * iStride] = (fAcc + fAcc2) * plan.fGain;
        dTime += fInc;
    }
}
