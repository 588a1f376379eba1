#include "CvtrfFFTGen.h"

#include "vtrAllocator.h"
#include "vtrRealFFT.h"

#include <cmath>
#include <cstring>

namespace
{
// Largest FFT length whose tables (5n/4 + 1 floats) still have an int count.
constexpr int kMaxFFTLength = 1 << 30;

bool isPowerOfTwo(int iValue)
{
    return iValue >= 1 && (iValue & (iValue - 1)) == 0;
}

int bitRevWorkAreaSize(int iFFTLength)
{
    return static_cast<int>(std::sqrt(static_cast<double>(iFFTLength / 2))) + 2;
}
}

CvtrfFFTGen::CvtrfFFTGen(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
    : CvtrfFFT_If(iBlockLength, iZeroPadFactor, eWindow)
{
    try
    {
        const int iWorkAreaSize = bitRevWorkAreaSize(m_iFFTLength);
        m_piBitRevWorkArea = static_cast<int*>(
            vtrAllocator::malloc(sizeof(int) * static_cast<uint64_t>(iWorkAreaSize), vtrAlloc::kAlign8));
        std::memset(m_piBitRevWorkArea, 0, sizeof(int) * static_cast<size_t>(iWorkAreaSize));
        const int iTableSize = 5 * (m_iFFTLength / 4) + 1;
        m_pfCosSinTable = static_cast<float*>(
            vtrAllocator::malloc(sizeof(float) * static_cast<uint64_t>(iTableSize), vtrAlloc::kAlign8));
        vtrfSetZero(m_pfCosSinTable, iTableSize);
        m_pfScratch = vtrfMalloc(m_iFFTLength);
    }
    catch (...)
    {
        releaseBuffers();
        throw;
    }
}

CvtrfFFTGen::~CvtrfFFTGen()
{
    releaseBuffers();
}

void CvtrfFFTGen::releaseBuffers()
{
    vtrfFree(m_pfScratch);
    if (m_pfCosSinTable != nullptr)
        vtrAllocator::free(m_pfCosSinTable);
    m_pfCosSinTable = nullptr;
    if (m_piBitRevWorkArea != nullptr)
        vtrAllocator::free(m_piBitRevWorkArea);
    m_piBitRevWorkArea = nullptr;
}

int CvtrfFFTGen::vtrfFFT(float* pfOutput, const float* pfInput)
{
    if (pfOutput == nullptr || pfInput == nullptr)
        return kInvalidFunctionArgumentError;
    prepareInput(pfOutput, pfInput);
    rdft(m_iFFTLength, 1, pfOutput, m_piBitRevWorkArea, m_pfCosSinTable);
    return 0;
}

int CvtrfFFTGen::vtrfIFFT(float* pfOutput, const float* pfInput)
{
    if (pfOutput == nullptr || pfInput == nullptr)
        return kInvalidFunctionArgumentError;
    std::memcpy(m_pfScratch, pfInput, sizeof(float) * static_cast<size_t>(m_iFFTLength));
    rdft(m_iFFTLength, -1, m_pfScratch, m_piBitRevWorkArea, m_pfCosSinTable);
    // The kernel's inverse returns n/2 times the data; bring it to n times.
    std::memcpy(pfOutput, m_pfScratch, sizeof(float) * static_cast<size_t>(m_iBlockLength));
    vtrfRealMulC_I(pfOutput, 2.f, m_iBlockLength);
    return 0;
}

int vtrfFFTCreateInstance_Generic(CvtrfFFT_If*& pCFFT, int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
{
    pCFFT = nullptr;
    if (iBlockLength < 4 || !isPowerOfTwo(iBlockLength) || !isPowerOfTwo(iZeroPadFactor))
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    if (iBlockLength > kMaxFFTLength / iZeroPadFactor)
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    pCFFT = new CvtrfFFTGen(iBlockLength, iZeroPadFactor, eWindow);
    return 0;
}

int vtrfFFTDestroyInstance_Generic(CvtrfFFT_If*& pCFFT)
{
    if (dynamic_cast<CvtrfFFTGen*>(pCFFT) == nullptr)
        return CvtrfFFT_If::kInvalidFunctionArgumentError;
    delete pCFFT;
    pCFFT = nullptr;
    return 0;
}
