#include "tests/shell/listing_shape.h"

#include <array>
#include <vector>

namespace zentarix::test {

namespace {

std::string Utf8(char32_t ch) {
  std::string text;
  if (ch == 0) return text;
  if (ch < 0x80) {
    text += static_cast<char>(ch);
  } else if (ch < 0x800) {
    text += static_cast<char>(0xC0 | (ch >> 6));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    text += static_cast<char>(0xE0 | (ch >> 12));
    text += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (ch >> 18));
    text += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (ch & 0x3F));
  }
  return text;
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

// Reads the text from the front, one piece at a time.
class Reader {
 public:
  explicit Reader(std::string_view text) : FText(text) {}

  bool AtEnd() const { return FText.empty(); }
  bool Take(std::string_view piece) {
    if (piece.empty() || FText.substr(0, piece.size()) != piece) return false;
    FText.remove_prefix(piece.size());
    return true;
  }
  // Up to max digits; returns how many were taken.
  int Digits(int max) {
    int count = 0;
    while (count < max && !FText.empty() && IsDigit(FText.front())) {
      FText.remove_prefix(1);
      ++count;
    }
    return count;
  }
  char Peek() const { return FText.empty() ? '\0' : FText.front(); }
  std::string_view Rest() const { return FText; }

 private:
  std::string_view FText;
};

// [1-9] digits grouped in threes from the decimal mark, or a lone 0; at most 18 digits.
bool ReadIntegerPart(Reader& in, const std::string& group) {
  if (in.Take("0")) return !IsDigit(in.Peek());
  if (in.Peek() == '0') return false;
  const int lead = in.Digits(group.empty() ? 18 : 3);
  if (lead == 0) return false;
  int total = lead;
  if (group.empty()) return true;
  while (in.Take(group)) {
    if (in.Digits(3) != 3) return false;
    total += 3;
  }
  return total <= 18 && !IsDigit(in.Peek());
}

bool IsFixedForm(std::string_view text, const std::string& decimal, const std::string& group) {
  Reader in(text);
  in.Take("-");
  if (!ReadIntegerPart(in, group)) return false;
  if (!decimal.empty() && !in.Take(decimal)) return false;
  return in.Digits(4) == 4 && in.AtEnd();
}

bool IsScientificForm(std::string_view text, const std::string& decimal) {
  Reader in(text);
  in.Take("-");
  if (in.Peek() < '1' || in.Peek() > '9') return false;
  in.Digits(1);
  // Without a decimal mark the retained digits follow the first one directly.
  if (decimal.empty() || in.Take(decimal)) {
    const std::string_view fraction = in.Rest();
    const int count = in.Digits(17);
    if (count > 0 && fraction[static_cast<std::size_t>(count) - 1] == '0') return false;
    if (count == 0 && !decimal.empty()) return false;
  }
  if (!in.Take("E")) return false;
  const std::string_view exponent = in.Rest();
  const int count = in.Digits(6);
  if (count < 4 || !in.AtEnd()) return false;
  // Anything below 10^18 is written in the fixed form.
  return std::stoi(std::string(exponent)) >= 18;
}

bool IsNonFinite(std::string_view text) { return text == "INF" || text == "-INF" || text == "NAN"; }

bool IsNegativeNonZero(std::string_view number) {
  if (number.empty() || number.front() != '-') return false;
  for (char ch : number) {
    if (IsDigit(ch) && ch != '0') return true;
  }
  return false;
}

struct LineRule {
  std::string_view Prefix;
  bool HasNumber;
  bool NeverNegative;  // a value that passed the test (A, B) or a clamped target point
};

constexpr std::array<LineRule, 19> ListingLines{{
    {"A = ", true, true},
    {"B = ", true, true},
    {"------------", false, false},
    {" F3 = ", true, false},
    {"50% = ", true, false},
    {" F5 = ", true, false},
    {"Коридор F3", false, false},
    {"  F3(1) = ", true, false},
    {"  F3(2) = ", true, false},
    {"Коридор F5", false, false},
    {"  F5(1) = ", true, false},
    {"  F5(2) = ", true, false},
    {"Возможные целевые точки", false, false},
    {"  COP(F3) = ", true, true},
    {"  COP(F5) = ", true, true},
    {"   OP(F3) = ", true, true},
    {"   OP(F5) = ", true, true},
    {"  XOP(F3) = ", true, true},
    {"  XOP(F5) = ", true, true},
}};

// The lines that stand when the target points overflowed.
constexpr std::size_t LevelLines = 12;

constexpr std::array<std::string_view, 3> ErrorLines{"Ошибка в значении А!", "Ошибка в значении B!",
                                                     "Ошибка в значении шума!"};

// Empty when the line follows its rule, else why not.
std::string CheckLine(std::string_view line, const LineRule& rule, char32_t decimalMark,
                      char32_t groupMark) {
  if (line.substr(0, rule.Prefix.size()) != rule.Prefix) return "wrong text";
  const std::string_view number = line.substr(rule.Prefix.size());
  if (!rule.HasNumber) return number.empty() ? "" : "text after the fixed line";
  // Every stored value is a finite double: INF or NAN would mean a missed overflow.
  if (IsNonFinite(number)) return "a value that is not finite";
  if (!IsRenderedNumber(number, decimalMark, groupMark)) return "not a rendered number";
  if (rule.NeverNegative && IsNegativeNonZero(number)) return "a negative value";
  return "";
}

// Splits text into lines that each end in a line break; false when the last one does not.
bool SplitTerminatedLines(std::string_view text, std::vector<std::string_view>& lines) {
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) return false;
    lines.push_back(text.substr(0, end));
    text.remove_prefix(end + 1);
  }
  return true;
}

}  // namespace

bool IsRenderedNumber(std::string_view text, char32_t decimalMark, char32_t groupMark) {
  const std::string decimal = Utf8(decimalMark);
  const std::string group = Utf8(groupMark);
  return IsFixedForm(text, decimal, group) || IsScientificForm(text, decimal) || IsNonFinite(text);
}

MemoVerdict ClassifyMemo(std::string_view text, char32_t decimalMark, char32_t groupMark) {
  if (text.empty()) return {MemoShape::Empty, ""};
  for (std::string_view line : ErrorLines) {
    if (text == line) return {MemoShape::ErrorLine, ""};
  }
  std::vector<std::string_view> lines;
  if (!SplitTerminatedLines(text, lines)) {
    return {MemoShape::Invalid, "the last line has no line break (or is no error line)"};
  }
  if (lines.size() != ListingLines.size() && lines.size() != LevelLines) {
    return {MemoShape::Invalid, std::to_string(lines.size()) + " lines"};
  }
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::string problem = CheckLine(lines[i], ListingLines[i], decimalMark, groupMark);
    if (!problem.empty()) {
      return {MemoShape::Invalid,
              "line " + std::to_string(i + 1) + " \"" + std::string(lines[i]) + "\": " + problem};
    }
  }
  return {lines.size() == LevelLines ? MemoShape::ListingCutAfterLevels : MemoShape::Listing, ""};
}

}  // namespace zentarix::test
