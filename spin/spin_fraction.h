// A fraction typed into the spin edit ("2,5", "2.50"): read exactly as a whole number of its
// last decimal place, stepped by the whole increment, clamped by the whole bounds and written
// back with as many decimals as it had, so that 2,5 steps to 3,5 and 2,50 to 3,50.
// Examples, with "," as the decimal mark: "2,5" is 25 in tenths; up by 1 it is "3,5"; "150,5"
// clamped to 0..100 is 100; "-0,25" is -25 in hundredths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentarix {

struct SpinFraction {
  std::int64_t Scaled = 0;  // the value times 10^Decimals
  int Decimals = 0;
};

// The most decimals a fraction may have: any 32-bit whole number times 10^9 and any step of
// one more such number stay inside 64 bits.
inline constexpr int MaxSpinDecimals = 9;

// [blanks][+|-][digits]mark[digits], with at least one digit, filling the whole text; the mark
// is decimalMark or a full stop (a full stop alone when decimalMark is 0). Anything else,
// whole numbers included, gives no fraction.
std::optional<SpinFraction> ParseSpinFraction(std::string_view text, char32_t decimalMark);

// fraction + increment (or - increment); unchanged where the sum would leave 64 bits.
SpinFraction StepSpinFraction(SpinFraction fraction, std::int32_t increment, bool up);

// As ClampSpinValue clamps a whole number: no clamp when the bounds are equal, the lower bound
// tested first. The bound a fraction is clamped to, or none when it stays as it is.
std::optional<std::int32_t> SpinFractionBound(SpinFraction fraction, std::int32_t min,
                                              std::int32_t max);

// The fraction, or the bound it is clamped to with as many decimals: 100,5 in 0..100 is 100,0.
SpinFraction ClampSpinFraction(SpinFraction fraction, std::int32_t min, std::int32_t max);

// The fraction with its decimals after decimalMark (a full stop when it is 0), a "-" before a
// negative one: 35 in tenths is "3,5".
std::string FormatSpinFraction(SpinFraction fraction, char32_t decimalMark);

}  // namespace zentarix
