// The general error report: every error that escapes an event handler ends here. It resets
// the floating-point unit, then shows a modal message box captioned with the application's
// title holding the error's message and a full stop; the program goes on.
#pragma once

#include <QString>

namespace zentarix {

void InstallGeneralErrorReport(const QString& title);

}  // namespace zentarix
