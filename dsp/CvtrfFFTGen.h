#pragma once

#include "CvtrfFFT_If.h"

/// The portable FFT: the real-FFT kernel rdft with the interleaved packed layout.
/// Build it through vtrfFFTCreateInstance_Generic; the kernel's tables are filled on
/// the first transform.
class CvtrfFFTGen : public CvtrfFFT_If
{
public:
    /// Allocates every buffer; throws bad_alloc (nothing is left allocated then).
    CvtrfFFTGen(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);
    ~CvtrfFFTGen() override;

    int vtrfFFT(float* pfOutput, const float* pfInput) override;
    int vtrfIFFT(float* pfOutput, const float* pfInput) override;
    int BuildFFTTables() override { return 0; }
    void FreeFFTTables() override {}
    int Init() override { return 0; }

private:
    void releaseBuffers();

    int* m_piBitRevWorkArea = nullptr;
    float* m_pfCosSinTable = nullptr;
    float* m_pfScratch = nullptr;
};

/// Checks the lengths (block length a power of two of at least 4, factor a power of two
/// of at least 1, FFT length within int range), then stores a new CvtrfFFTGen in pCFFT.
/// Returns 0, or kInvalidFunctionArgumentError with pCFFT null; allocation failure
/// throws bad_alloc.
int vtrfFFTCreateInstance_Generic(CvtrfFFT_If*& pCFFT, int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);
/// Deletes a CvtrfFFTGen and nulls the pointer; a null pointer or an object of another
/// class gives kInvalidFunctionArgumentError and changes nothing.
int vtrfFFTDestroyInstance_Generic(CvtrfFFT_If*& pCFFT);
