#include "history/price_cell.h"

#include <cstring>

namespace zentarix {

namespace {

// $, €, £ and ₽ in UTF-8.
constexpr std::string_view CurrencySigns[] = {"$", "\xE2\x82\xAC", "\xC2\xA3", "\xE2\x82\xBD"};

// The group marks other than the two decimal marks: a blank, an apostrophe, a no-break space
// and a narrow no-break space. None of them can be a decimal mark, so none decides the mark.
constexpr std::string_view BlankGroupMarks[] = {" ", "'", "\xC2\xA0", "\xE2\x80\xAF"};

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The cell without one leading or trailing currency sign and the blanks beside it.
std::string_view WithoutCurrency(std::string_view cell) {
  for (const std::string_view sign : CurrencySigns) {
    if (cell.starts_with(sign)) return TrimBlanks(cell.substr(sign.size()));
    if (cell.ends_with(sign)) return TrimBlanks(cell.substr(0, cell.size() - sign.size()));
  }
  return cell;
}

// The length of the blank group mark at the start of text, 0 for none.
std::size_t BlankGroupMarkAt(std::string_view text) {
  for (const std::string_view mark : BlankGroupMarks) {
    if (text.starts_with(mark)) return mark.size();
  }
  return 0;
}

std::size_t DigitsFrom(std::string_view text, std::size_t at) {
  std::size_t end = at;
  while (end < text.size() && IsDigit(text[end])) ++end;
  return end - at;
}

// Whether the one mark at `at` could be a thousands mark as well as a decimal mark: one to three
// digits before it with no leading zero (a whole number grouped by blanks counts too), exactly
// three after it, and nothing else but a sign.
bool ReadsBothWays(std::string_view cell, std::size_t at) {
  if (DigitsFrom(cell, at + 1) != 3 || at + 4 != cell.size()) return false;
  std::size_t from = (cell[0] == '+' || cell[0] == '-') ? 1 : 0;
  std::size_t group = DigitsFrom(cell, from);
  if (group == 0 || group > 3 || cell[from] == '0') return false;
  from += group;
  while (from < at) {
    const std::size_t mark = BlankGroupMarkAt(cell.substr(from));
    if (mark == 0 || DigitsFrom(cell, from + mark) != 3) return false;
    from += mark + 3;
  }
  return from == at;
}

// The decimal mark and the group mark for a cell read under an undecided mark; mark 0 when the
// cell has none, Ambiguous when it reads both ways.
PriceProblem ChooseMarks(std::string_view cell, char& decimal, char& group) {
  const std::size_t lastStop = cell.rfind('.');
  const std::size_t lastComma = cell.rfind(',');
  decimal = group = 0;
  if (lastStop != std::string_view::npos && lastComma != std::string_view::npos) {
    // Both: the last one is the decimal mark ("1.234,5", "1,234.5").
    decimal = lastStop > lastComma ? '.' : ',';
  } else if (lastStop != lastComma) {
    const std::size_t at = lastStop != std::string_view::npos ? lastStop : lastComma;
    const char mark = cell[at];
    const char other = mark == '.' ? ',' : '.';
    // A mark written twice groups ("1.234.567"), so the other one is the decimal mark.
    if (cell.find(mark) != at) {
      decimal = other;
    } else if (ReadsBothWays(cell, at)) {
      return PriceProblem::Ambiguous;
    } else {
      decimal = mark;
    }
  }
  if (decimal != 0) group = decimal == '.' ? ',' : '.';
  return PriceProblem::None;
}

// Copies cell into plain without its group marks and with "." for its decimal mark; false when
// a group mark stands where it cannot (not between groups of three, or in the fraction) or
// the cell mixes two kinds of group mark.
bool Ungroup(std::string_view cell, char decimal, char group, std::string& plain) {
  plain.clear();
  std::string_view used;        // the group mark the cell uses
  std::size_t groupLength = 0;  // digits since the last group mark
  bool grouped = false;
  bool whole = true;  // still in the whole part
  for (std::size_t i = 0; i < cell.size(); ++i) {
    const char ch = cell[i];
    if (whole && (ch == group || BlankGroupMarkAt(cell.substr(i)) != 0)) {
      const std::size_t length = ch == group ? 1 : BlankGroupMarkAt(cell.substr(i));
      const std::string_view mark = cell.substr(i, length);
      if (!used.empty() && mark != used) return false;
      if (groupLength == 0 || groupLength > 3 || (grouped && groupLength != 3)) return false;
      used = mark;
      grouped = true;
      groupLength = 0;
      i += length - 1;
      continue;
    }
    if (whole && !IsDigit(ch) && ch != '+' && ch != '-') {
      if (grouped && groupLength != 3) return false;
      whole = false;
    }
    if (IsDigit(ch)) ++groupLength;
    plain += ch == decimal && decimal != 0 ? '.' : ch;
  }
  return !(whole && grouped && groupLength != 3);
}

}  // namespace

PriceProblem PriceCellReader::ReadAny(std::string_view cell, Extended& value) {
  if (std::memchr(cell.data(), '\0', cell.size()) != nullptr) return PriceProblem::HoldsNul;
  // Once the mark is known, nearly every cell is a plain number in it: read where it lies.
  if (FMark != PriceMark::Undecided) {
    value = ParseUnderMarkOr(cell, FMark == PriceMark::Comma ? U',' : U'.', NoValue);
    if (value == value) return CheckRange(value);
  }
  return ReadGrouped(WithoutCurrency(cell), value);
}

PriceProblem PriceCellReader::ReadOther(std::string_view cell, Extended& value) {
  return ReadGrouped(WithoutCurrency(cell), value);
}

PriceProblem PriceCellReader::ReadGrouped(std::string_view cell, Extended& value) {
  char decimal = FMark == PriceMark::Comma ? ',' : '.';
  char group = FMark == PriceMark::Comma ? '.' : ',';
  if (FMark == PriceMark::Undecided) {
    const PriceProblem problem = ChooseMarks(cell, decimal, group);
    if (problem != PriceProblem::None) return problem;
  }
  if (!Ungroup(cell, decimal, group, FPlain)) return PriceProblem::NotANumber;
  value = ParseUnderMarkOr(FPlain, U'.', NoValue);
  const PriceProblem problem = CheckRange(value);
  // Only a cell that reads settles the mark; a bad one ends the file anyway.
  if (problem == PriceProblem::None && FMark == PriceMark::Undecided && decimal != 0) {
    FMark = decimal == '.' ? PriceMark::FullStop : PriceMark::Comma;
  }
  return problem;
}

}  // namespace zentarix
