#include "ResampleInterface.h"

#include "CResampleBase.h"

namespace
{
CResampleBase* instanceOf(void* pInstance)
{
    return static_cast<CResampleBase*>(pInstance);
}
}

const char* ResampleGetVersion()
{
    return "3.1.9+89aa72f";
}

const char* ResampleGetBuildDate()
{
    return "Nov 24 2023";
}

int ResampleCreateInstance(void** ppInstance, int iOrder, int iMaxFrames, int iNumChannels, int iSampleType,
                           int iOption)
{
    if (ppInstance == nullptr || iOrder < 1 || iOrder > 120)
        return CResampleBase::kInvalidArgError;
    *ppInstance = nullptr;
    CResampleBase* pNew = nullptr;
    const int iError = CResampleBase::Create(pNew, iSampleType, iOrder, iMaxFrames, iNumChannels, iOption != 0);
    *ppInstance = pNew;
    return iError;
}

int Resample(void* pInstance, const void* pIn, void* pOut, int iNumChannels, int iNumFrames,
             float fInputSampleRate, float fOutputSampleRate)
{
    if (pInstance == nullptr || iNumChannels <= 0 || iNumFrames < 0)
        return 0;
    return instanceOf(pInstance)->Process(static_cast<const char*>(pIn), static_cast<char*>(pOut), fInputSampleRate,
                                          fOutputSampleRate, static_cast<unsigned int>(iNumChannels),
                                          static_cast<unsigned int>(iNumFrames));
}

int ResampleFixedOutput(void* pInstance, const void* pIn, void* pOut, int iNumChannels, int iInFrames,
                        int iOutFrames, float fInputSampleRate, float fOutputSampleRate)
{
    if (pInstance == nullptr)
        return 0;
    return instanceOf(pInstance)->ProcessFixedOutput(pIn, pOut, iNumChannels, iInFrames, iOutFrames,
                                                     fInputSampleRate, fOutputSampleRate);
}

int ResampleGetSamplesNeeded(void* pInstance, int iOutFrames, float fInputSampleRate, float fOutputSampleRate)
{
    if (pInstance == nullptr)
        return 0;
    return instanceOf(pInstance)->getNumOfSamplesNeeded(iOutFrames, fInputSampleRate, fOutputSampleRate);
}

int GetNumFramesNeededFixedOutput(void* pInstance, int iOutFrames, float fInputSampleRate, float fOutputSampleRate)
{
    if (pInstance == nullptr)
        return 0;
    return instanceOf(pInstance)->GetNumFramesNeededFixedOutput(iOutFrames, fInputSampleRate, fOutputSampleRate);
}

int ResampleReset(void* pInstance)
{
    if (pInstance == nullptr)
        return CResampleBase::kInvalidArgError;
    return instanceOf(pInstance)->Reset();
}

int ResampleSetScalingFactor(void* pInstance, float fFactor)
{
    if (pInstance == nullptr)
        return CResampleBase::kInvalidArgError;
    return instanceOf(pInstance)->SetScalingFactor(fFactor);
}

int ResampleDestroyInstance(void** ppInstance)
{
    if (ppInstance == nullptr || *ppInstance == nullptr)
        return 0;
    CResampleBase::Destroy(instanceOf(*ppInstance));
    *ppInstance = nullptr;
    return 0;
}
