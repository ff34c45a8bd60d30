// A picture's context menu: the picture on the clipboard, or saved as PNG or SVG through a file
// dialog, for any area that paints a canvas picture. A save that fails says so in a message box
// and leaves no partial file.
#pragma once

#include <QAction>
#include <QObject>
#include <QString>
#include <functional>

#include "desktop/canvas_picture.h"

class QWidget;

namespace zentarix {

class PictureMenu : public QObject {
 public:
  // picture: what area shows, made when asked; defaultName: what the save dialog offers.
  PictureMenu(QWidget& area, std::function<CanvasPicture()> picture, QString defaultName);

  // "Копировать рисунок" (Ctrl+Shift+D) and "Сохранить рисунок…" (Ctrl+Shift+S), both reached
  // from anywhere in the area's window.
  QAction* CopyPicture() { return &FCopy; }
  QAction* SavePicture() { return &FSave; }

  // Saves the picture into file, without a dialog; what went wrong, empty on success.
  QString SaveTo(const QString& file) const;

  QString DefaultName;

 private:
  void ShowMenu(QPoint position);
  void Copy() const;
  void AskAndSave();

  QWidget& FArea;
  std::function<CanvasPicture()> FPicture;
  QAction FCopy;
  QAction FSave;
};

}  // namespace zentarix
