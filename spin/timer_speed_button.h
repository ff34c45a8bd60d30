// The arrow button of the spin controls: a button that never takes the keyboard focus, shows
// its pressed state while the left mouse button is held with the pointer over it (following
// the pointer out and back in), and clicks when the left button is released over it. It draws
// a glyph of 1 to 4 images on a panel painted by the desktop's style.
//
// With AutoRepeat in RepeatState a press of any mouse button starts PressTimer: the first
// tick comes 400 ms after the press, later ones every 100 ms, and a tick clicks while the
// button shows the pressed state and still holds the mouse. Any release stops the timer.
// With ShowFocusFrame the button draws a focus frame inside its edge.
#pragma once

#include <QAbstractButton>
#include <QPixmap>
#include <functional>

#include "spin/notify_event.h"

class QTimer;

namespace zentarix {

class TTimerSpeedButton;

// Raised first on every mouse press, with the button, the mouse button, the keyboard
// modifiers and the press position.
using TMouseDownEvent = std::function<void(TTimerSpeedButton* Sender, Qt::MouseButton Button,
                                           Qt::KeyboardModifiers Shift, QPoint Pos)>;

class TTimerSpeedButton : public QAbstractButton {
  Q_OBJECT
  Q_PROPERTY(QPixmap Glyph READ Glyph WRITE setGlyph)
  Q_PROPERTY(int NumGlyphs READ NumGlyphs WRITE setNumGlyphs)

 public:
  enum RepeatFlag { ShowFocusFrame = 0x1, AutoRepeat = 0x2 };
  Q_DECLARE_FLAGS(TRepeatState, RepeatFlag)

  static constexpr int FirstRepeatDelay = 400;  // ms from the press to the first repeat
  static constexpr int RepeatDelay = 100;       // ms between later repeats

  explicit TTimerSpeedButton(QWidget* parent = nullptr);
  ~TTimerSpeedButton() override;

  // Writing only stores the flags: whoever changes ShowFocusFrame repaints the button.
  TRepeatState RepeatState() const { return FRepeatState; }
  void setRepeatState(TRepeatState state) { FRepeatState = state; }

  // Absent until the first press with AutoRepeat.
  QTimer* PressTimer() const { return FPressTimer; }

  QPixmap Glyph() const { return FGlyph; }
  void setGlyph(const QPixmap& glyph);
  int NumGlyphs() const { return FNumGlyphs; }
  void setNumGlyphs(int numGlyphs);

  // Whether the pressed state shows.
  bool IsPressed() const { return isDown(); }
  // Whether a left press is still being tracked and no other widget, popup or modal window
  // has taken the mouse since.
  bool HoldsMouse() const;

  // The click: raises OnClick, then emits clicked(). Exceptions from OnClick pass on.
  void Click();

  // Called from OnMouseDown: the press being delivered ends there. The button neither shows
  // it nor clicks on its release, and its timer does not start.
  void CancelPress() { FPressCancelled = true; }

  // The timer's tick. Switches the timer to the 100 ms pace, then clicks if the button shows
  // the pressed state and holds the mouse. An exception from the click stops the timer and
  // passes on.
  void RepeatTick();

  QSize sizeHint() const override;

  TMouseDownEvent OnMouseDown;
  TNotifyEvent OnClick;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Press(QMouseEvent* event);
  void Release(QMouseEvent* event);
  void StartRepeat();
  void StopRepeat();
  void StopTracking();
  // Ends a press for good, whatever ended it (release, hiding, disabling): the pressed state
  // goes and the timer stops.
  void EndPress();
  QPixmap CurrentGlyph() const;

  QTimer* FPressTimer = nullptr;
  TRepeatState FRepeatState;
  QPixmap FGlyph;
  int FNumGlyphs = 1;
  bool FTracking = false;        // a left press is held on this button
  bool FPressCancelled = false;  // OnMouseDown ended the press it was raised for
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TTimerSpeedButton::TRepeatState)

}  // namespace zentarix
