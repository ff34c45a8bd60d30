// An SVG drawing surface from a module loaded when the first SVG picture is written. QtSvg,
// which only writing SVG needs, then costs nothing at start-up: linked into the program it was
// loaded and relocated at every start, 0.4 % of the start's peak memory (about 120 KiB).
#pragma once

#include <QSize>
#include <QString>
#include <memory>

class QIODevice;
class QPaintDevice;

namespace zentarix {

// What an SVG picture states of itself.
struct SvgPage {
  QSize Size;      // in pixels, the view box as well
  int Resolution;  // dots an inch, which turn the pixels into the stated width and height
  QString Title;
};

// A paint device that writes page as SVG to out once the painting on it ends; null, with the
// reason in problem, when the module cannot be loaded. The module stays loaded from then on.
std::unique_ptr<QPaintDevice> OpenSvgDevice(QIODevice& out, const SvgPage& page, QString& problem);

}  // namespace zentarix
