// Why a price file cannot be used, as data: the reader finds it, the command line and the
// window each put it into words in their language (history_messages.h), and scripts get status
// 65 whatever the words.
#pragma once

#include <string>

namespace zentarix {

enum class HistoryProblem {
  NoPriceColumn,  // the header names no High and Low, and no Close
  NoBars,         // an empty file, or a header alone
  LineTooLong,    // Line
  TooFewCells,    // Line; Count cells, Needed needed
  NotUtf8,        // Line, Column
  HoldsNul,       // Line, Column
  NotANumber,     // Line, Column, Cell
  Ambiguous,      // Line, Column, Cell: a decimal or a thousands mark, not yet decided
  NotPositive,    // Line, Column, Cell
  TooLarge,       // Line, Column, Cell: beyond the double's range
  TooSmall,       // Line, Column, Cell: below the double's smallest normal number
  HighBelowLow,   // Line; Cell the High, Other the Low
  NotADate,       // Line, Column, Cell: not in the form of the file's other dates
  OutOfOrder,     // Line, Cell its time; OtherLine and Other the row before it
};

struct HistoryError {
  HistoryProblem Problem = HistoryProblem::NoBars;
  long Line = 0;       // the file's own line, counted from 1
  std::string Column;  // "High", "Low", "Close", "Date" or "Time"
  std::string Cell;    // as written, and valid UTF-8
  std::string Other;   // the second text a problem names
  long OtherLine = 0;
  long Count = 0;
  long Needed = 0;
};

}  // namespace zentarix
