#include "cli/standard_streams.h"

#include <cstring>

#include "cli/line_writer.h"

namespace zentarix {

void WriteNote(const StandardStreams& streams, std::string_view program, std::string_view note) {
  LineWriter err(streams.Err);
  err.Append(program);
  err.Append(": ");
  err.Append(note);
  err.Append("\n");
  err.WriteAll();
}

std::string WriteErrorNote(int error) { return std::string("write error: ") + strerror(error); }

std::string ReadErrorNote(int error) {
  return std::string("cannot read standard input: ") + strerror(error);
}

}  // namespace zentarix
