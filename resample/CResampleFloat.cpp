#include "CResampleFloat.h"

#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <cassert>
#include <cmath>
#include <cstring>

namespace
{
// Table steps at conversion ratios down to 1/512.
constexpr int64_t kMinTapStep = 64;
}

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
    // Enough for the table steps down to kMinTapStep; smaller ones keep the plain loop.
    m_iTapCapacity = static_cast<int>(static_cast<int64_t>(m_iNumTableEntries) * 128 / kMinTapStep + 2);
    m_pfLeftTaps = vtrfMalloc(m_iTapCapacity);
    m_pfRightTaps = vtrfMalloc(m_iTapCapacity);
    m_pfSampleScratch = vtrfMalloc(2 * m_iTapCapacity);
    InitTables(m_iNumTableEntries);
    return kNoError;
}

void CResampleFloat::DeInit()
{
    vtrfFree(m_pfLeftTaps);
    vtrfFree(m_pfRightTaps);
    vtrfFree(m_pfSampleScratch);
    m_iTapCapacity = 0;
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
    // The tap buffers pay with vector dot products where the phase repeats; the portable
    // table keeps the plain loop and with it its exact summation order.
    const bool bTapBuffers = vtrVecLibGetCPUType() == kUsedCPUExtensionAccelerate && TapBuffersPay(plan);
    for (int c = 0; c < m_iNumChannels; ++c)
    {
        m_dTime = dStart;
        if (bTapBuffers)
            ResampleDataWithTapBuffers(pfX + c, pfY + c, plan, m_dTime);
        else
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

bool CResampleFloat::TapBuffersFit(int64_t iStep) const
{
    return iStep >= kMinTapStep && m_pfLeftTaps != nullptr && m_pfRightTaps != nullptr && m_pfSampleScratch != nullptr;
}

// The buffers pay only where the phase repeats: an input step of a whole number of frames
// (44.1 kHz or 22.05 kHz to the analysis rate) with the filter stretched to many taps.
bool CResampleFloat::TapBuffersPay(const CallPlan& plan) const
{
    const float fInc = static_cast<float>(plan.dInc);
    return fInc >= 2.f && fInc == std::floor(fInc) && TapBuffersFit(plan.iStep);
}

// The taps at table positions iFirst, iFirst + iStep, ... below iEnd, interpolated as in
// ResampleData; returns their number.
int CResampleFloat::FillTaps(int64_t iFirst, int64_t iEnd, int64_t iStep, float* pfTaps, bool bReversed) const
{
    const float* pfTable = static_cast<const float*>(m_pImpulse);
    const float* pfDelta = static_cast<const float*>(m_pImpulseDelta);
    const int iCount = iFirst < iEnd ? static_cast<int>((iEnd - iFirst + iStep - 1) / iStep) : 0;
    assert(iCount <= m_iTapCapacity);
    int64_t u = iFirst;
    for (int j = 0; j < iCount; ++j, u += iStep)
    {
        const int64_t iIdx = u >> 7;
        const float fCoef = (static_cast<float>(u & 127) * 0.0078125f) * pfDelta[iIdx] + pfTable[iIdx];
        pfTaps[bReversed ? iCount - 1 - j : j] = fCoef;
    }
    return iCount;
}

void CResampleFloat::ResampleDataWithTapBuffers(const float* pfX, float* pfY, const CallPlan& plan, double& dTime)
{
    const int64_t iStride = m_iNumChannels;
    const int64_t iStep = plan.iStep;
    const float fInc = static_cast<float>(plan.dInc);
    const int64_t iLeftEnd = static_cast<int64_t>(m_iNumTableEntries) * 128;
    const int64_t iRightEnd = static_cast<int64_t>(m_iNumTableEntries - 1) * 128;

    int64_t iTapPhase = -1;
    int iNumLeft = 0, iNumRight = 0;
    for (int k = 0; k < plan.iOutputFrames; ++k)
    {
        const int64_t p = static_cast<int64_t>(dTime * 32768.0);
        const int64_t n = p >> 15;
        const int64_t iPhase = p & 32767;
        if (iPhase != iTapPhase)
        {
            iNumLeft = FillTaps((iPhase * iStep) >> 15, iLeftEnd, iStep, m_pfLeftTaps, true);
            const int64_t iPhaseRight = (-p) & 32767;
            const int64_t v = ((iPhaseRight * iStep) >> 15) + (iPhaseRight == 0 ? iStep : 0);
            iNumRight = FillTaps(v, iRightEnd, iStep, m_pfRightTaps, false);
            iTapPhase = iPhase;
        }
        assert(n - iNumLeft + 1 >= -FramesBelow());
        assert(n + iNumRight < FramesAbove());
        const float* pfWindow = pfX + (n - iNumLeft + 1);
        if (iStride != 1)
        {
            const float* pfFirst = pfX + (n - iNumLeft + 1) * iStride;
            for (int j = 0; j < iNumLeft + iNumRight; ++j)
                m_pfSampleScratch[j] = pfFirst[j * iStride];
            pfWindow = m_pfSampleScratch;
        }
        float fAcc = 0.f, fAcc2 = 0.f;
        vtrfRealDotProduct(m_pfLeftTaps, pfWindow, &fAcc, iNumLeft);
        vtrfRealDotProduct(m_pfRightTaps, pfWindow + iNumLeft, &fAcc2, iNumRight);
        pfY[k * iStride] = (fAcc + fAcc2) * plan.fGain;
        dTime += fInc;
    }
}
