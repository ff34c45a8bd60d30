#include "history/price_table.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "calc/number_parse.h"

namespace zentarix {

namespace {

constexpr Extended NoValue = std::numeric_limits<Extended>::quiet_NaN();

std::string_view Trimmed(std::string_view cell) {
  while (!cell.empty() && (cell.front() == ' ' || cell.front() == '\t')) cell.remove_prefix(1);
  while (!cell.empty() && (cell.back() == ' ' || cell.back() == '\t')) cell.remove_suffix(1);
  // Spreadsheets quote a cell that holds the delimiter; a price never does, a name may.
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
    cell = cell.substr(1, cell.size() - 2);
  }
  return cell;
}

// "<HIGH>" and "High" are one name.
std::string ColumnName(std::string_view cell) {
  std::string name;
  for (const char ch : Trimmed(cell)) {
    if (ch == '<' || ch == '>') continue;
    name += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
  }
  return name;
}

bool IsNull(std::string_view cell) {
  return cell.size() == 4 && (cell[0] | 0x20) == 'n' && (cell[1] | 0x20) == 'u' &&
         (cell[2] | 0x20) == 'l' && (cell[3] | 0x20) == 'l';
}

// The first `count` cells of the line (all of them for SIZE_MAX): the cells past the last
// column the table reads are not looked at. A quoted cell may hold the delimiter: it runs to
// the quote that closes it.
void SplitCells(std::string_view line, char delimiter, std::size_t count,
                std::vector<std::string_view>& cells) {
  cells.clear();
  while (cells.size() < count) {
    std::size_t from = 0;
    const std::size_t opening = line.find_first_not_of(" \t");
    if (opening != std::string_view::npos && line[opening] == '"') {
      const std::size_t closing = line.find('"', opening + 1);
      if (closing != std::string_view::npos) from = closing;
    }
    const std::size_t end = line.find(delimiter, from);
    cells.push_back(Trimmed(line.substr(0, end)));
    if (end == std::string_view::npos) return;
    line.remove_prefix(end + 1);
  }
}

}  // namespace

PriceTable::Row PriceTable::Read(std::string_view line, long number, Bar& bar) {
  if (Trimmed(line).empty()) return Row::Skipped;
  if (!FStarted) {
    FStarted = true;
    Extended close;
    FHeaderless = ReadPrice(Trimmed(line), close);
    if (!FHeaderless) return ReadHeader(line, number);
    FClose = 0;
  }
  if (FHeaderless) {
    FCells.assign(1, Trimmed(line));
  } else {
    SplitCells(line, FDelimiter, FCellsRead, FCells);
  }
  return ReadCells(number, bar);
}

PriceTable::Row PriceTable::ReadHeader(std::string_view line, long number) {
  FDelimiter = line.find('\t') != std::string_view::npos  ? '\t'
               : line.find(';') != std::string_view::npos ? ';'
                                                          : ',';
  SplitCells(line, FDelimiter, SIZE_MAX, FCells);
  for (int column = 0; column < static_cast<int>(FCells.size()); ++column) {
    const std::string name = ColumnName(FCells[static_cast<std::size_t>(column)]);
    if (name == "high") FHigh = column;
    if (name == "low") FLow = column;
    if (name == "close") FClose = column;
    if (name == "date" || name == "time" || name == "datetime" || name == "timestamp") {
      FTimeColumns.push_back(column);
    }
  }
  // Without both ends of the range, the close is the whole bar.
  if (FHigh < 0 || FLow < 0) FHigh = FLow = FClose;
  if (FHigh < 0) return Fail(number, "", "no High and Low columns and no Close column");
  int last = std::max(FHigh, FLow);
  for (const int column : FTimeColumns) last = std::max(last, column);
  FCellsRead = static_cast<std::size_t>(last) + 1;
  return Row::Skipped;
}

PriceTable::Row PriceTable::ReadCells(long number, Bar& bar) {
  const auto cell = [this](int column) {
    return static_cast<std::size_t>(column) < FCells.size()
               ? FCells[static_cast<std::size_t>(column)]
               : std::string_view();
  };
  const std::string_view high = cell(FHeaderless ? FClose : FHigh);
  const std::string_view low = cell(FHeaderless ? FClose : FLow);
  if (high.empty() || low.empty() || IsNull(high) || IsNull(low)) {
    ++FRowsWithoutPrices;
    return Row::Skipped;
  }
  const bool closeOnly = FHeaderless || FHigh == FClose;
  if (!ReadPrice(high, bar.High)) return NotANumber(number, closeOnly ? "Close" : "High", high);
  if (!ReadPrice(low, bar.Low)) return NotANumber(number, closeOnly ? "Close" : "Low", low);
  if (bar.High < bar.Low) {
    std::string problem = "High ";
    problem.append(high).append(" is below Low ").append(low);
    return Fail(number, "", problem);
  }
  bar.Line = number;
  bar.Time.clear();
  for (const int column : FTimeColumns) {
    if (!bar.Time.empty()) bar.Time += ' ';
    bar.Time += cell(column);
  }
  return Row::Bar;
}

PriceTable::Row PriceTable::Fail(long number, std::string_view column, std::string_view problem) {
  FError = "line ";
  FError += std::to_string(number);
  if (!column.empty()) FError.append(", column ").append(column);
  FError.append(": ").append(problem);
  return Row::Error;
}

PriceTable::Row PriceTable::NotANumber(long number, std::string_view column,
                                       std::string_view cell) {
  std::string problem = "\"";
  problem.append(cell).append("\" is not a number");
  return Fail(number, column, problem);
}

bool PriceTable::ReadPrice(std::string_view cell, Extended& value) const {
  value = ParseUnderMarkOr(cell, U'.', NoValue);
  // A file delimited by semicolons comes from a locale whose decimal mark is the comma.
  if (value != value && FDelimiter == ';') value = ParseUnderMarkOr(cell, U',', NoValue);
  return value == value;
}

}  // namespace zentarix
