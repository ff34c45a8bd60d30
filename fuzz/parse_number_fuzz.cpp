// Fuzzes the number parse. Every input is read as a text under each mark pair, and
// TryParseNumber must succeed exactly when the text (up to its first zero byte) is in the
// number grammar and its value stays finite. A success carries the text's sign and lies
// within the proven error bound of the exact value; ParseNumberOr gives the same bits, or the
// fallback on failure; the caller's control word is back and no condition flag is left.
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_parse.h"
#include "calc/uFloatEnv.h"
#include "fuzz/fuzz_support.h"

namespace zentarix::fuzz {
namespace {

// ---- The grammar, as a state machine over character classes ------------------------------

enum class Symbol { Space, Sign, Digit, Mark, ExponentLetter, End, Other };

enum class State {
  Lead,
  AfterSign,
  Integer,
  Fraction,
  ExponentStart,
  ExponentSign,
  ExponentDigits,
  Trail,
  Accept,
  Reject
};

// What the grammar reads from a text: the sign, every digit before and after the mark, how
// many of them follow the mark, and the exponent.
struct Reading {
  bool Negative = false;
  std::string Digits;
  std::int64_t FractionDigits = 0;
  int Exponent = 0;
};

class GrammarReader {
 public:
  GrammarReader(std::string_view text, const std::string& mark) : FText(text), FMark(mark) {}

  std::optional<Reading> Read() {
    State state = State::Lead;
    while (state != State::Accept && state != State::Reject) {
      const auto [symbol, length] = Classify();
      state = Step(state, symbol);
      FPos += length;
    }
    if (state == State::Reject) return std::nullopt;
    if (FExponentNegative) FReading.Exponent = -FReading.Exponent;
    return FReading;
  }

 private:
  struct Classified {
    Symbol Kind;
    std::size_t Length;
  };

  // The text ends at its first zero byte; the mark is matched before anything else.
  Classified Classify() const {
    if (FPos >= FText.size() || FText[FPos] == '\0') return {Symbol::End, 0};
    if (!FMark.empty() && FText.substr(FPos).starts_with(FMark)) {
      return {Symbol::Mark, FMark.size()};
    }
    const char ch = FText[FPos];
    if (ch == ' ') return {Symbol::Space, 1};
    if (ch == '+' || ch == '-') return {Symbol::Sign, 1};
    if (ch >= '0' && ch <= '9') return {Symbol::Digit, 1};
    if (ch == 'e' || ch == 'E') return {Symbol::ExponentLetter, 1};
    return {Symbol::Other, 1};
  }

  char Current() const { return FText[FPos]; }

  State Step(State state, Symbol symbol) {
    switch (state) {
      case State::Lead:
        if (symbol == Symbol::Space) return State::Lead;
        if (symbol == Symbol::Sign) {
          FReading.Negative = Current() == '-';
          return State::AfterSign;
        }
        [[fallthrough]];
      case State::AfterSign:
        // A number needs a digit or the mark before anything else.
        if (symbol == Symbol::Digit) return TakeDigit(State::Integer);
        if (symbol == Symbol::Mark) return State::Fraction;
        return State::Reject;
      case State::Integer:
        if (symbol == Symbol::Digit) return TakeDigit(State::Integer);
        if (symbol == Symbol::Mark) return State::Fraction;
        return AfterNumber(symbol);
      case State::Fraction:
        if (symbol == Symbol::Digit) {
          ++FReading.FractionDigits;
          return TakeDigit(State::Fraction);
        }
        return AfterNumber(symbol);
      case State::ExponentStart:
        if (symbol == Symbol::Sign) {
          FExponentNegative = Current() == '-';
          return State::ExponentSign;
        }
        [[fallthrough]];
      case State::ExponentSign:
      case State::ExponentDigits:
        if (symbol == Symbol::Digit) return TakeExponentDigit();
        return Closing(symbol);
      case State::Trail:
        return Closing(symbol);
      default:
        return State::Reject;
    }
  }

  State AfterNumber(Symbol symbol) {
    if (symbol == Symbol::ExponentLetter) return State::ExponentStart;
    return Closing(symbol);
  }

  static State Closing(Symbol symbol) {
    if (symbol == Symbol::Space) return State::Trail;
    if (symbol == Symbol::End) return State::Accept;
    return State::Reject;
  }

  State TakeDigit(State next) {
    FReading.Digits += Current();
    return next;
  }

  // Reading stops right after the digit that brings the exponent to 500 or more; a digit
  // after that is left unread, and the text then does not end where it must.
  State TakeExponentDigit() {
    if (FReading.Exponent >= 500) return State::Reject;
    FReading.Exponent = FReading.Exponent * 10 + (Current() - '0');
    return State::ExponentDigits;
  }

  std::string_view FText;
  const std::string& FMark;
  std::size_t FPos = 0;
  bool FExponentNegative = false;
  Reading FReading;
};

// ---- Whether the value is finite ----------------------------------------------------------

// The decimal digits of the largest extended value, as 0.118973...: every magnitude is
// compared as a fraction of this form times a power of ten.
Extended LargestFraction() {
  static const Extended fraction = [] {
    char printed[64];
    std::snprintf(printed, sizeof printed, "%.30Le", LDBL_MAX);  // "1.189...e+4932"
    const std::string text(printed);
    const std::string digits = text.substr(0, 1) + text.substr(2, text.find('e') - 2);
    return std::strtold(("0." + digits).c_str(), nullptr);
  }();
  return fraction;
}

constexpr int LargestPower = 4933;  // the largest extended value is 0.1189... x 10^4933

enum class Magnitude { Finite, Overflows, Undecided };

// The relative error the parse may make: each digit after the first nineteen costs one
// rounded product and one rounded sum, half a unit in the last place (2^-64) each, and the
// scaling at most three rounded steps through inexact table entries. Twice that, for margin.
Extended ErrorBound(const Reading& reading) {
  return (static_cast<Extended>(reading.Digits.size()) + 8.0L) * 0x1p-62L;
}

class ValueOracle {
 public:
  explicit ValueOracle(const Reading& reading) : FReading(reading) {
    const std::size_t first = reading.Digits.find_first_not_of('0');
    if (first != std::string::npos) FSignificant = reading.Digits.substr(first);
    FTolerance = ErrorBound(reading);
    if (!IsZero()) FFraction = std::strtold(("0." + FSignificant).c_str(), nullptr);
  }

  bool IsZero() const { return FSignificant.empty(); }
  std::int64_t Scale() const { return FReading.Exponent - FReading.FractionDigits; }

  // The digits are gathered into one accumulator before the scaling, so the accumulator
  // must stay finite as well as the scaled value; a scaling down only makes it smaller.
  Magnitude Decide() const {
    if (IsZero()) return Magnitude::Finite;
    const auto digits = static_cast<std::int64_t>(FSignificant.size());
    const Magnitude accumulator = Compare(digits);
    if (accumulator != Magnitude::Finite || Scale() <= 0) return accumulator;
    return Compare(digits + Scale());
  }

  // The value the text means, correctly rounded by the C library: 0.digits x 10^power.
  Extended Exact() const {
    const std::int64_t power = static_cast<std::int64_t>(FSignificant.size()) + Scale();
    return std::strtold(("0." + FSignificant + "e" + std::to_string(power)).c_str(), nullptr);
  }

  Extended Tolerance() const { return FTolerance; }

 private:
  // Compares 0.digits x 10^power with the largest extended value.
  Magnitude Compare(std::int64_t power) const {
    if (power != LargestPower)
      return power < LargestPower ? Magnitude::Finite : Magnitude::Overflows;
    if (FFraction < LargestFraction() * (1.0L - FTolerance)) return Magnitude::Finite;
    if (FFraction > LargestFraction() * (1.0L + FTolerance)) return Magnitude::Overflows;
    return Magnitude::Undecided;
  }

  const Reading& FReading;
  std::string FSignificant;  // the digits from the first non-zero one on
  Extended FTolerance = 0.0L;
  Extended FFraction = 0.0L;  // 0.digits
};

// ---- The checks ---------------------------------------------------------------------------

// A scaling by 10^-5120 or further gives zero outright, whatever the digits.
constexpr std::int64_t ZeroScale = -5120;

constexpr std::uint16_t ReportedFlags =
    fpu::InvalidMask | fpu::ZeroDivideMask | fpu::OverflowMask | fpu::UnderflowMask;

struct Outcome {
  bool Parsed;
  Extended Value;
};

class ParseCase {
 public:
  ParseCase(std::string_view text, const MarkPair& pair) : FText(text), FPair(pair) {}

  void Check() {
    const MarksInForce marks(FPair);
    const Outcome outcome = ParseLeavingNoTrace();
    CheckFallbacks(outcome);
    const std::optional<Reading> reading = GrammarReader(FText, MarkText(FPair.Decimal)).Read();
    if (!reading) {
      Require(!outcome.Parsed, "a text outside the grammar fails", Describe(outcome));
      return;
    }
    const ValueOracle oracle(*reading);
    const Magnitude magnitude = oracle.Decide();
    if (magnitude != Magnitude::Undecided) {
      Require(outcome.Parsed == (magnitude == Magnitude::Finite),
              "a text in the grammar parses exactly when its value is finite", Describe(outcome));
    }
    if (outcome.Parsed) CheckValue(outcome.Value, *reading, oracle);
  }

 private:
  Outcome ParseLeavingNoTrace() {
    fpu::ClearFlags();
    const std::uint16_t word = fpu::ReadControlWord();
    Outcome outcome{false, 0.0L};
    outcome.Parsed = TryParseNumber(FText, outcome.Value);
    const std::uint16_t status = fpu::ReadStatusWord();
    Require(fpu::ReadControlWord() == word, "the parse puts the caller's control word back",
            Describe(outcome));
    Require((status & ReportedFlags) == 0, "the parse leaves no condition flag raised",
            Describe(outcome));
    return outcome;
  }

  void CheckFallbacks(const Outcome& outcome) {
    // The full scan alone, without the inline scan of short texts before it.
    const Extended full = ParseOrNaN(FText);
    Require(outcome.Parsed ? SameBits(full, outcome.Value) : std::isnan(full),
            "the full scan and the short-text scan give the same bits", Describe(outcome));
    for (const Extended fallback : {-1.0L, HUGE_VALL}) {
      const Extended value = ParseNumberOr(FText, fallback);
      Require(SameBits(value, outcome.Parsed ? outcome.Value : fallback),
              "ParseNumberOr gives the parsed value, or the fallback on failure",
              Describe(outcome));
    }
  }

  void CheckValue(Extended value, const Reading& reading, const ValueOracle& oracle) const {
    const Outcome outcome{true, value};
    Require(std::signbit(value) == reading.Negative, "the value carries the text's sign",
            Describe(outcome));
    if (oracle.IsZero() || oracle.Scale() <= ZeroScale) {
      Require(value == 0.0L, "no significant digit or a scaling past 10^-5120 gives zero",
              Describe(outcome));
      return;
    }
    const Extended exact = oracle.Exact();
    const Extended magnitude = std::fabs(value);
    if (exact >= LDBL_MIN) {
      Require(std::fabs(magnitude - exact) <= exact * oracle.Tolerance(),
              "the value lies within the error bound of the exact one", Describe(outcome));
    } else {
      Require(magnitude < 2.0L * LDBL_MIN, "a value below the normal range stays there",
              Describe(outcome));
    }
  }

  // Names the text, the marks and what the parse gave, for a broken property.
  struct Description {
    const ParseCase* Case;
    Outcome Result;
    std::string operator()() const {
      char value[64];
      std::snprintf(value, sizeof value, "%.21Lg", Result.Value);
      return std::string("text '") + Printable(Case->FText) + "' under " + Case->FPair.Name +
             (Result.Parsed ? std::string(": parsed as ") + value : std::string(": failed"));
    }
  };

  Description Describe(const Outcome& outcome) const { return {this, outcome}; }

  std::string_view FText;
  const MarkPair& FPair;
};

// The parse loads its own word: a caller running with another precision and rounding gets
// the same bits and its own word back.
void CheckUnderForeignWord(std::string_view text) {
  constexpr std::uint16_t DoublePrecisionRoundingUp = 0x0A7F;
  const MarksInForce marks(MarkPairs[0]);
  Extended expected = 0.0L;
  const bool parsed = TryParseNumber(text, expected);
  const std::uint16_t word = fpu::ReadControlWord();
  fpu::LoadControlWord(DoublePrecisionRoundingUp);
  Extended value = 0.0L;
  const bool parsedAgain = TryParseNumber(text, value);
  const std::uint16_t after = fpu::ReadControlWord();
  fpu::LoadControlWord(word);
  auto describe = [&] { return "text '" + Printable(text) + "'"; };
  Require(after == DoublePrecisionRoundingUp, "the parse puts a foreign control word back",
          describe);
  Require(parsed == parsedAgain && (!parsed || SameBits(value, expected)),
          "the caller's precision and rounding do not change the result", describe);
}

}  // namespace
}  // namespace zentarix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zentarix::ResetFpu();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentarix::fuzz;
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const MarkPair& pair : MarkPairs) ParseCase(text, pair).Check();
  CheckUnderForeignWord(text);
  return 0;
}
