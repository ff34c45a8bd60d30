// The words for a price file's faults and notes, one set for the command line and the window.
// Each text is written in Russian, the system's own language, with Qt's %1, %2, ... for what it
// names; translate gives it in the interface language: the command line through the English
// catalogue compiled into it, the window through its installed translator. The catalogue's
// context for every one of them is HistoryContext.
//
//   NotANumber, line 5, column "Close", cell "abc"
//     -> "строка 5, столбец Close: «abc» — не число"
//     -> "line 5, column Close: "abc" is not a number"
#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "history/history_file.h"

namespace zentarix {

inline constexpr const char* HistoryContext = "History";

// The text of source (one of HistoryTexts()) in the interface language.
using TranslateHistory = std::function<std::string(const char* source)>;

std::string DescribeHistoryError(const HistoryError& error, const TranslateHistory& translate);

// The notes a history that was read may need, each empty when it needs none: rows skipped, the
// order the file was read in, and instants that repeat.
std::string SkippedRowsNote(const HistoryCheck& check, const TranslateHistory& translate);
std::string OrderNote(const HistoryCheck& check, const TranslateHistory& translate);
std::string RepeatNote(const HistoryCheck& check, const TranslateHistory& translate);

// A history whose prices never move by percent (as the user wrote it).
std::string NoSwingNote(std::string_view percent, const TranslateHistory& translate);

// A file that cannot be opened, read, or copied for a second reading, and why (strerror's
// words). file "-" is standard input.
std::string CannotOpenNote(std::string_view file, std::string_view reason,
                           const TranslateHistory& translate);
std::string CannotReadNote(const std::string& file, const HistoryCheck& check,
                           std::string_view reason, const TranslateHistory& translate);

// Every text the functions above translate, for the check that each has a translation.
std::span<const char* const> HistoryTexts();

}  // namespace zentarix
