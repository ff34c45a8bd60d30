#include "desktop/native_window.h"

#include <QCoreApplication>
#include <QWidget>

#include "calc/uFloatEnv.h"

namespace zentarix {

void CreateNativeWindow(QWidget& window) {
  const std::uint16_t word = CurrentFpuControlWord();
  // winId() marks the widget native, and Qt would then make every other child of its parent
  // native as well: a box owned by the main window would turn the main window's panel into an
  // X window of its own, one more window to create and map.
  const bool siblingsStayAlien =
      QCoreApplication::testAttribute(Qt::AA_DontCreateNativeWidgetSiblings);
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, true);
  window.winId();  // creates the native window of a top-level widget
  QCoreApplication::setAttribute(Qt::AA_DontCreateNativeWidgetSiblings, siblingsStayAlien);
  SetFpuControlWord(word);
}

}  // namespace zentarix
