// The application's title: the caption of the general error report and the text the desktop
// shows for the running program. It is derived once from the program file's name.
#pragma once

#include <QString>

namespace zentarix {

// The file name after the last "/", cut at its first ".", with every character after the
// first lowered: "/usr/bin/ZenTarix.Bin.x" gives "Zentarix".
QString ApplicationTitleFromPath(const QString& programPath);

}  // namespace zentarix
