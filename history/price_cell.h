// One price cell of a price file, read exactly into the extended format. Exports write prices
// with the decimal mark of their locale, sometimes with thousands grouped and a currency sign:
//
//   mark "." (every comma-delimited file)      mark "," (decided, see below)
//   "106.53"     -> 106.53                     "1,0850"     -> 1.085
//   "7,278.20"   -> 7278.2 (a quoted cell)     "1.234,5"    -> 1234.5
//   "$106.53"    -> 106.53                     "1 234,5"    -> 1234.5 (also U+00A0, U+202F, ')
//   "1,5"        -> not a number               "106,53 ₽"   -> 106.53
//
// A semicolon or tab file may use either mark; it is decided by the file's first price cell
// that can be read only one way ("2,5", "1.234,5", "1,5", "102.75", "0.125"), and a cell that
// could be read both ways while it is undecided ("1.227", "1,227": a decimal, or a thousand and
// more) is refused as ambiguous rather than guessed. Groups are of three digits, after a first
// group of one to three; a cell groups with one mark only.
//
// A price must be positive and fit the double that the calculation stores: zero, a negative
// number, one beyond the double's range or below its smallest normal number are refused, each
// with its own problem, and so is a cell holding a NUL byte (which would end the number early).
#pragma once

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/number_parse.h"

namespace zentarix {

enum class PriceMark { Undecided, FullStop, Comma };

enum class PriceProblem {
  None,
  NotANumber,
  Ambiguous,    // undecided mark, and the cell reads two ways
  NotPositive,  // zero or below
  TooLarge,     // beyond the double's range
  TooSmall,     // positive but below the double's smallest normal number
  HoldsNul,
};

class PriceCellReader {
 public:
  explicit PriceCellReader(PriceMark mark) : FMark(mark) {}

  // Reads cell (already trimmed of blanks and quotes) into value; a cell that settles the mark
  // settles it for every later cell. knownWithoutNul: the caller has made sure that the cell
  // holds no NUL byte (one search of a whole line costs less than one of each cell).
  // Inline for the plain number in a known mark that nearly every cell holds, so that its value
  // goes from the x87 registers straight to value.
  PriceProblem Read(std::string_view cell, Extended& value, bool knownWithoutNul = false) {
    if (!knownWithoutNul || FMark == PriceMark::Undecided) return ReadAny(cell, value);
    value = ParseUnderMarkOr(cell, FMark == PriceMark::Comma ? U',' : U'.', NoValue);
    if (value == value) return CheckRange(value);
    return ReadOther(cell, value);
  }

  PriceMark Mark() const { return FMark; }

 private:
  static constexpr Extended NoValue = std::numeric_limits<Extended>::quiet_NaN();

  static PriceProblem CheckRange(Extended value) {
    if (value != value) return PriceProblem::NotANumber;
    if (!(value > 0)) return PriceProblem::NotPositive;
    if (value > DBL_MAX) return PriceProblem::TooLarge;
    if (value < DBL_MIN) return PriceProblem::TooSmall;
    return PriceProblem::None;
  }

  // Read for a cell that may hold a NUL byte or while the mark is undecided.
  PriceProblem ReadAny(std::string_view cell, Extended& value);
  // Read for a cell that is no plain number in the mark: its currency sign and group marks.
  PriceProblem ReadOther(std::string_view cell, Extended& value);
  PriceProblem ReadGrouped(std::string_view cell, Extended& value);

  PriceMark FMark;
  std::string FPlain;  // the cell without group marks, its decimal mark a full stop
};

}  // namespace zentarix
