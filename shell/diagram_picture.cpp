#include "shell/diagram_picture.h"

#include "diagram/uDiagram.h"

namespace zentarix {

CanvasPicture LevelDiagramPicture(QSize area, const QFont& font, const TCalcItem& item) {
  CanvasPicture picture;
  picture.Area = area;
  picture.Font = font;
  picture.Ops = BuildDiagramOps(area.width(), area.height(), item, clWhite, clWindowText);
  picture.Title = QStringLiteral("Zentarix");
  return picture;
}

}  // namespace zentarix
