#pragma once

#include "CvtrFeatureBase.h"
#include "Vector.h"

/// Iterative harmonic analysis: repeatedly finds the strongest harmonic-sum candidate
/// of a log-frequency spectrum, credits it with its partials' energy and removes that
/// energy, until little is left. The credits are the result, the rest the residual.
class IterativeHSS : public CvtrFeatureBase
{
public:
    using PartialFunction = float (*)(int iPartialIndex);

    class Config
    {
    public:
        Config(float fMinFrequency, int iNumBinsPerSemitone, int iNumBins);

        float computeBinFreq(int iBin) const;
        float freq2Index(float fFrequency) const;
        void computeIndexRanges();

        static float uniformPartialWeights(int iPartialIndex);
        static float oneOverPartialIndex(int iPartialIndex);
        static float oneOverSquaredPartialIndex(int iPartialIndex);
        static float uniformReductionByHalf(int iPartialIndex);
        static float oneOverSquaredPartialIndexReduction(int iPartialIndex);

        float m_fMinFrequency;
        int m_iNumBinsPerSemitone;
        int m_iNumBins;
        float m_fLowestFundamentalFrequency;
        float m_fHighestFundamentalFrequency;
        float m_fHighestPartialFrequency;
        int m_iNumPartials;
        float m_fStopThreshold;
        int m_iMaxIterations;
        PartialFunction m_pPartialWeightFunction;
        PartialFunction m_pPartialReductionFunction;
        int m_iMinBin;
        int m_iMaxFundamentalBin;
        int m_iMaxPartialBin;
    };

    IterativeHSS();
    ~IterativeHSS() override = default;

    /// Returns kInvalidArgument, changing nothing, for an invalid config.
    int init(const Config& config);
    static bool checkConfigParams(const Config& config);

    using CvtrFeatureBase::process;
    /// An empty or zero-sum spectrum clears result and residual. Returns
    /// kInvalidArgument (both cleared) for a non-empty spectrum shorter than the
    /// configured number of bins, or before init.
    int process(const Vector<float>& spectrum) override;

    using CvtrFeatureBase::getResult;
    /// Reallocates the output to the number of bins if its size differs.
    int getResult(Vector<float>& result) const override;
    int getResidualSpectrum(Vector<float>& residual) const;

    void reset() {}

    static float partialIndex2IndexOffset(int iPartialIndex, int iNumBinsPerSemitone);
    static float indexOffset2PartialIndex(float fIndexOffset, int iNumBinsPerSemitone);
    static int computeNumPartialsWithinBinRange(int iBinRange, int iNumBinsPerSemitone);

    const Config& getConfig() const { return m_Config; }
    const Vector<float>& getPartialWeights() const { return m_PartialWeights; }
    const Vector<int>& getPartialOffsets() const { return m_PartialOffsets; }
    const Vector<float>& getPartialReductions() const { return m_PartialReductions; }
    const Vector<int>& getNumPartialsPerBin() const { return m_NumPartialsPerBin; }

private:
    void allocateAndComputePartialOffsets();
    void computeNumPartialsPerBin();
    void computeCandidatesPerPartial();
    void computeHSS();
    /// computeHSS eight candidates at a time in registers; the same sums bit for bit.
    /// Returns false (nothing written) when the processor lacks the instructions.
    bool computeHSSAccelerate();
    float computeCandidateHSS(int iCandidate) const;
    float reduceMagnitudes(int iBin);
    void clearOutput();

    Config m_Config;
    Vector<float> m_Magnitudes;
    Vector<float> m_HarmonicSum;
    Vector<float> m_Result;
    Vector<float> m_PartialWeights;
    Vector<int> m_PartialOffsets;
    Vector<float> m_PartialReductions;
    Vector<int> m_NumPartialsPerBin;
    // Number of leading candidate bins that use partial p. Partials per bin never grow
    // with the bin, so these bins form one run and the harmonic sum can go partial by
    // partial over contiguous memory, in the same per-bin summation order.
    Vector<int> m_NumCandidatesOfPartial;
};
