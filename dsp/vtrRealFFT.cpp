#include "vtrRealFFT.h"

#include <cassert>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// The real transform of n points runs as a complex transform of m = n/2 points on the
// pairs (x[2j], x[2j+1]), followed by the split into the even and odd halves' spectra.
// The complex transform is a decimation-in-time radix-4 FFT on bit-reversed input; when
// log2(m) is odd its first pass is a length-8 transform. With SSE2 the radix-4 stages
// run four butterflies at a time; the scalar stages give the same results elsewhere.
//
// Table layout for a table length N (the largest n seen so far):
//   w[2k], w[2k+1] = cos, sin of 2πk/N for 0 <= k < N/4 (N/2 floats)
//   ip[0] = N/4, ip[1] = s = floor(log2(N/2) / 2), ip[2 + i] = i reversed in s bits
// Shorter transforms read the same tables with a stride.

namespace
{
int log2Exact(int n)
{
    int e = 0;
    while ((1 << e) < n)
        ++e;
    return e;
}

int reverseBits(int i, int iBits)
{
    int r = 0;
    for (int b = 0; b < iBits; ++b)
        r |= ((i >> b) & 1) << (iBits - 1 - b);
    return r;
}

void makeTables(int n, int* ip, float* w)
{
    const int nw = n / 4;
    const double dStep = 2.0 * 3.14159265358979323846 / static_cast<double>(n);
    for (int k = 0; k < nw; ++k)
    {
        w[2 * k] = static_cast<float>(std::cos(dStep * k));
        w[2 * k + 1] = static_cast<float>(std::sin(dStep * k));
    }
    const int s = log2Exact(n / 2) / 2;
    ip[1] = s;
    for (int i = 0; i < (1 << s); ++i)
        ip[2 + i] = reverseBits(i, s);
    ip[0] = nw;
}

struct Twiddle
{
    float re, im;
};

/// cos and sin of 2π·idx/N for 0 <= idx < N, from the quarter-wave table.
Twiddle twiddle(int idx, int iQuarter, const float* w)
{
    const int r = idx & (iQuarter - 1);
    const float c = w[2 * r], s = w[2 * r + 1];
    switch (idx / iQuarter)
    {
    case 0: return {c, s};
    case 1: return {-s, c};
    case 2: return {-c, -s};
    default: return {s, -c};
    }
}

/// Index i is split into A | M | C (s, 0 or 1, s bits); its reverse is rev(C) | M | rev(A).
/// Pairs are swapped exactly once by visiting only A < rev(C).
void bitReverse(float* a, int m, const int* ip)
{
    const int b = log2Exact(m);
    const int s = b / 2;
    const int iOdd = b & 1;
    const int iTableShift = ip[1] - s;
    const int iHighShift = s + iOdd;
    const int* piRev = ip + 2;
    for (int c = 0; c < (1 << s); ++c)
    {
        const int rc = piRev[c] >> iTableShift;
        for (int aHigh = 0; aHigh < rc; ++aHigh)
        {
            const int ra = piRev[aHigh] >> iTableShift;
            for (int mid = 0; mid <= iOdd; ++mid)
            {
                const int i = (aHigh << iHighShift) | (mid << s) | c;
                const int j = (rc << iHighShift) | (mid << s) | ra;
                const float fRe = a[2 * i], fIm = a[2 * i + 1];
                a[2 * i] = a[2 * j];
                a[2 * i + 1] = a[2 * j + 1];
                a[2 * j] = fRe;
                a[2 * j + 1] = fIm;
            }
        }
    }
}

struct Complex
{
    float re, im;
};

Complex operator+(Complex a, Complex b) { return {a.re + b.re, a.im + b.im}; }
Complex operator-(Complex a, Complex b) { return {a.re - b.re, a.im - b.im}; }
Complex operator*(Complex a, Twiddle w) { return {a.re * w.re - a.im * w.im, a.re * w.im + a.im * w.re}; }

/// Multiplication by S·i.
template <int S>
Complex rotate(Complex a)
{
    return {-S * a.im, S * a.re};
}

Complex load(const float* p) { return {p[0], p[1]}; }
void store(float* p, Complex a)
{
    p[0] = a.re;
    p[1] = a.im;
}

/// Radix-4 butterfly on the already twiddled sub-spectrum values of the residues
/// 0, 2, 1, 3; results in natural order.
template <int S>
void butterfly4(Complex& x0, Complex& x1, Complex& x2, Complex& x3)
{
    const Complex t0 = x0 + x1, t1 = x0 - x1;
    const Complex t2 = x2 + x3, t3 = rotate<S>(x2 - x3);
    x0 = t0 + t2;
    x2 = t0 - t2;
    x1 = t1 + t3;
    x3 = t1 - t3;
}

/// Length-8 transforms of consecutive bit-reversed groups (a radix-2 stage and the first
/// radix-4 stage in one pass; its only twiddles are the eighth roots of unity).
template <int S>
void radix8FirstStage(float* a, int m)
{
    const float h = 0.70710678f;
    const Twiddle w1 = {h, S * h}, w3 = {-h, S * h};
    for (int iBlock = 0; iBlock < m; iBlock += 8)
    {
        float* p = a + 2 * iBlock;
        Complex v[8];
        for (int i = 0; i < 8; i += 2)
        {
            const Complex x = load(p + 2 * i), y = load(p + 2 * i + 2);
            v[i] = x + y;
            v[i + 1] = x - y;
        }
        Complex e0 = v[0], e1 = v[2], e2 = v[4], e3 = v[6];
        Complex o0 = v[1], o1 = rotate<S>(v[3]), o2 = v[5] * w1, o3 = v[7] * w3;
        butterfly4<S>(e0, e1, e2, e3);
        butterfly4<S>(o0, o1, o2, o3);
        const Complex out[8] = {e0, o0, e1, o1, e2, o2, e3, o3};
        for (int i = 0; i < 8; ++i)
            store(p + 2 * i, out[i]);
    }
}

/// One radix-4 stage combining sub-transforms of length L/4 into length L. In each block
/// the quarters hold the sub-spectra of the residues 0, 2, 1, 3 (mod 4), the natural
/// result of bit-reversed input. S is the sign of the exponent.
template <int S>
void radix4Stage(float* a, int m, int L, int iTableLength, const float* w)
{
    const int q = L / 4;
    for (int iBlock = 0; iBlock < m; iBlock += L)
    {
        float* p = a + 2 * iBlock;
        Complex x0 = load(p), x1 = load(p + 2 * q), x2 = load(p + 4 * q), x3 = load(p + 6 * q);
        butterfly4<S>(x0, x1, x2, x3);
        store(p, x0);
        store(p + 2 * q, x1);
        store(p + 4 * q, x2);
        store(p + 6 * q, x3);
    }
    const int iStride = iTableLength / L;
    const int iQuarter = iTableLength / 4;
    for (int k = 1; k < q; ++k)
    {
        Twiddle w1 = twiddle(k * iStride, iQuarter, w);
        Twiddle w2 = twiddle(2 * k * iStride, iQuarter, w);
        Twiddle w3 = twiddle(3 * k * iStride, iQuarter, w);
        w1.im *= S;
        w2.im *= S;
        w3.im *= S;
        for (int iBlock = 0; iBlock < m; iBlock += L)
        {
            float* p = a + 2 * (iBlock + k);
            Complex x0 = load(p), x1 = load(p + 2 * q) * w2, x2 = load(p + 4 * q) * w1,
                    x3 = load(p + 6 * q) * w3;
            butterfly4<S>(x0, x1, x2, x3);
            store(p, x0);
            store(p + 2 * q, x1);
            store(p + 4 * q, x2);
            store(p + 6 * q, x3);
        }
    }
}

#if defined(__SSE2__)
/// Four complex values in split form, one lane per value.
struct Complex4
{
    __m128 re, im;
};

Complex4 load4(const float* p)
{
    const __m128 lo = _mm_loadu_ps(p), hi = _mm_loadu_ps(p + 4);
    return {_mm_shuffle_ps(lo, hi, _MM_SHUFFLE(2, 0, 2, 0)), _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(3, 1, 3, 1))};
}

void store4(float* p, Complex4 a)
{
    _mm_storeu_ps(p, _mm_unpacklo_ps(a.re, a.im));
    _mm_storeu_ps(p + 4, _mm_unpackhi_ps(a.re, a.im));
}

Complex4 add4(Complex4 a, Complex4 b) { return {_mm_add_ps(a.re, b.re), _mm_add_ps(a.im, b.im)}; }
Complex4 sub4(Complex4 a, Complex4 b) { return {_mm_sub_ps(a.re, b.re), _mm_sub_ps(a.im, b.im)}; }
Complex4 mul4(Complex4 a, Complex4 w)
{
    return {_mm_sub_ps(_mm_mul_ps(a.re, w.re), _mm_mul_ps(a.im, w.im)),
            _mm_add_ps(_mm_mul_ps(a.re, w.im), _mm_mul_ps(a.im, w.re))};
}

/// Twiddles for k .. k+3 (angles below π/2, read straight from the table), imaginary
/// parts signed with S.
template <int S>
Complex4 twiddle4(int k, int iStride, const float* w)
{
    const float* p0 = w + 2 * k * iStride;
    const float* p1 = p0 + 2 * iStride;
    const float* p2 = p1 + 2 * iStride;
    const float* p3 = p2 + 2 * iStride;
    const __m128 fSign = _mm_set1_ps(static_cast<float>(S));
    return {_mm_setr_ps(p0[0], p1[0], p2[0], p3[0]), _mm_mul_ps(fSign, _mm_setr_ps(p0[1], p1[1], p2[1], p3[1]))};
}

/// radix4Stage for four neighbouring butterflies at a time (needs L >= 16).
template <int S>
void radix4StageSSE(float* a, int m, int L, int iTableLength, const float* w)
{
    const int q = L / 4;
    const int iStride = iTableLength / L;
    for (int k = 0; k < q; k += 4)
    {
        // Powers by multiplication cost about one rounding each, far below the
        // transform's own error, and keep the table a quarter wave.
        const Complex4 w1 = twiddle4<S>(k, iStride, w);
        const Complex4 w2 = mul4(w1, w1);
        const Complex4 w3 = mul4(w2, w1);
        for (int iBlock = 0; iBlock < m; iBlock += L)
        {
            float* p = a + 2 * (iBlock + k);
            const Complex4 x0 = load4(p), x1 = mul4(load4(p + 2 * q), w2);
            const Complex4 x2 = mul4(load4(p + 4 * q), w1), x3 = mul4(load4(p + 6 * q), w3);
            const Complex4 t0 = add4(x0, x1), t1 = sub4(x0, x1), t2 = add4(x2, x3);
            const Complex4 d = sub4(x2, x3);
            // S·i·d
            const __m128 fSign = _mm_set1_ps(static_cast<float>(S));
            const Complex4 t3 = {_mm_mul_ps(fSign, _mm_sub_ps(_mm_setzero_ps(), d.im)), _mm_mul_ps(fSign, d.re)};
            store4(p, add4(t0, t2));
            store4(p + 4 * q, sub4(t0, t2));
            store4(p + 2 * q, add4(t1, t3));
            store4(p + 6 * q, sub4(t1, t3));
        }
    }
}
#endif

/// Unscaled complex DFT of m interleaved points with the exponent sign S.
template <int S>
void complexFFT(int m, float* a, const int* ip, const float* w)
{
    bitReverse(a, m, ip);
    const int iTableLength = 4 * ip[0];
    int L = 4;
    if (log2Exact(m) & 1)
    {
        if (m == 2)
        {
            const Complex x = load(a), y = load(a + 2);
            store(a, x + y);
            store(a + 2, x - y);
            return;
        }
        radix8FirstStage<S>(a, m);
        L = 32;
    }
    for (; L <= m; L *= 4)
    {
#if defined(__SSE2__)
        if (L >= 16)
        {
            radix4StageSSE<S>(a, m, L, iTableLength, w);
            continue;
        }
#endif
        radix4Stage<S>(a, m, L, iTableLength, w);
    }
}

/// From Z = DFT of z[j] = x[2j] + i·x[2j+1] to Y[k] = E[k] + W^k·O[k], W = e^{2πi/n},
/// pairing bin k with bin m - k. Bin m/2 is already right: Y[m/2] = Z[m/2].
void splitForward(int n, float* a, const float* w, int iStride)
{
    const int m = n / 2;
    const float fZ0r = a[0], fZ0i = a[1];
    a[0] = fZ0r + fZ0i;
    a[1] = fZ0r - fZ0i;
    for (int k = 1; k < m / 2; ++k)
    {
        float* pk = a + 2 * k;
        float* pm = a + 2 * (m - k);
        const float xr = pk[0], xi = pk[1], yr = pm[0], yi = pm[1];
        const float er = 0.5f * (xr + yr), ei = 0.5f * (xi - yi);
        const float orr = 0.5f * (xi + yi), oi = 0.5f * (yr - xr);
        const float wr = w[2 * k * iStride], wi = w[2 * k * iStride + 1];
        const float tr = wr * orr - wi * oi, ti = wr * oi + wi * orr;
        pk[0] = er + tr;
        pk[1] = ei + ti;
        pm[0] = er - tr;
        pm[1] = ti - ei;
    }
}

/// The inverse of splitForward: Z[k] = E[k] + i·O[k], so that the complex transform with
/// the negative exponent returns m·x.
void mergeInverse(int n, float* a, const float* w, int iStride)
{
    const int m = n / 2;
    const float fR0 = a[0], fRm = a[1];
    a[0] = 0.5f * (fR0 + fRm);
    a[1] = 0.5f * (fR0 - fRm);
    for (int k = 1; k < m / 2; ++k)
    {
        float* pk = a + 2 * k;
        float* pm = a + 2 * (m - k);
        const float xr = pk[0], xi = pk[1], yr = pm[0], yi = pm[1];
        const float er = 0.5f * (xr + yr), ei = 0.5f * (xi - yi);
        const float dr = 0.5f * (xr - yr), di = 0.5f * (xi + yi);
        const float wr = w[2 * k * iStride], wi = w[2 * k * iStride + 1];
        const float orr = dr * wr + di * wi, oi = di * wr - dr * wi;
        pk[0] = er - oi;
        pk[1] = ei + orr;
        pm[0] = er + oi;
        pm[1] = orr - ei;
    }
}
}

void rdft(int n, int isgn, float* a, int* ip, float* w)
{
    assert(n >= 2 && (n & (n - 1)) == 0);
    if (n == 2)
    {
        const float fSum = a[0] + a[1], fDiff = a[0] - a[1];
        const float fScale = isgn >= 0 ? 1.f : 0.5f;
        a[0] = fScale * fSum;
        a[1] = fScale * fDiff;
        return;
    }
    if (n > 4 * ip[0])
        makeTables(n, ip, w);
    const int iStride = 4 * ip[0] / n;
    if (isgn >= 0)
    {
        complexFFT<1>(n / 2, a, ip, w);
        splitForward(n, a, w, iStride);
    }
    else
    {
        mergeInverse(n, a, w, iStride);
        complexFFT<-1>(n / 2, a, ip, w);
    }
}
