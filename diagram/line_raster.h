// The pixels of a 1-pixel line from a start point towards an end point, the end pixel itself
// excluded. Qt's own aliased lines leave out the bottom or right end whichever way they are
// drawn, which is not this rule for a line drawn upwards or leftwards.
#pragma once

#include <cstdint>
#include <vector>

namespace zentarix {

struct PixelRun {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Appends to runs the straight runs of the line that lie inside [0, width) x [0, height):
// horizontal runs for a line wider than tall, vertical ones otherwise, so that a line costs
// one run per step of its shorter side. Pixel k along the longer side stands
// k x (shorter side) / (longer side) pixels across from the start, rounded half away from
// the start. The work is bounded by the area, however far outside it the end points lie; a
// line from a point to itself paints nothing. The end points may lie anywhere within
// +-LineCoordinateLimit: far enough for a line's device pixels at any screen's scale.
inline constexpr std::int64_t LineCoordinateLimit = std::int64_t{1} << 59;
void RasterizeLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   std::int32_t width, std::int32_t height, std::vector<PixelRun>& runs);

}  // namespace zentarix
