// The diagram as a picture, for the chats, notes and reports traders paste levels into: on
// the clipboard at the device's resolution, or saved as PNG or SVG (by the name's ending). The
// picture is painted by the same replay as the window, so it shows what the window shows.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>

#include "calc/uCalcItem.h"

namespace zentarix {

// The diagram of an area of this logical size, at ratio device pixels per logical pixel.
QImage DiagramImage(QSize area, const QFont& font, const TCalcItem& item, qreal ratio);

// Saves the diagram into file: SVG when the name ends in ".svg", PNG otherwise (a name without
// either ending gets ".png"). It is written to a temporary file beside it and renamed into
// place, so a failure leaves no partial file. Returns what went wrong, empty on success.
QString SaveDiagramPicture(const QString& file, QSize area, const QFont& font,
                           const TCalcItem& item, qreal ratio);

}  // namespace zentarix
