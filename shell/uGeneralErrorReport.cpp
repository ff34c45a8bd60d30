#include "shell/uGeneralErrorReport.h"

#include <QMessageBox>

#include "calc/uFloatEnv.h"
#include "shell/uNativeWindow.h"
#include "spin/uErrorReport.h"

namespace zentarix {

void InstallGeneralErrorReport(const QString& title) {
  SetErrorReportHook([title](std::exception_ptr error) {
    // The calculation after an error starts with an empty register stack, clear flags and
    // the default word.
    ResetFpu();
    QMessageBox box(QMessageBox::Critical, title,
                    QString::fromStdString(ErrorMessageOf(error)) + u'.', QMessageBox::Ok);
    CreateNativeWindow(box);
    box.exec();
  });
}

}  // namespace zentarix
