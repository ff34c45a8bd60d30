// The command line's exit statuses. 64, 65 and 74 are those of sysexits.h, which scripts
// already know.
#pragma once

namespace zentarix {

inline constexpr int StatusListing = 0;     // the levels were written
inline constexpr int StatusErrorLine = 1;   // a value below zero or not a number: the error line
inline constexpr int StatusArithmetic = 2;  // an arithmetic error (a result beyond a double)
inline constexpr int StatusUsage = 64;      // the command line is not understood
inline constexpr int StatusDataError = 65;  // a line of a batch is not a move
inline constexpr int StatusIoError = 74;    // reading the input or writing the output failed

// A run stopped by a signal ends with 128 + the signal, as a shell reports it.
inline constexpr int StatusOfSignal(int signal) { return 128 + signal; }

}  // namespace zentarix
