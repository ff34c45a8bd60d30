#include "shell/diagram_menu.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QWidget>

#include "desktop/fixed_size_box.h"
#include "shell/diagram_picture.h"

namespace zentarix {

DiagramMenu::DiagramMenu(QWidget& area, const TCalcItem& item)
    : QObject(&area),
      FArea(area),
      FItem(item),
      FCopy(QCoreApplication::translate("Main", "Копировать рисунок")),
      FSave(QCoreApplication::translate("Main", "Сохранить рисунок…")) {
  connect(&FCopy, &QAction::triggered, this, [this] { Copy(); });
  connect(&FSave, &QAction::triggered, this, [this] { AskAndSave(); });
  FArea.setContextMenuPolicy(Qt::CustomContextMenu);
  connect(&FArea, &QWidget::customContextMenuRequested, this,
          [this](QPoint position) { ShowMenu(position); });
}

// A name without either ending gets ".png".
QString DiagramMenu::SaveTo(const QString& file) const {
  const bool named = file.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive) ||
                     file.endsWith(QLatin1String(".png"), Qt::CaseInsensitive);
  return SaveCanvasPicture(named ? file : file + QStringLiteral(".png"),
                           LevelDiagramPicture(FArea.size(), FArea.font(), FItem),
                           FArea.devicePixelRatioF());
}

void DiagramMenu::ShowMenu(QPoint position) {
  auto* menu = new QMenu(&FArea);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->addAction(&FCopy);
  menu->addAction(&FSave);
  menu->popup(FArea.mapToGlobal(position));
}

// At the device's resolution, so that a picture pasted on a HiDPI screen is as sharp as the
// window.
void DiagramMenu::Copy() const {
  QGuiApplication::clipboard()->setImage(CanvasImage(
      LevelDiagramPicture(FArea.size(), FArea.font(), FItem), FArea.devicePixelRatioF()));
}

void DiagramMenu::AskAndSave() {
  const QString file = QFileDialog::getSaveFileName(
      FArea.window(), QCoreApplication::translate("Main", "Сохранить рисунок"),
      QStringLiteral("zentarix.png"), QStringLiteral("PNG (*.png);;SVG (*.svg)"));
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
