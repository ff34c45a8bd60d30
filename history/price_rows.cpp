#include "history/price_rows.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "calc/uFloatEnv.h"
#include "calc/utf8.h"
#include "calc/x87.h"

namespace zentarix {

namespace {

using plain_row::IsBlank;

std::string_view TrimmedAround(std::string_view cell) {
  while (!cell.empty() && IsBlank(cell.front())) cell.remove_prefix(1);
  while (!cell.empty() && IsBlank(cell.back())) cell.remove_suffix(1);
  // Spreadsheets quote a cell that holds the delimiter, as a grouped price or a name may.
  if (cell.size() >= 2 && cell.front() == '"' && cell.back() == '"') {
    cell = cell.substr(1, cell.size() - 2);
    while (!cell.empty() && cell.front() == ' ') cell.remove_prefix(1);
    while (!cell.empty() && cell.back() == ' ') cell.remove_suffix(1);
  }
  return cell;
}

// Inline, as nearly every cell has neither blanks nor quotes around it.
inline std::string_view Trimmed(std::string_view cell) {
  if (!cell.empty() && !IsBlank(cell.front()) && !IsBlank(cell.back()) && cell.front() != '"') {
    return cell;
  }
  return TrimmedAround(cell);
}

// "<HIGH>", "\"High\"" and "High" are one name.
std::string NameKey(std::string_view cell) {
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

// Where the cell at the start of line ends: at the delimiter after it, or npos at the line's
// end. A quoted cell may hold the delimiter: it runs to the quote that closes it. Cells are a
// few bytes long, too short for a call to memchr to pay.
std::size_t CellEnd(std::string_view line, char delimiter) {
  std::size_t at = 0;
  while (at < line.size() && IsBlank(line[at]) && line[at] != delimiter) ++at;
  if (at < line.size() && line[at] == '"') {
    const std::size_t closing = line.find('"', at + 1);
    if (closing != std::string_view::npos) at = closing;
  }
  for (; at < line.size(); ++at) {
    if (line[at] == delimiter) return at;
  }
  return std::string_view::npos;
}

// The cells of the header line, untrimmed.
void SplitHeader(std::string_view line, char delimiter, std::vector<std::string_view>& cells) {
  cells.clear();
  while (true) {
    const std::size_t end = CellEnd(line, delimiter);
    cells.push_back(line.substr(0, end));
    if (end == std::string_view::npos) return;
    line.remove_prefix(end + 1);
  }
}

// The first cells of a row, untrimmed, into cells (as many as it holds), a quoted cell running
// to its closing quote; returns how many the row has of them.
std::size_t SplitQuotedRow(std::string_view line, char delimiter,
                           std::vector<std::string_view>& cells) {
  std::size_t count = 0;
  while (count < cells.size()) {
    const std::size_t end = CellEnd(line, delimiter);
    cells[count++] = line.substr(0, end);
    if (end == std::string_view::npos) break;
    line.remove_prefix(end + 1);
  }
  return count;
}

// SplitQuotedRow for a row without quotes, sixteen bytes at a time: nearly every row of a long
// file, where the cells before the last one needed are most of the row's bytes. Every byte of
// the cells returned is looked at, with a few after them: a quote there sends the row to
// SplitQuotedRow, which splits the cells before it the same way, and mayHoldNul comes out
// false only where none of the bytes is a NUL.
std::size_t SplitRow(std::string_view line, char delimiter, std::vector<std::string_view>& cells,
                     bool& mayHoldNul) {
  const __m128i delimiters = _mm_set1_epi8(delimiter);
  const __m128i quotes = _mm_set1_epi8('"');
  const __m128i nuls = _mm_setzero_si128();
  const char* const data = line.data();
  const std::size_t size = line.size();
  std::string_view* const out = cells.data();
  const std::size_t wanted = cells.size();
  bool quote = false;
  bool nul = false;
  std::size_t count = 0;
  std::size_t start = 0;
  std::size_t at = 0;
  for (; count < wanted && at + 16 <= size; at += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
    quote = quote || _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, quotes)) != 0;
    nul = nul || _mm_movemask_epi8(_mm_cmpeq_epi8(bytes, nuls)) != 0;
    for (auto found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, delimiters)));
         found != 0 && count < wanted; found &= found - 1) {
      const std::size_t end = at + static_cast<std::size_t>(__builtin_ctz(found));
      out[count++] = std::string_view(data + start, end - start);
      start = end + 1;
    }
  }
  for (; count < wanted && at < size; ++at) {
    const char ch = data[at];
    quote = quote || ch == '"';
    nul = nul || ch == '\0';
    if (ch != delimiter) continue;
    out[count++] = std::string_view(data + start, at - start);
    start = at + 1;
  }
  if (quote) {
    mayHoldNul = std::memchr(data, '\0', size) != nullptr;
    return SplitQuotedRow(line, delimiter, cells);
  }
  if (count < wanted) out[count++] = std::string_view(data + start, size - start);
  mayHoldNul = nul;
  return count;
}

// IsValidUtf8, with the ASCII cells of nearly every row answered without a call.
bool IsValidText(std::string_view cell) {
  unsigned char high = 0;
  for (const char ch : cell) high |= static_cast<unsigned char>(ch);
  return high < 0x80 || IsValidUtf8(cell);
}

HistoryProblem ProblemOf(PriceProblem problem) {
  switch (problem) {
    case PriceProblem::Ambiguous:
      return HistoryProblem::Ambiguous;
    case PriceProblem::NotPositive:
      return HistoryProblem::NotPositive;
    case PriceProblem::TooLarge:
      return HistoryProblem::TooLarge;
    case PriceProblem::TooSmall:
      return HistoryProblem::TooSmall;
    case PriceProblem::HoldsNul:
      return HistoryProblem::HoldsNul;
    case PriceProblem::None:
    case PriceProblem::NotANumber:
      break;
  }
  return HistoryProblem::NotANumber;
}

// Copies text to out, which has room for it: a bar's date of sixteen bytes or so as two
// overlapping moves rather than a call.
inline void CopyText(char* out, std::string_view text) {
  const char* const from = text.data();
  const std::size_t size = text.size();
  if (size >= 16 && size <= 32) {
    std::memcpy(out, from, 16);
    std::memcpy(out + size - 16, from + size - 16, 16);
  } else if (size >= 8 && size < 16) {
    std::memcpy(out, from, 8);
    std::memcpy(out + size - 8, from + size - 8, 8);
  } else if (size > 0) {
    // An empty cell may have no bytes at all behind it: memcpy must not see its null data.
    std::memcpy(out, from, size);
  }
}

// A bar's time as written: its date cell, and its time cell after a blank where the file has
// one. Nearly every row's cells are as long as the row before's, so time keeps its length.
void WriteTime(std::string_view date, std::string_view clock, bool hasClock, std::string& time) {
  const std::size_t length = date.size() + (hasClock ? 1 + clock.size() : 0);
  if (time.size() != length) time.resize(length);
  char* const out = time.data();
  CopyText(out, date);
  if (!hasClock) return;
  out[date.size()] = ' ';
  CopyText(out + date.size() + 1, clock);
}

}  // namespace

// Read for every row that ReadPlainRow leaves: the header, a blank row, and every row that is
// not plain or has a fault. Each may settle what plain rows are read by.
PriceRowReader::Row PriceRowReader::ReadAnyRow(std::string_view line, long number, Bar& bar) {
  const Row row = ReadGeneralRow(line, number, bar);
  SettlePlainLayout();
  return row;
}

PriceRowReader::Row PriceRowReader::ReadGeneralRow(std::string_view line, long number, Bar& bar) {
  if (Trimmed(line).empty()) return Row::Skipped;
  if (!FStarted) {
    FStarted = true;
    // A first line that is a price, even a bad one, starts a series of closes.
    PriceCellReader probe(PriceMark::FullStop);
    Extended value;
    const PriceProblem problem = probe.Read(Trimmed(line), value);
    FHeaderless = problem != PriceProblem::NotANumber && problem != PriceProblem::HoldsNul;
    if (!FHeaderless) return ReadHeader(line, number);
    FHigh = FLow = FClose = 0;
    FNames = {"Close"};
    FCellsNeeded = 1;
  }
  // A candle's cells may lie beyond those the range needs; a row short of them has none.
  FCells.resize(FOpenAndClose
                    ? std::max(FCellsNeeded, static_cast<std::size_t>(std::max(FOpen, FClose)) + 1)
                    : FCellsNeeded);
  // A NUL byte would end a number early, so a line that may hold one has its prices checked
  // for it.
  std::size_t count = 1;
  if (FHeaderless) {
    FCells[0] = line;
    FMayHoldNul = std::memchr(line.data(), '\0', line.size()) != nullptr;
  } else {
    count = SplitRow(line, FDelimiter, FCells, FMayHoldNul);
  }
  return ReadCells(number, count, bar);
}

// The plain row, read here where no other thread read it ahead. A row with any fault is left to
// the general way, which reads it from the start as if this had not looked at it.
bool PriceRowReader::ReadPlain(std::string_view line, long number, Bar& bar) {
  // One word for the row's prices rather than one per cell; the word is the caller's again
  // before the bar goes on to its arithmetic.
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  PlainRow row;
  if (!ReadPlainRow(*FPlain, line, row)) return false;
  TakePlainRow(line, number, row, bar);
  return true;
}

void PriceRowReader::TakePlainRow(std::string_view line, long number, const PlainRow& row,
                                  Bar& bar) {
  bar.High = row.High;
  bar.Low = row.Low;
  FDate = std::string_view(line.data() + row.DateStart, row.DateSize);
  FTime = std::string_view(line.data() + row.TimeStart, row.TimeSize);
  bar.Line = number;
  WriteTime(FDate, FTime, FTimeColumn >= 0, bar.Time);
}

// Plain rows need the header read, the mark decided, and no candles: a row's open and close
// take the general way.
void PriceRowReader::SettlePlainLayout() {
  FPlain.reset();
  if (!FStarted || FHeaderless || FOpenAndClose || FHigh < 0 || FCellsNeeded > PlainCellsMax ||
      FPrices.Mark() == PriceMark::Undecided) {
    return;
  }
  PlainRowLayout layout;
  layout.Delimiter = FDelimiter;
  layout.Mark = FPrices.Mark() == PriceMark::Comma ? ',' : '.';
  layout.Cells = static_cast<std::uint8_t>(FCellsNeeded);
  layout.High = static_cast<std::int8_t>(FHigh);
  layout.Low = static_cast<std::int8_t>(FLow);
  layout.Date = static_cast<std::int8_t>(FDateColumn);
  layout.Time = static_cast<std::int8_t>(FTimeColumn);
  FPlain = layout;
}

PriceRowReader::Row PriceRowReader::ReadHeader(std::string_view line, long number) {
  FHeaderLine = number;
  FDelimiter = line.find('\t') != std::string_view::npos  ? '\t'
               : line.find(';') != std::string_view::npos ? ';'
                                                          : ',';
  // A comma cannot be the decimal mark where it parts the cells.
  FPrices = PriceCellReader(FDelimiter == ',' ? PriceMark::FullStop : PriceMark::Undecided);
  SplitHeader(line, FDelimiter, FCells);
  for (int column = 0; column < static_cast<int>(FCells.size()); ++column) {
    const std::string_view cell = Trimmed(FCells[static_cast<std::size_t>(column)]);
    FNames.emplace_back(IsValidUtf8(cell) ? cell : std::string_view("?"));
    const std::string name = NameKey(cell);
    if (name == "high") FHigh = column;
    if (name == "low") FLow = column;
    if (FClose < 0 && (name == "close" || name == "price" || name == "last")) FClose = column;
    if (FOpen < 0 && name == "open") FOpen = column;
    if (FDateColumn < 0 && (name == "date" || name == "datetime" || name == "timestamp" ||
                            name == "gmt time" || name == "local time")) {
      FDateColumn = column;
    }
    if (name == "time") FTimeColumn = column;
  }
  // A Time column alone holds the whole instant.
  if (FDateColumn < 0) std::swap(FDateColumn, FTimeColumn);
  // Without both ends of the range, the close is the whole bar.
  if (FHigh < 0 || FLow < 0) FHigh = FLow = FClose;
  if (FHigh < 0) return Fail(HistoryProblem::NoPriceColumn, number, -1);
  const int last = std::max({FHigh, FLow, FDateColumn, FTimeColumn});
  FCellsNeeded = static_cast<std::size_t>(last) + 1;
  return Row::Skipped;
}

PriceRowReader::Row PriceRowReader::ReadCells(long number, std::size_t count, Bar& bar) {
  if (count < FCellsNeeded) {
    Fail(HistoryProblem::TooFewCells, number, -1);
    FError.Count = static_cast<long>(count);
    FError.Needed = static_cast<long>(FCellsNeeded);
    return Row::Error;
  }
  const auto cell = [this](int column) {
    return column < 0 ? std::string_view() : Trimmed(FCells[static_cast<std::size_t>(column)]);
  };
  const std::string_view high = cell(FHigh);
  const std::string_view low = FLow == FHigh ? high : cell(FLow);
  if (high.empty() || low.empty() || IsNull(high) || IsNull(low)) {
    if (FSkippedLines.size() < SkippedLinesKept) FSkippedLines.push_back(number);
    ++FRowsWithoutPrices;
    return Row::Skipped;
  }
  PriceProblem problem = FPrices.Read(high, bar.High, !FMayHoldNul);
  if (problem != PriceProblem::None) return FailPrice(problem, number, FHigh, high);
  if (FLow == FHigh) {
    bar.Low = bar.High;
  } else {
    problem = FPrices.Read(low, bar.Low, !FMayHoldNul);
    if (problem != PriceProblem::None) return FailPrice(problem, number, FLow, low);
  }
  if (bar.High < bar.Low) {
    Fail(HistoryProblem::HighBelowLow, number, -1, high);
    FError.Other = low;
    return Row::Error;
  }
  FDate = cell(FDateColumn);
  FTime = cell(FTimeColumn);
  if (!IsValidText(FDate)) return Fail(HistoryProblem::NotUtf8, number, FDateColumn);
  if (!IsValidText(FTime)) return Fail(HistoryProblem::NotUtf8, number, FTimeColumn);
  bar.Line = number;
  bar.Time.assign(FDate);
  if (FTimeColumn >= 0) bar.Time.append(" ").append(FTime);
  if (FOpenAndClose) ReadCandle(count, bar);
  return Row::Bar;
}

// Read with a copy of the prices' reader: a candle's cell never decides the file's decimal
// mark, which the range's cells decided in the first reading.
void PriceRowReader::ReadCandle(std::size_t count, Bar& bar) {
  const auto price = [&](int column) {
    const auto index = static_cast<std::size_t>(std::max(column, 0));
    PriceCellReader reader = FPrices;
    Extended value = 0;
    if (column < 0 || index >= count ||
        reader.Read(Trimmed(FCells[index]), value, !FMayHoldNul) != PriceProblem::None) {
      return Extended{0};
    }
    return value;
  };
  bar.Open = price(FOpen);
  bar.Close = price(FClose);
}

PriceRowReader::Row PriceRowReader::FailPrice(PriceProblem problem, long number, int column,
                                              std::string_view text) {
  if (problem != PriceProblem::HoldsNul && !IsValidUtf8(text)) {
    return Fail(HistoryProblem::NotUtf8, number, column);
  }
  return Fail(ProblemOf(problem), number, column,
              problem == PriceProblem::HoldsNul ? std::string_view() : text);
}

PriceRowReader::Row PriceRowReader::Fail(HistoryProblem problem, long number, int column,
                                         std::string_view cell) {
  FError = HistoryError();
  FError.Problem = problem;
  FError.Line = number;
  if (column >= 0) FError.Column = ColumnName(column);
  FError.Cell = cell;
  return Row::Error;
}

std::string PriceRowReader::ColumnName(int column) const {
  return column >= 0 && static_cast<std::size_t>(column) < FNames.size()
             ? FNames[static_cast<std::size_t>(column)]
             : std::string();
}

}  // namespace zentarix
