// The level diagram as a picture: its operations for a drawing area of a size, replayed in
// the window's panel and written by the window's menu as PNG or SVG.
#pragma once

#include <QFont>
#include <QSize>

#include "calc/uCalcItem.h"
#include "desktop/canvas_picture.h"

namespace zentarix {

// The diagram of item for an area of this logical size, started with the area's colour
// clWhite as brush and clWindowText as font colour; font is the area's font.
CanvasPicture LevelDiagramPicture(QSize area, const QFont& font, const TCalcItem& item);

}  // namespace zentarix
