// The row that nearly every line of a long price file is, read by the file's layout alone:
//
//   layout: delimiter ',', mark '.', 4 cells, Date 0, High 2, Low 3
//   "2024-01-02 10:00,101.5,103.2,100.9,102.7,51200"  -> High 103.2, Low 100.9,
//                                                        date cell at 0, 16 bytes
//   "2024-01-02 10:00,101.5,\"103.2\",100.9,..."       -> not plain (a quote)
//
// A plain row has no quote, NUL or byte beyond ASCII before its last needed cell ends, no blank
// around its date and time cells, and prices that are short plain numbers in the file's known
// mark, positive, within the double's range, the high not below the low. Every other row is
// left to PriceRowReader's general way, which reads it from the start. The reading depends on
// the row and the layout only, so a second thread may read rows ahead (BlockReadAhead).
#pragma once

#include <emmintrin.h>

#include <cfloat>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

#include "calc/extended.h"
#include "calc/number_scan.h"
#include "history/plain_decimal.h"

namespace zentarix {

// The most cells a plain row may need; a file whose columns lie further takes the general way.
inline constexpr std::size_t PlainCellsMax = 16;

// What a plain row is read by: settled once the header is read and the mark decided.
struct PlainRowLayout {
  char Delimiter = ',';
  char Mark = '.';
  std::uint8_t Cells = 1;  // how many cells the columns below need, 1 to PlainCellsMax
  std::int8_t High = 0;
  std::int8_t Low = 0;
  std::int8_t Date = -1;  // -1: no such column
  std::int8_t Time = -1;
  bool operator==(const PlainRowLayout&) const = default;
};

// A plain row's prices, and where its date and time cells lie in the line (empty where the
// file has no such column).
struct PlainRow {
  Extended High = 0;
  Extended Low = 0;
  std::uint32_t DateStart = 0;
  std::uint32_t DateSize = 0;
  std::uint32_t TimeStart = 0;
  std::uint32_t TimeSize = 0;
};

namespace plain_row {

inline bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

inline bool IsUntrimmed(const char* cell, std::size_t size) {
  return size == 0 || (!IsBlank(cell[0]) && !IsBlank(cell[size - 1]));
}

// Where each of the first `needed` cells of a row without quotes ends: at its delimiter, the
// last one perhaps at the line's end. False where the line has fewer cells, or a quote, a NUL
// or a byte beyond ASCII lies before the last cell's end. Sixteen bytes at a time; the line
// (sixteen bytes at least) is read no further than its end.
inline bool FindCells(std::string_view line, char delimiter, std::size_t needed,
                      std::size_t* ends) {
  const char* const data = line.data();
  const std::size_t size = line.size();
  const __m128i delimiters = _mm_set1_epi8(delimiter);
  const __m128i quotes = _mm_set1_epi8('"');
  const __m128i nuls = _mm_setzero_si128();
  std::size_t count = 0;
  for (std::size_t at = 0;;) {
    // The line's tail is read as its last sixteen bytes, those already seen shifted out.
    const std::size_t from = at < size - 16 ? at : size - 16;
    const auto shift = static_cast<unsigned>(at - from);
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
    auto found =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, delimiters))) >> shift;
    // A quote, a NUL, or a byte with its high bit set.
    auto odd =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(
            bytes, _mm_or_si128(_mm_cmpeq_epi8(bytes, quotes), _mm_cmpeq_epi8(bytes, nuls))))) >>
        shift;
    for (; found != 0 && count < needed; found &= found - 1) {
      ends[count++] = at + static_cast<std::size_t>(__builtin_ctz(found));
    }
    if (count == needed) {
      // Only the bytes before the last cell's delimiter count.
      odd &= (1u << static_cast<unsigned>(ends[needed - 1] - at)) - 1;
      return odd == 0;
    }
    if (odd != 0) return false;
    at += 16 - shift;
    if (at >= size) {
      if (count + 1 < needed) return false;
      ends[count] = size;
      return true;
    }
  }
}

inline constexpr Extended NoValue = std::numeric_limits<Extended>::quiet_NaN();

// The value of a cell that is a short plain number in the mark (scan::ScanShortNumber) and a
// price in range; a NaN for any other cell. Under fpu::ParseWord: the short scan gives the
// full parse's bits only under that word. readableStart: how far before the cell's end bytes
// may be read; from sixteen bytes back, a plain decimal cell is read sixteen bytes at once.
[[gnu::always_inline]] inline Extended PriceOrNaN(std::string_view cell, const char* readableStart,
                                                  char mark) {
  const char* const end = cell.data() + cell.size();
  std::uint64_t whole;
  int fractionDigits;
  if (end - readableStart >= 16 && !cell.empty() && cell.size() <= 16 &&
      ReadPlainDecimal(end, cell.size(), _mm_set1_epi8(mark), whole, fractionDigits)) {
    // Up to sixteen digits: a positive value below 10^16 and from 10^-15 on is a price in
    // range, so only zero is refused.
    if (whole == 0) return NoValue;
    // The short scan's scaling of the same digits: the exact whole divided by an exact power
    // of ten, rounded once, so the same bits as the scan of the same cell.
    return static_cast<Extended>(static_cast<std::int64_t>(whole)) /
           scan::ExactPowersOfTen[fractionDigits];
  }
  Extended value;
  if (scan::ScanShortNumber(cell.data(), end, static_cast<unsigned char>(mark), value) !=
      scan::ShortScan::Number) {
    return NoValue;
  }
  return value >= DBL_MIN && value <= DBL_MAX ? value : NoValue;
}

}  // namespace plain_row

// Reads line as a plain row by layout into row; false for any other line. Under fpu::ParseWord.
[[gnu::always_inline]] inline bool ReadPlainRow(const PlainRowLayout& layout, std::string_view line,
                                                PlainRow& row) {
  const std::size_t size = line.size();
  if (size < 16) return false;
  const char* const data = line.data();
  // Cell i runs from bounds[i] + 1 to bounds[i + 1]: the first starts after a delimiter that
  // would stand before the line.
  std::size_t bounds[PlainCellsMax + 1];
  bounds[0] = static_cast<std::size_t>(-1);
  if (!plain_row::FindCells(line, layout.Delimiter, layout.Cells, bounds + 1)) return false;
  // The index wraps to 0 before it moves the pointer: data - 1 would not exist.
  const auto start = [&](int column) { return bounds[static_cast<std::size_t>(column)] + 1; };
  const auto cellSize = [&](int column) {
    return bounds[static_cast<std::size_t>(column) + 1] - start(column);
  };
  if (layout.Date >= 0) {
    row.DateStart = static_cast<std::uint32_t>(start(layout.Date));
    row.DateSize = static_cast<std::uint32_t>(cellSize(layout.Date));
    if (!plain_row::IsUntrimmed(data + row.DateStart, row.DateSize)) return false;
  }
  if (layout.Time >= 0) {
    row.TimeStart = static_cast<std::uint32_t>(start(layout.Time));
    row.TimeSize = static_cast<std::uint32_t>(cellSize(layout.Time));
    if (!plain_row::IsUntrimmed(data + row.TimeStart, row.TimeSize)) return false;
  }
  const Extended high = plain_row::PriceOrNaN(
      std::string_view(data + start(layout.High), cellSize(layout.High)), data, layout.Mark);
  if (high != high) return false;
  const Extended low =
      layout.Low == layout.High
          ? high
          : plain_row::PriceOrNaN(std::string_view(data + start(layout.Low), cellSize(layout.Low)),
                                  data, layout.Mark);
  if (low != low || high < low) return false;
  row.High = high;
  row.Low = low;
  return true;
}

}  // namespace zentarix
