#include "diagram/line_raster.h"

#include <algorithm>
#include <cstdlib>

namespace zentarix {

namespace {

// The start offset along the line needs k x (shorter side) with k and the side up to 2^60.
__extension__ using Wide = __int128;

// The line seen along its longer (major) and shorter (minor) axis.
struct Axes {
  bool XMajor = true;
  std::int64_t Major0 = 0, Minor0 = 0;  // start pixel
  std::int64_t Steps = 0;               // pixels along the major axis, end excluded
  std::int64_t Across = 0;              // |minor delta|
  int MajorSign = 1, MinorSign = 1;
  std::int64_t MajorLimit = 0, MinorLimit = 0;  // area size along each axis
};

int SignOf(std::int64_t v) { return v < 0 ? -1 : 1; }

Axes AxesOf(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, std::int32_t width,
            std::int32_t height) {
  const std::int64_t dx = x1 - x0;
  const std::int64_t dy = y1 - y0;
  Axes a;
  a.XMajor = std::llabs(dx) >= std::llabs(dy);
  const std::int64_t dMajor = a.XMajor ? dx : dy;
  const std::int64_t dMinor = a.XMajor ? dy : dx;
  a.Major0 = a.XMajor ? x0 : y0;
  a.Minor0 = a.XMajor ? y0 : x0;
  a.Steps = std::llabs(dMajor);
  a.Across = std::llabs(dMinor);
  a.MajorSign = SignOf(dMajor);
  a.MinorSign = SignOf(dMinor);
  a.MajorLimit = a.XMajor ? width : height;
  a.MinorLimit = a.XMajor ? height : width;
  return a;
}

// The steps k in [0, Steps) whose major coordinate Major0 + MajorSign k lies in the area.
std::pair<std::int64_t, std::int64_t> VisibleSteps(const Axes& a) {
  std::int64_t first = 0;
  std::int64_t last = a.Steps - 1;
  if (a.MajorSign > 0) {
    first = std::max(first, -a.Major0);
    last = std::min(last, a.MajorLimit - 1 - a.Major0);
  } else {
    first = std::max(first, a.Major0 - (a.MajorLimit - 1));
    last = std::min(last, a.Major0);
  }
  return {first, last};
}

void AddRun(const Axes& a, std::int64_t major, std::int64_t minor, std::int64_t length,
            std::vector<PixelRun>& runs) {
  if (minor < 0 || minor >= a.MinorLimit || length == 0) return;
  // A run grows from its first pixel in the major direction; store it by its top-left one.
  const std::int64_t low = a.MajorSign > 0 ? major : major - length + 1;
  const auto m = static_cast<std::int32_t>(low);
  const auto n = static_cast<std::int32_t>(minor);
  const auto len = static_cast<std::int32_t>(length);
  runs.push_back(a.XMajor ? PixelRun{m, n, len, 1} : PixelRun{n, m, 1, len});
}

}  // namespace

void RasterizeLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   std::int32_t width, std::int32_t height, std::vector<PixelRun>& runs) {
  const Axes a = AxesOf(x0, y0, x1, y1, width, height);
  const auto [first, last] = VisibleSteps(a);
  if (a.Steps == 0 || first > last) return;

  // The offset across at step k is floor((2 k Across + Steps) / (2 Steps)): k x Across / Steps
  // rounded half up. Kept as quotient and remainder, it advances by 2 Across per step.
  const std::int64_t denominator = 2 * a.Steps;
  const Wide start = Wide{2} * first * a.Across + a.Steps;
  auto offset = static_cast<std::int64_t>(start / denominator);
  auto remainder = static_cast<std::int64_t>(start % denominator);

  std::int64_t runStart = a.Major0 + a.MajorSign * first;
  std::int64_t runLength = 0;
  for (std::int64_t k = first; k <= last; ++k) {
    ++runLength;
    remainder += 2 * a.Across;
    // With Across <= Steps the offset grows by at most one per step.
    if (remainder < denominator && k < last) continue;
    AddRun(a, runStart, a.Minor0 + a.MinorSign * offset, runLength, runs);
    if (remainder >= denominator) {
      remainder -= denominator;
      ++offset;
    }
    runStart += a.MajorSign * runLength;
    runLength = 0;
  }
}

}  // namespace zentarix
