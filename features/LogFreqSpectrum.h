#pragma once

#include "Vector.h"

class CvtrfFFT_If;

/// Magnitude spectrum on a logarithmic frequency axis: a Hann-windowed FFT whose
/// magnitudes are summed into each log-frequency bin with a precomputed kernel. The
/// kernels are designed on a grid finer than the FFT's and then reduced to FFT bins,
/// so narrow low bins that fall between FFT bins still get a smooth, centred weight.
class LogFreqSpectrum
{
public:
    class Config
    {
    public:
        int getNumFreqBins() const;
        float getFrequency(int iBin) const;
        float computeBinIndex(float fFrequency) const;
        int getOversampledFftLength() const;
        /// First and last fine-grid index inside the bin's window (one bin each side).
        void computeSemitoneRange(int iBin, int& iLo, int& iHi) const;
        void computeReducedKernelRange(int iBin, int& iFirstFftBin, int& iNumFftBins) const;
        float getMinFrequency() const { return m_fMinFrequency; }
        float getNumOctaves() const { return m_fNumOctaves; }
        float getBinsPerOctave() const;

        float m_fSampleRate = -1.f;
        float m_fMinFrequency = 110.f;
        float m_fNumOctaves = 3.f;
        int m_iNumBinsPerSemitone = 3;
        int m_iBlockSize = 16384;
        int m_iOversampling = 80;
    };

    class Kernel
    {
    public:
        Kernel() = default;
        Vector<float>::Section getRelevantSection(Vector<float>& magnitudeSpectrum) const;

        int m_iStartBin = 0;
        int m_iNumBins = 0;
        Vector<float> m_Weights;
    };

    LogFreqSpectrum();
    virtual ~LogFreqSpectrum();

    LogFreqSpectrum(const LogFreqSpectrum&) = delete;
    LogFreqSpectrum& operator=(const LogFreqSpectrum&) = delete;

    /// Throws std::invalid_argument (the field name) for a config that cannot be
    /// analysed, leaving the object as it was; on std::bad_alloc it is left
    /// unconfigured.
    void initialize(const Config& config);

    /// Returns false, doing nothing, when unconfigured, when the input holds fewer than
    /// block-size samples or the output fewer than getNumFreqBins values.
    bool process(Vector<float>& output, const Vector<float>& input);

    void reset();

    int getNumKernels() const { return m_Kernels.size(); }
    const Kernel& getKernel(int iBin) const { return *m_Kernels[iBin]; }
    const Config& getConfig() const { return m_Config; }

    static float frequency2FftIndex(float fFrequency, int iFftLength, float fSampleRate);
    static float fftIndex2Frequency(float fIndex, int iFftLength, float fSampleRate);
    static float computeHannWindow(float fX, float fLength);

private:
    static void checkConfig(const Config& config);
    void computeKernels();
    void designKernels();
    void deleteKernels();

    Config m_Config;
    Vector<Kernel*> m_Kernels;
    CvtrfFFT_If* m_pFFT = nullptr;
    Vector<float> m_FftBuffer;
};
