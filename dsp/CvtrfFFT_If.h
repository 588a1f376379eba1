#pragma once

#include "vtrAllocatedObject.h"
#include "vtrVecLib.h"

/// A real FFT for one block length, zero-padding factor and analysis window. Create and
/// destroy instances through vtrfFFTCreateInstance / vtrfFFTDestroyInstance, so that the
/// implementation (and with it the spectrum layout) matches the active function table.
///
/// vtrfFFT windows the block, pads it with zeros to the FFT length n and writes the
/// packed spectrum of n floats (read bins through vtrReIdx / vtrImIdx), unscaled:
/// Re(k) = sum x[j]·cos(2πjk/n). vtrfIFFT of that spectrum returns n times the
/// (windowed) block. Neither allocates.
class CvtrfFFT_If : public vtrAllocatedObject
{
public:
    /// Error code for invalid arguments of the factory and the destroyer.
    static constexpr int kInvalidFunctionArgumentError = 5000003;

    /// pfOutput: FFT-length floats; pfInput: block-length floats; they may be the same array.
    virtual int vtrfFFT(float* pfOutput, const float* pfInput) = 0;
    /// pfInput: packed spectrum of FFT-length floats; pfOutput: block-length floats.
    virtual int vtrfIFFT(float* pfOutput, const float* pfInput) = 0;
    virtual int BuildFFTTables() = 0;
    virtual void FreeFFTTables() = 0;
    virtual int Init() = 0;
    virtual ~CvtrfFFT_If();

    CvtrfFFT_If(const CvtrfFFT_If&) = delete;
    CvtrfFFT_If& operator=(const CvtrfFFT_If&) = delete;

    /// Fills the window for eWindow; a value outside the window types leaves it unchanged.
    void CalculateWindow(_Fft_Windows_ eWindow);
    /// Smallest e with 2^e >= iValue; -1 for values below 1.
    static int Log2(int iValue);
    /// Copies the window into pfDest unless it is null; returns the block length.
    int vtrfGetWindow(float* pfDest) const;
    /// Copies block-length values into the window; null sets the window to zero.
    void vtrfSetWindow(const float* pfSrc);

    int getFFTLength() const { return m_iFFTLength; }
    int getBlockLength() const { return m_iBlockLength; }
    _Fft_Windows_ getWindowType() const { return m_eWindowType; }

protected:
    /// Allocates the window (zero-filled, then computed); throws bad_alloc.
    CvtrfFFT_If(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow);

    /// Copies, zero-pads and windows the input into the FFT-length output.
    void prepareInput(float* pfOutput, const float* pfInput) const;

    int m_iFFTLength = 0;
    int m_iBlockLength = 0;
    float* m_pfWindow = nullptr;
    _Fft_Windows_ m_eWindowType = kWindowNone;
};
