// Enter runs a focused or default button only when neither Shift, Ctrl nor Alt is held; a
// push button left to itself would take a modified Enter too.
#pragma once

#include <QKeyEvent>
#include <QObject>

namespace zentarix {

inline bool IsModifiedEnter(const QKeyEvent& key) {
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  const auto held = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  return enter && held != Qt::NoModifier;
}

// Installed on a push button (and owned by it): swallows a modified Enter, so that only a
// plain one runs the button.
class PlainEnterOnly : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject*, QEvent* event) override {
    return event->type() == QEvent::KeyPress &&
           IsModifiedEnter(*static_cast<const QKeyEvent*>(event));
  }
};

}  // namespace zentarix
