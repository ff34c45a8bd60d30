// Fuzzes the rendering. The first ten bytes are any 80-bit pattern, the next one picks the
// decimals (0 to 18), the rest is a template. Under each mark pair the text must be exactly
// one of the forms: "INF", "-INF" or "NAN" for the special patterns, the fixed grouped form,
// or the scientific form from 10^18 on; never longer than its form allows; its sign and
// value must agree with the pattern within the rounding the form allows; and FormatNumber
// must equal the template with every "%.4n" replaced by the four-decimal rendering.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "calc/number_render.h"
#include "calc/uFloatEnv.h"
#include "fuzz/fuzz_support.h"

namespace zentarix::fuzz {
namespace {

constexpr int MaxDecimals = 18;
constexpr int SignificantDigits = 18;     // the most digits the decimal form has
constexpr int MaxGroupMarks = 5;          // 18 integer digits make six groups
constexpr std::size_t ExponentWidth = 4;  // the largest extended value is below 10^4933

constexpr std::uint16_t ReportedFlags = fpu::InvalidMask | fpu::ZeroDivideMask | fpu::OverflowMask;

// The pattern's fields, read from its bytes (little-endian: significand, then sign and
// exponent).
struct Pattern {
  std::uint64_t Significand;
  std::uint16_t Exponent;
  bool Negative;

  bool IsInfinityOrNan() const { return Exponent == 0x7FFF; }
  bool IsInfinity() const { return IsInfinityOrNan() && Significand == IntegerBit; }
  bool IsZeroOrDenormal() const { return Exponent == 0; }
  // An unnormal (integer bit clear under a non-zero exponent) is no number the hardware
  // computes with; the rendering reads it as NaN.
  bool IsUnnormal() const {
    return Exponent != 0 && !IsInfinityOrNan() && !(Significand & IntegerBit);
  }

  static constexpr std::uint64_t IntegerBit = 0x8000000000000000ULL;
};

Pattern ReadPattern(const unsigned char (&bytes)[10]) {
  Pattern pattern{};
  std::memcpy(&pattern.Significand, bytes, 8);
  pattern.Exponent = static_cast<std::uint16_t>(bytes[8] | ((bytes[9] & 0x7F) << 8));
  pattern.Negative = (bytes[9] & 0x80) != 0;
  return pattern;
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// A cursor over a rendering that takes the expected pieces off its front.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : FRest(text) {}

  bool Take(std::string_view piece) {
    if (!FRest.starts_with(piece)) return false;
    FRest.remove_prefix(piece.size());
    return true;
  }
  // Up to `most` digits; returns them.
  std::string_view TakeDigits(std::size_t most) {
    std::size_t n = 0;
    while (n < most && n < FRest.size() && IsDigit(FRest[n])) ++n;
    const std::string_view digits = FRest.substr(0, n);
    FRest.remove_prefix(n);
    return digits;
  }
  bool AtEnd() const { return FRest.empty(); }

 private:
  std::string_view FRest;
};

// A rendering taken apart: its sign, its digits with a "." where the decimal point is (a
// text the C library reads), and how many significant digits it shows.
struct Parsed {
  bool Negative = false;
  std::string Plain;
  int Significant = 0;  // from the first non-zero digit to the last non-zero one
};

Parsed TakenApart(bool negative, const std::string& before, const std::string& after,
                  const std::string& exponent) {
  Parsed parsed;
  parsed.Negative = negative;
  const std::string digits = before + after;
  const std::size_t first = digits.find_first_not_of('0');
  if (first != std::string::npos) {
    parsed.Significant = static_cast<int>(digits.find_last_not_of('0') - first + 1);
  }
  parsed.Plain = before + "." + after + (exponent.empty() ? "" : "e" + exponent);
  return parsed;
}

// -?(0|[1-9]d{0,2}(G ddd)*)(M d{decimals})? with G and M the marks; a mark of code 0 writes
// nothing, so without marks the integer digits run straight into the decimals.
std::optional<Parsed> ReadFixed(std::string_view text, const MarkPair& pair, int decimals) {
  Cursor cursor(text);
  const bool negative = cursor.Take("-");
  const std::size_t decimalCount = static_cast<std::size_t>(decimals);
  const bool runTogether = pair.Group == 0 && pair.Decimal == 0;
  std::string integer(cursor.TakeDigits(pair.Group != 0 ? 3 : SignificantDigits + MaxDecimals));
  const std::string group = MarkText(pair.Group);
  while (pair.Group != 0 && integer != "0" && cursor.Take(group)) {
    const std::string_view next = cursor.TakeDigits(3);
    if (next.size() != 3) return std::nullopt;
    integer += next;
  }
  std::string fraction;
  if (runTogether) {
    if (!cursor.AtEnd() || integer.size() <= decimalCount) return std::nullopt;
    fraction = integer.substr(integer.size() - decimalCount);
    integer.resize(integer.size() - decimalCount);
  } else if (decimals > 0) {
    if (!cursor.Take(MarkText(pair.Decimal))) return std::nullopt;
    fraction = cursor.TakeDigits(MaxDecimals + 1);
  }
  if (integer.empty() || (integer[0] == '0' && integer.size() > 1)) return std::nullopt;
  if (integer.size() > SignificantDigits || fraction.size() != decimalCount) return std::nullopt;
  if (!cursor.AtEnd()) return std::nullopt;
  return TakenApart(negative, integer, fraction, "");
}

// -?[1-9](M d*[1-9])?E d+ with at most 18 digits before the "E"; the exponent is zero-padded
// to the decimals when they are 4 or fewer, and has no other leading zero.
std::optional<Parsed> ReadScientific(std::string_view text, const MarkPair& pair, int decimals) {
  Cursor cursor(text);
  const bool negative = cursor.Take("-");
  const std::string first(cursor.TakeDigits(1));
  if (first.empty() || first == "0") return std::nullopt;
  std::string fraction;
  const std::string mark = MarkText(pair.Decimal);
  if (mark.empty() || cursor.Take(mark)) {
    fraction = cursor.TakeDigits(SignificantDigits);
    if (!mark.empty() && fraction.empty()) return std::nullopt;  // a mark needs digits after it
    if (!fraction.empty() && fraction.back() == '0') return std::nullopt;
  }
  if (fraction.size() > SignificantDigits - 1 || !cursor.Take("E")) return std::nullopt;
  const std::string exponent(cursor.TakeDigits(8));
  if (exponent.empty() || !cursor.AtEnd()) return std::nullopt;
  const std::size_t width = decimals <= 4 ? static_cast<std::size_t>(decimals) : 1;
  if (exponent.size() < width) return std::nullopt;
  if (exponent.size() > std::max<std::size_t>(width, 1) && exponent[0] == '0') return std::nullopt;
  if (std::stoi(exponent) < SignificantDigits) return std::nullopt;
  return TakenApart(negative, first, fraction, exponent);
}

// The longest text each form can have under a mark pair.
std::size_t FixedBound(const MarkPair& pair, int decimals) {
  const std::size_t fraction =
      decimals > 0 ? MarkText(pair.Decimal).size() + static_cast<std::size_t>(decimals) : 0;
  return 1 + SignificantDigits + MaxGroupMarks * MarkText(pair.Group).size() + fraction;
}

std::size_t ScientificBound(const MarkPair& pair) {
  return 1 + 1 + MarkText(pair.Decimal).size() + (SignificantDigits - 1) + 1 + ExponentWidth;
}

class RenderCase {
 public:
  RenderCase(const unsigned char (&bytes)[10], int decimals, const MarkPair& pair)
      : FPattern(ReadPattern(bytes)), FDecimals(decimals), FPair(pair) {
    std::memcpy(&FValue, bytes, 10);
  }

  auto Describe() const {
    return [this] {
      char value[64];
      std::snprintf(value, sizeof value, "%.21Lg", FValue);
      unsigned char bytes[10];
      std::memcpy(bytes, &FValue, 10);
      std::string hex;
      for (int i = 9; i >= 0; --i) {
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
        hex += pair;
      }
      return "pattern " + hex + " (" + value + "), " + std::to_string(FDecimals) + " decimals, " +
             FPair.Name + ": '" + Printable(FText) + "'";
    };
  }

  void Check() {
    const MarksInForce marks(FPair);
    Render();
    if (FPattern.IsInfinity()) {
      Require(FText == (FPattern.Negative ? "-INF" : "INF"), "an infinity renders as INF",
              Describe());
    } else if (FPattern.IsInfinityOrNan() || FPattern.IsUnnormal()) {
      Require(FText == "NAN", "a NaN renders as NAN", Describe());
    } else if (FPattern.IsZeroOrDenormal()) {
      Require(FText == Zero(), "zeros and denormals render as an unsigned zero", Describe());
    } else {
      CheckNumber();
    }
  }

 private:
  void Render() {
    fpu::ClearFlags();
    const std::uint16_t word = fpu::ReadControlWord();
    FText = RenderNumber(FValue, FDecimals);
    Require(fpu::ReadControlWord() == word, "the rendering leaves the control word", Describe());
    Require((fpu::ReadStatusWord() & ReportedFlags) == 0,
            "the rendering raises no reported condition", Describe());
  }

  std::string Zero() const {
    return FDecimals == 0 ? "0" : "0" + MarkText(FPair.Decimal) + std::string(FDecimals, '0');
  }

  void CheckNumber() {
    const bool scientific = FText.find('E') != std::string::npos;
    const std::optional<Parsed> parsed =
        scientific ? ReadScientific(FText, FPair, FDecimals) : ReadFixed(FText, FPair, FDecimals);
    Require(parsed.has_value(),
            scientific ? "a scientific rendering matches its form"
                       : "a fixed rendering matches its form",
            Describe());
    Require(FText.size() <= (scientific ? ScientificBound(FPair) : FixedBound(FPair, FDecimals)),
            "a rendering stays within the length of its form", Describe());
    Require(parsed->Significant <= SignificantDigits, "at most 18 significant digits show",
            Describe());
    Require(parsed->Negative == (FPattern.Negative && parsed->Significant > 0),
            "the sign shows exactly for a negative value with a digit left", Describe());
    CheckForm(scientific);
    CheckCloseness(*parsed, scientific);
  }

  // From 10^18 on (after rounding) the scientific form, below it the fixed one; the band
  // where the 18-digit form's own rounding decides is left open.
  void CheckForm(bool scientific) const {
    const Extended magnitude = std::fabs(FValue);
    if (magnitude >= 1e18L * (1.0L + 1e-16L)) {
      Require(scientific, "from 10^18 on the rendering is scientific", Describe());
    }
    if (magnitude < 1e18L * (1.0L - 1e-16L)) {
      Require(!scientific, "below 10^18 the rendering is fixed", Describe());
    }
  }

  // The 18-digit form is within 1.1e-17 of the value, relative; the rounding to the shown
  // decimals adds at most half a unit of the last decimal shown.
  void CheckCloseness(const Parsed& parsed, bool scientific) const {
    const Extended shown = std::strtold(parsed.Plain.c_str(), nullptr);
    const Extended magnitude = std::fabs(FValue);
    const Extended halfUnit =
        scientific ? 0.0L
                   : 0.5L * std::strtold(("1e-" + std::to_string(FDecimals)).c_str(), nullptr);
    const Extended allowed = halfUnit * (1.0L + 1e-15L) + 2e-17L * magnitude;
    Require(std::fabs(shown - magnitude) <= allowed, "the rendering shows the value", Describe());
  }

  Pattern FPattern;
  Extended FValue = 0.0L;
  int FDecimals;
  const MarkPair& FPair;
  std::string FText;
};

// Every "%.4n" replaced by the four-decimal rendering, everything else copied.
std::string ExpandTemplate(std::string_view pattern, const std::string& rendering) {
  std::string text;
  for (std::size_t pos = 0;;) {
    const std::size_t found = pattern.find("%.4n", pos);
    text.append(pattern.substr(pos, found - pos));
    if (found == std::string_view::npos) return text;
    text += rendering;
    pos = found + 4;
  }
}

void CheckTemplates(Extended value, std::string_view pattern) {
  const MarksInForce marks(MarkPairs[0]);
  const std::string rendering = RenderNumber(value, 4);
  auto describe = [&] { return "template '" + Printable(pattern) + "', value " + rendering; };
  Require(FormatNumber("X = %.4n", value) == "X = " + rendering,
          "FormatNumber fills \"X = %.4n\" with the four-decimal rendering", describe);
  Require(FormatNumber(pattern, value) == ExpandTemplate(pattern, rendering),
          "FormatNumber replaces every \"%.4n\" and copies the rest", describe);
}

}  // namespace
}  // namespace zentarix::fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  zentarix::ResetFpu();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace zentarix::fuzz;
  ByteReader reader(data, size);
  unsigned char bytes[10];
  for (unsigned char& byte : bytes) byte = reader.Take<unsigned char>();
  const int decimals = reader.Take<unsigned char>() % (MaxDecimals + 1);
  for (const MarkPair& pair : MarkPairs) RenderCase(bytes, decimals, pair).Check();
  zentarix::Extended value = 0.0L;
  std::memcpy(&value, bytes, 10);
  CheckTemplates(value, reader.Rest());
  return 0;
}
