// A glyph bitmap holds 1 to 4 images of equal width side by side: up, disabled, down and
// latched. The colour of the bitmap's bottom-left pixel is transparent in every image.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QString>

namespace zentarix {

enum class GlyphImage { Up = 0, Disabled = 1, Down = 2, Latched = 3 };

// numGlyphs brought into 1..4.
int ValidNumGlyphs(int numGlyphs);

// The image of the given kind cut from glyph, with the transparent colour cleared; a null
// image when glyph is null or holds fewer images than the kind needs.
QImage CutGlyphImage(const QImage& glyph, int numGlyphs, GlyphImage kind);

// image with its opaque black pixels in ink: a black arrow drawn on a dark desktop's button
// face would hardly show, so the arrows take the palette's button-text colour.
QImage InkedGlyph(QImage image, QColor ink);

// The image at path read by Qt's own reader for format ("BMP", "PNG"), or a null pixmap. Qt
// would otherwise load each of its image plugins (GIF, ICO, JPEG with the JPEG library) to ask
// whether it reads the file, even with the format named, before it used its own reader.
QPixmap ReadPixmap(const QString& path, const char* format);

}  // namespace zentarix
