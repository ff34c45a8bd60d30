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

// A mark's UTF-8 bytes, encoded once per rendering; a mark of code 0 has none.
struct MarkBytes {
  explicit MarkBytes(char32_t mark) : Length(EncodeUtf8(mark, Bytes)) {}
  char Bytes[4];
  std::size_t Length;
};

// The longest fixed text: a sign, 18 integer digits with five group marks, the decimal mark
// (each mark at most 4 bytes) and 18 decimals.
constexpr std::size_t FixedRoom = 1 + 18 + 5 * 4 + 4 + MaxDecimals;

// The text is written into a buffer on the stack and becomes a string once, at the end.
std::string FixedForm(const DecimalDigits& form, int decimals) {
  const MarkBytes group(GroupMark);
  const MarkBytes mark(DecimalMark);
  // A position past the last retained digit prints "0".
  const auto digitAt = [&form](int index) {
    return index < form.Length ? form.Digits[index] : '0';
  };
  char buffer[FixedRoom];
  char* out = buffer;
  if (form.Negative) *out++ = '-';
  if (form.Exponent <= 0) {
    *out++ = '0';
  } else {
    for (int i = 0; i < form.Exponent; ++i) {
      // Groups of three counted from the decimal point.
      if (i > 0 && (form.Exponent - i) % 3 == 0) {
        std::memcpy(out, group.Bytes, group.Length);
        out += group.Length;
      }
      *out++ = digitAt(i);
    }
  }
  if (decimals > 0) {
    std::memcpy(out, mark.Bytes, mark.Length);
    out += mark.Length;
    const int leadingZeros = form.Exponent < 0 ? std::min(-form.Exponent, decimals) : 0;
    out = std::fill_n(out, leadingZeros, '0');
    int next = std::max<int>(form.Exponent, 0);
    for (int i = leadingZeros; i < decimals; ++i) *out++ = digitAt(next++);
  }
  return std::string(buffer, out);
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
