// The rows of a price history as data sites and trading terminals export it, read one line at a
// time into bars:
//
//   Date,Open,High,Low,Close,Adj Close,Volume          <DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;...
//   2024-01-02,101.5,103.2,100.9,102.7,102.7,51200     20240102;10:00:00;1,0850;1,0871;...
//   "Date","Price","Open","High","Low","Vol.","Change %"
//   "02/28/2024","7,278.20","7,250.00","7,301.50","7,240.10","190.28M","0.35%"
//
// The first line names the columns, matched without regard to case, quotes and angle brackets:
// the date and time columns (Date, Datetime, Timestamp, Gmt time, Local time; Time, which holds
// the time of a separate date column or the whole instant), High, Low, and the close (Close,
// Price or Last); the others are ignored. Without High and Low the close serves as both. The
// delimiter is found from that line (a tab, a semicolon, else a comma). A first line that is a
// number starts a file with no header and one close per line.
//
// Prices are read by PriceCellReader: the full stop is the mark of a comma-delimited file, and a
// semicolon or tab file's mark is decided by its first cell that reads only one way. A row whose
// price cells are empty or "null" is skipped and counted; every other fault is a HistoryError.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"
#include "history/history_error.h"
#include "history/plain_row.h"
#include "history/price_cell.h"

namespace zentarix {

// One bar: its range, where it stands in the file and when it was.
struct Bar {
  Extended High = 0;
  Extended Low = 0;
  long Line = 0;     // the input line, counted from 1
  std::string Time;  // the date and time cells as written, joined by a space
  // Its place among the history's bars in time order, from 0: a chart's x, which the line is
  // not in a file that runs newest first.
  long Place = 0;
  // The open and the close, read only for a chart's candles (ReadOpenAndClose); 0 where they
  // are not read, the file has no such column, or the cell holds no price.
  Extended Open = 0;
  Extended Close = 0;
};

class PriceRowReader {
 public:
  enum class Row {
    Bar,      // bar holds the line's bar
    Skipped,  // a blank line, the header, or a row whose price cells are empty or "null"
    Error,    // Error() says why
  };

  // Reads the next line of the file; number is its line number. Inline for the plain row that
  // nearly every line of a long file is (ReadPlainRow); a blank row never reads as a plain one.
  // ahead: the line already read by ReadPlainRow under PlainLayout(), on another thread.
  Row Read(std::string_view line, long number, Bar& bar, const PlainRow* ahead = nullptr) {
    if (ahead != nullptr) {
      TakePlainRow(line, number, *ahead, bar);
      return Row::Bar;
    }
    if (FPlain && ReadPlain(line, number, bar)) return Row::Bar;
    return ReadAnyRow(line, number, bar);
  }

  // What plain rows are read by from now on; none before the header is read and the mark
  // decided, and for a file whose rows all take the general way.
  const std::optional<PlainRowLayout>& PlainLayout() const { return FPlain; }

  // From now on, each bar also gets its close, and its open where the file has one, where the
  // file has a close beside High and Low. A cell that holds no price leaves them 0: they only
  // draw candles, and a row the first reading found sound must not become a data error now.
  void ReadOpenAndClose() {
    FOpenAndClose = FClose >= 0 && FHigh != FClose;
    SettlePlainLayout();
  }

  const HistoryError& Error() const { return FError; }

  // The date and time cells of the last bar; the time is empty where the file has no separate
  // time column, both where it has no time column at all.
  std::string_view DateCell() const { return FDate; }
  std::string_view TimeCell() const { return FTime; }
  bool HasTimeColumn() const { return FDateColumn >= 0; }
  // The header's names of the two columns, for messages.
  std::string DateColumnName() const { return ColumnName(FDateColumn); }
  std::string TimeColumnName() const { return ColumnName(FTimeColumn); }
  // The header's line; 0 for a file of closes without one.
  long HeaderLine() const { return FHeaderLine; }

  // How many rows were skipped because a price cell was empty or "null", and the first of
  // their lines.
  long RowsWithoutPrices() const { return FRowsWithoutPrices; }
  const std::vector<long>& FirstSkippedLines() const { return FSkippedLines; }
  static constexpr std::size_t SkippedLinesKept = 5;

 private:
  Row ReadAnyRow(std::string_view line, long number, Bar& bar);
  Row ReadGeneralRow(std::string_view line, long number, Bar& bar);
  Row ReadHeader(std::string_view line, long number);
  bool ReadPlain(std::string_view line, long number, Bar& bar);
  void TakePlainRow(std::string_view line, long number, const PlainRow& row, Bar& bar);
  void SettlePlainLayout();
  Row ReadCells(long number, std::size_t count, Bar& bar);
  void ReadCandle(std::size_t count, Bar& bar);
  Row FailPrice(PriceProblem problem, long number, int column, std::string_view text);
  Row Fail(HistoryProblem problem, long number, int column, std::string_view cell = {});
  std::string ColumnName(int column) const;

  bool FStarted = false;
  long FHeaderLine = 0;
  bool FHeaderless = false;
  char FDelimiter = ',';
  PriceCellReader FPrices{PriceMark::FullStop};
  // Column positions; -1 where the file has no such column.
  int FHigh = -1;
  int FLow = -1;
  int FClose = -1;
  int FOpen = -1;
  int FDateColumn = -1;
  int FTimeColumn = -1;
  std::vector<std::string> FNames;  // the header's names of the columns read, as written
  std::size_t FCellsNeeded = 0;     // how many cells of a row the columns above need
  std::vector<std::string_view> FCells;
  bool FMayHoldNul = false;  // whether the price cells of the row may hold a NUL byte
  bool FOpenAndClose = false;
  std::optional<PlainRowLayout> FPlain;
  std::string_view FDate;
  std::string_view FTime;
  HistoryError FError;
  long FRowsWithoutPrices = 0;
  std::vector<long> FSkippedLines;
};

}  // namespace zentarix
