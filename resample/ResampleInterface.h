#pragma once

// The sample-rate converter as plain functions on an opaque handle. Samples are
// interleaved frames: 32-bit float for sample type 0, 16-bit integer for sample type 1.
// Error codes: 0 success, 1000001 out of memory, 5000003 invalid argument.
//
// Conversion calls never write outside a buffer: a null handle, a channel count other than
// the one given at creation, more than maxFrames input frames, non-finite or non-positive
// rates, or inRate / outRate of 501 - 1 / (order + 1) or more (500.857 for order 6) give
// 0 frames and change nothing. The output buffer of a call must hold
// (frames + 1) * outRate / inRate + 2 frames.

const char* ResampleGetVersion();
const char* ResampleGetBuildDate();

/// Order 1..120; the handle receives the instance, or null on failure (it is left
/// untouched for a bad order). May throw std::bad_alloc after releasing a partial instance.
int ResampleCreateInstance(void** ppInstance, int iOrder, int iMaxFrames, int iNumChannels, int iSampleType,
                           int iOption);
/// Returns the number of output frames written.
int Resample(void* pInstance, const void* pIn, void* pOut, int iNumChannels, int iNumFrames,
             float fInputSampleRate, float fOutputSampleRate);
/// Writes exactly iOutFrames frames once enough input has been supplied (see
/// GetNumFramesNeededFixedOutput); surplus frames are kept for the next call.
int ResampleFixedOutput(void* pInstance, const void* pIn, void* pOut, int iNumChannels, int iInFrames,
                        int iOutFrames, float fInputSampleRate, float fOutputSampleRate);
int ResampleGetSamplesNeeded(void* pInstance, int iOutFrames, float fInputSampleRate, float fOutputSampleRate);
int GetNumFramesNeededFixedOutput(void* pInstance, int iOutFrames, float fInputSampleRate,
                                  float fOutputSampleRate);
int ResampleReset(void* pInstance);
int ResampleSetScalingFactor(void* pInstance, float fFactor);
/// Deletes the instance and sets the handle to null; a null handle is accepted.
int ResampleDestroyInstance(void** ppInstance);
