// Many moves in one run: one move per line of standard input, one result per move on standard
// output.
//
//   # A      B       noise        (a line starting with # and a blank line are skipped)
//   100      110     30
//   1.0850   1.0720  5
//
// The three fields are separated by blanks or tabs. --json gives one JSON object per line
// (JSON Lines), each with the input line it answers as "line"; the listing gives each move's
// listing after a heading "# line N", with an empty line between moves. The run streams: it
// holds one line and one block of output at a time, whatever the input's size, and writes the
// output in whole lines.
#pragma once

#include <cstddef>
#include <string_view>

#include "cli/move_run.h"
#include "cli/standard_streams.h"

namespace zentarix {

// A longer line (without the CR of a CRLF line) is not a move: it is skipped to its end and
// reported.
inline constexpr std::size_t MaxMoveLine = std::size_t{1} << 20;

// Reads moves until the input ends, writes their results and a note on standard error for each
// line that is not a move or ends in an arithmetic error, naming the line. Returns the highest
// status of any move (StatusDataError for a line that is not a move); StatusIoError when the
// input cannot be read or the output written (the run stops at once, after one note); and
// 128 + the signal after SIGINT or SIGTERM, once the output complete so far is written.
int RunMoveBatch(const StandardStreams& streams, std::string_view program,
                 const MoveWriting& writing);

}  // namespace zentarix
