#include "spin/uErrorReport.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>
#include <utility>

#include "calc/uFloatEnv.h"

namespace zentarix {

namespace {

ErrorReportHook& CurrentReportHook() {
  static ErrorReportHook hook;
  return hook;
}

void ShowErrorBox(std::exception_ptr error) {
  ResetFpu();
  const QString text = QString::fromStdString(ErrorMessageOf(error)) + QLatin1Char('.');
  QMessageBox::critical(QApplication::activeWindow(), QGuiApplication::applicationDisplayName(),
                        text);
}

}  // namespace

ErrorReportHook SetErrorReportHook(ErrorReportHook hook) {
  return std::exchange(CurrentReportHook(), std::move(hook));
}

std::string ErrorMessageOf(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

void ReportError(std::exception_ptr error) noexcept {
  // A report that fails itself must not unwind into Qt either; there is nowhere left to
  // report it, so it is dropped.
  try {
    if (const ErrorReportHook& hook = CurrentReportHook()) {
      hook(error);
      return;
    }
    ShowErrorBox(error);
  } catch (...) {
  }
}

}  // namespace zentarix
