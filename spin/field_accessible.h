// What a screen reader learns of the entry fields. A FieldEdit is an editable text named by its
// label; a TSpinEdit is a spin box (AT-SPI's "spin button") with the whole number it holds,
// its range and its step as well. Both give their text to read and select as any entry field.
//
// Qt would show both as its plain line edit: the spin edit without a value, and either with
// its text attributes reported as empty runs, from which Orca took every text for one
// character shorter than it is ("10" for "100"). Here the one run of a field's text covers all
// of it.
#pragma once

#include <QAccessibleWidget>

class QLineEdit;

namespace zentarix {

class TSpinEdit;

class FieldEditAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
 public:
  explicit FieldEditAccessible(QLineEdit* edit, QAccessible::Role role = QAccessible::EditableText);

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
  QLineEdit* Edit() const;
};

class SpinEditAccessible : public FieldEditAccessible, public QAccessibleValueInterface {
 public:
  explicit SpinEditAccessible(TSpinEdit* edit);

  void* interface_cast(QAccessible::InterfaceType t) override;

  // The value is the field's Value: the number the arrows step from.
  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

 private:
  TSpinEdit* Edit() const;
};

// The fields' interfaces, as a QAccessible::InterfaceFactory: nothing for any other class.
QAccessibleInterface* FieldAccessibleFactory(const QString& className, QObject* object);

}  // namespace zentarix
