// Fuzzes the spin edit's Value reader. The whole input is the field's text: a read succeeds
// only for blanks, an optional sign and then decimal digits or a hexadecimal prefix with hex
// digits running to the end; a decimal number succeeds exactly when it lies in the 32-bit
// range, and writing it back gives its canonical digits; a hexadecimal one exactly when it
// has at most eight significant digits, and its pattern is what was written. The first four
// bytes also make a number that must come back from its decimal and hexadecimal texts.
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "spin/spin_value.h"

namespace zentarix::fuzz {
namespace {

constexpr std::string_view LargestMagnitude = "2147483647";
constexpr std::string_view SmallestMagnitude = "2147483648";  // of -2147483648

// The text split where the accepted form says: blanks, sign, prefix and digits.
struct Form {
  bool Negative = false;
  bool Hexadecimal = false;
  std::string_view Digits;
};

bool IsDecimal(char ch) { return ch >= '0' && ch <= '9'; }
bool IsHex(char ch) {
  return IsDecimal(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

std::string_view WithoutPrefix(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix) ? text.substr(prefix.size()) : std::string_view();
}

template <typename Predicate>
bool AllOf(std::string_view digits, Predicate isDigit) {
  if (digits.empty()) return false;
  for (const char ch : digits) {
    if (!isDigit(ch)) return false;
  }
  return true;
}

// [blanks][+|-]( digits | ($|x|X|0x|0X) hexdigits ), nothing after.
std::optional<Form> AcceptedForm(std::string_view text) {
  Form form;
  const std::size_t start = text.find_first_not_of(' ');
  text = start == std::string_view::npos ? std::string_view() : text.substr(start);
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    form.Negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (AllOf(text, IsDecimal)) {
    form.Digits = text;
    return form;
  }
  form.Hexadecimal = true;
  for (const std::string_view prefix : {"$", "x", "X", "0x", "0X"}) {
    const std::string_view digits = WithoutPrefix(text, prefix);
    if (AllOf(digits, IsHex)) {
      form.Digits = digits;
      return form;
    }
  }
  return std::nullopt;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
  const std::size_t first = digits.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : digits.substr(first);
}

// Compares two digit strings without leading zeros as numbers.
bool NotAbove(std::string_view digits, std::string_view limit) {
  return digits.size() != limit.size() ? digits.size() < limit.size() : digits <= limit;
}

std::string Upper(std::string_view digits) {
  std::string text(digits);
  for (char& ch : text) {
    if (ch >= 'a' && ch <= 'f') ch = static_cast<char>(ch - 'a' + 'A');
  }
  return text;
}

void CheckDecimal(const Form& form, std::optional<std::int32_t> value, const auto& describe) {
  const std::string_view magnitude = WithoutLeadingZeros(form.Digits);
  const bool inRange = NotAbove(magnitude, form.Negative ? SmallestMagnitude : LargestMagnitude);
  Require(value.has_value() == inRange,
          "a decimal number reads exactly when it lies in the 32-bit range", describe);
  if (!value) return;
  const std::string canonical =
      magnitude.empty() ? "0" : (form.Negative ? "-" : "") + std::string(magnitude);
  Require(FormatSpinValue(*value) == canonical, "a decimal number reads as the number it writes",
          describe);
}

void CheckHexadecimal(const Form& form, std::optional<std::int32_t> value, const auto& describe) {
  const std::string_view significant = WithoutLeadingZeros(form.Digits);
  Require(value.has_value() == (significant.size() <= 8),
          "a hex number reads exactly when it has at most eight significant digits", describe);
  if (!value) return;
  // The pattern read, with the minus sign undone in 32-bit arithmetic.
  const auto read = static_cast<std::uint32_t>(*value);
  const std::uint32_t pattern = form.Negative ? 0u - read : read;
  char printed[9];
  std::snprintf(printed, sizeof printed, "%08" PRIX32, pattern);
  const std::string written = std::string(8 - significant.size(), '0') + Upper(significant);
  Require(written == printed, "a hex number reads as the pattern it writes", describe);
}

void CheckText(std::string_view text) {
  const std::optional<std::int32_t> value = ParseSpinValue(text);
  auto describe = [&] {
    return "text '" + Printable(text) + "' read as " +
           (value ? std::to_string(*value) : std::string("nothing"));
  };
  const std::optional<Form> form = AcceptedForm(text);
  Require(form || !value, "only a text of the accepted form reads", describe);
  if (form && form->Hexadecimal) CheckHexadecimal(*form, value, describe);
  if (form && !form->Hexadecimal) CheckDecimal(*form, value, describe);
  Require(ParseSpinValue(" " + std::string(text)) == value, "leading blanks change nothing",
          describe);
  Require(!ParseSpinValue(std::string(text) + " "), "a trailing blank fails", describe);
}

// Every 32-bit number comes back from the texts that write it.
void CheckRoundTrips(std::int32_t number) {
  const auto pattern = static_cast<std::uint32_t>(number);
  char hex[16];
  auto describe = [&] { return "number " + std::to_string(number) + ", text " + hex; };
  std::snprintf(hex, sizeof hex, "$%08" PRIX32, pattern);
  Require(ParseSpinValue(hex) == number, "\"$\" and eight hex digits read back", describe);
  std::snprintf(hex, sizeof hex, "-0x%" PRIx32, pattern);
  Require(ParseSpinValue(hex) == static_cast<std::int32_t>(0u - pattern),
          "a negated hex pattern reads as its 32-bit negation", describe);
  std::snprintf(hex, sizeof hex, "%s", FormatSpinValue(number).c_str());
  Require(ParseSpinValue(hex) == number, "a written number reads back", describe);
  std::snprintf(hex, sizeof hex, "  %s%010" PRId32, number < 0 ? "-" : "+",
                static_cast<std::int32_t>(number < 0 ? 0u - pattern : pattern) & 0x7FFFFFFF);
  if (number != INT32_MIN) {
    Require(ParseSpinValue(hex) == number, "blanks, a sign and leading zeros read back", describe);
  }
}

}  // namespace
}  // namespace zentarix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentarix::fuzz;
  CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
  CheckRoundTrips(ByteReader(data, size).Take<std::int32_t>());
  return 0;
}
