#include "spin/spin_fraction.h"

#include <algorithm>

#include "calc/utf8.h"

namespace zentarix {

namespace {

constexpr std::int64_t PowerOfTen(int n) {
  std::int64_t power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

// The length of the mark at the start of text: decimalMark's UTF-8 bytes or a full stop.
std::size_t MarkLength(std::string_view text, char32_t decimalMark) {
  if (text.starts_with('.')) return 1;
  const EncodedCharacter mark(decimalMark);
  return mark.StartsAt(text.data(), text.size()) ? mark.Length : 0;
}

// Appends the digits of text to whole; how many, or -1 where whole would leave 64 bits (a
// number no 32-bit field holds in any case).
int TakeDigits(std::string_view& text, std::int64_t& whole) {
  int count = 0;
  while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    if (__builtin_mul_overflow(whole, 10, &whole) ||
        __builtin_add_overflow(whole, text.front() - '0', &whole)) {
      return -1;
    }
    ++count;
    text.remove_prefix(1);
  }
  return count;
}

}  // namespace

std::optional<SpinFraction> ParseSpinFraction(std::string_view text, char32_t decimalMark) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);
  std::int64_t scaled = 0;
  const int whole = TakeDigits(text, scaled);
  const std::size_t mark = MarkLength(text, decimalMark);
  if (whole < 0 || mark == 0) return std::nullopt;
  text.remove_prefix(mark);
  const int decimals = TakeDigits(text, scaled);
  if (decimals < 0 || decimals > MaxSpinDecimals || whole + decimals == 0 || !text.empty()) {
    return std::nullopt;
  }
  // A whole part beyond 32 bits is no value the field can hold, as for a whole number.
  if (scaled / PowerOfTen(decimals) > std::int64_t{1} << 31) return std::nullopt;
  return SpinFraction{negative ? -scaled : scaled, decimals};
}

SpinFraction StepSpinFraction(SpinFraction fraction, std::int32_t increment, bool up) {
  const std::int64_t step = increment * PowerOfTen(fraction.Decimals);
  std::int64_t sum = 0;
  const bool overflow = up ? __builtin_add_overflow(fraction.Scaled, step, &sum)
                           : __builtin_sub_overflow(fraction.Scaled, step, &sum);
  if (!overflow) fraction.Scaled = sum;
  return fraction;
}

std::optional<std::int32_t> SpinFractionBound(SpinFraction fraction, std::int32_t min,
                                              std::int32_t max) {
  if (min == max) return std::nullopt;
  const std::int64_t scale = PowerOfTen(fraction.Decimals);
  if (fraction.Scaled < min * scale) return min;
  if (fraction.Scaled > max * scale) return max;
  return std::nullopt;
}

SpinFraction ClampSpinFraction(SpinFraction fraction, std::int32_t min, std::int32_t max) {
  if (const auto bound = SpinFractionBound(fraction, min, max)) {
    fraction.Scaled = *bound * PowerOfTen(fraction.Decimals);
  }
  return fraction;
}

std::string FormatSpinFraction(SpinFraction fraction, char32_t decimalMark) {
  const std::uint64_t magnitude = fraction.Scaled < 0
                                      ? 0 - static_cast<std::uint64_t>(fraction.Scaled)
                                      : static_cast<std::uint64_t>(fraction.Scaled);
  const auto scale = static_cast<std::uint64_t>(PowerOfTen(fraction.Decimals));
  std::string text = fraction.Scaled < 0 ? "-" : "";
  text += std::to_string(magnitude / scale);
  if (fraction.Decimals == 0) return text;
  AppendUtf8(text, decimalMark == 0 ? U'.' : decimalMark);
  const std::string digits = std::to_string(magnitude % scale);
  text += std::string(static_cast<std::size_t>(fraction.Decimals) - digits.size(), '0') + digits;
  return text;
}

}  // namespace zentarix
