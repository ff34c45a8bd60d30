#include "spin/timer_speed_button.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QTimer>
#include <exception>
#include <utility>

#include "spin/error_report.h"
#include "spin/glyph.h"
#include "spin/spin_geometry.h"

namespace zentarix {

namespace {

// Stops a timer when the scope is left by an exception: a repeated click that fails ends the
// repetition before its error passes on.
class StopOnThrow {
 public:
  explicit StopOnThrow(QTimer& timer) : FTimer(timer), FUncaught(std::uncaught_exceptions()) {}
  ~StopOnThrow() {
    if (std::uncaught_exceptions() > FUncaught) FTimer.stop();
  }
  StopOnThrow(const StopOnThrow&) = delete;
  StopOnThrow& operator=(const StopOnThrow&) = delete;

 private:
  QTimer& FTimer;
  int FUncaught;
};

}  // namespace

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
}

TTimerSpeedButton::~TTimerSpeedButton() {
  // The timer goes first, so no tick can reach a button that is half destroyed.
  delete FPressTimer;
  FPressTimer = nullptr;
}

void TTimerSpeedButton::setGlyph(const QPixmap& glyph) {
  FGlyph = glyph;
  update();
}

void TTimerSpeedButton::setNumGlyphs(int numGlyphs) {
  FNumGlyphs = ValidNumGlyphs(numGlyphs);
  update();
}

bool TTimerSpeedButton::HoldsMouse() const {
  if (!FTracking) return false;
  const QWidget* grabber = QWidget::mouseGrabber();
  if (grabber != nullptr && grabber != this) return false;
  if (QApplication::activePopupWidget() != nullptr) return false;
  const QWidget* modal = QApplication::activeModalWidget();
  return modal == nullptr || modal == window();
}

void TTimerSpeedButton::Click() {
  Raise(OnClick, this);
  emit clicked(false);
}

void TTimerSpeedButton::RepeatTick() {
  if (FPressTimer == nullptr) return;
  FPressTimer->setInterval(RepeatDelay);
  // A press whose mouse went to another widget, a popup or a modal window is over for good,
  // even if the mouse comes back before the release.
  if (FTracking && !HoldsMouse()) StopTracking();
  if (!isDown() || !FTracking) return;
  const StopOnThrow stopRepeating(*FPressTimer);
  Click();
}

QSize TTimerSpeedButton::sizeHint() const {
  const int width = FGlyph.isNull() ? 0 : FGlyph.width() / FNumGlyphs;
  return QSize(width, FGlyph.height()) + QSize(6, 6);
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
  event->accept();
  GuardEntry([&] { Press(event); });
}

void TTimerSpeedButton::mouseMoveEvent(QMouseEvent* event) {
  event->accept();
  if (FTracking) setDown(hitButton(event->position().toPoint()));
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  event->accept();
  GuardEntry([&] { Release(event); });
}

void TTimerSpeedButton::Press(QMouseEvent* event) {
  FPressCancelled = false;
  if (OnMouseDown) {
    const TMouseDownEvent handler = OnMouseDown;
    handler(this, event->button(), event->modifiers(), event->position().toPoint());
  }
  if (std::exchange(FPressCancelled, false)) return;
  if (event->button() == Qt::LeftButton && isEnabled()) {
    FTracking = true;
    setDown(true);
  }
  // Any mouse button starts the timer; only a tracked left press makes its ticks click.
  if (FRepeatState.testFlag(AutoRepeat)) StartRepeat();
}

// Any release stops the timer; the left one also ends the pressed state. Both happen before
// the click, so an error from the click finds the press already over.
void TTimerSpeedButton::Release(QMouseEvent* event) {
  const bool endsPress = event->button() == Qt::LeftButton && FTracking;
  const bool click = endsPress && hitButton(event->position().toPoint());
  if (endsPress) {
    EndPress();
  } else {
    StopRepeat();
  }
  if (click) Click();
}

void TTimerSpeedButton::StartRepeat() {
  if (FPressTimer == nullptr) {
    FPressTimer = new QTimer(this);
    connect(FPressTimer, &QTimer::timeout, this, [this] { GuardEntry([this] { RepeatTick(); }); });
  }
  FPressTimer->setInterval(FirstRepeatDelay);
  FPressTimer->start();
}

void TTimerSpeedButton::StopRepeat() {
  if (FPressTimer != nullptr) FPressTimer->stop();
}

void TTimerSpeedButton::StopTracking() {
  FTracking = false;
  setDown(false);
}

void TTimerSpeedButton::EndPress() {
  StopTracking();
  StopRepeat();
}

void TTimerSpeedButton::changeEvent(QEvent* event) {
  QAbstractButton::changeEvent(event);
  // A disabled button receives no more mouse events, so no release would ever end the press.
  if (event->type() == QEvent::EnabledChange && !isEnabled()) EndPress();
}

void TTimerSpeedButton::hideEvent(QHideEvent* event) {
  QAbstractButton::hideEvent(event);
  EndPress();
}

QPixmap TTimerSpeedButton::CurrentGlyph() const {
  const QImage glyph = FGlyph.toImage();
  if (!isEnabled()) {
    const QImage own = CutGlyphImage(glyph, FNumGlyphs, GlyphImage::Disabled);
    if (!own.isNull()) return QPixmap::fromImage(own);
    QStyleOption option;
    option.initFrom(this);
    const QPixmap up = QPixmap::fromImage(CutGlyphImage(glyph, FNumGlyphs, GlyphImage::Up));
    return style()->generatedIconPixmap(QIcon::Disabled, up, &option);
  }
  const QColor ink = palette().color(QPalette::ButtonText);
  if (isDown()) {
    const QImage down = CutGlyphImage(glyph, FNumGlyphs, GlyphImage::Down);
    if (!down.isNull()) return QPixmap::fromImage(InkedGlyph(down, ink));
  }
  return QPixmap::fromImage(InkedGlyph(CutGlyphImage(glyph, FNumGlyphs, GlyphImage::Up), ink));
}

void TTimerSpeedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionButton panel;
  panel.initFrom(this);
  panel.state |= isDown() ? QStyle::State_Sunken : QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_PanelButtonCommand, &panel, &painter, this);

  const QPixmap glyph = CurrentGlyph();
  if (!glyph.isNull()) {
    QPoint topLeft((width() - glyph.width()) / 2, (height() - glyph.height()) / 2);
    if (isDown()) topLeft += QPoint(1, 1);
    painter.drawPixmap(topLeft, glyph);
  }

  if (FRepeatState.testFlag(ShowFocusFrame)) {
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    // Styles draw the frame only for focus that the keyboard moves, which is the case here.
    frame.state |= QStyle::State_KeyboardFocusChange;
    frame.rect = FocusFrameRect(size(), isDown());
    frame.backgroundColor = palette().color(QPalette::Button);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
  }
}

}  // namespace zentarix
