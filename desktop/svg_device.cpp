#include "desktop/svg_device.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QPaintDevice>

namespace zentarix {

namespace {

using NewSvgDevice = QPaintDevice* (*)(QIODevice* out, int width, int height, int resolution,
                                       const QString* title);

const QString ModuleName = QStringLiteral("libzentarix_svg.so");

// Where the module is looked for: in its folder as installed, which ZENTARIX_MODULE_DIR names
// from the programs' folder (the build tree has the same layout), then in Qt's library paths,
// to which the tests add the build tree's module folder.
QStringList ModuleCandidates() {
  const QDir programs(QCoreApplication::applicationDirPath());
  QStringList candidates{
      QDir::cleanPath(programs.filePath(QStringLiteral(ZENTARIX_MODULE_DIR "/") + ModuleName))};
  for (const QString& path : QCoreApplication::libraryPaths()) {
    candidates << QDir(path).filePath(ModuleName);
  }
  return candidates;
}

// The module's maker, loaded on the first call. The devices it makes run its code, so it is
// never unloaded, and its handle lives to the end of the process: a static QLibrary would be
// destroyed after Qt's own record of the loaded libraries. A failure names the installed
// place, unless a module found elsewhere failed.
NewSvgDevice LoadNewSvgDevice(QString& problem) {
  static auto* const module = new QLibrary;
  static NewSvgDevice make = nullptr;
  if (make != nullptr) return make;
  const QStringList candidates = ModuleCandidates();
  QString failure;
  for (const QString& candidate : candidates) {
    if (!QFileInfo::exists(candidate)) continue;
    module->setFileName(candidate);
    make = reinterpret_cast<NewSvgDevice>(module->resolve("zentarix_new_svg_device"));
    if (make != nullptr) return make;
    failure = module->errorString();
  }
  problem = failure.isEmpty() ? candidates.front() + QStringLiteral(": no such file") : failure;
  return nullptr;
}

}  // namespace

std::unique_ptr<QPaintDevice> OpenSvgDevice(QIODevice& out, const SvgPage& page, QString& problem) {
  const NewSvgDevice make = LoadNewSvgDevice(problem);
  if (make == nullptr) return nullptr;
  return std::unique_ptr<QPaintDevice>(
      make(&out, page.Size.width(), page.Size.height(), page.Resolution, &page.Title));
}

}  // namespace zentarix
