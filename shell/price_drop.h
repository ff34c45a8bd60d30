// A price file dropped onto the main window: its last swing at the default threshold, read as
// `--swings FILE --last` reads it, and the texts that put the swing's A and B into the fields.
#pragma once

#include <QString>
#include <string>

#include "calc/extended.h"
#include "history/zigzag.h"

class QMimeData;

namespace zentarix {

struct DroppedSwing {
  Swing Last;
  long Number = 0;  // its place among the history's swings, from 1
};

// The local file a drag brings (the first of its URLs), or an empty text when it brings none.
QString DroppedFile(const QMimeData* data);

// The last swing of the history in file. Throws Exception with the command line's note for a
// file that cannot be opened or read, for its first data error, and for a history without a
// swing.
DroppedSwing ReadLastSwing(const std::string& file);

// The text a field holds for value: the locale's decimal mark, no group marks, and the fewest
// decimals (up to 18) that the field reads back as the same extended value.
std::string FieldTextOf(Extended value);

}  // namespace zentarix
