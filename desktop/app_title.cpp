#include "desktop/app_title.h"

namespace zentarix {

QString ApplicationTitleFromPath(const QString& programPath) {
  QString name = programPath.mid(programPath.lastIndexOf(u'/') + 1);
  const qsizetype dot = name.indexOf(u'.');
  if (dot >= 0) name.truncate(dot);
  if (name.isEmpty()) return name;
  // The first character stays as it is, whichever case it has. Counted in code points so
  // that a first character outside the basic plane is kept whole.
  const qsizetype firstLength = name.at(0).isHighSurrogate() && name.size() > 1 ? 2 : 1;
  return name.left(firstLength) + name.mid(firstLength).toLower();
}

}  // namespace zentarix
