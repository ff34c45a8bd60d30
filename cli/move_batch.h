// Many moves in one run: one move per line of the input, one result per move on the output.
//
//   # A      B       noise        (a line starting with # and a blank line are skipped)
//   100      110     30
//   1.0850   1.0720  5
//
// The three fields are separated by blanks or tabs. --json gives one JSON object per line
// (JSON Lines); the listing gives each move's listing, with an empty line between moves. The
// run streams: it holds one line and one block of output at a time, whatever the input's size.
#pragma once

#include <cstdio>

#include "cli/move_run.h"

namespace zentarix {

// A longer line is not a move: it is skipped to its end and reported.
inline constexpr std::size_t MaxMoveLine = 1 << 20;

// Reads moves from in until its end, writes results to out and notes on bad lines to err, and
// returns the highest status of any move (StatusUsage for a line that is not three fields or
// is longer than MaxMoveLine; that line's result says so).
int RunMoveBatch(std::FILE* in, std::FILE* out, std::FILE* err, MoveFormat format,
                 const ListingTexts& texts = ListingTexts());

}  // namespace zentarix
