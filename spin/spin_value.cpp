#include "spin/spin_value.h"

#include <algorithm>

namespace zentarix {

namespace {

constexpr std::uint64_t MagnitudeLimit = 0x80000000u;  // |INT32_MIN|
constexpr int MaxHexDigits = 8;

bool IsDecimalDigit(char c) { return c >= '0' && c <= '9'; }

int HexDigitValue(char c) {
  if (IsDecimalDigit(c)) return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Length of the hex prefix at the start of text, 0 when there is none.
std::size_t HexPrefixLength(std::string_view text) {
  if (text.starts_with("0x") || text.starts_with("0X")) return 2;
  if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) return 1;
  return 0;
}

std::optional<std::uint32_t> ParseHexPattern(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t pattern = 0;
  int significant = 0;
  for (char c : digits) {
    const int d = HexDigitValue(c);
    if (d < 0) return std::nullopt;
    if (significant > 0 || d != 0) ++significant;
    if (significant > MaxHexDigits) return std::nullopt;
    pattern = (pattern << 4) | static_cast<std::uint32_t>(d);
  }
  return pattern;
}

// The magnitude of a decimal number, or nothing when it exceeds |INT32_MIN|.
std::optional<std::uint64_t> ParseDecimalMagnitude(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint64_t magnitude = 0;
  for (char c : digits) {
    if (!IsDecimalDigit(c)) return std::nullopt;
    magnitude = magnitude * 10 + static_cast<std::uint64_t>(c - '0');
    if (magnitude > MagnitudeLimit) return std::nullopt;
  }
  return magnitude;
}

std::int32_t Negated(std::uint32_t pattern) { return static_cast<std::int32_t>(0u - pattern); }

}  // namespace

std::optional<std::int32_t> ParseSpinValue(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  const bool negative = text.starts_with('-');
  if (negative || text.starts_with('+')) text.remove_prefix(1);

  if (const std::size_t prefix = HexPrefixLength(text); prefix > 0) {
    const auto pattern = ParseHexPattern(text.substr(prefix));
    if (!pattern) return std::nullopt;
    return negative ? Negated(*pattern) : static_cast<std::int32_t>(*pattern);
  }
  const auto magnitude = ParseDecimalMagnitude(text);
  if (!magnitude) return std::nullopt;
  if (!negative && *magnitude == MagnitudeLimit) return std::nullopt;
  const auto m = static_cast<std::uint32_t>(*magnitude);
  return negative ? Negated(m) : static_cast<std::int32_t>(m);
}

std::string FormatSpinValue(std::int32_t value) { return std::to_string(value); }

std::int32_t ClampSpinValue(std::int32_t value, std::int32_t min, std::int32_t max) {
  if (min == max) return value;
  if (value < min) return min;
  if (value > max) return max;
  return value;
}

std::int32_t StepSpinValue(std::int32_t value, std::int32_t increment, bool up) {
  const auto v = static_cast<std::uint32_t>(value);
  const auto i = static_cast<std::uint32_t>(increment);
  return static_cast<std::int32_t>(up ? v + i : v - i);
}

bool AcceptsSpinChar(char32_t ch, char32_t decimalMark, bool editorEnabled) {
  constexpr char32_t CarriageReturn = 13;
  constexpr char32_t Backspace = 8;
  // A full stop stands for the mark wherever the field is read, so a "." typed under a ","
  // locale is a decimal mark, not a beep and a lost fraction.
  const bool mark = ch == U'.' || (decimalMark != 0 && ch == decimalMark);
  const bool control = ch < 32;
  const bool acceptable = ch == U'+' || ch == U'-' || (ch >= U'0' && ch <= U'9') || mark ||
                          (control && ch != CarriageReturn);
  if (!acceptable) return false;
  // Without the editor only control characters reach the field, and backspace is not one of them.
  return editorEnabled || (control && ch != Backspace);
}

}  // namespace zentarix
