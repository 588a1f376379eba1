#include "TuningFrequencyEstimation.h"

#include "vtrVecLib.h"

#include <cmath>
#include <stdexcept>

const float TuningFrequencyEstimation::m_fReferenceTuningFreq = 440.f;
// A constant initialiser, so that it holds before any dynamic initialisation runs.
const float TuningFrequencyEstimation::m_fLog2 = 0.6931472f;

namespace
{
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;
// 24π: a phase of 2π is one semitone, and exp2 wants octaves.
constexpr float kTwentyFourPi = 75.398224f;
constexpr float kSemitonesPerOctave = 12.f;
// Far above the rounding of the reference phase (about 1.2e-6 below -π).
constexpr float kPhaseTolerance = 1e-4f;
}

TuningFrequencyEstimation::TuningFrequencyEstimation(float fFrequencyOfLowestBin, int iBinsPerSemitone, int iNumberOfBins)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    initialize(fFrequencyOfLowestBin, iBinsPerSemitone, iNumberOfBins);
}

void TuningFrequencyEstimation::initialize(float fFrequencyOfLowestBin, int iBinsPerSemitone, int iNumberOfBins)
{
    if (!(fFrequencyOfLowestBin > 0.f) || !std::isfinite(fFrequencyOfLowestBin))
        throw std::invalid_argument("fFrequencyOfLowestBin");
    if (iBinsPerSemitone < 1)
        throw std::invalid_argument("iBinsPerSemitone");
    if (iNumberOfBins < 0)
        throw std::invalid_argument("iNumberOfBins");

    m_fFrequencyOfLowestBin = fFrequencyOfLowestBin;
    m_iBinsPerSemitone = iBinsPerSemitone;
    m_iNumberOfBins = iNumberOfBins;
    computeReferencePhase();
    allocateAndComputeDftBasisFunction();
}

float TuningFrequencyEstimation::frequency2BinIndex(float fFrequency) const
{
    return std::log(fFrequency / m_fFrequencyOfLowestBin) / m_fLog2 * kSemitonesPerOctave * static_cast<float>(m_iBinsPerSemitone);
}

float TuningFrequencyEstimation::wrap(float fPhase) const
{
    // The missing -π is intended: reference and estimate each add π once.
    return std::fmod(fPhase + kPi, -kTwoPi);
}

float TuningFrequencyEstimation::computeReferencePhase()
{
    m_fReferencePhase = wrap(frequency2BinIndex(m_fReferenceTuningFreq) * (-kTwoPi / static_cast<float>(m_iBinsPerSemitone)));
    return m_fReferencePhase;
}

void TuningFrequencyEstimation::allocateAndComputeDftBasisFunction()
{
    if (m_dftBasis.size() != m_iNumberOfBins)
        m_dftBasis.allocate(m_iNumberOfBins);
    const float fStep = -kTwoPi / static_cast<float>(m_iBinsPerSemitone);
    for (int i = 0; i < m_iNumberOfBins; ++i)
    {
        const float fArgument = fStep * static_cast<float>(i);
        m_dftBasis[i] = std::complex<float>(std::cos(fArgument), std::sin(fArgument));
    }
}

std::complex<float> TuningFrequencyEstimation::computeDFTCoefficient(const Vector<float>& pitchSpectrum) const
{
    return m_dftBasis.dotProduct(pitchSpectrum);
}

float TuningFrequencyEstimation::phase2TuningFreq(float fPhase) const
{
    float fOffset = std::fmod(m_fReferencePhase - fPhase + kPi, -kTwoPi);
    // With 440 Hz on a multiple of the bins per semitone the offset already lies in
    // [-π, π] (up to rounding) and is left as it is. Other layouts give offsets up to
    // ±2π, i.e. ±100 cents; fold them back into ±50 cents.
    if (fOffset > kPi + kPhaseTolerance)
        fOffset -= kTwoPi;
    else if (fOffset < -kPi - kPhaseTolerance)
        fOffset += kTwoPi;
    return m_fReferenceTuningFreq * std::exp2(fOffset / kTwentyFourPi);
}

float TuningFrequencyEstimation::estimateTuningFrequency(const Vector<float>& pitchSpectrum) const
{
    const std::complex<float> z = computeDFTCoefficient(pitchSpectrum);
    const float fPhase = std::atan2(z.imag(), z.real());
    // Nothing to measure: report the reference, as for silence.
    if (!std::isfinite(fPhase))
        return m_fReferenceTuningFreq;
    return phase2TuningFreq(fPhase);
}
