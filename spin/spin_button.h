// A pair of stacked arrow buttons that turns a click on an arrow (by mouse, repeated while
// held, or by key) into OnUpClick or OnDownClick, and hands the keyboard focus to
// FocusControl when an arrow is pressed with the left button.
//
// TabStop (off by default) decides whether the pair takes part in keyboard focus: with it on,
// the focused pair shows a focus frame on SelectedArrow, Space clicks that arrow, and Up and
// Down select and click an arrow. The pair never takes the focus from a mouse press on its
// own; pressing an arrow follows the rules of ArrowMouseDown. A press whose focus move the
// control being left refuses (it takes the focus back) clicks nothing.
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include "spin/notify_event.h"

namespace zentarix {

class TTimerSpeedButton;

class TSpinButton : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QPixmap DownGlyph READ DownGlyph WRITE setDownGlyph)
  Q_PROPERTY(int DownNumGlyphs READ DownNumGlyphs WRITE setDownNumGlyphs)
  Q_PROPERTY(QWidget* FocusControl READ FocusControl WRITE setFocusControl)
  Q_PROPERTY(bool TabStop READ TabStop WRITE setTabStop)
  Q_PROPERTY(QPixmap UpGlyph READ UpGlyph WRITE setUpGlyph)
  Q_PROPERTY(int UpNumGlyphs READ UpNumGlyphs WRITE setUpNumGlyphs)

 public:
  static constexpr int MinArrowWidth = 15;

  explicit TSpinButton(QWidget* parent = nullptr);

  TTimerSpeedButton* UpArrow() const { return FUpArrow; }
  TTimerSpeedButton* DownArrow() const { return FDownArrow; }
  TTimerSpeedButton* SelectedArrow() const { return FSelectedArrow; }

  // Not owned; empty again as soon as that widget is destroyed.
  QWidget* FocusControl() const { return FFocusControl; }
  void setFocusControl(QWidget* control) { FFocusControl = control; }

  bool TabStop() const;
  void setTabStop(bool on);

  // A null glyph restores the default arrow and sets the image count to 1.
  QPixmap UpGlyph() const;
  void setUpGlyph(const QPixmap& glyph);
  QPixmap DownGlyph() const;
  void setDownGlyph(const QPixmap& glyph);
  int UpNumGlyphs() const;
  void setUpNumGlyphs(int numGlyphs);
  int DownNumGlyphs() const;
  void setDownNumGlyphs(int numGlyphs);

  // Makes arrow the one Space clicks and the focus frame marks; only with TabStop on and while
  // the pair can take the focus.
  void SelectArrow(TTimerSpeedButton* arrow);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

  TNotifyEvent OnUpClick;
  TNotifyEvent OnDownClick;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  TTimerSpeedButton* CreateArrow();
  void FitArrows(int& width, int& height);
  void FitToSize();
  void ArrowMouseDown(TTimerSpeedButton* sender, Qt::MouseButton button);
  void ArrowClick(QObject* sender);
  void HandleKey(int key);
  void ShowFocusFrame(bool on);

  TTimerSpeedButton* FUpArrow = nullptr;
  TTimerSpeedButton* FDownArrow = nullptr;
  TTimerSpeedButton* FSelectedArrow = nullptr;
  QPointer<QWidget> FFocusControl;
};

}  // namespace zentarix
