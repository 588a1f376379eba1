#pragma once

/// Real DFT of n floats in place (n a power of two, at least 2).
///
/// isgn = +1 (forward): a[0] = R[0], a[1] = R[n/2], a[2k] = R[k], a[2k+1] = I[k] for
/// 0 < k < n/2, with R[k] = sum x[j]·cos(2πjk/n) and I[k] = +sum x[j]·sin(2πjk/n).
///
/// isgn = -1 (inverse): takes that packing and returns
/// a[k] = (R[0] + R[n/2]·cos(πk))/2 + sum_{j=1}^{n/2-1} (R[j]·cos(2πjk/n) + I[j]·sin(2πjk/n)),
/// so forward followed by inverse multiplies the data by n/2.
///
/// ip: work area of at least 2 + floor(sqrt(n/2)) ints; set ip[0] = 0 before the first
/// call and the tables are built then (and again only for a longer n than before).
/// w: table of at least n/2 floats. A given ip/w pair belongs to one thread; the call
/// allocates nothing.
void rdft(int n, int isgn, float* a, int* ip, float* w);
