// A one-line entry field of the window's input column. Beyond Qt's line edit it has:
//
// - the flat look: with Ctl3D off, a one-pixel frame in a colour taken from the palette
//   (between the text and the ground colour, so that it shows on light and dark desktops), in
//   the palette's highlight colour while the field has the focus, over the palette's base;
//   with Ctl3D on, the style's own frame;
// - pasted text cleaned: line breaks at the ends of a pasted or dropped text are dropped, since
//   spreadsheets and terminals copy "100\n" and the break would make the field's visible
//   number unreadable;
// - no length limit (Qt's line edit cuts every text at 32,767 characters without a word).
#pragma once

#include <QLineEdit>

class QMenu;

#include "spin/notify_event.h"

namespace zentarix {

class FieldEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(bool Ctl3D READ Ctl3D WRITE setCtl3D)

 public:
  explicit FieldEdit(QWidget* parent = nullptr);

  bool Ctl3D() const { return FCtl3D; }
  void setCtl3D(bool on);

  // Inserts text at the cursor, replacing the selection, as a paste does.
  void InsertPasted(QString text);

  // The edit menu of the field, with Cut and Paste guarded like the keyboard commands. The
  // caller owns it.
  QMenu* CreateContextMenu();

  // Raised when the focus leaves the field for another control of its window (moving to
  // another window is no exit), after the edit has finished with the focus-out, so that a
  // handler may give the focus back and select the text.
  TNotifyEvent OnExit;

 public slots:
  // Hide the edit's own commands: every paste is cleaned, and both are dropped silently
  // where AllowsTextEdit says no.
  void paste();
  void cut();

 protected:
  // Called after the frame was switched between the style's and the flat one.
  virtual void FrameChanged() {}
  // What leaving the field does: raises OnExit.
  virtual void Exit();
  // Whether paste, cut and drops may change the text.
  virtual bool AllowsTextEdit() const { return !isReadOnly(); }

  void keyPressEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool FCtl3D = true;
};

// The colour of the flat frame: the highlight while focused, else half-way between the
// palette's text and base colours.
QColor FieldFrameColor(const QPalette& palette, bool focused);

}  // namespace zentarix
