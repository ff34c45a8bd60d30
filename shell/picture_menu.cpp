#include "shell/picture_menu.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>
#include <utility>

#include "desktop/fixed_size_box.h"
#include "spin/error_report.h"

namespace zentarix {

PictureMenu::PictureMenu(QWidget& area, std::function<CanvasPicture()> picture, QString defaultName)
    : QObject(&area),
      DefaultName(std::move(defaultName)),
      FArea(area),
      FPicture(std::move(picture)),
      FCopy(QCoreApplication::translate("Main", "Копировать рисунок")),
      FSave(QCoreApplication::translate("Main", "Сохранить рисунок…")) {
  connect(&FCopy, &QAction::triggered, this, [this] { GuardEntry([this] { Copy(); }); });
  connect(&FSave, &QAction::triggered, this, [this] { GuardEntry([this] { AskAndSave(); }); });
  // Reached from anywhere in the window, and shown beside the entries; the fields' own context
  // menus stay theirs.
  FCopy.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D));
  FSave.setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  for (QAction* action : {&FCopy, &FSave}) {
    action->setShortcutContext(Qt::WindowShortcut);
    FArea.window()->addAction(action);
  }
  FArea.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&FArea, &QWidget::customContextMenuRequested, this,
          [this](QPoint position) { ShowMenu(position); });
}

// A name without either ending gets ".png".
QString PictureMenu::SaveTo(const QString& file) const {
  const bool named = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
                     file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
  return SaveCanvasPicture(named ? file : file + QStringLiteral(".png"), FPicture(),
                           FArea.devicePixelRatioF());
}

void PictureMenu::ShowMenu(QPoint position) {
  auto* menu = new QMenu(&FArea);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(&FCopy);
  menu->addAction(&FSave);
  menu->popup(FArea.mapToGlobal(position));
}

// At the device's resolution, so that a picture pasted on a HiDPI screen is as sharp as the
// window.
void PictureMenu::Copy() const {
  QGuiApplication::clipboard()->setImage(CanvasImage(FPicture(), FArea.devicePixelRatioF()));
}

void PictureMenu::AskAndSave() {
  const QString file = QFileDialog::getSaveFileName(
      FArea.window(), QCoreApplication::translate("Main", "Сохранить рисунок"), DefaultName,
      QStringLiteral("PNG (*.png);;SVG (*.svg)"));
  if (file.isEmpty()) return;
  const QString problem = SaveTo(file);
  if (problem.isEmpty()) return;
  QMessageBox box(QMessageBox::Warning, FArea.window()->windowTitle(),
                  QCoreApplication::translate("Main", "Рисунок не сохранён: %1").arg(problem),
                  QMessageBox::Ok, FArea.window());
  PrepareFixedSizeBox(box);
  box.exec();
}

}  // namespace zentarix
