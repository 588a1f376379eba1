#pragma once

#include "Vector.h"
#include "vtrAllocatedObject.h"

#include <complex>

/// An array of complex floats in split storage: real parts and imaginary parts in two
/// arrays (one allocation of 2·n floats when the vector owns its storage), so every
/// operation can run the real-valued vector functions on each half.
///
/// Copy construction makes a view that shares the source's storage and never releases
/// it (as does a Section); a view must not outlive its source. Operations that take a
/// second operand work on the first min(sizes) elements. Indices are unchecked
/// (assert only).
class ComplexVector : public vtrAllocatedObject
{
public:
    class Section;

    /// Element access: a pair of pointers to the element's two parts.
    class Reference
    {
    public:
        Reference(float* pfReal, float* pfImag) : m_pfReal(pfReal), m_pfImag(pfImag) {}
        operator std::complex<float>() const { return {*m_pfReal, *m_pfImag}; }
        Reference& operator=(const std::complex<float>& z)
        {
            *m_pfReal = z.real();
            *m_pfImag = z.imag();
            return *this;
        }
        /// Assigns the value, as for any reference.
        Reference& operator=(const Reference& other) { return *this = static_cast<std::complex<float>>(other); }
        Reference(const Reference&) = default;
        float real() const { return *m_pfReal; }
        float imag() const { return *m_pfImag; }

    private:
        float* m_pfReal;
        float* m_pfImag;
    };

    ComplexVector();
    explicit ComplexVector(int iNumOfElements);
    /// A view of other's storage.
    ComplexVector(const ComplexVector& other);
    /// Takes over other's storage (owning or viewed); other is left empty.
    ComplexVector(ComplexVector&& other) noexcept;
    ComplexVector& operator=(const ComplexVector&) = delete;
    virtual ~ComplexVector();

    /// Releases the owned storage, then allocates n zeroed elements. Throws bad_alloc for
    /// n < 0, n >= getMaxSize() or a failed allocation, leaving the vector empty.
    void allocate(int iNumOfElements);
    void free();
    static int getMaxSize() { return 268435454; }

    int size() const { return m_iSize; }
    void clear();
    float* getRealPointer() { return m_pReal; }
    const float* getRealPointer() const { return m_pReal; }
    float* getImagPointer() { return m_pImag; }
    const float* getImagPointer() const { return m_pImag; }

    Reference operator[](int i);
    std::complex<float> operator[](int i) const;
    Reference first() { return (*this)[0]; }
    Reference last() { return (*this)[m_iSize - 1]; }
    /// A view of elements iOffset .. iOffset + iLength - 1.
    Section getSection(int iOffset, int iLength);

    /// Copies size() elements; other must hold at least that many.
    void copyFrom(const ComplexVector& other);
    void copyRealPartsTo(Vector<float>& dest) const;
    void copyImagPartsTo(Vector<float>& dest) const;
    void copyRealPartsFrom(const Vector<float>& src);
    void copyImagPartsFrom(const Vector<float>& src);
    void setRealAndImagParts(const Vector<float>& real, const Vector<float>& imag);
    /// Pairs (real, imaginary) at float indices 2k, 2k + 1, for as many whole pairs as
    /// both sides hold.
    void copyInterleavedFormatTo(Vector<float>& dest) const;
    void copyInterleavedFormatFrom(const Vector<float>& src);
    /// Reads the packed spectrum of an FFT of length 2·size() - 2 in the active table's
    /// layout (bins 0 .. size() - 1; imaginary parts of DC and Nyquist become 0).
    void copyFftOutputFrom(const float* pfSrc, int iNumOfFloats);
    /// Writes the elements as a packed spectrum of 2·size() - 2 floats, active layout.
    void copyIfftInputTo(float* pfDest, int iNumOfFloats) const;

    void multiply(float fScale);
    void multiply(const Vector<float>& factors);
    void multiply(const ComplexVector& other);
    void divide(float fDivisor);
    void divide(const Vector<float>& divisors);
    void divide(const ComplexVector& other);
    void add(const ComplexVector& other);
    void subtract(const ComplexVector& other);

    void calcAbs(Vector<float>& dest) const;
    void calcPhases(Vector<float>& dest) const;
    /// Elements below min(size(), magnitudes, phases) become m·e^{iφ}.
    void setMagnitudeAndPhase(const Vector<float>& magnitudes, const Vector<float>& phases);
    /// Scales every element to magnitude fMagnitude; a zero element becomes fMagnitude.
    void setMagnitude(float fMagnitude);
    void setPhase(float fPhase);
    void addPhaseOffset(float fPhase);

    /// (sum re[k]·v[k], sum im[k]·v[k]) over min(size(), v.size()) elements.
    std::complex<float> dotProduct(const Vector<float>& v) const;
    /// Element k = e^{i(k·fIncrement + fOffset)}, the argument formed per element.
    void fillWithExponential(float fIncrement, float fOffset);
    /// Drops element 0, moves the rest down and stores z last.
    void shiftLeftAndInsert(std::complex<float> z);

protected:
    int m_iSize = 0;
    float* m_pReal = nullptr;
    float* m_pImag = nullptr;
    float* m_pBuffer = nullptr;
};

/// A non-owning view of a range of another complex vector.
class ComplexVector::Section : public ComplexVector
{
public:
    Section(ComplexVector& base, int iOffset, int iLength);
    Section(const Section& other) = default;
    Section& operator=(const Section&) = delete;
    ~Section() override;
};
