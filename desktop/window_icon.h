// The icon of the program's windows, at every size the program carries.
#pragma once

#include <QIcon>
#include <QString>

namespace zentarix {

// Every PNG image in the resource folder (":/icons"), each one size of the same icon. Given
// them all, the desktop (the X window's _NET_WM_ICON) picks the size a dock or a task switcher
// shows instead of scaling one size up. Only the images' headers are read here; a size is
// decoded when it is asked for.
QIcon IconOfEverySize(const QString& folder);

}  // namespace zentarix
