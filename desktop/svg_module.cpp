// The SVG writer, built as a module of its own (libzentarix_svg.so) that the program loads on
// first use: see desktop/svg_device.h. Its one function makes Qt's SVG generator.
#include <QIODevice>
#include <QString>
#include <QSvgGenerator>

extern "C" Q_DECL_EXPORT QPaintDevice* zentarix_new_svg_device(QIODevice* out, int width,
                                                               int height, int resolution,
                                                               const QString* title) {
  auto* generator = new QSvgGenerator;
  generator->setOutputDevice(out);
  generator->setSize(QSize(width, height));
  generator->setViewBox(QRect(0, 0, width, height));
  generator->setResolution(resolution);
  generator->setTitle(*title);
  return generator;
}
