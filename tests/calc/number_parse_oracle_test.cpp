// Differential tests of the parse: values against glibc's correctly rounded strtold, and
// acceptance against an independent statement of the grammar.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <random>
#include <regex>
#include <string>

#include "calc/number_parse.h"
#include "tests/calc/extended_oracle.h"
#include "tests/support/marks_guard.h"

using namespace zentarix;

namespace {

constexpr int RandomCases = 100000;

bool SameExtended(long double a, long double b) {
  return std::memcmp(&a, &b, 10) == 0;  // the 80 bits, sign of zero included
}

// A random number text with up to 19 significant digits and |e - f| <= 27: the range in
// which the parse promises the nearest extended value. Returns the text under the comma mark
// and the same number in the form strtold reads in the C locale.
struct NumberTexts {
  std::string comma;
  std::string plain;
};

NumberTexts RandomShortNumber(std::mt19937_64& random) {
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int digitCount = pick(1, 19);
  std::string digits;
  for (int i = 0; i < digitCount; ++i) digits += static_cast<char>('0' + pick(0, 9));
  const int fraction = pick(0, digitCount);
  const std::string integerPart = digits.substr(0, digitCount - fraction);
  const std::string fractionPart = digits.substr(digitCount - fraction);
  const int exponent = fraction + pick(-27, 27);
  const std::string sign = pick(0, 2) == 0 ? "-" : (pick(0, 1) ? "+" : "");
  std::string exponentText;
  if (exponent != 0 || pick(0, 3) != 0) {
    exponentText = pick(0, 1) ? "e" : "E";
    exponentText.append(std::to_string(exponent));
  }
  NumberTexts texts;
  texts.comma = std::string(pick(0, 2), ' ') + sign + integerPart +
                (fraction > 0 || pick(0, 4) == 0 ? "," : "") + fractionPart + exponentText +
                std::string(pick(0, 2), ' ');
  texts.plain = sign + (integerPart.empty() ? "0" : integerPart) + "." + fractionPart + "0e" +
                std::to_string(exponent);
  return texts;
}

TEST(ParseOracle, ShortNumbersEqualStrtoldOnRandomTexts) {
  const MarksGuard marks(U',', U' ');
  std::mt19937_64 random(20261207);
  int mismatches = 0;
  for (int i = 0; i < RandomCases && mismatches < 10; ++i) {
    const NumberTexts texts = RandomShortNumber(random);
    long double value;
    ASSERT_TRUE(TryParseNumber(texts.comma, value)) << "'" << texts.comma << "'";
    const long double expected = std::strtold(texts.plain.c_str(), nullptr);
    if (!SameExtended(value, expected)) {
      ++mismatches;
      ADD_FAILURE() << "'" << texts.comma << "' parsed as " << static_cast<double>(value)
                    << ", nearest is " << static_cast<double>(expected);
    }
  }
}

// Texts of 20 to 40 digits with exponents far outside the exactly rounded range: the value is
// whatever accumulating the digits in extended arithmetic and scaling through the power tables
// gives, re-computed step by step in MPFR.
TEST(ParseOracle, LongNumbersFollowTheExtendedAccumulationOnRandomTexts) {
  const MarksGuard marks(U',', U' ');
  std::mt19937_64 random(99);
  auto pick = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  for (int i = 0; i < RandomCases / 4; ++i) {
    std::string digits;
    for (int n = pick(20, 40); n > 0; --n) digits += static_cast<char>('0' + pick(0, 9));
    const int fraction = pick(0, static_cast<int>(digits.size()));
    const int exponent = pick(-4999, 4900);
    const std::string text = digits.substr(0, digits.size() - fraction) + "," +
                             digits.substr(digits.size() - fraction) + "e" +
                             std::to_string(exponent);
    long double accumulator = 0.0L;
    for (char digit : digits) {
      accumulator = test::oracle::Add(test::oracle::Mul(accumulator, 10.0L), digit - '0');
    }
    const long double expected = test::oracle::ScaleByTenSteps(accumulator, exponent - fraction);
    long double value = -1.0L;
    const bool ok = TryParseNumber(text, value);
    if (std::isinf(expected)) {
      ASSERT_FALSE(ok) << "'" << text << "' overflows";
    } else {
      ASSERT_TRUE(ok) << "'" << text << "'";
      ASSERT_TRUE(SameExtended(value, expected))
          << "'" << text << "' parsed as " << value << ", steps give " << expected;
    }
  }
}

// The grammar written independently as a regular expression, with the rule that stops
// reading exponent digits at e >= 500 applied by hand. Returns the text strtold reads for
// the same number, or nothing when the text is outside the grammar.
std::optional<std::string> InGrammar(const std::string& text) {
  static const std::regex grammar("^ *([+-]?)([0-9]*)(,?)([0-9]*)(?:[eE]([+-]?)([0-9]*))? *$");
  std::smatch match;
  if (!std::regex_match(text, match, grammar)) return std::nullopt;
  if (match[2].length() == 0 && match[3].length() == 0) return std::nullopt;
  const std::string exponentDigits = match[6].str();
  int e = 0;
  for (char digit : exponentDigits) {
    if (e >= 500) return std::nullopt;  // a digit left unread
    e = e * 10 + (digit - '0');
  }
  return match[1].str() + "0" + match[2].str() + "." + match[4].str() + "0e" + match[5].str() +
         std::to_string(e);
}

TEST(ParseOracle, AcceptsExactlyTheGrammarOnRandomTexts) {
  const MarksGuard marks(U',', U' ');
  static constexpr char Alphabet[] = "0123456789,,ee+- .E\ta";
  std::mt19937_64 random(7);
  std::uniform_int_distribution<int> length(0, 9);
  std::uniform_int_distribution<int> letter(0, sizeof Alphabet - 2);
  for (int i = 0; i < RandomCases; ++i) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += Alphabet[letter(random)];
    const std::optional<std::string> plain = InGrammar(text);
    // A text in the grammar fails only when its value overflows the extended range.
    const bool expected = plain && std::isfinite(std::strtold(plain->c_str(), nullptr));
    long double value;
    ASSERT_EQ(TryParseNumber(text, value), expected) << "'" << text << "'";
  }
}

}  // namespace
