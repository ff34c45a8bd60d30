// Where the parts of the level diagram stand for a drawing area of W x H pixels: the points
// of the move, the level rows and the two corridor bands. Only the order of A and B, the
// noise fraction and the size decide the geometry; the record's values appear in the labels.
#pragma once

#include <cstdint>

#include "calc/uCalcItem.h"

namespace zentarix {

// All coordinates are 32-bit pixels. Sums and differences wrap like plain 32-bit machine
// arithmetic, so that no size, however absurd, makes a step undefined.
constexpr std::int32_t Plus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t Minus(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}

// The margin on every side: A and B lie on the rows 30 and H - 30, the move starts in column
// 30, and the 50% line ends 30 pixels before the right edge.
inline constexpr std::int32_t DiagramMargin = 30;

// The largest corridor half-height drawn, 2^29 pixels: far beyond any drawing area (a Qt
// widget is at most 16777215 pixels tall), yet small enough that a band's edges, its label
// rows and its height stay inside the 32-bit range for every level row.
inline constexpr std::int32_t MaxHalfHeight = 1 << 29;

// R(f) for a level factor: span x factor formed in extended precision (rounded to its 64-bit
// significand, ties to even), then rounded to the nearest integer, ties to even. Never
// rounded to double in between, never truncated. |factor| <= 1 keeps the result in 32 bits.
std::int32_t LevelOffset(std::int32_t span, Extended factor);

// R(noise) for the corridors, the same two roundings. The record accepts any noise fraction
// (a long number being typed into the noise field, say 99999999999 tenths), and a product
// beyond the 32-bit or the 64-bit range would either keep a meaningless low half or make the
// integer conversion fail on every repaint. Instead the product is held within
// +-MaxHalfHeight before it is rounded: a huge corridor covers the whole area, a huge
// negative one gets the minimum band, and the paint never raises. A NaN fraction (never
// stored by the calculation) draws the minimum band too.
std::int32_t CorridorHalfHeight(std::int32_t span, double noise);

struct PixelPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

struct BandRows {
  std::int32_t Top = 0;
  std::int32_t Bottom = 0;  // one past the last row of the band
};

// A band of 2r rows around row y, but never fewer than 20 rows: any r below 10 (zero and
// negative values included) gives the rows y - 10 to y + 9.
BandRows CorridorBand(std::int32_t row, std::int32_t halfHeight);

enum class MoveDirection { None, Rising, Falling };

// Compared as doubles: A equal to B (+0.0 against -0.0 too) and a NaN on either side are no
// move.
MoveDirection DirectionOf(const TCalcItem& item);

struct DiagramGeometry {
  // Column k of the diagram, 30 + k x Step: the move ends in column 1, the F3 band spans
  // columns 1 to 3 with its leg ending in column 2, the F5 band columns 3 to 5 with its leg
  // ending in column 4.
  std::int32_t Column(int k) const { return Plus(DiagramMargin, k * Step); }

  std::int32_t Step = 0;  // W / 6, truncated
  PixelPoint PointA;      // start of the move
  PixelPoint PointB;      // end of the move
  std::int32_t F3Row = 0;
  std::int32_t F5Row = 0;
  std::int32_t Row50 = 0;
  BandRows F3Band;
  BandRows F5Band;
};

// The geometry of a rising or falling move (direction is not None).
DiagramGeometry LayOutDiagram(std::int32_t W, std::int32_t H, const TCalcItem& item,
                              MoveDirection direction);

}  // namespace zentarix
