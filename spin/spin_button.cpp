#include "spin/spin_button.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

#include "spin/error_report.h"
#include "spin/glyph.h"
#include "spin/timer_speed_button.h"

// The arrow glyphs are compiled into this static library; a static library has to register
// its resources itself, from the global namespace.
static void InitSpinResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(spin);
    return true;
  }();
  (void)done;
}

namespace zentarix {

namespace {

constexpr int DefaultWidth = 20;
constexpr int DefaultHeight = 25;

const char* const UpGlyphPath = ":/spin/SPINUP.bmp";
const char* const DownGlyphPath = ":/spin/SPINDOWN.bmp";

bool TakesTabFocus(const QWidget* widget) { return (widget->focusPolicy() & Qt::TabFocus) != 0; }

bool CanFocus(const QWidget* widget) { return widget->isEnabled() && widget->isVisible(); }

void SetArrowGlyph(TTimerSpeedButton* arrow, const QPixmap& glyph, const char* defaultPath) {
  if (!glyph.isNull()) {
    arrow->setGlyph(glyph);
    return;
  }
  arrow->setGlyph(ReadPixmap(QString::fromLatin1(defaultPath), "BMP"));
  arrow->setNumGlyphs(1);
  arrow->update();
}

}  // namespace

TSpinButton::TSpinButton(QWidget* parent) : QWidget(parent) {
  InitSpinResources();
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::ArrowCursor);
  // The arrows have no menu, and a right press on them must not open the menu of the field
  // they sit in: the request stops here instead of travelling on to the parent.
  setContextMenuPolicy(Qt::PreventContextMenu);
  FUpArrow = CreateArrow();
  FDownArrow = CreateArrow();
  setUpGlyph(QPixmap());
  setDownGlyph(QPixmap());
  resize(DefaultWidth, DefaultHeight);
  FitToSize();
  FSelectedArrow = FUpArrow;
}

TTimerSpeedButton* TSpinButton::CreateArrow() {
  auto* arrow = new TTimerSpeedButton(this);
  arrow->OnClick = [this](QObject* sender) { ArrowClick(sender); };
  arrow->OnMouseDown = [this](TTimerSpeedButton* sender, Qt::MouseButton button,
                              Qt::KeyboardModifiers, QPoint) { ArrowMouseDown(sender, button); };
  arrow->setRepeatState(TTimerSpeedButton::AutoRepeat);
  arrow->setVisible(true);
  return arrow;
}

bool TSpinButton::TabStop() const { return TakesTabFocus(this); }

void TSpinButton::setTabStop(bool on) { setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); }

QPixmap TSpinButton::UpGlyph() const { return FUpArrow->Glyph(); }
void TSpinButton::setUpGlyph(const QPixmap& glyph) { SetArrowGlyph(FUpArrow, glyph, UpGlyphPath); }
QPixmap TSpinButton::DownGlyph() const { return FDownArrow->Glyph(); }
void TSpinButton::setDownGlyph(const QPixmap& glyph) {
  SetArrowGlyph(FDownArrow, glyph, DownGlyphPath);
}
int TSpinButton::UpNumGlyphs() const { return FUpArrow->NumGlyphs(); }
void TSpinButton::setUpNumGlyphs(int numGlyphs) { FUpArrow->setNumGlyphs(numGlyphs); }
int TSpinButton::DownNumGlyphs() const { return FDownArrow->NumGlyphs(); }
void TSpinButton::setDownNumGlyphs(int numGlyphs) { FDownArrow->setNumGlyphs(numGlyphs); }

QSize TSpinButton::sizeHint() const { return QSize(DefaultWidth, DefaultHeight); }
QSize TSpinButton::minimumSizeHint() const { return QSize(MinArrowWidth, 0); }

// The up arrow takes the upper half (rounded down), the down arrow the rest plus the last row
// of the up arrow, so the two share one row.
void TSpinButton::FitArrows(int& width, int& height) {
  if (FUpArrow == nullptr || FDownArrow == nullptr) return;
  width = std::max(width, MinArrowWidth);
  FUpArrow->setGeometry(0, 0, width, height / 2);
  const int upHeight = FUpArrow->height();
  FDownArrow->setGeometry(0, upHeight - 1, width, height - upHeight + 1);
}

void TSpinButton::FitToSize() {
  int w = width();
  int h = height();
  FitArrows(w, h);
  if (w != width() || h != height()) resize(w, h);
}

void TSpinButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FitToSize();
}

void TSpinButton::ArrowMouseDown(TTimerSpeedButton* sender, Qt::MouseButton button) {
  if (button != Qt::LeftButton) return;
  SelectArrow(sender);
  QWidget* control = FFocusControl;
  QWidget* target = nullptr;
  if (control != nullptr && TakesTabFocus(control) && CanFocus(control) && !control->hasFocus()) {
    target = control;
  } else if (TabStop() && !hasFocus() && CanFocus(this)) {
    target = this;
  }
  if (target == nullptr) return;
  target->setFocus(Qt::OtherFocusReason);
  // The control that had the focus may take it back while it is left (an exit check that
  // refuses its value): then the press was only an attempt to leave it, and steps nothing,
  // or the step's result would replace what the check reported.
  if (target->window()->focusWidget() != target) sender->CancelPress();
}

void TSpinButton::ArrowClick(QObject* sender) {
  Raise(sender == FUpArrow ? OnUpClick : OnDownClick, this);
}

void TSpinButton::SelectArrow(TTimerSpeedButton* arrow) {
  if (!TabStop() || !CanFocus(this) || arrow == FSelectedArrow) return;
  ShowFocusFrame(false);
  FSelectedArrow = arrow;
  if (hasFocus()) ShowFocusFrame(true);
  update();
}

void TSpinButton::ShowFocusFrame(bool on) {
  TTimerSpeedButton::TRepeatState state = FSelectedArrow->RepeatState();
  state.setFlag(TTimerSpeedButton::ShowFocusFrame, on);
  FSelectedArrow->setRepeatState(state);
  FSelectedArrow->update();
}

void TSpinButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  ShowFocusFrame(true);
}

void TSpinButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  ShowFocusFrame(false);
}

void TSpinButton::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key != Qt::Key_Space && key != Qt::Key_Up && key != Qt::Key_Down) {
    // Keys the pair has no use for go on to its parent, as Qt widgets do.
    event->ignore();
    return;
  }
  event->accept();
  GuardEntry([&] { HandleKey(key); });
}

void TSpinButton::HandleKey(int key) {
  if (key == Qt::Key_Up) SelectArrow(FUpArrow);
  if (key == Qt::Key_Down) SelectArrow(FDownArrow);
  TTimerSpeedButton* arrow = key == Qt::Key_Up     ? FUpArrow
                             : key == Qt::Key_Down ? FDownArrow
                                                   : FSelectedArrow;
  arrow->Click();
}

void TSpinButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().button());
}

}  // namespace zentarix
