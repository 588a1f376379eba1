#include "CResampleBase.h"

#include "CResampleFloat.h"
#include "CResampleInt.h"
#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <new>

namespace
{
constexpr int kMaxOrder = 120;
}

CResampleBase::CResampleBase(int iOrder, int iMaxFrames, int iNumChannels, bool bOption, bool bInt16)
    : m_iNumTableEntries(iOrder * 256),
      m_iFilterReach(2 * iOrder + 2),
      m_iInputWritePos(2 * iOrder + 2),
      m_iInputCurrentPos(2 * iOrder + 2),
      m_iHalfLength(iOrder + 1),
      m_iHistoryReserve(iNumChannels * (1000 * iOrder + 1001)),
      m_iNumChannels(iNumChannels),
      m_iBufferLength(iNumChannels * (iMaxFrames + 1002 * iOrder + 1003)),
      m_iMaxFrames(iMaxFrames),
      m_fCutOff(static_cast<float>(iOrder) * 0.025f * 0.03125f + 0.9f),
      m_dTime(2 * iOrder + 2),
      m_bOption(bOption),
      m_bInt16(bInt16)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

CResampleBase::~CResampleBase()
{
    FreeBuffers();
}

int CResampleBase::Create(CResampleBase*& pInstance, int iType, int iOrder, int iMaxFrames, int iNumChannels,
                          bool bOption)
{
    pInstance = nullptr;
    if (iType != kSampleFloat32 && iType != kSampleInt16)
        return kInvalidArgError;
    if (iOrder < 1 || iOrder > kMaxOrder || iMaxFrames < 1 || iNumChannels < 1)
        return kInvalidArgError;
    const int64_t iFramesTotal = static_cast<int64_t>(iMaxFrames) + 2002LL * iOrder + 2004;
    if (iFramesTotal * iNumChannels > INT_MAX)
        return kInvalidArgError;

    CResampleBase* pNew = nullptr;
    try
    {
        if (iType == kSampleFloat32)
            pNew = new CResampleFloat(iOrder, iMaxFrames, iNumChannels, bOption);
        else
            pNew = new CResampleInt(iOrder, iMaxFrames, iNumChannels, bOption);
    }
    catch (const std::bad_alloc&)
    {
        return kMemError;
    }

    int iError = kNoError;
    try
    {
        iError = pNew->Init();
    }
    catch (...)
    {
        delete pNew;
        throw;
    }
    if (iError != kNoError)
    {
        delete pNew;
        return iError;
    }
    pInstance = pNew;
    return kNoError;
}

int CResampleBase::Destroy(CResampleBase* pInstance)
{
    delete pInstance;
    return kNoError;
}

int CResampleBase::SetScalingFactor(float fFactor)
{
    if (!(std::isfinite(fFactor) && fFactor > 0.f))
        return kInvalidArgError;
    m_fScalingFactor = fFactor;
    return kNoError;
}

bool CResampleBase::ValidRates(float fInputSampleRate, float fOutputSampleRate, float& fFactor) const
{
    if (!(std::isfinite(fInputSampleRate) && fInputSampleRate > 0.f && std::isfinite(fOutputSampleRate)
          && fOutputSampleRate > 0.f))
        return false;
    fFactor = fOutputSampleRate / fInputSampleRate;
    return std::isfinite(fFactor) && fFactor > 0.f;
}

bool CResampleBase::ReachFor(float fFactor, int& iReach) const
{
    double dReach;
    if (m_bInt16)
        dReach = std::max(1.0, 1.0 / static_cast<double>(fFactor)) * m_iHalfLength + 1.0;
    else
        dReach = static_cast<double>(std::max(1.f, 1.f / fFactor) * static_cast<float>(m_iHalfLength) + 1.f);
    if (!(dReach < MaxReach() + 1.0))
        return false;
    iReach = std::max(m_iFilterReach, static_cast<int>(dReach));
    return true;
}

int CResampleBase::GetNumOfFillPreBufferSamples(float fInputSampleRate, float fOutputSampleRate) const
{
    float fFactor = 0.f;
    int iReach = 0;
    if (!ValidRates(fInputSampleRate, fOutputSampleRate, fFactor) || !ReachFor(fFactor, iReach))
        return 0;
    return iReach;
}

int64_t CResampleBase::CountOutputFrames(int64_t iNx, float fFactor) const
{
    if (iNx <= 0)
        return 0;
    if (fFactor >= 1.f)
    {
        // The factor 100 with rounding absorbs float error (3.0000001 frames give 3).
        const float fL = static_cast<float>(iNx) * fFactor * 100.f;
        if (!(fL < 9.0e15f))
            return INT64_MAX / 2;
        const int64_t iL = std::llround(fL);
        return (iL + 99) / 100;
    }

    const int64_t iLimit = 100 * iNx;
    const float fIncF = 1.f / fFactor;
    const double dIncD = 1.0 / static_cast<double>(fFactor);
    auto bBelowLimit = [&](int64_t k) {
        if (m_bInt16)
            return std::llround(static_cast<double>(static_cast<float>(k)) * dIncD * 100.0) < iLimit;
        return std::llround(static_cast<float>(k) * fIncF * 100.f) < iLimit;
    };
    int64_t k = static_cast<int64_t>(static_cast<double>(iNx) / dIncD);
    while (bBelowLimit(k))
        ++k;
    while (k > 0 && !bBelowLimit(k - 1))
        --k;
    return k;
}

bool CResampleBase::PlanCall(float fInputSampleRate, float fOutputSampleRate, unsigned int iNumChannels,
                             unsigned int iNumFrames, CallPlan& plan) const
{
    if (iNumChannels != static_cast<unsigned int>(m_iNumChannels)
        || iNumFrames > static_cast<unsigned int>(m_iMaxFrames))
        return false;
    float fFactor = 0.f;
    int iReach = 0;
    if (!ValidRates(fInputSampleRate, fOutputSampleRate, fFactor) || !ReachFor(fFactor, iReach))
        return false;

    const int iGrowth = iReach - m_iFilterReach;
    // Moving history to the front reads up to two frames below -reach (drift of -1 frame
    // plus a time offset of up to -1 frame from Reset).
    const int64_t iBelow = FramesBelow() - iGrowth;
    const int64_t iAbove = static_cast<int64_t>(FramesAbove()) + iGrowth;
    if (iBelow < iReach + 2)
        return false;
    const int64_t iWriteStart = static_cast<int64_t>(m_iInputWritePos) + iGrowth + m_iInputBacklog;
    const int64_t iWriteEnd = iWriteStart + iNumFrames;
    if (iWriteStart < -iReach || iWriteEnd + iReach > iAbove)
        return false;

    int64_t iNx = static_cast<int64_t>(m_iInputBacklog) + iNumFrames;
    if (m_bFirstCall)
        iNx -= iReach;
    const int64_t iOut = CountOutputFrames(iNx, fFactor);
    if (iOut > INT_MAX / m_iNumChannels)
        return false;

    const int iStep = static_cast<int>(static_cast<double>(std::min(256.f, fFactor * 256.f) * 128.f) + 0.5);
    if (iStep < 1)
        return false;
    const double dInc = m_bInt16 ? 1.0 / static_cast<double>(fFactor) : static_cast<double>(1.f / fFactor);
    if (iOut > 0)
    {
        // Outermost taps of the first and the last output frame.
        const int64_t iTaps = static_cast<int64_t>(m_iNumTableEntries) * 128 / iStep + 2;
        const double dStart = m_dTime + iGrowth;
        const double dEnd = dStart + static_cast<double>(iOut) * dInc + 1.0;
        if (std::floor(dStart) - iTaps < -static_cast<double>(iBelow) || dEnd + iTaps >= static_cast<double>(iAbove))
            return false;
    }

    plan.fFactor = fFactor;
    plan.iReach = iReach;
    plan.iGrowth = iGrowth;
    plan.iNx = static_cast<int>(iNx);
    plan.iOutputFrames = static_cast<int>(iOut);
    plan.iStep = iStep;
    plan.dInc = dInc;
    plan.fGain = fFactor < 1.f ? fFactor * m_fScalingFactor : m_fScalingFactor;
    return true;
}

double CResampleBase::BeginCall(const char* pcIn, unsigned int iNumFrames, const CallPlan& plan)
{
    if (plan.iGrowth > 0)
    {
        // Keep the place in the signal and gain older frames as history.
        const int d = plan.iGrowth;
        m_iFilterReach = plan.iReach;
        m_iInputWritePos += d;
        m_iInputCurrentPos += d;
        m_dTime += d;
        m_pX = FramePtr(-d);
        m_iBufferShift += d * m_iNumChannels;
    }

    if (iNumFrames > 0)
        std::memcpy(FramePtr(m_iInputWritePos + m_iInputBacklog), pcIn,
                    static_cast<size_t>(iNumFrames) * m_iNumChannels * SampleBytes());
    m_iInputBacklog += static_cast<int>(iNumFrames);
    m_bFirstCall = false;
    m_iInputBacklog += m_iInputWritePos;
    m_iTableStep = plan.iStep;
    return m_dTime;
}

int CResampleBase::EndCall(const CallPlan& plan, int iNumOutputFrames)
{
    const int iReach = m_iFilterReach;
    const int iNx = plan.iNx;
    m_iOutputFrames = iNumOutputFrames;
    m_iInputBacklog -= 2 * iReach + iNx;
    m_dTime -= iNx;
    m_iInputCurrentPos += iNx;

    m_iCreep = static_cast<int>(m_dTime - iReach);
    if (m_iCreep != 0)
    {
        m_dTime -= m_iCreep;
        m_iInputCurrentPos += m_iCreep;
    }

    const int iKeep = iNx + 3 * iReach - m_iInputCurrentPos;
    const int iNumMoved = m_iInputBacklog + iKeep + iReach;
    const int iShift = m_iInputCurrentPos - iReach;
    // The shift may be -1 after a drift backwards, so this must be an overlapping move.
    if (iNumMoved > 0 && iShift != 0)
        std::memmove(FramePtr(-iReach), FramePtr(-iReach + iShift),
                     static_cast<size_t>(iNumMoved) * m_iNumChannels * SampleBytes());

    m_iInputWritePos = iKeep;
    m_iInputCurrentPos = iReach;
    return iNumOutputFrames;
}

int CResampleBase::CopyToPreBuffer(const char* pcIn, unsigned int iNumChannels, unsigned int iNumFrames)
{
    if (iNumChannels != static_cast<unsigned int>(m_iNumChannels)
        || iNumFrames > static_cast<unsigned int>(MaxReach()) || (iNumFrames > 0 && pcIn == nullptr))
        return 0;
    if (iNumFrames > 0)
        std::memcpy(FramePtr(0), pcIn, static_cast<size_t>(iNumFrames) * m_iNumChannels * SampleBytes());
    m_iInputWritePos = static_cast<int>(iNumFrames);
    return static_cast<int>(iNumFrames);
}

int CResampleBase::Reset(float fTimeOffset, float fInputSampleRate, float fOutputSampleRate)
{
    float fFactor = 0.f;
    int iReach = 0;
    if (!std::isfinite(fTimeOffset) || std::fabs(fTimeOffset) > 1.f
        || !ValidRates(fInputSampleRate, fOutputSampleRate, fFactor) || !ReachFor(fFactor, iReach))
        return kInvalidArgError;
    Reset();
    ReachFor(fFactor, iReach);
    // The reach is taken over as well, so the next call does not shift a second time.
    const int d = iReach - m_iFilterReach;
    m_iFilterReach = iReach;
    m_iInputWritePos += d;
    m_iInputCurrentPos += d;
    m_dTime += d;
    m_dTime += fTimeOffset;
    return kNoError;
}

int CResampleBase::getNumOfSamplesNeeded(int iOutFrames, float fInputSampleRate, float fOutputSampleRate) const
{
    float fFactor = 0.f;
    int iReach = 0;
    if (iOutFrames < 0 || !ValidRates(fInputSampleRate, fOutputSampleRate, fFactor) || !ReachFor(fFactor, iReach))
        return 0;
    const float fRatio = fInputSampleRate / fOutputSampleRate;
    const float fX = static_cast<float>(iOutFrames) * fRatio;
    double dNeeded;
    if (m_bFirstCall)
        dNeeded = std::ceil(std::max(static_cast<double>(m_iFilterReach),
                                     static_cast<double>(std::max(1.f, fRatio)) * m_iHalfLength + 1.0)
                            + static_cast<double>(fX));
    else
        dNeeded = std::ceil(fX - static_cast<float>(m_iInputBacklog));
    return static_cast<int>(std::clamp(dNeeded, 0.0, static_cast<double>(INT_MAX)));
}

int CResampleBase::GetNumFramesNeededFixedOutput(int iOutFrames, float fInputSampleRate,
                                                 float fOutputSampleRate) const
{
    if (m_bFirstCall)
        return getNumOfSamplesNeeded(iOutFrames, fInputSampleRate, fOutputSampleRate);
    float fFactor = 0.f;
    int iReach = 0;
    if (iOutFrames < 0 || !ValidRates(fInputSampleRate, fOutputSampleRate, fFactor) || !ReachFor(fFactor, iReach))
        return 0;
    const float fRatio = fInputSampleRate / fOutputSampleRate;
    const float fX = static_cast<float>(iOutFrames) * fRatio;
    const double dNeeded = std::ceil((fX - static_cast<float>(m_iInputBacklog))
                                     - fRatio * static_cast<float>(m_iFixedOutputPending));
    return static_cast<int>(std::clamp(dNeeded, 0.0, static_cast<double>(INT_MAX)));
}

int CResampleBase::ProcessFixedOutput(const void* pIn, void* pOut, int iNumChannels, int iInFrames, int iOutFrames,
                                      float fInputSampleRate, float fOutputSampleRate)
{
    if (iOutFrames < 0 || iInFrames < 0 || iNumChannels != m_iNumChannels || (iInFrames > 0 && pIn == nullptr))
        return 0;
    CallPlan plan;
    if (!PlanCall(fInputSampleRate, fOutputSampleRate, static_cast<unsigned int>(iNumChannels),
                  static_cast<unsigned int>(iInFrames), plan))
        return 0;
    const int64_t iHeld = static_cast<int64_t>(m_iFixedOutputPending) + plan.iOutputFrames;
    if (pOut == nullptr && std::min<int64_t>(iHeld, iOutFrames) > 0)
        return 0;
    // Huge upsampling of a full block would otherwise hold gigabytes.
    if ((iHeld - iOutFrames) * iNumChannels > kMaxFixedOutputSurplus)
        return 0;

    const int iBytes = SampleBytes();
    const int64_t iNeeded = std::max<int64_t>(static_cast<int64_t>(iOutFrames) + 256, iHeld) * iNumChannels;
    if (iNeeded > INT_MAX)
        return 0;
    if (iNeeded > m_iFixedOutputCapacity)
    {
        try
        {
            m_pFixedOutput = vtrAllocator::realloc(m_pFixedOutput, static_cast<uint64_t>(iNeeded) * iBytes);
        }
        catch (const std::bad_alloc&)
        {
            return 0;
        }
        m_iFixedOutputCapacity = static_cast<int>(iNeeded);
    }

    const size_t iFrameBytes = static_cast<size_t>(iNumChannels) * iBytes;
    char* pcHeld = static_cast<char*>(m_pFixedOutput);
    const int iProduced = Process(static_cast<const char*>(pIn), pcHeld + m_iFixedOutputPending * iFrameBytes,
                                  fInputSampleRate, fOutputSampleRate, static_cast<unsigned int>(iNumChannels),
                                  static_cast<unsigned int>(iInFrames));
    const int iTotal = m_iFixedOutputPending + iProduced;
    const int iDelivered = std::min(iTotal, iOutFrames);
    if (iDelivered > 0)
        std::memcpy(pOut, pcHeld, iDelivered * iFrameBytes);
    const int iRest = iTotal - iOutFrames;
    m_iFixedOutputPending = std::max(0, iRest);
    if (iRest > 0)
    {
        std::memmove(pcHeld, pcHeld + iOutFrames * iFrameBytes, iRest * iFrameBytes);
        return iOutFrames;
    }
    return iDelivered;
}

float CResampleBase::sinc(float fX) const
{
    if (fX == 0.f)
        return 1.f;
    const float fPi = 3.1415927f;
    return std::sin(m_fCutOff * (fX * fPi)) / (fX * fPi);
}

float CResampleBase::BesselSeries(float fY) const
{
    float fSum = 1.f;
    float fTerm = 1.f;
    // The cap only guards against a non-finite argument; the series ends after ~50 terms.
    for (int k = 1; k < 1000; ++k)
    {
        const float fRatio = fY / static_cast<float>(k);
        fTerm = fTerm * (fRatio * fRatio);
        fSum += fTerm;
        if (static_cast<double>(fTerm) < 1e-21 * static_cast<double>(fSum))
            break;
    }
    return fSum;
}

float CResampleBase::window(float fI, int iN) const
{
    const float fI0Beta = BesselSeries(m_fKaiserBeta / 2.f);
    const float fX = (1.f / static_cast<float>(iN - 1)) * fI;
    const float fY = std::sqrt(1.f - fX * fX) * m_fKaiserBeta * 0.5f;
    return (1.f / fI0Beta) * BesselSeries(fY);
}

float CResampleBase::Bessel(float fX) const
{
    return BesselSeries(fX / 2.f);
}

void CResampleBase::ResetState()
{
    m_pX = m_pBufferStart;
    if (m_pBufferStart != nullptr)
        std::memset(m_pBufferStart, 0,
                    static_cast<size_t>(m_iHistoryReserve + m_iBufferLength) * SampleBytes());
    m_pX = static_cast<char*>(m_pBufferStart) + static_cast<size_t>(m_iHistoryReserve) * SampleBytes();
    m_iFilterReach = 2 * m_iHalfLength;
    m_iInputWritePos = 2 * m_iHalfLength;
    m_iInputCurrentPos = 2 * m_iHalfLength;
    m_iInputBacklog = 0;
    m_iBufferShift = 0;
    m_iFixedOutputPending = 0;
    m_iCreep = 0;
    m_dTime = 2 * m_iHalfLength;
    m_bFirstCall = true;
    m_iOutputFrames = 0;
    m_iTableStep = 0;
    m_iTableResolution = 256;
}

void CResampleBase::AllocateSampleBuffer()
{
    const int iSamples = m_iHistoryReserve + m_iBufferLength;
    if (m_bInt16)
        m_pBufferStart = vtrAllocator::malloc(static_cast<uint64_t>(iSamples) * 2);
    else
        m_pBufferStart = vtrfMalloc(iSamples);
    std::memset(m_pBufferStart, 0, static_cast<size_t>(iSamples) * SampleBytes());
    m_pX = static_cast<char*>(m_pBufferStart) + static_cast<size_t>(m_iHistoryReserve) * SampleBytes();
}

void CResampleBase::AllocateFixedOutput()
{
    m_iFixedOutputPending = 0;
    m_iFixedOutputCapacity = 512;
    m_pFixedOutput = vtrAllocator::malloc(static_cast<uint64_t>(m_iFixedOutputCapacity) * SampleBytes());
    std::memset(m_pFixedOutput, 0, static_cast<size_t>(m_iFixedOutputCapacity) * SampleBytes());
}

void CResampleBase::FreeBuffers()
{
    vtrAllocator::free(m_pImpulse);
    vtrAllocator::free(m_pImpulseDelta);
    vtrAllocator::free(m_pBufferStart);
    vtrAllocator::free(m_pFixedOutput);
    m_pImpulse = nullptr;
    m_pImpulseDelta = nullptr;
    m_pBufferStart = nullptr;
    m_pFixedOutput = nullptr;
    m_pX = nullptr;
}

int CResampleBase::GetNumOfOutputSamples(int iNumFrames, float fInputSampleRate, float fOutputSampleRate)
{
    CallPlan plan;
    if (iNumFrames < 0
        || !PlanCall(fInputSampleRate, fOutputSampleRate, static_cast<unsigned int>(m_iNumChannels),
                     static_cast<unsigned int>(iNumFrames), plan))
        return 0;
    return plan.iOutputFrames;
}
