// A picture as drawing operations, and the one writer of pictures: the diagram's and the
// chart's alike, painted in the window, put on the clipboard, saved from the window's menu and
// written by --chart. The picture is painted by the same replay as the window, so it shows what
// the window shows.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSize>
#include <QString>
#include <vector>

#include "desktop/canvas_replay.h"
#include "diagram/canvas_op.h"
#include "diagram/named_colors.h"

namespace zentarix {

struct CanvasPicture {
  QSize Area;  // in logical pixels
  QFont Font;  // the canvas font, whose size and styles the operations may change
  std::vector<CanvasOp> Ops;
  // The canvas colours the replay starts with, resolved for a white ground.
  TColor BrushColor = clWhite;
  TColor FontColor = clWindowText;
  QString Title;  // what an SVG file says it shows
};

// Replays picture on painter over what is there: the window's panel has its white ground.
void PaintCanvasPicture(QPainter& painter, const CanvasPicture& picture,
                        LineMode mode = LineMode::Pixels);

// The picture on a white ground, at ratio device pixels per logical pixel.
QImage CanvasImage(const CanvasPicture& picture, qreal ratio);

// Writes the picture to file: SVG, its lines as vector lines, when the name ends in ".svg"
// (in any case), else PNG at ratio device pixels per logical pixel. It is drawn in memory,
// then written to a temporary file beside it and renamed into place, so that a failure leaves
// no partial file and any earlier file of that name as it was. Returns what went wrong (the
// system's reason), empty on success.
QString SaveCanvasPicture(const QString& file, const CanvasPicture& picture, qreal ratio = 1);

}  // namespace zentarix
