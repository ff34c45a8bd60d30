// A price file dropped onto the main window or opened in it: its last swing at a threshold, read
// as `--swings FILE --last` reads it and put into the same words, with what the chart window
// draws of it, and the texts that put a swing's A and B into the fields.
#pragma once

#include <QString>
#include <exception>
#include <memory>
#include <string>

#include "calc/extended.h"
#include "chart/held_chart.h"
#include "history/history_file.h"
#include "history/history_messages.h"
#include "history/zigzag.h"

class QMimeData;

namespace zentarix {

struct DroppedSwing {
  Swing Last;
  long Number = 0;  // its place among the history's swings, from 1
};

enum class DropOutcome {
  Read,        // Swing holds the last swing
  CannotOpen,  // Errno says why
  NotAFile,    // a folder, a FIFO or a device: only a regular file is read
  DataError,   // Check.Error says what
  CannotRead,  // Check.ReadErrno says why
  NoSwing,     // the prices never move by the threshold
  Stopped,     // the progress asked to stop
  Failed,      // Failure holds what the reading threw
};

// What reading a dropped file came to, as data: it is read on a thread of its own, and put into
// words on the window's.
struct DropRead {
  DropOutcome Outcome = DropOutcome::Stopped;
  DroppedSwing Swing;
  HistoryCheck Check;
  int Errno = 0;
  std::exception_ptr Failure;
  Extended Percent = DefaultSwingThreshold;  // the threshold it was read at
  // The bars and swings for the chart, once the file has been read (with no swing too).
  std::shared_ptr<HeldChart> Chart;
};

// The local file a drag brings (the first of its URLs), or an empty text when it brings none.
QString DroppedFile(const QMimeData* data);

// The last swing of the history in the file at path (in the file system's encoding) at a
// threshold of percent, and its chart, with progress told as HistoryFile tells it; safe to run
// on any thread.
DropRead ReadPriceFile(const std::string& path, Extended percent, const HistoryProgress& progress);

// The message for a read that did not come to a swing, in the language translate gives (empty
// for a stopped one); file names the file as the user knows it. Rethrows a Failed read's error.
std::string DropFailureText(const DropRead& read, const std::string& file,
                            const TranslateHistory& translate);

// The words of a price file's faults in the interface language.
std::string TranslateHistoryInApplication(const char* source);

// The text a field holds for value: the locale's decimal mark, no group marks, and the fewest
// decimals (up to 18) that the field reads back as the same extended value.
std::string FieldTextOf(Extended value);

}  // namespace zentarix
