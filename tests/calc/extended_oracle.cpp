#include "tests/calc/extended_oracle.h"

#include <mpfr.h>

#include <map>

namespace zentarix::test::oracle {

namespace {

constexpr mpfr_prec_t ExtendedPrecision = 64;

// The extended exponent range in MPFR's convention (significand in [0.5, 1)): the largest
// finite value is just below 2^16384, the smallest subnormal is 2^-16445.
struct ExtendedRange {
  ExtendedRange() {
    mpfr_set_emin(-16444);
    mpfr_set_emax(16384);
  }
};

class Number {
 public:
  explicit Number(mpfr_prec_t precision = ExtendedPrecision) {
    static const ExtendedRange range;
    mpfr_init2(FValue, precision);
  }
  ~Number() { mpfr_clear(FValue); }
  Number(const Number&) = delete;
  Number& operator=(const Number&) = delete;
  mpfr_ptr get() { return FValue; }

 private:
  mpfr_t FValue;
};

// Rounds a result already rounded to 64 bits once more for the subnormal range, so that a
// subnormal is rounded once to its real precision.
long double Settle(Number& result, int ternary) {
  mpfr_subnormalize(result.get(), ternary, MPFR_RNDN);
  return mpfr_get_ld(result.get(), MPFR_RNDN);
}

template <typename Operation>
long double Binary(long double a, long double b, Operation operation) {
  Number x, y, result;
  mpfr_set_ld(x.get(), a, MPFR_RNDN);
  mpfr_set_ld(y.get(), b, MPFR_RNDN);
  const int ternary = operation(result.get(), x.get(), y.get(), MPFR_RNDN);
  return Settle(result, ternary);
}

}  // namespace

long double NearestExtended(const std::string& decimal) {
  Number result;
  const int ternary = mpfr_strtofr(result.get(), decimal.c_str(), nullptr, 10, MPFR_RNDN);
  return Settle(result, ternary);
}

long double Add(long double a, long double b) { return Binary(a, b, mpfr_add); }
long double Sub(long double a, long double b) { return Binary(a, b, mpfr_sub); }
long double Mul(long double a, long double b) { return Binary(a, b, mpfr_mul); }
long double Div(long double a, long double b) { return Binary(a, b, mpfr_div); }

long double RoundToIntegral(long double x) {
  Number value, result;
  mpfr_set_ld(value.get(), x, MPFR_RNDN);
  mpfr_rint(result.get(), value.get(), MPFR_RNDN);
  return mpfr_get_ld(result.get(), MPFR_RNDN);
}

long double ScaleByTenSteps(long double x, int n) {
  if (n == 0) return x;
  if (n <= -5120) return 0.0L;
  static std::map<int, long double> powers;
  auto power = [](int k) {
    auto [entry, added] = powers.try_emplace(k, 0.0L);
    if (added) entry->second = NearestExtended("1e" + std::to_string(k));
    return entry->second;
  };
  const int m = n < 0 ? -n : n;
  auto step = [&](long double value, int k) {
    return n < 0 ? Div(value, power(k)) : Mul(value, power(k));
  };
  x = step(x, m % 32);
  if ((m / 32) % 16 != 0) x = step(x, 32 * ((m / 32) % 16));
  if (m / 512 != 0) x = step(x, 512 * (m / 512));
  return x;
}

double ToDouble(long double x) {
  Number value;
  mpfr_set_ld(value.get(), x, MPFR_RNDN);
  return mpfr_get_d(value.get(), MPFR_RNDN);
}

}  // namespace zentarix::test::oracle
