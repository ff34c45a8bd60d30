// The descriptors a command reads and writes, and its notes on standard error.
#pragma once

#include <string>
#include <string_view>

namespace zentarix {

// -1 stands for a descriptor that was closed when the program started: reading or writing it
// then fails as a closed descriptor does, instead of quietly reaching the /dev/null that
// start-up opens in its place.
struct StandardStreams {
  int In = 0;
  int Out = 1;
  int Err = 2;
};

// Writes "program: note" and a line break to standard error, in one write. A note that cannot
// be written has nowhere else to go, so a failure is not reported.
void WriteNote(const StandardStreams& streams, std::string_view program, std::string_view note);

// "write error: No space left on device" and its kin, for errno error.
std::string WriteErrorNote(int error);
std::string ReadErrorNote(int error);

}  // namespace zentarix
