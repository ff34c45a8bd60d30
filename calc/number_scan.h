// The pieces of the number grammar as inline readers, and the scan of the short texts that
// nearly every field holds, inline so that the value never leaves the x87 registers on its way
// to the caller. The full parse (number_parse.cpp) reads with the same readers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "calc/extended.h"

// Always inline: a reader that stayed a call would take p by address, keeping it in memory.
#define ZENTARIX_READER [[gnu::always_inline]] inline

namespace zentarix::scan {

// Each reader reads from p on and advances p past what it read. The text ends at `end` or at
// its first zero byte: a zero byte stops every reader, being no space, sign, digit, mark byte
// or exponent letter.

// Exponent digits are read until the exponent reaches this; a digit after that is left unread,
// which fails the parse at the end-of-text check.
inline constexpr int ExponentStop = 500;

ZENTARIX_READER bool IsDigit(char ch) { return static_cast<unsigned char>(ch - '0') < 10; }

ZENTARIX_READER char Peek(const char* p, const char* end) { return p != end ? *p : '\0'; }

ZENTARIX_READER void SkipSpaces(const char*& p, const char* end) {
  while (Peek(p, end) == ' ') ++p;
}

// Whether the number is negative.
ZENTARIX_READER bool ReadSign(const char*& p, const char* end) {
  const bool negative = Peek(p, end) == '-';
  if (negative || Peek(p, end) == '+') ++p;
  return negative;
}

// The signed exponent after an 'e' or 'E'; 0 when there is none.
ZENTARIX_READER int ReadExponent(const char*& p, const char* end) {
  if (Peek(p, end) != 'e' && Peek(p, end) != 'E') return 0;
  ++p;
  const bool negative = ReadSign(p, end);
  int exponent = 0;
  while (exponent < ExponentStop && IsDigit(Peek(p, end))) {
    exponent = exponent * 10 + (*p - '0');
    ++p;
  }
  return negative ? -exponent : exponent;
}

// Gathers the digits from p up to `end` into whole := whole x 10 + digit; the caller bounds
// their count where whole must stay exact.
ZENTARIX_READER const char* GatherDigits(const char* p, const char* end, std::uint64_t& whole) {
  for (; p != end; ++p) {
    const unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit > 9) break;
    whole = whole * 10 + digit;
  }
  return p;
}

// Any 18 digits stay below 10^18 < 2^63: a signed integer, which the x87 loads in one
// instruction (an unsigned one from 2^63 on needs a correction).
inline constexpr std::ptrdiff_t ShortDigits = 18;

// 10^0 ... 10^22, each exact in a double (5^22 < 2^53): multiplying or dividing by one rounds
// exactly as by the same power held in extended, and loads faster.
inline constexpr double ExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                              1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                              1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
inline constexpr int ExactPowerCount = 23;

enum class ShortScan {
  Number,      // value holds the number
  NotANumber,  // the text is outside the grammar
  Undecided,   // for the full parse: more digits, a larger scaling, or a mark beyond one byte
};

// [spaces][sign]digits[mark digits][e[sign]digits][spaces] with at most 18 digits, a one-byte
// mark and a scaling by at most 10^22. The full parse reads such a text in the same order to
// the same exact integer and scales it once by the same power, rounded to extended under the
// parse's word: this gives the same bits, in registers and without the full parse's cases
// for long digits and large exponents.
ZENTARIX_READER ShortScan ScanShortNumber(const char* p, const char* const end, const char32_t mark,
                                          Extended& value) {
  // A text longer than 19 bytes rarely holds at most 18 digits: it is left to the full parse
  // at once rather than read twice.
  if (mark == 0 || mark >= 0x80 || end - p > ShortDigits + 1) return ShortScan::Undecided;
  SkipSpaces(p, end);
  const bool negative = ReadSign(p, end);
  const char* const start = p;
  std::uint64_t whole = 0;  // wraps past 19 digits, which are handed on unused
  p = GatherDigits(p, end, whole);
  std::ptrdiff_t digitCount = p - start;
  std::ptrdiff_t fractionDigits = 0;
  if (Peek(p, end) == static_cast<char>(mark)) {
    const char* const fraction = ++p;
    p = GatherDigits(p, end, whole);
    fractionDigits = p - fraction;
    digitCount += fractionDigits;
  }
  if (digitCount > ShortDigits) return ShortScan::Undecided;
  if (p == start) return ShortScan::NotANumber;  // neither a digit nor the mark
  const int exponent = ReadExponent(p, end);
  SkipSpaces(p, end);
  if (Peek(p, end) != '\0') return ShortScan::NotANumber;
  const std::ptrdiff_t n = exponent - fractionDigits;
  if (n <= -ExactPowerCount || n >= ExactPowerCount) return ShortScan::Undecided;
  const Extended exact = static_cast<Extended>(static_cast<std::int64_t>(whole));
  const Extended magnitude = n < 0 ? exact / ExactPowersOfTen[-n] : exact * ExactPowersOfTen[n];
  value = negative ? -magnitude : magnitude;
  return ShortScan::Number;
}

}  // namespace zentarix::scan
