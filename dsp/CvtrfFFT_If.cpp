#include "CvtrfFFT_If.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace
{
constexpr float kPi = 3.1415927f;
constexpr float kTwoPi = 6.2831855f;

/// Rising half of the triangle, j / h with h = (N - 1) / 2, in the form the window uses.
float triangleValue(int j, int iLength)
{
    const float h = static_cast<float>(iLength - 1) / 2.f;
    return 1.f - ((h - static_cast<float>(j)) / h);
}
}

CvtrfFFT_If::CvtrfFFT_If(int iBlockLength, int iZeroPadFactor, _Fft_Windows_ eWindow)
    : m_iFFTLength(iBlockLength * iZeroPadFactor), m_iBlockLength(iBlockLength), m_eWindowType(eWindow)
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
    m_pfWindow = vtrfMalloc(m_iBlockLength);
    // Zero first, so that a window type without a formula leaves a defined window.
    vtrfSetZero(m_pfWindow, m_iBlockLength);
    CalculateWindow(eWindow);
}

CvtrfFFT_If::~CvtrfFFT_If()
{
    vtrfFree(m_pfWindow);
}

void CvtrfFFT_If::CalculateWindow(_Fft_Windows_ eWindow)
{
    const int n = m_iBlockLength;
    float* w = m_pfWindow;
    switch (eWindow)
    {
    case kWindowNone:
        for (int i = 0; i < n; ++i)
            w[i] = 1.f;
        break;
    case kWindowSine:
        for (int i = 0; i < n; ++i)
            w[i] = std::sin(kPi * static_cast<float>(i + 1) / static_cast<float>(n + 1));
        break;
    case kWindowHann:
        for (int i = 0; i < n; ++i)
            w[i] = 0.5f * (1.f - std::cos(kTwoPi * static_cast<float>(i + 1) / static_cast<float>(n + 1)));
        break;
    case kWindowHamming:
        for (int i = 0; i < n; ++i)
            w[i] = 0.54f - 0.46f * std::cos(kTwoPi * static_cast<float>(i) / static_cast<float>(n - 1));
        break;
    case kWindowBlackman:
        for (int i = 0; i < n; ++i)
        {
            const float fPhase = kTwoPi * static_cast<float>(i) / static_cast<float>(n - 1);
            const float fPhase2 = kTwoPi * static_cast<float>(2 * i) / static_cast<float>(n - 1);
            w[i] = 0.42f - 0.5f * std::cos(fPhase) + 0.08f * std::cos(fPhase2);
        }
        break;
    case kWindowTriangle:
    case kWindowTriangleSquared:
        for (int j = 0; j < n / 2; ++j)
        {
            float fValue = triangleValue(j, n);
            if (eWindow == kWindowTriangleSquared)
                fValue *= fValue;
            w[j] = fValue;
            w[n - 1 - j] = fValue;
        }
        break;
    case kWindowZero:
        vtrfSetZero(w, n);
        break;
    default:
        break;
    }
}

int CvtrfFFT_If::Log2(int iValue)
{
    if (iValue < 1)
        return -1;
    int e = 0;
    while ((int64_t{1} << e) < iValue)
        ++e;
    return e;
}

int CvtrfFFT_If::vtrfGetWindow(float* pfDest) const
{
    if (pfDest != nullptr)
        std::memcpy(pfDest, m_pfWindow, sizeof(float) * static_cast<size_t>(m_iBlockLength));
    return m_iBlockLength;
}

void CvtrfFFT_If::vtrfSetWindow(const float* pfSrc)
{
    if (pfSrc != nullptr)
        std::memcpy(m_pfWindow, pfSrc, sizeof(float) * static_cast<size_t>(m_iBlockLength));
    else
        vtrfSetZero(m_pfWindow, m_iBlockLength);
}

void CvtrfFFT_If::prepareInput(float* pfOutput, const float* pfInput) const
{
    if (pfOutput != pfInput)
        std::memmove(pfOutput, pfInput, sizeof(float) * static_cast<size_t>(m_iBlockLength));
    vtrfSetZero(pfOutput + m_iBlockLength, m_iFFTLength - m_iBlockLength);
    if (m_eWindowType != kWindowNone)
        vtrfRealMul_I(pfOutput, m_pfWindow, m_iBlockLength);
}
