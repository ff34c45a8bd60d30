// An exact oracle for extended arithmetic, built on MPFR: every value has a 64-bit
// significand, the x87 exponent range and subnormals, and every operation is correctly
// rounded to nearest, ties to even. Nothing here calls the code under test.
#pragma once

#include <cstdint>
#include <string>

namespace zentarix::test::oracle {

// The extended value nearest to a decimal text ("1e4608", "0.382").
long double NearestExtended(const std::string& decimal);

// One operation, computed exactly and rounded once to extended.
long double Add(long double a, long double b);
long double Sub(long double a, long double b);
long double Mul(long double a, long double b);
long double Div(long double a, long double b);

// Rounds to an integral extended value, ties to even.
long double RoundToIntegral(long double x);

// x scaled by 10^n in the steps of the power tables (10^k for k < 32, 10^(32k) for k < 16,
// 10^(512k)), each table entry the nearest extended power and each step one exact operation
// rounded to extended; n <= -5120 gives +0.
long double ScaleByTenSteps(long double x, int n);

// The double nearest to an extended value (ties to even, subnormals included).
double ToDouble(long double x);

}  // namespace zentarix::test::oracle
