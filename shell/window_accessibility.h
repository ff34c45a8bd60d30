// What screen readers learn of the main window beyond Qt's defaults, and what the window tells
// them without moving the focus.
//
// Qt gives a plain QFrame the role of a top-level window (AT-SPI's "frame"): Orca took the
// window's unnamed inner panels for windows that were not active and dropped every focus event
// inside them. Here a QFrame inside a window is a panel, and the diagram a graphic (AT-SPI's
// "image") with its description rather than a filler that navigation skips.
#pragma once

#include <QWidget>

class QAccessibleInterface;

namespace zentarix {

// The window's accessible interfaces, as a QAccessible::InterfaceFactory.
QAccessibleInterface* WindowAccessibleFactory(const QString& className, QObject* object);

// Says a text to a screen reader wherever the focus is: the message of a failed exit check, the
// levels of a calculation. It never shows on the screen. To AT-SPI it is a notification named
// by its text that shows each time a text is announced, which Orca speaks at once.
class Announcer : public QWidget {
  Q_OBJECT

 public:
  explicit Announcer(QWidget* parent);

  void Announce(const QString& text);
};

}  // namespace zentarix
