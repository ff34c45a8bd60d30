#include <algorithm>
#include <cstdint>

#include "calc/uFloatEnv.h"
#include "calc/uNumberText.h"
#include "calc/uUtf8.h"

namespace zentarix {

namespace {

constexpr std::uint16_t ParseFailureFlags = fpu::InvalidMask | fpu::OverflowMask;

// Exponent digits are read until e reaches this; any digit after that is left unread, which
// fails the parse at the end-of-text check.
constexpr int ExponentStop = 500;

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Reads the grammar from a text without its terminating zero; on success leaves the scaled,
// signed value in value. Runs under the parse word: an overflow only sets its flag.
class NumberScanner {
 public:
  explicit NumberScanner(std::string_view text) : FText(text) { AppendUtf8(FMark, DecimalMark); }

  bool Scan(Extended& value) {
    SkipSpaces();
    const bool negative = Peek() == '-';
    if (negative || Peek() == '+') ++FPos;
    const std::size_t start = FPos;
    Extended accumulator = 0.0L;
    ReadDigits(accumulator);
    std::int64_t fractionDigits = 0;
    if (AtMark()) {
      FPos += FMark.size();
      fractionDigits = ReadDigits(accumulator);
    }
    if (FPos == start) return false;  // neither a digit nor the mark
    const int exponent = ReadExponent();
    SkipSpaces();
    if (FPos != FText.size()) return false;
    // n = e - f; a fraction long enough to push n below the scaling range gives +0 there.
    const std::int64_t scale = std::max<std::int64_t>(exponent - fractionDigits, -65536);
    accumulator = ScaleByTen(accumulator, static_cast<int>(scale));
    value = negative ? -accumulator : accumulator;
    return true;
  }

 private:
  char Peek() const { return FPos < FText.size() ? FText[FPos] : '\0'; }

  void SkipSpaces() {
    while (Peek() == ' ') ++FPos;
  }

  bool AtMark() const {
    return !FMark.empty() && FText.substr(FPos, FMark.size()) == FMark;
  }

  // accumulator := accumulator x 10 + digit, product and sum each rounded to extended.
  std::int64_t ReadDigits(Extended& accumulator) {
    std::int64_t count = 0;
    for (; IsDigit(Peek()); ++FPos, ++count) {
      accumulator = accumulator * 10.0L + static_cast<Extended>(Peek() - '0');
    }
    return count;
  }

  int ReadExponent() {
    if (Peek() != 'e' && Peek() != 'E') return 0;
    ++FPos;
    const bool negative = Peek() == '-';
    if (negative || Peek() == '+') ++FPos;
    int exponent = 0;
    while (exponent < ExponentStop && IsDigit(Peek())) {
      exponent = exponent * 10 + (Peek() - '0');
      ++FPos;
    }
    return negative ? -exponent : exponent;
  }

  std::string_view FText;
  std::string FMark;
  std::size_t FPos = 0;
};

}  // namespace

bool TryParseNumber(std::string_view text, Extended& value) {
  // The text ends at its first zero byte, as a zero-terminated text would.
  text = text.substr(0, text.find('\0'));
  const std::uint16_t savedWord = CurrentFpuControlWord();
  ClearFpuFlags();
  LoadFpuControlWord(fpu::ParseWord);

  Extended result = 0.0L;
  bool ok = NumberScanner(text).Scan(result);
  // The result goes to memory before the status is read, so that no x87 operation of the
  // parse can be scheduled after the read.
  volatile Extended settled = result;
  ok = ok && (ReadFpuStatus() & ParseFailureFlags) == 0;

  ClearFpuFlags();
  LoadFpuControlWord(savedWord);
  if (ok) value = settled;
  return ok;
}

Extended ParseNumberOr(std::string_view text, Extended fallback) {
  Extended value;
  return TryParseNumber(text, value) ? value : fallback;
}

}  // namespace zentarix
