#include "spin/field_accessible.h"

#include <QFontMetrics>
#include <QLineEdit>

#include "spin/error_report.h"
#include "spin/field_edit.h"
#include "spin/spin_edit.h"

namespace zentarix {

FieldEditAccessible::FieldEditAccessible(QLineEdit* edit, QAccessible::Role role)
    : QAccessibleWidget(edit, role) {}

QLineEdit* FieldEditAccessible::Edit() const { return static_cast<QLineEdit*>(widget()); }

QAccessible::State FieldEditAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = Edit()->isReadOnly();
  state.editable = !state.readOnly;
  state.selectableText = true;
  return state;
}

QString FieldEditAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Edit()->text();
  return QAccessibleWidget::text(t);
}

void* FieldEditAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

// The line edit has at most one selection.
void FieldEditAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  if (selectionIndex != 0 || !Edit()->hasSelectedText()) return;
  *startOffset = Edit()->selectionStart();
  *endOffset = Edit()->selectionEnd();
}

int FieldEditAccessible::selectionCount() const { return Edit()->hasSelectedText() ? 1 : 0; }

void FieldEditAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void FieldEditAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex == 0) Edit()->deselect();
}

void FieldEditAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex == 0) Edit()->setSelection(startOffset, endOffset - startOffset);
}

int FieldEditAccessible::cursorPosition() const { return Edit()->cursorPosition(); }

void FieldEditAccessible::setCursorPosition(int position) { Edit()->setCursorPosition(position); }

QString FieldEditAccessible::text(int startOffset, int endOffset) const {
  return Edit()->text().mid(startOffset, endOffset - startOffset);
}

int FieldEditAccessible::characterCount() const { return static_cast<int>(Edit()->text().size()); }

// On the screen. The edit tells where its cursor stands, scrolled as the text is; a character
// lies as far from it as the text between them is wide.
QRect FieldEditAccessible::characterRect(int offset) const {
  const QString text = Edit()->text();
  if (offset < 0 || offset >= text.size()) return {};
  const QFontMetrics metrics(Edit()->font());
  const QRect cursor = Edit()->inputMethodQuery(Qt::ImCursorRectangle).toRect();
  const int x = cursor.x() + metrics.horizontalAdvance(text.left(offset)) -
                metrics.horizontalAdvance(text.left(Edit()->cursorPosition()));
  const QRect rect(x, cursor.y(), metrics.horizontalAdvance(text.at(offset)), cursor.height());
  return rect.translated(Edit()->mapToGlobal(QPoint(0, 0)));
}

int FieldEditAccessible::offsetAtPoint(const QPoint& point) const {
  return Edit()->cursorPositionAt(Edit()->mapFromGlobal(point));
}

void FieldEditAccessible::scrollToSubstring(int, int endIndex) {
  Edit()->setCursorPosition(endIndex);
}

// The text is one run without attributes, from its start to its end.
QString FieldEditAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

SpinEditAccessible::SpinEditAccessible(TSpinEdit* edit)
    : FieldEditAccessible(edit, QAccessible::SpinBox) {}

TSpinEdit* SpinEditAccessible::Edit() const { return static_cast<TSpinEdit*>(widget()); }

void* SpinEditAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return FieldEditAccessible::interface_cast(t);
}

QVariant SpinEditAccessible::currentValue() const { return Edit()->Value(); }

// A value set by an assistive tool is set as the arrows set it, with the clamp and OnChange;
// an error of the handler goes to the error report, as for every other entry from Qt.
void SpinEditAccessible::setCurrentValue(const QVariant& value) {
  GuardEntry([&] { Edit()->setValue(value.toInt()); });
}

QVariant SpinEditAccessible::maximumValue() const { return Edit()->MaxValue(); }
QVariant SpinEditAccessible::minimumValue() const { return Edit()->MinValue(); }
QVariant SpinEditAccessible::minimumStepSize() const { return Edit()->Increment(); }

QAccessibleInterface* FieldAccessibleFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TSpinEdit::staticMetaObject.className())) {
    return new SpinEditAccessible(static_cast<TSpinEdit*>(object));
  }
  if (className == QLatin1String(FieldEdit::staticMetaObject.className())) {
    return new FieldEditAccessible(static_cast<FieldEdit*>(object));
  }
  return nullptr;
}

}  // namespace zentarix
