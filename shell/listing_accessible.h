// What a screen reader learns of the listing: a read-only text of many lines, read line by line
// with the arrow keys once F6 has taken the focus to it.
//
// Qt's own interface for a plain text box asks its text cursor for the position after the last
// character whenever a reader asks where that character stands (Orca's flat review does), and
// Qt then prints "QTextCursor::setPosition: Position '334' out of range". Here every offset
// outside the text has no place and no warning.
#pragma once

#include <QAccessibleWidget>

class QPlainTextEdit;

namespace zentarix {

class ListingAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit ListingAccessible(QPlainTextEdit* listing);

  QAccessible::State state() const override;
  QString text(QAccessible::Text t) const override;
  void* interface_cast(QAccessible::InterfaceType t) override;

  void selection(int selectionIndex, int* startOffset, int* endOffset) const override;
  int selectionCount() const override;
  void addSelection(int startOffset, int endOffset) override;
  void removeSelection(int selectionIndex) override;
  void setSelection(int selectionIndex, int startOffset, int endOffset) override;
  int cursorPosition() const override;
  void setCursorPosition(int position) override;
  QString text(int startOffset, int endOffset) const override;
  int characterCount() const override;
  QRect characterRect(int offset) const override;
  int offsetAtPoint(const QPoint& point) const override;
  void scrollToSubstring(int startIndex, int endIndex) override;
  QString attributes(int offset, int* startOffset, int* endOffset) const override;

 private:
  QPlainTextEdit* Listing() const;
  // offset held within the text's positions, 0 to its length.
  int Clamped(int offset) const;
};

}  // namespace zentarix
