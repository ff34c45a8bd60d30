// Scaling by a power of ten, and the tables of extended powers of ten it steps through, each
// entry the extended value nearest to the exact power. The entries up to 10^27 are exact
// (5^27 < 2^64).
#pragma once

#include "calc/extended.h"

namespace zentarix {

// x scaled by 10^n through the power tables, each product or quotient rounded to extended.
Extended ScaleByTen(Extended x, int n);

// 10^0 ... 10^31
extern const Extended PowersOfTenT0[32];
// [k] = 10^(32k) for k = 1..15; [0] unused
extern const Extended PowersOfTenT1[16];
// [k] = 10^(512k) for k = 1..9; [0] unused
extern const Extended PowersOfTenT2[10];

// ScaleByTen, with the common case of a single step of the first table done inline. For
// |n| < 32 ScaleByTen multiplies or divides once by T0[|n|], and so does this.
inline Extended ScaleByTenInline(Extended x, int n) {
  if (n == 0) return x;
  if (n > 0 && n < 32) return x * PowersOfTenT0[n];
  if (n < 0 && n > -32) return x / PowersOfTenT0[-n];
  return ScaleByTen(x, n);
}

}  // namespace zentarix
