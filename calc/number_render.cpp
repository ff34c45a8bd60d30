#include "calc/number_render.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

#include "calc/decimal_digits.h"
#include "calc/number_settings.h"
#include "calc/utf8.h"

namespace zentarix {

namespace {

constexpr int MaxDecimals = 18;
// From this Exponent on (a rounded magnitude of 10^18 or more) the fixed form would show
// digits that the 18-digit form does not have.
constexpr int LargestFixedExponent = 18;

// The text is written straight into the returned string, whose length is worked out first:
// assembling it elsewhere byte by byte and copying it over would stall on the store
// forwarding.
std::string FixedForm(const DecimalDigits& form, int decimals) {
  // Every integer digit lies within the form's 18 (and its terminator).
  assert(form.Exponent <= LargestFixedExponent);
  const EncodedCharacter group(GroupMark);
  const EncodedCharacter mark(DecimalMark);
  const int integerDigits = std::max<int>(form.Exponent, 1);  // "0" below one
  const int groups = (integerDigits - 1) / 3;                 // groups of three from the mark
  const std::size_t length = (form.Negative ? 1 : 0) + static_cast<std::size_t>(integerDigits) +
                             static_cast<std::size_t>(groups) * group.Length +
                             (decimals > 0 ? mark.Length + static_cast<std::size_t>(decimals) : 0);
  // Every position no digit is written to shows "0": those past the last retained digit and
  // the zeros right after the decimal mark.
  std::string text(length, '0');
  char* out = text.data();
  if (form.Negative) *out++ = '-';
  int next = 0;  // the next digit of the form to show
  if (form.Exponent <= 0) {
    ++out;
  } else {
    int untilGroup = (form.Exponent - 1) % 3 + 1;
    for (; next < form.Exponent; ++next, ++out) {
      if (untilGroup-- == 0) {
        out = group.WriteAt(out);
        untilGroup = 2;
      }
      // Past the retained digits the form holds zero bytes, which the or makes "0".
      *out = static_cast<char>(form.Digits[next] | '0');
    }
  }
  if (decimals > 0) {
    out = mark.WriteAt(out);
    const int leadingZeros = form.Exponent < 0 ? std::min(-form.Exponent, decimals) : 0;
    out += leadingZeros;
    const int shown = std::min(form.Length - next, decimals - leadingZeros);
    for (int i = 0; i < shown; ++i) out[i] = form.Digits[next + i];
  }
  return text;
}

std::string ScientificForm(const DecimalDigits& form, int decimals) {
  std::string text;
  if (form.Negative) text += '-';
  text += form.Length > 0 ? form.Digits[0] : '0';
  if (form.Length > 1) {
    // A decimal mark of code 0 writes nothing here too.
    AppendUtf8(text, DecimalMark);
    text.append(form.Digits + 1, static_cast<std::size_t>(form.Length - 1));
  }
  text += 'E';
  std::string exponent = std::to_string(form.Exponent - 1);
  const std::size_t width = decimals <= 4 ? static_cast<std::size_t>(decimals) : 1;
  if (exponent.size() < width) exponent.insert(0, width - exponent.size(), '0');
  return text + exponent;
}

}  // namespace

std::string RenderNumber(Extended value, int decimals) {
  decimals = std::clamp(decimals, 0, MaxDecimals);
  const DecimalDigits form = ToDecimalDigits(value, 18, decimals);
  if (form.Exponent == DecimalDigits::InfinityExponent) return form.Negative ? "-INF" : "INF";
  if (form.Exponent == DecimalDigits::NanExponent) return "NAN";
  if (form.Exponent > LargestFixedExponent) return ScientificForm(form, decimals);
  return FixedForm(form, decimals);
}

std::string FormatNumber(std::string_view pattern, Extended value) {
  static constexpr std::string_view Conversion = "%.4n";
  std::string text;
  for (std::size_t pos = 0; pos < pattern.size();) {
    if (pattern.substr(pos, Conversion.size()) == Conversion) {
      text += RenderNumber(value, 4);
      pos += Conversion.size();
    } else {
      // Any other character, a "%" that starts no conversion included, is copied.
      text += pattern[pos++];
    }
  }
  return text;
}

}  // namespace zentarix
