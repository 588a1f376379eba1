#include "CResampleInt.h"

#include "vtrAllocator.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstring>

CResampleInt::CResampleInt(int iOrder, int iMaxFrames, int iNumChannels, bool bOption)
    : CResampleBase(iOrder, iMaxFrames, iNumChannels, bOption, true)
{
}

CResampleInt::~CResampleInt()
{
    DeInit();
}

int CResampleInt::Init()
{
    DeInit();
    AllocateSampleBuffer();
    const uint64_t iTableBytes = static_cast<uint64_t>(m_iNumTableEntries) * sizeof(int16_t);
    m_pImpulse = vtrAllocator::malloc(iTableBytes);
    m_pImpulseDelta = vtrAllocator::malloc(iTableBytes);
    InitTables(m_iNumTableEntries);
    AllocateFixedOutput();
    return kNoError;
}

void CResampleInt::DeInit()
{
    FreeBuffers();
}

void CResampleInt::InitTables(int iNumEntries)
{
    int16_t* piTable = static_cast<int16_t*>(m_pImpulse);
    int16_t* piDelta = static_cast<int16_t*>(m_pImpulseDelta);
    piTable[0] = static_cast<int16_t>(m_fCutOff * 32767.f);
    for (int i = 1; i < iNumEntries; ++i)
    {
        const float fValue = sinc(static_cast<float>(i) / 256.f) * 32767.f * window(static_cast<float>(i), iNumEntries);
        piTable[i] = static_cast<int16_t>(std::lround(fValue));
        piDelta[i - 1] = static_cast<int16_t>(piTable[i] - piTable[i - 1]);
    }
    piDelta[iNumEntries - 1] = 0;
}

int CResampleInt::Reset()
{
    ResetState();
    return kNoError;
}

int CResampleInt::FillPreBuffer(const char* pcIn, unsigned int, unsigned int iNumFrames)
{
    // Samples are laid out in the channel count of the stream, fixed at creation.
    return CopyToPreBuffer(pcIn, static_cast<unsigned int>(m_iNumChannels), iNumFrames);
}

int CResampleInt::Process(const char* pcIn, char* pcOut, float fInputSampleRate, float fOutputSampleRate,
                          unsigned int iNumChannels, unsigned int iNumFrames)
{
    CallPlan plan;
    if (!PlanCall(fInputSampleRate, fOutputSampleRate, iNumChannels, iNumFrames, plan))
        return 0;
    if ((iNumFrames > 0 && pcIn == nullptr) || (plan.iOutputFrames > 0 && pcOut == nullptr))
        return 0;

    const double dStart = BeginCall(pcIn, iNumFrames, plan);
    const int16_t* piX = static_cast<const int16_t*>(m_pX);
    int16_t* piY = reinterpret_cast<int16_t*>(pcOut);
    for (int c = 0; c < m_iNumChannels; ++c)
    {
        m_dTime = dStart;
        ResampleData(piX + c, piY + c, plan, m_dTime);
    }
    return EndCall(plan, plan.iOutputFrames);
}

void CResampleInt::ResampleData(const int16_t* piX, int16_t* piY, const CallPlan& plan, double& dTime) const
{
    const int64_t iStride = m_iNumChannels;
    const int64_t iStep = plan.iStep;
    const int16_t* piTable = static_cast<const int16_t*>(m_pImpulse);
    const int16_t* piDelta = static_cast<const int16_t*>(m_pImpulseDelta);
    const int64_t iLeftEnd = static_cast<int64_t>(m_iNumTableEntries) * 128;
    const int64_t iRightEnd = static_cast<int64_t>(m_iNumTableEntries - 1) * 128;
    const double dGain = std::min(static_cast<double>(plan.fGain) * 32768.0, 2147483647.0);
    const int64_t iGain = static_cast<int64_t>(dGain);

    auto coefficient = [&](int64_t u) {
        const int64_t iIdx = u >> 7;
        return piTable[iIdx] + (((u & 127) * piDelta[iIdx]) >> 7);
    };

    for (int k = 0; k < plan.iOutputFrames; ++k)
    {
        const int64_t p = static_cast<int64_t>(dTime * 32768.0);
        const int64_t n = p >> 15;
        const int64_t iPhase = p & 32767;

        int64_t iAcc = 0;
        int64_t i = n;
        for (int64_t u = (iPhase * iStep) >> 15; u < iLeftEnd; u += iStep, --i)
            iAcc += (piX[i * iStride] * coefficient(u)) >> 8;
        assert(i + 1 >= -FramesBelow());

        const int64_t iPhaseRight = (-p) & 32767;
        int64_t v = (iPhaseRight * iStep) >> 15;
        if (iPhaseRight == 0)
            v += iStep;
        int64_t iAcc2 = 0;
        i = n + 1;
        for (; v < iRightEnd; v += iStep, ++i)
            iAcc2 += (piX[i * iStride] * coefficient(v)) >> 8;
        assert(i - 1 < FramesAbove());

        // Saturate: wrapping around at full scale would turn an overload into a loud click.
        const int64_t iValue = (((iAcc + iAcc2) >> 7) * iGain) >> 15;
        piY[k * iStride] = static_cast<int16_t>(std::clamp<int64_t>(iValue, -32768, 32767));
        dTime += plan.dInc;
    }
}
