#pragma once

#include "Vector.h"
#include "vtrAllocatedObject.h"

/// Flattens the envelope of a log-frequency magnitude spectrum: subtracts a local
/// weighted mean, zeroes what falls below a threshold and divides by the local
/// weighted standard deviation, so that peaks count relative to their surroundings.
class SpectralWhitening : public vtrAllocatedObject
{
public:
    SpectralWhitening();
    virtual ~SpectralWhitening() = default;

    /// Returns false, changing nothing, for a non-positive argument or a spectrum
    /// shorter than the window.
    bool init(int iNumBins, float fWindowWidthInOctaves, int iNumBinsPerSemitone);

    /// Whitens input into output (they may be the same vector). Returns false, doing
    /// nothing, when the input holds fewer than the configured number of bins; the
    /// first min(output size, number of bins) values are written.
    bool process(Vector<float>& output, const Vector<float>& input, float fThreshold, bool bAlternative);

    /// Use the mean and deviation of the last computeSlidingMeanAndStd.
    bool applyWhitening(Vector<float>& output, const Vector<float>& input, float fThreshold);
    bool applyAlternativeWhitening(Vector<float>& output, const Vector<float>& input, float fThreshold);

    /// The input must hold at least the configured number of bins.
    void computeSlidingMeanAndStd(const Vector<float>& input);
    void computeSlidingMean(Vector<float>& output, const Vector<float>& input) const;
    void computeSlidingStd(const Vector<float>& input);

    void computeSlidingWindowBoundaries(int iBin, int& iStart, int& iLength) const;
    static float computeHammingWindow(float fX, float fWidth);

    void reset() {}

    int getNumBins() const { return m_iNumBins; }
    int getHalfWindowLength() const { return m_iHalfWindowLength; }
    const Vector<float>& getWindow() const { return m_Window; }
    float getWindowSum() const { return m_fWindowSum; }
    const Vector<float>& getSlidingMean() const { return m_SlidingMean; }
    const Vector<float>& getSlidingStd() const { return m_SlidingStd; }

private:
    /// The full-window bins of computeSlidingMean, eight bins at a time with the same
    /// per-bin summation order as the portable dot product; false without the instructions.
    bool computeFullWindowMeansAccelerate(const float* pfIn, float* pfOut) const;
    void allocateAndInitWhiteningWindow(float fWindowWidthInOctaves, int iNumBinsPerSemitone);
    void fillEdges();
    bool whiten(Vector<float>& output, const Vector<float>& input, float fThreshold, bool bAlternative);

    int m_iNumBins = 0;
    Vector<float> m_Window;
    int m_iHalfWindowLength = 0;
    int m_iWindowLength = 0;
    float m_fWindowSum = 0.f;
    Vector<float> m_SlidingMean;
    Vector<float> m_SlidingStd;
    Vector<float> m_Scratch;
};
