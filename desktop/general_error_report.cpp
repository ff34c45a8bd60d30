#include "desktop/general_error_report.h"

#include <QApplication>
#include <QMessageBox>
#include <QWindow>

#include "calc/uFloatEnv.h"
#include "desktop/centre_on_screen.h"
#include "desktop/fixed_size_box.h"
#include "desktop/native_window.h"
#include "spin/error_report.h"

namespace zentarix {

void InstallGeneralErrorReport(const QString& title) {
  SetErrorReportHook([title](std::exception_ptr error) {
    // The calculation after an error starts with an empty register stack, clear flags and
    // the default word.
    ResetFpu();
    QMessageBox box(QMessageBox::Critical, title,
                    QString::fromStdString(ErrorMessageOf(error)) + u'.', QMessageBox::Ok);
    PrepareFixedSizeBox(box);
    CreateNativeWindow(box);
    // The box belongs to the window the user was working in, so that the desktop gives that
    // window the keyboard focus back when the box closes; it still opens in the middle of the
    // screen, not over that window.
    if (const QWidget* owner = QApplication::activeWindow()) {
      box.windowHandle()->setTransientParent(owner->windowHandle());
    }
    box.adjustSize();
    CentreOnScreen(box);
    box.exec();
  });
}

}  // namespace zentarix
