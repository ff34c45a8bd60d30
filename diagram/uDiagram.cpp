#include "diagram/uDiagram.h"

#include <utility>

#include "diagram/diagram_geometry.h"
#include "diagram/diagram_labels.h"

namespace zentarix {

namespace {

constexpr std::int32_t Margin = DiagramMargin;
// A band label stands 13 rows above the band's top edge or 1 row below its bottom edge; a
// level label 1 pixel right of and below the end of its leg.
constexpr std::int32_t AboveBand = -13;
constexpr std::int32_t BelowBand = 1;
constexpr std::int32_t LevelLabelOffset = 1;

using Ops = std::vector<CanvasOp>;

void AddMoveAndBands(Ops& ops, const DiagramGeometry& g) {
  ops.push_back(CanvasOp::MoveTo(g.PointA.X, g.PointA.Y));
  ops.push_back(CanvasOp::LineTo(g.PointB.X, g.PointB.Y));
  ops.push_back(CanvasOp::SetBrushColor(BandColor));
  ops.push_back(CanvasOp::FillRect(g.Column(1), g.F3Band.Top, g.Column(3), g.F3Band.Bottom));
  ops.push_back(CanvasOp::MoveTo(g.PointB.X, g.PointB.Y));
  ops.push_back(CanvasOp::LineTo(g.Column(2), g.F3Row));
  ops.push_back(CanvasOp::SetBrushColor(BandColor));
  ops.push_back(CanvasOp::FillRect(g.Column(3), g.F5Band.Top, g.Column(5), g.F5Band.Bottom));
  ops.push_back(CanvasOp::MoveTo(g.PointB.X, g.PointB.Y));
  ops.push_back(CanvasOp::LineTo(g.Column(4), g.F5Row));
}

void AddBandLabels(Ops& ops, const DiagramGeometry& g, DiagramLabels& labels) {
  const std::int32_t f3Column = g.Column(1);
  const std::int32_t f5Column = g.Column(3);
  ops.push_back(
      CanvasOp::TextOut(f3Column, Plus(g.F3Band.Top, AboveBand), std::move(labels.UpperF3)));
  ops.push_back(
      CanvasOp::TextOut(f3Column, Plus(g.F3Band.Bottom, BelowBand), std::move(labels.LowerF3)));
  ops.push_back(
      CanvasOp::TextOut(f5Column, Plus(g.F5Band.Top, AboveBand), std::move(labels.UpperF5)));
  ops.push_back(
      CanvasOp::TextOut(f5Column, Plus(g.F5Band.Bottom, BelowBand), std::move(labels.LowerF5)));
}

void AddLevel50(Ops& ops, std::int32_t W, const DiagramGeometry& g, DiagramLabels& labels) {
  ops.push_back(CanvasOp::SetPenColor(DiagramRed));
  ops.push_back(CanvasOp::MoveTo(Margin, g.Row50));
  ops.push_back(CanvasOp::LineTo(Minus(W, Margin), g.Row50));
  ops.push_back(CanvasOp::TextOut(Margin, Plus(g.Row50, AboveBand), std::move(labels.Level50)));
}

void AddPointLabels(Ops& ops, const DiagramGeometry& g, DiagramLabels& labels) {
  const std::int32_t f3X = Plus(g.Column(2), LevelLabelOffset);
  const std::int32_t f5X = Plus(g.Column(4), LevelLabelOffset);
  ops.push_back(CanvasOp::SetFontStyle(fsBold));
  ops.push_back(CanvasOp::TextOut(g.PointA.X, g.PointA.Y, std::move(labels.A)));
  ops.push_back(CanvasOp::TextOut(g.PointB.X, g.PointB.Y, std::move(labels.B)));
  ops.push_back(CanvasOp::TextOut(f3X, Plus(g.F3Row, LevelLabelOffset), std::move(labels.F3)));
  ops.push_back(CanvasOp::TextOut(f5X, Plus(g.F5Row, LevelLabelOffset), std::move(labels.F5)));
}

void AddDiagram(Ops& ops, std::int32_t W, std::int32_t H, const TCalcItem& item,
                MoveDirection direction, TColor entryBrush) {
  const DiagramGeometry g = LayOutDiagram(W, H, item, direction);
  DiagramLabels labels = MakeDiagramLabels(item, direction);
  AddMoveAndBands(ops, g);
  // Every label is drawn on the drawing area's own colour.
  ops.push_back(CanvasOp::SetBrushColor(entryBrush));
  AddBandLabels(ops, g, labels);
  AddLevel50(ops, W, g, labels);
  AddPointLabels(ops, g, labels);
}

}  // namespace

std::vector<CanvasOp> BuildDiagramOps(std::int32_t W, std::int32_t H, const TCalcItem& item,
                                      TColor entryBrush, TColor entryFont) {
  constexpr std::size_t FullListLength = 27;
  Ops ops;
  ops.reserve(FullListLength);
  ops.push_back(CanvasOp::SetPenColor(DiagramBlack));
  const MoveDirection direction = DirectionOf(item);
  if (direction != MoveDirection::None) AddDiagram(ops, W, H, item, direction, entryBrush);
  // Leaves the pen black for whatever draws next, and the font colour as it was found.
  ops.push_back(CanvasOp::SetPenColor(DiagramBlack));
  ops.push_back(CanvasOp::SetTextColor(entryFont));
  return ops;
}

}  // namespace zentarix
