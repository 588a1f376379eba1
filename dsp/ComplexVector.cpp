#include "ComplexVector.h"

#include "vtrAllocator.h"
#include "vtrVecLib.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <new>

namespace
{
void copyFloats(float* pfDest, const float* pfSrc, int iCount)
{
    if (iCount > 0)
        std::memmove(pfDest, pfSrc, sizeof(float) * static_cast<size_t>(iCount));
}

float boxed(float fValue)
{
    return std::copysign(std::isinf(fValue) ? 1.f : 0.f, fValue);
}

/// Product with the recovery of infinite results from not-a-number parts (C Annex G).
std::complex<float> multiplyComplex(float a, float b, float c, float d)
{
    const float ac = a * c, bd = b * d, ad = a * d, bc = b * c;
    float x = ac - bd, y = ad + bc;
    if (std::isnan(x) && std::isnan(y))
    {
        bool bRecalc = false;
        if (std::isinf(a) || std::isinf(b))
        {
            a = boxed(a);
            b = boxed(b);
            if (std::isnan(c))
                c = std::copysign(0.f, c);
            if (std::isnan(d))
                d = std::copysign(0.f, d);
            bRecalc = true;
        }
        if (std::isinf(c) || std::isinf(d))
        {
            c = boxed(c);
            d = boxed(d);
            if (std::isnan(a))
                a = std::copysign(0.f, a);
            if (std::isnan(b))
                b = std::copysign(0.f, b);
            bRecalc = true;
        }
        if (!bRecalc && (std::isinf(ac) || std::isinf(bd) || std::isinf(ad) || std::isinf(bc)))
        {
            if (std::isnan(a))
                a = std::copysign(0.f, a);
            if (std::isnan(b))
                b = std::copysign(0.f, b);
            if (std::isnan(c))
                c = std::copysign(0.f, c);
            if (std::isnan(d))
                d = std::copysign(0.f, d);
            bRecalc = true;
        }
        if (bRecalc)
        {
            const float fInf = std::numeric_limits<float>::infinity();
            x = fInf * (a * c - b * d);
            y = fInf * (a * d + b * c);
        }
    }
    return {x, y};
}

/// Quotient scaled by a power of two from the divisor's larger part, with the recovery
/// of infinite and zero results (C Annex G).
std::complex<float> divideComplex(float a, float b, float c, float d)
{
    int iScale = 0;
    const float fLogb = std::logb(std::max(std::fabs(c), std::fabs(d)));
    if (std::isfinite(fLogb))
    {
        iScale = static_cast<int>(fLogb);
        c = std::scalbn(c, -iScale);
        d = std::scalbn(d, -iScale);
    }
    const float fDenom = c * c + d * d;
    float x = std::scalbn((a * c + b * d) / fDenom, -iScale);
    float y = std::scalbn((b * c - a * d) / fDenom, -iScale);
    if (std::isnan(x) && std::isnan(y))
    {
        const float fInf = std::numeric_limits<float>::infinity();
        if (fDenom == 0.f && (!std::isnan(a) || !std::isnan(b)))
        {
            x = std::copysign(fInf, c) * a;
            y = std::copysign(fInf, c) * b;
        }
        else if ((std::isinf(a) || std::isinf(b)) && std::isfinite(c) && std::isfinite(d))
        {
            a = boxed(a);
            b = boxed(b);
            x = fInf * (a * c + b * d);
            y = fInf * (b * c - a * d);
        }
        else if (std::isinf(fLogb) && fLogb > 0.f && std::isfinite(a) && std::isfinite(b))
        {
            c = boxed(c);
            d = boxed(d);
            x = 0.f * (a * c + b * d);
            y = 0.f * (b * c - a * d);
        }
    }
    return {x, y};
}
}

ComplexVector::ComplexVector()
{
    vtrVecLibDispatcher(kUsedCPUExtensionAuto);
}

ComplexVector::ComplexVector(int iNumOfElements) : ComplexVector()
{
    allocate(iNumOfElements);
}

ComplexVector::ComplexVector(const ComplexVector& other)
    : vtrAllocatedObject(), m_iSize(other.m_iSize), m_pReal(other.m_pReal), m_pImag(other.m_pImag)
{
}

ComplexVector::ComplexVector(ComplexVector&& other) noexcept
    : vtrAllocatedObject(), m_iSize(other.m_iSize), m_pReal(other.m_pReal), m_pImag(other.m_pImag),
      m_pBuffer(other.m_pBuffer)
{
    other.m_iSize = 0;
    other.m_pReal = nullptr;
    other.m_pImag = nullptr;
    other.m_pBuffer = nullptr;
}

ComplexVector::~ComplexVector()
{
    free();
}

void ComplexVector::allocate(int iNumOfElements)
{
    free();
    if (iNumOfElements == 0)
        return;
    if (static_cast<uint32_t>(iNumOfElements) >= static_cast<uint32_t>(getMaxSize()))
        throw std::bad_alloc();
    float* pfBuffer = vtrfMalloc(2 * iNumOfElements);
    if (pfBuffer == nullptr)
        throw std::bad_alloc();
    vtrfSetZero(pfBuffer, 2 * iNumOfElements);
    m_pBuffer = pfBuffer;
    m_iSize = iNumOfElements;
    m_pReal = pfBuffer;
    m_pImag = pfBuffer + iNumOfElements;
}

void ComplexVector::free()
{
    m_iSize = 0;
    m_pReal = nullptr;
    m_pImag = nullptr;
    if (m_pBuffer != nullptr)
        vtrAllocator::free(m_pBuffer);
    m_pBuffer = nullptr;
}

void ComplexVector::clear()
{
    vtrfSetZero(m_pReal, m_iSize);
    vtrfSetZero(m_pImag, m_iSize);
}

ComplexVector::Reference ComplexVector::operator[](int i)
{
    assert(i >= 0 && i < m_iSize);
    return {m_pReal + i, m_pImag + i};
}

std::complex<float> ComplexVector::operator[](int i) const
{
    assert(i >= 0 && i < m_iSize);
    return {m_pReal[i], m_pImag[i]};
}

ComplexVector::Section ComplexVector::getSection(int iOffset, int iLength)
{
    return Section(*this, iOffset, iLength);
}

void ComplexVector::copyFrom(const ComplexVector& other)
{
    assert(other.m_iSize >= m_iSize);
    copyFloats(m_pReal, other.m_pReal, m_iSize);
    copyFloats(m_pImag, other.m_pImag, m_iSize);
}

void ComplexVector::copyRealPartsTo(Vector<float>& dest) const
{
    copyFloats(dest.getPointer(), m_pReal, std::min(dest.size(), m_iSize));
}

void ComplexVector::copyImagPartsTo(Vector<float>& dest) const
{
    copyFloats(dest.getPointer(), m_pImag, std::min(dest.size(), m_iSize));
}

void ComplexVector::copyRealPartsFrom(const Vector<float>& src)
{
    copyFloats(m_pReal, src.getPointer(), std::min(src.size(), m_iSize));
}

void ComplexVector::copyImagPartsFrom(const Vector<float>& src)
{
    copyFloats(m_pImag, src.getPointer(), std::min(src.size(), m_iSize));
}

void ComplexVector::setRealAndImagParts(const Vector<float>& real, const Vector<float>& imag)
{
    copyRealPartsFrom(real);
    copyImagPartsFrom(imag);
}

void ComplexVector::copyInterleavedFormatTo(Vector<float>& dest) const
{
    float* pfDest = dest.getPointer();
    const int n = std::min(dest.size() / 2, m_iSize);
    for (int k = 0; k < n; ++k)
    {
        pfDest[2 * k] = m_pReal[k];
        pfDest[2 * k + 1] = m_pImag[k];
    }
}

void ComplexVector::copyInterleavedFormatFrom(const Vector<float>& src)
{
    const float* pfSrc = src.getPointer();
    const int n = std::min(src.size() / 2, m_iSize);
    for (int k = 0; k < n; ++k)
    {
        m_pReal[k] = pfSrc[2 * k];
        m_pImag[k] = pfSrc[2 * k + 1];
    }
}

void ComplexVector::copyFftOutputFrom(const float* pfSrc, int)
{
    if (m_iSize < 2)
    {
        // No FFT has fewer than two bins; a single element is the DC value.
        if (m_iSize == 1)
            (*this)[0] = {pfSrc[0], 0.f};
        return;
    }
    const int iHalf = m_iSize - 1;
    for (int k = 0; k < iHalf; ++k)
        m_pReal[k] = pfSrc[vtrReIdx(k, iHalf)];
    m_pReal[iHalf] = pfSrc[vtrImIdx(0, iHalf)];
    m_pImag[0] = 0.f;
    for (int k = 1; k < iHalf; ++k)
        m_pImag[k] = pfSrc[vtrImIdx(k, iHalf)];
    m_pImag[iHalf] = 0.f;
}

void ComplexVector::copyIfftInputTo(float* pfDest, int) const
{
    if (m_iSize < 2)
    {
        if (m_iSize == 1)
            pfDest[0] = m_pReal[0];
        return;
    }
    const int iHalf = m_iSize - 1;
    for (int k = 0; k < iHalf; ++k)
        pfDest[vtrReIdx(k, iHalf)] = m_pReal[k];
    pfDest[vtrImIdx(0, iHalf)] = m_pReal[iHalf];
    for (int k = 1; k < iHalf; ++k)
        pfDest[vtrImIdx(k, iHalf)] = m_pImag[k];
}

void ComplexVector::multiply(float fScale)
{
    vtrfRealMulC_I(m_pReal, fScale, m_iSize);
    vtrfRealMulC_I(m_pImag, fScale, m_iSize);
}

void ComplexVector::multiply(const Vector<float>& factors)
{
    const int n = std::min(factors.size(), m_iSize);
    vtrfRealMul_I(m_pReal, factors.getPointer(), n);
    vtrfRealMul_I(m_pImag, factors.getPointer(), n);
}

void ComplexVector::multiply(const ComplexVector& other)
{
    const int n = std::min(other.m_iSize, m_iSize);
    for (int k = 0; k < n; ++k)
        (*this)[k] = multiplyComplex(m_pReal[k], m_pImag[k], other.m_pReal[k], other.m_pImag[k]);
}

void ComplexVector::divide(float fDivisor)
{
    multiply(1.f / fDivisor);
}

void ComplexVector::divide(const Vector<float>& divisors)
{
    const int n = std::min(divisors.size(), m_iSize);
    vtrfRealDiv_I(m_pReal, divisors.getPointer(), n);
    vtrfRealDiv_I(m_pImag, divisors.getPointer(), n);
}

void ComplexVector::divide(const ComplexVector& other)
{
    const int n = std::min(other.m_iSize, m_iSize);
    for (int k = 0; k < n; ++k)
        (*this)[k] = divideComplex(m_pReal[k], m_pImag[k], other.m_pReal[k], other.m_pImag[k]);
}

void ComplexVector::add(const ComplexVector& other)
{
    const int n = std::min(other.m_iSize, m_iSize);
    vtrfRealAdd_I(m_pReal, other.m_pReal, n);
    vtrfRealAdd_I(m_pImag, other.m_pImag, n);
}

void ComplexVector::subtract(const ComplexVector& other)
{
    const int n = std::min(other.m_iSize, m_iSize);
    vtrfRealSub_I(m_pReal, other.m_pReal, n);
    vtrfRealSub_I(m_pImag, other.m_pImag, n);
}

void ComplexVector::calcAbs(Vector<float>& dest) const
{
    const int n = std::min(dest.size(), m_iSize);
    for (int k = 0; k < n; ++k)
        dest[k] = std::sqrt(m_pReal[k] * m_pReal[k] + m_pImag[k] * m_pImag[k]);
}

void ComplexVector::calcPhases(Vector<float>& dest) const
{
    const int n = std::min(dest.size(), m_iSize);
    for (int k = 0; k < n; ++k)
        dest[k] = std::atan2(m_pImag[k], m_pReal[k]);
}

void ComplexVector::setMagnitudeAndPhase(const Vector<float>& magnitudes, const Vector<float>& phases)
{
    const int n = std::min({m_iSize, magnitudes.size(), phases.size()});
    for (int k = 0; k < n; ++k)
    {
        m_pReal[k] = magnitudes[k] * std::cos(phases[k]);
        m_pImag[k] = magnitudes[k] * std::sin(phases[k]);
    }
}

void ComplexVector::setMagnitude(float fMagnitude)
{
    for (int k = 0; k < m_iSize; ++k)
    {
        const float fAbs = std::sqrt(m_pReal[k] * m_pReal[k] + m_pImag[k] * m_pImag[k]);
        if (fAbs == 0.f)
        {
            // No direction to keep: take phase 0, as calcPhases reports for zero.
            m_pReal[k] = fMagnitude;
            m_pImag[k] = 0.f;
            continue;
        }
        const float fScale = fMagnitude / fAbs;
        m_pReal[k] *= fScale;
        m_pImag[k] *= fScale;
    }
}

void ComplexVector::setPhase(float fPhase)
{
    const float fCos = std::cos(fPhase), fSin = std::sin(fPhase);
    for (int k = 0; k < m_iSize; ++k)
    {
        const float fAbs = std::sqrt(m_pReal[k] * m_pReal[k] + m_pImag[k] * m_pImag[k]);
        m_pReal[k] = fAbs * fCos;
        m_pImag[k] = fAbs * fSin;
    }
}

void ComplexVector::addPhaseOffset(float fPhase)
{
    const float fCos = std::cos(fPhase), fSin = std::sin(fPhase);
    for (int k = 0; k < m_iSize; ++k)
    {
        const float fRe = m_pReal[k], fIm = m_pImag[k];
        m_pReal[k] = fRe * fCos - fIm * fSin;
        m_pImag[k] = fIm * fCos + fRe * fSin;
    }
}

std::complex<float> ComplexVector::dotProduct(const Vector<float>& v) const
{
    const int n = std::min(v.size(), m_iSize);
    float fRe = 0.f, fIm = 0.f;
    vtrfRealDotProduct(m_pReal, v.getPointer(), &fRe, n);
    vtrfRealDotProduct(m_pImag, v.getPointer(), &fIm, n);
    return {fRe, fIm};
}

void ComplexVector::fillWithExponential(float fIncrement, float fOffset)
{
    for (int k = 0; k < m_iSize; ++k)
    {
        const float fProduct = static_cast<float>(k) * fIncrement;
        const float fArgument = fProduct + fOffset;
        m_pReal[k] = std::cos(fArgument);
        m_pImag[k] = std::sin(fArgument);
    }
}

void ComplexVector::shiftLeftAndInsert(std::complex<float> z)
{
    if (m_iSize < 1)
        return;
    copyFloats(m_pReal, m_pReal + 1, m_iSize - 1);
    copyFloats(m_pImag, m_pImag + 1, m_iSize - 1);
    m_pReal[m_iSize - 1] = z.real();
    m_pImag[m_iSize - 1] = z.imag();
}

ComplexVector::Section::Section(ComplexVector& base, int iOffset, int iLength)
{
    assert(iOffset >= 0 && iLength >= 0 && iOffset + iLength <= base.size());
    m_iSize = iLength;
    m_pReal = base.m_pReal + iOffset;
    m_pImag = base.m_pImag + iOffset;
}

ComplexVector::Section::~Section()
{
    // Releases only what the Section may have allocated itself; the view is left alone.
    free();
}
