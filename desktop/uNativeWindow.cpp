#include "desktop/uNativeWindow.h"

#include <QWidget>

#include "calc/uFloatEnv.h"

namespace zentarix {

void CreateNativeWindow(QWidget& window) {
  const std::uint16_t word = CurrentFpuControlWord();
  window.winId();  // creates the native window of a top-level widget
  SetFpuControlWord(word);
}

}  // namespace zentarix
