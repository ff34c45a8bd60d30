// The level diagram as an ordered list of canvas operations: the move from A to B, the two
// retracement legs, the two noise corridors, the red 50% line and the labels. Building the
// list needs no window; the shell replays it on the drawing area.
#pragma once

#include <cstdint>
#include <vector>

#include "calc/uCalcItem.h"
#include "diagram/canvas_op.h"

namespace zentarix {

// The explicit colours of the diagram.
inline constexpr TColor DiagramBlack = 0;
inline constexpr TColor DiagramRed = 255;
inline constexpr TColor BandColor = 200 | (200 << 8) | (255 << 16);  // 16763080

// The whole diagram for a drawing area of W x H pixels: 27 operations for a rising or falling
// move, 3 when A equals B. entryBrush and entryFont are the canvas's brush and font colours
// when the paint starts; the labels are drawn on entryBrush, and entryFont is set again at
// the end. The same inputs and the same locale marks give the same list (the labels are
// rendered under the global DecimalMark and GroupMark), and it never raises for any record.
std::vector<CanvasOp> BuildDiagramOps(std::int32_t W, std::int32_t H, const TCalcItem& item,
                                      TColor entryBrush, TColor entryFont);

}  // namespace zentarix
