// Enter runs a focused or default button only when neither Shift, Ctrl nor Alt is held; a
// push button left to itself would take a modified Enter too.
#pragma once

#include <QKeyEvent>

namespace zentarix {

inline bool IsModifiedEnter(const QKeyEvent& key) {
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  const auto held = key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  return enter && held != Qt::NoModifier;
}

}  // namespace zentarix
