// The diagram's context menu: the picture on the clipboard, or saved as PNG or SVG through a
// file dialog. A save that fails says so in a message box and leaves no partial file.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>

#include "calc/uCalcItem.h"

class QMenu;
class QWidget;

namespace zentarix {

class DiagramMenu : public QObject {
 public:
  // area is the diagram's paint box; item the record it shows, read when asked.
  DiagramMenu(QWidget& area, const TCalcItem& item);

  // "Копировать рисунок" and "Сохранить рисунок…".
  QAction* CopyPicture() { return &FCopy; }
  QAction* SavePicture() { return &FSave; }

  // Saves the picture the area shows into file, without a dialog; what went wrong, empty on
  // success.
  QString SaveTo(const QString& file) const;

 private:
  void ShowMenu(QPoint position);
  void Copy() const;
  void AskAndSave();

  QWidget& FArea;
  const TCalcItem& FItem;
  QAction FCopy;
  QAction FSave;
};

}  // namespace zentarix
