#include "spin/spin_edit.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>
#include <algorithm>
#include <utility>

#include "calc/number_settings.h"
#include "spin/beep.h"
#include "spin/error_report.h"
#include "spin/focus_move.h"
#include "spin/spin_button.h"
#include "spin/spin_fraction.h"
#include "spin/spin_geometry.h"
#include "spin/spin_value.h"

namespace zentarix {

namespace {

constexpr int PairWidth = 15;
constexpr int PairHeight = 17;
constexpr int BorderHeight = 1;  // one window border line
constexpr int TextGap = 2;       // pixels kept free between the text and the arrows

// The character a key press types, if any. Keys that edit without typing (Delete) and
// combinations with Alt or Meta, which are commands, type nothing. Control with a letter types
// that letter's control code (Ctrl+V is 22) whatever text the platform attached to the event.
QString TypedText(const QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) return {};
  if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return {};
  const QString text = event->text();
  if (!(event->modifiers() & Qt::ControlModifier)) return text;
  if (text.size() == 1 && text.at(0).unicode() < 32) return text;
  const int key = event->key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return QString(QChar(key - Qt::Key_A + 1));
  return {};
}

class SettingText {
 public:
  explicit SettingText(int& depth) : FDepth(depth) { ++FDepth; }
  ~SettingText() { --FDepth; }
  SettingText(const SettingText&) = delete;
  SettingText& operator=(const SettingText&) = delete;

 private:
  int& FDepth;
};

}  // namespace

TSpinEdit::TSpinEdit(QWidget* parent) : FieldEdit(parent) {
  resize(121, 25);
  FSpinButton = new TSpinButton(this);
  FSpinButton->resize(PairWidth, PairHeight);
  FSpinButton->setVisible(true);
  FSpinButton->setFocusControl(this);
  FSpinButton->OnUpClick = [this](QObject* sender) { StepUp(sender); };
  FSpinButton->OnDownClick = [this](QObject* sender) { StepDown(sender); };
  QLineEdit::setText(QStringLiteral("0"));
  connect(this, &QLineEdit::textChanged, this, [this] { TextChanged(); });
  setTabStop(true);
  PlaceSpinButton();
}

TSpinEdit::~TSpinEdit() {
  // The pair goes before the edit, and nothing reaches it through the field any more.
  delete std::exchange(FSpinButton, nullptr);
}

void TSpinEdit::FrameChanged() { PlaceSpinButton(); }

bool TSpinEdit::TabStop() const { return (focusPolicy() & Qt::TabFocus) != 0; }

// Tab focus only, never Qt's click focus: Qt would also hand the field the focus for any press
// on its arrows, which only ArrowMouseDown may decide. A press on the field itself takes the
// focus in mousePressEvent.
void TSpinEdit::setTabStop(bool on) { setFocusPolicy(on ? Qt::TabFocus : Qt::NoFocus); }

std::int32_t TSpinEdit::Value() const {
  return ParseSpinValue(text().toStdString()).value_or(FMinValue);
}

void TSpinEdit::setValue(std::int32_t value) {
  SetText(QString::fromStdString(FormatSpinValue(ClampValue(value))));
}

std::int32_t TSpinEdit::ClampValue(std::int32_t value) const {
  return ClampSpinValue(value, FMinValue, FMaxValue);
}

bool TSpinEdit::AcceptsChar(char32_t ch) {
  return AcceptsSpinChar(ch, DecimalMark, FEditorEnabled);
}

void TSpinEdit::StepUp(QObject*) { Step(true); }

void TSpinEdit::StepDown(QObject*) { Step(false); }

void TSpinEdit::Step(bool up) {
  if (isReadOnly()) {
    DefaultBeep();
    return;
  }
  // A fraction the user typed steps from its own value, not from MinValue as other texts that
  // are no whole number do.
  if (const auto fraction = ParseSpinFraction(text().toStdString(), DecimalMark)) {
    const SpinFraction stepped = StepSpinFraction(*fraction, FIncrement, up);
    SetText(QString::fromStdString(
        FormatSpinFraction(ClampSpinFraction(stepped, FMinValue, FMaxValue), DecimalMark)));
    return;
  }
  setValue(StepSpinValue(Value(), FIncrement, up));
}

// ---- Change notification ---------------------------------------------------------------

// A change the program makes through SetText raises OnChange in the caller's own frame, so an
// error from the handler travels back to whoever set the text (a repeating arrow stops on it).
void TSpinEdit::SetText(const QString& text) {
  if (text == this->text()) return;
  FTextChanged = false;
  {
    SettingText guard(FSettingText);
    QLineEdit::setText(text);
  }
  if (FTextChanged) RaiseChange();
}

// Every change of the text passes here once: typed, pasted, or set through the edit.
void TSpinEdit::TextChanged() {
  if (FSettingText > 0) {
    FTextChanged = true;
    return;
  }
  GuardEntry([this] { RaiseChange(); });
}

// A screen reader hears the new value before whatever the handler does about it.
void TSpinEdit::RaiseChange() {
  if (QAccessible::isActive()) {
    QAccessibleValueChangeEvent event(this, Value());
    QAccessible::updateAccessibility(&event);
  }
  Raise(OnChange, this);
}

// ---- Keys and typed characters --------------------------------------------------------

void TSpinEdit::keyPressEvent(QKeyEvent* event) {
  GuardEntry([&] { HandleKeyPress(event); });
}

void TSpinEdit::HandleKeyPress(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Up) StepUp(this);
  if (key == Qt::Key_Down) StepDown(this);
  event->accept();
  if (!AcceptsTypedText(TypedText(event))) {
    DefaultBeep();
    return;
  }
  FieldEdit::keyPressEvent(event);
  // The field keeps the arrow keys, as a multi-line edit would, instead of passing them on.
  if (key == Qt::Key_Up || key == Qt::Key_Down) event->accept();
}

bool TSpinEdit::AcceptsTypedText(const QString& text) {
  const QList<uint> chars = text.toUcs4();
  return std::all_of(chars.begin(), chars.end(),
                     [this](uint ch) { return AcceptsChar(static_cast<char32_t>(ch)); });
}

// Text committed by an input method is typed text too.
void TSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
  bool accepted = true;
  GuardEntry([&] { accepted = AcceptsTypedText(event->commitString()); });
  if (!accepted) {
    DefaultBeep();
    event->accept();
    return;
  }
  QLineEdit::inputMethodEvent(event);
}

// ---- Clipboard ---------------------------------------------------------------------------

bool TSpinEdit::AllowsTextEdit() const { return FEditorEnabled && !isReadOnly(); }

// ---- Mouse and focus ---------------------------------------------------------------------

// The focus that the focus policy leaves out: a press on the field itself takes it.
void TSpinEdit::mousePressEvent(QMouseEvent* event) {
  if (!hasFocus() && isEnabled()) {
    FLeftPressOnField = event->button() == Qt::LeftButton;
    setFocus(Qt::MouseFocusReason);
    FLeftPressOnField = false;
  }
  QLineEdit::mousePressEvent(event);
}

void TSpinEdit::focusInEvent(QFocusEvent* event) {
  const bool entry = MovesBetweenControls(event->reason());
  if (entry && FAutoSelect && !FLeftPressOnField) selectAll();
  // The edit would select all on a Tab entry by itself; here AutoSelect alone decides.
  const bool tabEntry = event->reason() == Qt::TabFocusReason ||
                        event->reason() == Qt::BacktabFocusReason ||
                        event->reason() == Qt::ShortcutFocusReason;
  QFocusEvent baseEvent(event->type(), tabEntry ? Qt::OtherFocusReason : event->reason());
  FieldEdit::focusInEvent(&baseEvent);
}

// OnExit sees the text as the user left it; the clamp follows, also when the handler has
// given the focus back to the field.
void TSpinEdit::Exit() {
  FieldEdit::Exit();
  // A fraction beyond the bounds leaves the field as the bound, as a whole number does.
  if (const auto fraction = ParseSpinFraction(text().toStdString(), DecimalMark)) {
    if (const auto bound = SpinFractionBound(*fraction, FMinValue, FMaxValue)) setValue(*bound);
    return;
  }
  const std::int32_t value = Value();
  if (ClampValue(value) != value) setValue(value);
}

// ---- Layout ------------------------------------------------------------------------------

int TSpinEdit::RequiredHeight() const {
  const int systemHeight =
      QFontMetrics(QFontDatabase::systemFont(QFontDatabase::GeneralFont)).height();
  return RequiredEditHeight(fontMetrics().height(), systemHeight, BorderHeight);
}

void TSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  FitToFont();
}

void TSpinEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) FitToFont();
}

// Snaps a height below RequiredHeight back to it, then places the arrows. The arrows are placed
// here rather than left to the resize that the snap causes: while a widget is being shown that
// resize sends no event.
void TSpinEdit::FitToFont() {
  const int required = RequiredHeight();
  if (height() < required) resize(width(), required);
  PlaceSpinButton();
}

void TSpinEdit::PlaceSpinButton() {
  if (FSpinButton == nullptr) return;
  FSpinButton->setGeometry(SpinPairRect(size(), FSpinButton->width(), Ctl3D()));
  UpdateTextArea();
}

QRect TSpinEdit::ContentsArea() const {
  QStyleOptionFrame option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
}

// The right text margin ends the text area TextGap pixels before the arrows; with the flat
// frame the other margins keep the text off the frame.
void TSpinEdit::UpdateTextArea() {
  if (FSpinButton == nullptr) return;
  const QRect contents = ContentsArea();
  const int right = std::max(0, contents.right() + 1 + TextGap - FSpinButton->x());
  const int border = Ctl3D() ? 0 : 1;
  setTextMargins(border, border, right, border);
}

QRect TSpinEdit::TextArea() const { return ContentsArea().marginsRemoved(textMargins()); }

}  // namespace zentarix
