#include "LogFreqSpectrum.h"

#include "CvtrfFFT_If.h"
#include "vtrVecLib.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace
{
constexpr float kLn2 = 0.6931472f;
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

float log2Single(float fX)
{
    return std::log(fX) / kLn2;
}

bool isSameConfig(const LogFreqSpectrum::Config& a, const LogFreqSpectrum::Config& b)
{
    return a.m_fSampleRate == b.m_fSampleRate && a.m_fMinFrequency == b.m_fMinFrequency &&
           a.m_fNumOctaves == b.m_fNumOctaves && a.m_iNumBinsPerSemitone == b.m_iNumBinsPerSemitone &&
           a.m_iBlockSize == b.m_iBlockSize && a.m_iOversampling == b.m_iOversampling;
}
}

// ---- Config ------------------------------------------------------------------------

float LogFreqSpectrum::Config::getBinsPerOctave() const
{
    return static_cast<float>(12 * m_iNumBinsPerSemitone);
}

int LogFreqSpectrum::Config::getNumFreqBins() const
{
    return static_cast<int>(static_cast<float>(m_iNumBinsPerSemitone) * (m_fNumOctaves * 12.f) + 0.5f);
}

float LogFreqSpectrum::Config::getFrequency(int iBin) const
{
    return std::pow(2.f, static_cast<float>(iBin) / getBinsPerOctave()) * m_fMinFrequency;
}

float LogFreqSpectrum::Config::computeBinIndex(float fFrequency) const
{
    return std::log(fFrequency / m_fMinFrequency) * getBinsPerOctave() / kLn2;
}

int LogFreqSpectrum::Config::getOversampledFftLength() const
{
    return m_iOversampling * m_iBlockSize;
}

void LogFreqSpectrum::Config::computeSemitoneRange(int iBin, int& iLo, int& iHi) const
{
    const float fCentre = getFrequency(iBin);
    const float fL = static_cast<float>(getOversampledFftLength());
    const float fStep = std::pow(2.f, 1.f / getBinsPerOctave());
    const float fStepDown = std::pow(2.f, -1.f / getBinsPerOctave());
    iLo = static_cast<int>(std::ceil(fStepDown * fCentre * fL / m_fSampleRate));
    iHi = static_cast<int>(std::floor(fCentre * fStep * fL / m_fSampleRate));
}

void LogFreqSpectrum::Config::computeReducedKernelRange(int iBin, int& iFirstFftBin, int& iNumFftBins) const
{
    int iLo = 0, iHi = 0;
    computeSemitoneRange(iBin, iLo, iHi);
    const float fR = static_cast<float>(m_iOversampling);
    iFirstFftBin = static_cast<int>(std::floor(static_cast<float>(iLo) / fR));
    const int iLastFftBin = static_cast<int>(std::ceil(static_cast<float>(iHi) / fR));
    iNumFftBins = iLastFftBin - iFirstFftBin + 1;
}

// ---- Kernel ------------------------------------------------------------------------

Vector<float>::Section LogFreqSpectrum::Kernel::getRelevantSection(Vector<float>& magnitudeSpectrum) const
{
    return Vector<float>::Section(magnitudeSpectrum, m_iStartBin, m_iNumBins);
}

// ---- LogFreqSpectrum ---------------------------------------------------------------

LogFreqSpectrum::LogFreqSpectrum()
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

LogFreqSpectrum::~LogFreqSpectrum()
{
    reset();
}

float LogFreqSpectrum::frequency2FftIndex(float fFrequency, int iFftLength, float fSampleRate)
{
    return fFrequency * static_cast<float>(iFftLength) / fSampleRate;
}

float LogFreqSpectrum::fftIndex2Frequency(float fIndex, int iFftLength, float fSampleRate)
{
    return fIndex * fSampleRate / static_cast<float>(iFftLength);
}

float LogFreqSpectrum::computeHannWindow(float fX, float fLength)
{
    return 0.5f + 0.5f * std::cos(fX * kTwoPi / fLength);
}

void LogFreqSpectrum::checkConfig(const Config& config)
{
    // Negated "valid" tests, so that NaN counts as invalid.
    if (!(config.m_fSampleRate > 0.f) || !std::isfinite(config.m_fSampleRate))
        throw std::invalid_argument("m_fSampleRate");
    if (!(config.m_fMinFrequency > 0.f))
        throw std::invalid_argument("m_fMinFrequency");
    if (config.m_iNumBinsPerSemitone <= 0 || config.m_iNumBinsPerSemitone > 1000)
        throw std::invalid_argument("m_iNumBinsPerSemitone");
    // The FFT's rule: a power of two and a multiple of 4.
    if (config.m_iBlockSize < 4 || (config.m_iBlockSize & (config.m_iBlockSize - 1)) != 0)
        throw std::invalid_argument("m_iBlockSize");
    if (config.m_iOversampling <= 0 || config.m_iOversampling > (1 << 30) / config.m_iBlockSize)
        throw std::invalid_argument("m_iOversampling");
    // Every kernel must end below the Nyquist frequency, where the magnitudes end.
    const float fNumBins = static_cast<float>(config.m_iNumBinsPerSemitone) * (config.m_fNumOctaves * 12.f) + 0.5f;
    if (!(fNumBins >= 1.f) || !(fNumBins < 1e6f))
        throw std::invalid_argument("m_fNumOctaves");
    const int iLastBin = config.getNumFreqBins() - 1;
    const float fTop = config.getFrequency(iLastBin) * std::pow(2.f, 1.f / config.getBinsPerOctave());
    if (!(fTop < 0.5f * config.m_fSampleRate))
        throw std::invalid_argument("m_fNumOctaves");
    int iFirstFftBin = 0, iNumFftBins = 0;
    config.computeReducedKernelRange(iLastBin, iFirstFftBin, iNumFftBins);
    if (iFirstFftBin + iNumFftBins > config.m_iBlockSize / 2)
        throw std::invalid_argument("m_fNumOctaves");
}

void LogFreqSpectrum::initialize(const Config& config)
{
    checkConfig(config);
    reset();
    try
    {
        m_Config = config;
        const int iNumBins = config.getNumFreqBins();
        m_Kernels.allocate(iNumBins);
        for (int i = 0; i < iNumBins; ++i)
            m_Kernels[i] = new Kernel();

        CvtrfFFT_If* pFFT = nullptr;
        if (vtrfFFTCreateInstance(pFFT, config.m_iBlockSize, 1, kWindowHann) != 0 || pFFT == nullptr)
            throw std::invalid_argument("m_iBlockSize");
        m_pFFT = pFFT;
        m_FftBuffer.allocate(config.m_iBlockSize);
        computeKernels();
    }
    catch (...)
    {
        reset();
        throw;
    }
}

void LogFreqSpectrum::computeKernels()
{
    // The design (a cosine and a logarithm at each of some 330,000 fine-grid points in
    // the engine's config) costs more than all the rest of building an engine, and a
    // batch of short files builds one engine per file, always with the same config. So
    // each thread keeps its last design and copies it: the weights are the same bits,
    // and being per thread it needs no lock. It lives in the ordinary heap because a
    // client may change the engine allocator's hooks between two instances.
    thread_local Config lastConfig; // sample rate -1: nothing designed yet
    thread_local std::vector<float> lastWeights; // every kernel's weights, bin after bin
    if (isSameConfig(lastConfig, m_Config))
    {
        size_t iNext = 0;
        for (int iBin = 0; iBin < m_Kernels.size(); ++iBin)
        {
            Kernel& kernel = *m_Kernels[iBin];
            m_Config.computeReducedKernelRange(iBin, kernel.m_iStartBin, kernel.m_iNumBins);
            kernel.m_Weights.allocate(kernel.m_iNumBins);
            std::copy_n(lastWeights.data() + iNext, kernel.m_iNumBins, kernel.m_Weights.getPointer());
            iNext += static_cast<size_t>(kernel.m_iNumBins);
        }
        return;
    }
    designKernels();
    std::vector<float> weights;
    for (int iBin = 0; iBin < m_Kernels.size(); ++iBin)
    {
        const Kernel& kernel = *m_Kernels[iBin];
        weights.insert(weights.end(), kernel.m_Weights.getPointer(), kernel.m_Weights.getPointer() + kernel.m_iNumBins);
    }
    lastWeights.swap(weights);
    lastConfig = m_Config;
}

void LogFreqSpectrum::designKernels()
{
    const int R = m_Config.m_iOversampling;
    const float fB = m_Config.getBinsPerOctave();
    const float fL = static_cast<float>(m_Config.getOversampledFftLength());
    const float fSampleRate = m_Config.m_fSampleRate;

    // Two FFT bins wide on the fine grid, peaking at R - 1.
    Vector<float> oversamplingWindow(2 * R - 1);
    for (int i = 0; i < 2 * R - 1; ++i)
        oversamplingWindow[i] = computeHannWindow(static_cast<float>(i + 1 - R), static_cast<float>(2 * R));

    Vector<float> fineWindow;
    for (int iBin = 0; iBin < m_Kernels.size(); ++iBin)
    {
        const float fCentre = m_Config.getFrequency(iBin);
        const float fLog2Centre = log2Single(fCentre);
        int iLo = 0, iHi = 0;
        m_Config.computeSemitoneRange(iBin, iLo, iHi);
        Kernel& kernel = *m_Kernels[iBin];
        m_Config.computeReducedKernelRange(iBin, kernel.m_iStartBin, kernel.m_iNumBins);
        kernel.m_Weights.allocate(kernel.m_iNumBins);

        // Raised cosine in log frequency, divided by the bin's width in Hz, so that the
        // kernel integrates magnitude per bin rather than per Hz.
        fineWindow.allocate(iHi - iLo + 1);
        for (int m = iLo; m <= iHi; ++m)
        {
            const float fF = static_cast<float>(m) * fSampleRate / fL;
            const float fShape = 0.5f + 0.5f * std::cos(kPi * fB * (log2Single(fF) - fLog2Centre));
            fineWindow[m - iLo] = fShape / (fF * kLn2 / fB);
        }

        for (int k = 0; k < kernel.m_iNumBins; ++k)
        {
            const int j = kernel.m_iStartBin + k;
            const int iSupportStart = R * (j - 1);
            const int iBegin = std::max(iSupportStart + 1, iLo);
            const int iEnd = std::min(R * (j + 1), iHi + 1);
            float fWeight = 0.f;
            if (iEnd > iBegin)
                vtrfRealDotProduct(oversamplingWindow.getPointer() + (iBegin - iSupportStart - 1), fineWindow.getPointer() + (iBegin - iLo), &fWeight,
                                   iEnd - iBegin);
            kernel.m_Weights[k] = fWeight;
        }
    }
}

bool LogFreqSpectrum::process(Vector<float>& output, const Vector<float>& input)
{
    if (m_pFFT == nullptr || input.size() < m_Config.m_iBlockSize || output.size() < m_Kernels.size())
        return false;

    float* pfBuffer = m_FftBuffer.getPointer();
    const int iSize = m_FftBuffer.size();
    m_pFFT->vtrfFFT(pfBuffer, input.getPointer());
    vtrfCompAbs(pfBuffer, pfBuffer, iSize / 2);
    vtrfRealMulC_I(pfBuffer, 2.f / static_cast<float>(iSize), iSize);

    float* pfOut = output.getPointer();
    for (int i = 0; i < m_Kernels.size(); ++i)
    {
        const Kernel& kernel = *m_Kernels[i];
        vtrfRealDotProduct(pfBuffer + kernel.m_iStartBin, kernel.m_Weights.getPointer(), &pfOut[i], kernel.m_iNumBins);
    }
    return true;
}

void LogFreqSpectrum::deleteKernels()
{
    for (int i = 0; i < m_Kernels.size(); ++i)
        delete m_Kernels[i];
    m_Kernels.free();
}

void LogFreqSpectrum::reset()
{
    deleteKernels();
    if (m_pFFT != nullptr)
        vtrfFFTDestroyInstance(m_pFFT);
    m_pFFT = nullptr;
    m_FftBuffer.free();
}
