#include "shell/listing_accessible.h"

#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <algorithm>

namespace zentarix {

ListingAccessible::ListingAccessible(QPlainTextEdit* listing)
    : QAccessibleWidget(listing, QAccessible::EditableText) {}

QPlainTextEdit* ListingAccessible::Listing() const {
  return static_cast<QPlainTextEdit*>(widget());
}

int ListingAccessible::Clamped(int offset) const { return std::clamp(offset, 0, characterCount()); }

QAccessible::State ListingAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.readOnly = Listing()->isReadOnly();
  state.editable = !state.readOnly;
  state.multiLine = true;
  state.selectableText = true;
  return state;
}

QString ListingAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) return Listing()->toPlainText();
  return QAccessibleWidget::text(t);
}

void* ListingAccessible::interface_cast(QAccessible::InterfaceType t) {
  if (t == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
  return QAccessibleWidget::interface_cast(t);
}

// The text box has at most one selection.
void ListingAccessible::selection(int selectionIndex, int* startOffset, int* endOffset) const {
  *startOffset = *endOffset = 0;
  const QTextCursor cursor = Listing()->textCursor();
  if (selectionIndex != 0 || !cursor.hasSelection()) return;
  *startOffset = cursor.selectionStart();
  *endOffset = cursor.selectionEnd();
}

int ListingAccessible::selectionCount() const {
  return Listing()->textCursor().hasSelection() ? 1 : 0;
}

void ListingAccessible::addSelection(int startOffset, int endOffset) {
  setSelection(0, startOffset, endOffset);
}

void ListingAccessible::removeSelection(int selectionIndex) {
  if (selectionIndex != 0) return;
  QTextCursor cursor = Listing()->textCursor();
  cursor.clearSelection();
  Listing()->setTextCursor(cursor);
}

void ListingAccessible::setSelection(int selectionIndex, int startOffset, int endOffset) {
  if (selectionIndex != 0) return;
  QTextCursor cursor = Listing()->textCursor();
  cursor.setPosition(Clamped(startOffset));
  cursor.setPosition(Clamped(endOffset), QTextCursor::KeepAnchor);
  Listing()->setTextCursor(cursor);
}

int ListingAccessible::cursorPosition() const { return Listing()->textCursor().position(); }

void ListingAccessible::setCursorPosition(int position) {
  QTextCursor cursor = Listing()->textCursor();
  cursor.setPosition(Clamped(position));
  Listing()->setTextCursor(cursor);
}

QString ListingAccessible::text(int startOffset, int endOffset) const {
  const int start = Clamped(startOffset);
  return Listing()->toPlainText().mid(start, std::max(Clamped(endOffset) - start, 0));
}

int ListingAccessible::characterCount() const {
  return static_cast<int>(Listing()->toPlainText().size());
}

// On the screen: the text box tells where a cursor before the character stands, in its
// viewport; the character is as wide as its advance.
QRect ListingAccessible::characterRect(int offset) const {
  const QString text = Listing()->toPlainText();
  if (offset < 0 || offset >= text.size()) return {};
  QTextCursor cursor(Listing()->document());
  cursor.setPosition(offset);
  const QRect before = Listing()->cursorRect(cursor);
  const QFontMetrics metrics(Listing()->font());
  const QRect rect(before.x(), before.y(), metrics.horizontalAdvance(text.at(offset)),
                   before.height());
  return rect.translated(Listing()->viewport()->mapToGlobal(QPoint(0, 0)));
}

int ListingAccessible::offsetAtPoint(const QPoint& point) const {
  return Listing()->cursorForPosition(Listing()->viewport()->mapFromGlobal(point)).position();
}

void ListingAccessible::scrollToSubstring(int startIndex, int) {
  setCursorPosition(startIndex);
  Listing()->ensureCursorVisible();
}

// The text is one run without attributes, from its start to its end.
QString ListingAccessible::attributes(int, int* startOffset, int* endOffset) const {
  *startOffset = 0;
  *endOffset = characterCount();
  return {};
}

}  // namespace zentarix
