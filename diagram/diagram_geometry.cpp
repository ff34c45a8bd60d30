#include "diagram/diagram_geometry.h"

#include <algorithm>
#include <cassert>
#include <cmath>

#include "calc/uFloatEnv.h"

namespace zentarix {

namespace {

constexpr std::int32_t Margin = DiagramMargin;
constexpr std::int32_t StepDivisor = 6;
constexpr std::int32_t MinBandRows = 20;

}  // namespace

std::int32_t LevelOffset(std::int32_t span, Extended factor) {
  // The int32 span converts to extended exactly; the x87 multiply rounds the product to the
  // 64-bit significand, and RoundToInteger rounds that to nearest, ties to even.
  const Extended product = static_cast<Extended>(span) * factor;
  return static_cast<std::int32_t>(RoundToInteger(product));
}

std::int32_t CorridorHalfHeight(std::int32_t span, double noise) {
  const Extended product = static_cast<Extended>(span) * static_cast<Extended>(noise);
  if (std::isnan(product)) return 0;
  // The bound is an integer, so holding before rounding equals rounding before holding.
  constexpr Extended Bound = MaxHalfHeight;
  const Extended held = std::clamp(product, -Bound, Bound);
  return static_cast<std::int32_t>(RoundToInteger(held));
}

BandRows CorridorBand(std::int32_t row, std::int32_t halfHeight) {
  const BandRows normal{Minus(row, halfHeight), Plus(row, halfHeight)};
  if (Minus(normal.Bottom, normal.Top) < MinBandRows) {
    return {Minus(row, MinBandRows / 2), Plus(row, MinBandRows / 2)};
  }
  return normal;
}

MoveDirection DirectionOf(const TCalcItem& item) {
  if (item.ValueA > item.ValueB) return MoveDirection::Falling;
  if (item.ValueA < item.ValueB) return MoveDirection::Rising;
  return MoveDirection::None;
}

DiagramGeometry LayOutDiagram(std::int32_t W, std::int32_t H, const TCalcItem& item,
                              MoveDirection direction) {
  // A flat move has no geometry: its diagram draws nothing.
  assert(direction != MoveDirection::None);
  const bool falling = direction == MoveDirection::Falling;
  const std::int32_t bottomRow = Minus(H, Margin);
  const std::int32_t span = Minus(bottomRow, Margin);

  DiagramGeometry g;
  g.Step = W / StepDivisor;
  // A on one margin row, B on the other; F3 lies 0.382 of the span away from B's row and F5
  // 0.618 of it, measured from the top margin as 0.618 / 0.382 when falling.
  g.PointA = {Margin, falling ? Margin : bottomRow};
  g.PointB = {g.Column(1), falling ? bottomRow : Margin};
  g.F3Row = Plus(Margin, LevelOffset(span, falling ? Factor0618 : Factor0382));
  g.F5Row = Plus(Margin, LevelOffset(span, falling ? Factor0382 : Factor0618));
  g.Row50 = Plus(Margin, LevelOffset(span, Factor0500));

  const std::int32_t halfHeight = CorridorHalfHeight(span, item.Noise);
  g.F3Band = CorridorBand(g.F3Row, halfHeight);
  g.F5Band = CorridorBand(g.F5Row, halfHeight);
  return g;
}

}  // namespace zentarix
