// An exact oracle for extended arithmetic, built on MPFR: every value has a 64-bit
// significand, the x87 exponent range and subnormals, and every operation is correctly
// rounded to nearest, ties to even. Nothing here calls the code under test.
#pragma once

#include <cstdint>
#include <string>

namespace oracle {

// The extended value nearest to a decimal text ("1e4608", "0.382").
long double NearestExtended(const std::string& decimal);

// One operation, computed exactly and rounded once to extended.
long double Add(long double a, long double b);
long double Sub(long double a, long double b);
long double Mul(long double a, long double b);
long double Div(long double a, long double b);

// Rounds to an integral extended value, ties to even.
long double RoundToIntegral(long double x);

// The double nearest to an extended value (ties to even, subnormals included).
double ToDouble(long double x);

}  // namespace oracle
