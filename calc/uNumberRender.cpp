#include <algorithm>
#include <cstring>

#include "calc/uNumberText.h"
#include "calc/uUtf8.h"

namespace zentarix {

namespace {

constexpr int MaxDecimals = 18;
// From this Exponent on (a rounded magnitude of 10^18 or more) the fixed form would show
// digits that the 18-digit form does not have.
constexpr int LargestFixedExponent = 18;

class DigitSource {
 public:
  explicit DigitSource(const DecimalDigits& form)
      : FDigits(form.Digits), FLength(static_cast<int>(std::strlen(form.Digits))) {}
  // A position past the last retained digit prints "0".
  char At(int index) const { return index < FLength ? FDigits[index] : '0'; }
  int Length() const { return FLength; }

 private:
  const char* FDigits;
  int FLength;
};

std::string FixedForm(const DecimalDigits& form, int decimals) {
  const DigitSource digits(form);
  std::string text;
  if (form.Negative) text += '-';
  if (form.Exponent <= 0) {
    text += '0';
  } else {
    for (int i = 0; i < form.Exponent; ++i) {
      // Groups of three counted from the decimal point.
      if (i > 0 && (form.Exponent - i) % 3 == 0) AppendUtf8(text, GroupMark);
      text += digits.At(i);
    }
  }
  if (decimals == 0) return text;
  AppendUtf8(text, DecimalMark);
  const int leadingZeros = form.Exponent < 0 ? std::min(-form.Exponent, decimals) : 0;
  text.append(static_cast<std::size_t>(leadingZeros), '0');
  int next = std::max<int>(form.Exponent, 0);
  for (int i = leadingZeros; i < decimals; ++i) text += digits.At(next++);
  return text;
}

std::string ScientificForm(const DecimalDigits& form, int decimals) {
  const DigitSource digits(form);
  std::string text;
  if (form.Negative) text += '-';
  text += digits.At(0);
  if (digits.Length() > 1) {
    // A decimal mark of code 0 writes nothing here too.
    AppendUtf8(text, DecimalMark);
    text.append(form.Digits + 1);
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
