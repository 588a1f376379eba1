#pragma once

#include "CvtrfFFT_If.h"
#include "vtrVecLibAccelerate.h"

#ifdef VTR_HAVE_ACCELERATE

/// The accelerated FFT for processors with AVX2 and FMA: the n real samples form n/2
/// complex values (even samples real, odd imaginary), which a radix-2 Stockham FFT
/// transforms in split real/imaginary arrays, eight butterflies at a time; one pass
/// then separates the real spectrum. It writes the interleaved packed layout with the
/// portable scaling and sign, so it matches the portable FFT to float rounding.
class CvtrfFFTAccelerate : public CvtrfFFT_If
{
public:
    /// Allocates every buffer and table; throws bad_alloc (nothing is left allocated then).
    CvtrfFFTAccelerate(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);
    ~CvtrfFFTAccelerate() override;

    int vtrfFFT(float* pfOutput, const float* pfInput) override;
    int vtrfIFFT(float* pfOutput, const float* pfInput) override;
    int BuildFFTTables() override;
    void FreeFFTTables() override {}
    int Init() override { return 0; }

private:
    void releaseBuffers();
    /// Forward complex FFT (kernel e^{+i2πjk/N}) of the split arrays m_pfRe/m_pfIm;
    /// returns the pair holding the result.
    void transformComplex(float*& pfRe, float*& pfIm);
    void stage(int iStride, const float* pfXRe, const float* pfXIm, float* pfYRe, float* pfYIm) const;
    void stageScalar(int iStride, const float* pfXRe, const float* pfXIm, float* pfYRe, float* pfYIm) const;
    void splitRealSpectrum(float* pfOutput, const float* pfZRe, const float* pfZIm) const;

    int m_iHalfLength = 0;
    float* m_pfRe = nullptr;
    float* m_pfIm = nullptr;
    float* m_pfRe2 = nullptr;
    float* m_pfIm2 = nullptr;
    // W^j = e^{i2πj/N} for j < N/2, and the same repeated in pairs and in fours for the
    // stages whose butterfly groups are narrower than a vector.
    float* m_pfTwiddleCos = nullptr;
    float* m_pfTwiddleSin = nullptr;
    float* m_pfTwiddleCos2 = nullptr;
    float* m_pfTwiddleSin2 = nullptr;
    float* m_pfTwiddleCos4 = nullptr;
    float* m_pfTwiddleSin4 = nullptr;
    // e^{i2πk/n} for k < N, for separating the real spectrum.
    float* m_pfRealCos = nullptr;
    float* m_pfRealSin = nullptr;
};

/// As vtrfFFTCreateInstance_Generic, with a CvtrfFFTAccelerate.
int vtrfFFTCreateInstance_Accelerate(CvtrfFFT_If*& pCFFT, int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);
/// Deletes a CvtrfFFTAccelerate and nulls the pointer; a null pointer or an object of
/// another class gives kInvalidFunctionArgumentError and changes nothing.
int vtrfFFTDestroyInstance_Accelerate(CvtrfFFT_If*& pCFFT);

#endif
