#include "spin/error_report.h"

#include <cstdio>
#include <utility>

#include "calc/uFloatEnv.h"

namespace zentarix {

namespace {

ErrorReportHook& CurrentReportHook() {
  static ErrorReportHook hook;
  return hook;
}

// Without the application's report (a control used on its own), the error is written where
// a developer sees it; the one error box of the program is the application's report.
void WriteToStandardError(std::exception_ptr error) {
  ResetFpu();
  std::fprintf(stderr, "%s.\n", ErrorMessageOf(error).c_str());
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
    WriteToStandardError(error);
  } catch (...) {
  }
}

}  // namespace zentarix
