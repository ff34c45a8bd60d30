#include "desktop/window_icon.h"

#include <QDir>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <utility>
#include <vector>

#include "spin/glyph.h"

namespace zentarix {

namespace {

// The images are read when the desktop asks for them, not held: the window system copies
// every size into the window's property once, when a window is made, and some 350 KiB of
// decoded pixels kept for the whole run would serve nothing after that.
class ResourceIconEngine : public QIconEngine {
 public:
  struct Image {
    QString Path;
    QSize Size;
  };

  explicit ResourceIconEngine(std::vector<Image> images) : FImages(std::move(images)) {}

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    if (FImages.empty()) return {};
    // The smallest image that covers the size asked for, else the largest.
    const Image* chosen = &FImages.back();
    for (const Image& image : FImages) {
      if (image.Size.width() >= size.width() && image.Size.height() >= size.height()) {
        chosen = &image;
        break;
      }
    }
    const QPixmap read = ReadPixmap(chosen->Path, "PNG");
    if (read.isNull() || read.size() == size) return read;
    return read.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  }

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    QList<QSize> sizes;
    for (const Image& image : FImages) sizes.append(image.Size);
    return sizes;
  }

  QIconEngine* clone() const override { return new ResourceIconEngine(FImages); }
  QString key() const override { return QStringLiteral("ResourceIconEngine"); }

 private:
  std::vector<Image> FImages;  // smallest first
};

}  // namespace

QIcon IconOfEverySize(const QString& folder) {
  std::vector<ResourceIconEngine::Image> images;
  const QDir files(folder);
  for (const QString& name : files.entryList({QStringLiteral("*.png")}, QDir::Files)) {
    // The header alone gives the size, with Qt's own PNG reader and no image plugin asked.
    QImageReader reader(files.filePath(name), "PNG");
    reader.setAutoDetectImageFormat(false);
    const QSize size = reader.size();
    if (size.isValid()) images.push_back({files.filePath(name), size});
  }
  std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) {
    return a.Size.width() * a.Size.height() < b.Size.width() * b.Size.height();
  });
  return QIcon(new ResourceIconEngine(std::move(images)));
}

}  // namespace zentarix
