#include "calc/powers_of_ten.h"

#include <cassert>

namespace zentarix {

// The compiler converts each decimal literal to the nearest extended value; the tests check
// every entry against an exact computation.

const Extended PowersOfTenT0[32] = {1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,
                                    1e8L,  1e9L,  1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L,
                                    1e16L, 1e17L, 1e18L, 1e19L, 1e20L, 1e21L, 1e22L, 1e23L,
                                    1e24L, 1e25L, 1e26L, 1e27L, 1e28L, 1e29L, 1e30L, 1e31L};

const Extended PowersOfTenT1[16] = {1L,     1e32L,  1e64L,  1e96L,  1e128L, 1e160L, 1e192L, 1e224L,
                                    1e256L, 1e288L, 1e320L, 1e352L, 1e384L, 1e416L, 1e448L, 1e480L};

const Extended PowersOfTenT2[10] = {1L,      1e512L,  1e1024L, 1e1536L, 1e2048L,
                                    1e2560L, 1e3072L, 1e3584L, 1e4096L, 1e4608L};

namespace {

constexpr int MaxScale = 5120;

// One pass of the three tables for 0 < m < 5120, multiplying or dividing in table order:
// m % 32 indexes T0 (32 entries), (m / 32) % 16 indexes T1 (16), and m / 512 indexes T2,
// whose 10 entries reach 10^4608, so m / 512 <= 9 is what bounds m below 5120.
template <typename Step>
Extended ApplyPowers(Extended x, int m, Step step) {
  assert(m > 0 && m < MaxScale);
  static_assert(MaxScale == 512 * 10, "T2 has ten entries of 10^(512 i)");
  x = step(x, PowersOfTenT0[m % 32]);
  if (m / 32 != 0) {
    if ((m / 32) % 16 != 0) x = step(x, PowersOfTenT1[(m / 32) % 16]);
    if (m / 512 != 0) x = step(x, PowersOfTenT2[m / 512]);
  }
  return x;
}

}  // namespace

Extended ScaleByTen(Extended x, int n) {
  if (n == 0) return x;
  if (n < 0) {
    // A long fraction with a large negative exponent ends here. The result is +0 whatever the
    // digits: a text of 200 integer digits scaled by 10^-5000 has a value near 10^-4800 in
    // truth, but any such value is zero once stored as a double.
    if (n <= -MaxScale) return +0.0L;
    return ApplyPowers(x, -n, [](Extended v, Extended p) { return v / p; });
  }
  // Not reached by the parse (its exponent stops at 4999) nor by the decimal form; scaling
  // in steps of 10^4608 keeps the result right (overflowing) for any larger n.
  while (n >= MaxScale) {
    x *= PowersOfTenT2[9];
    n -= 4608;
  }
  return ApplyPowers(x, n, [](Extended v, Extended p) { return v * p; });
}

}  // namespace zentarix
