// Errors raised by event handlers must never unwind through Qt's own frames. Every place where
// Qt calls into the spin controls (event handlers, timer ticks, signal slots) runs its work
// through GuardEntry, which hands any exception to one report function.
//
// The application installs its general error report, the program's one error box, through
// SetErrorReportHook. Without it, the default report resets the floating-point unit and writes
// the error's message followed by a full stop to standard error.
#pragma once

#include <exception>
#include <functional>
#include <string>

namespace zentarix {

using ErrorReportHook = std::function<void(std::exception_ptr error)>;

// Installs hook (an empty hook restores the default report); returns the previous one.
ErrorReportHook SetErrorReportHook(ErrorReportHook hook);

// Hands error to the installed report, or to the default one.
void ReportError(std::exception_ptr error) noexcept;

// The text that a report shows for error (without the full stop).
std::string ErrorMessageOf(std::exception_ptr error);

// Runs work; an exception leaving it is reported instead of propagating.
template <typename Work>
void GuardEntry(Work&& work) noexcept {
  try {
    work();
  } catch (...) {
    ReportError(std::current_exception());
  }
}

}  // namespace zentarix
