// What a painted level diagram may look like, whatever the record and the area's size: every
// pixel is the white background, the pale band colour, the pure red of the 50% line, or a grey
// of the black ink (lines and text, smoothed text included). A move draws both bands and the
// red line; a flat move (A equal to B) leaves the area white.
#pragma once

#include <QImage>
#include <string>

namespace zentarix::test {

// Empty when image shows such a diagram, else what is wrong and where.
std::string CheckDiagramPixels(const QImage& image, bool hasMove);

}  // namespace zentarix::test
