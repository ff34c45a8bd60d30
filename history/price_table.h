// A price history as data sites and trading terminals export it, read one line at a time:
//
//   Date,Open,High,Low,Close,Adj Close,Volume          <DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;...
//   2024-01-02,101.5,103.2,100.9,102.7,102.7,51200     20240102;10:00:00;1,0850;1,0871;...
//
// The first line names the columns, matched without regard to case and angle brackets: the
// date and time columns (Date, Time, Datetime, Timestamp), Open, High, Low and Close; others
// are ignored. Without High and Low, Close serves as both. The delimiter is found from that
// line (a tab, a semicolon, else a comma). A first line that is a number starts a file with no
// header and one close per line. Numbers use the full stop as their decimal mark, whatever the
// locale; a file delimited by semicolons may use the comma too. Each is read exactly into the
// extended format.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"

namespace zentarix {

// One bar: its range, where it stands in the file and when it was.
struct Bar {
  Extended High = 0;
  Extended Low = 0;
  long Line = 0;     // the input line, counted from 1
  std::string Time;  // the date and time cells as written, joined by a space
};

class PriceTable {
 public:
  enum class Row {
    Bar,      // bar holds the line's bar
    Skipped,  // a blank line, the header, or a row whose price cells are empty or "null"
    Error,    // not a price row: Error() says which line and column, and why
  };

  // Reads the next line of the file; number is its line number.
  Row Read(std::string_view line, long number, Bar& bar);

  // The data error of the last Error row: "line 7, column High: "abc" is not a number".
  const std::string& Error() const { return FError; }
  // How many rows were skipped because a price cell was empty or "null".
  long RowsWithoutPrices() const { return FRowsWithoutPrices; }

 private:
  Row ReadHeader(std::string_view line, long number);
  Row ReadCells(long number, Bar& bar);
  Row Fail(long number, std::string_view column, std::string_view problem);
  Row NotANumber(long number, std::string_view column, std::string_view cell);
  bool ReadPrice(std::string_view cell, Extended& value) const;

  bool FStarted = false;
  bool FHeaderless = false;
  char FDelimiter = ',';
  // Column positions; -1 where the file has no such column.
  int FHigh = -1;
  int FLow = -1;
  int FClose = -1;
  std::vector<int> FTimeColumns;
  std::size_t FCellsRead = 0;  // how many cells of a row the columns above need
  std::vector<std::string_view> FCells;
  std::string FError;
  long FRowsWithoutPrices = 0;
};

}  // namespace zentarix
