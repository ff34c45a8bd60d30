#include "cli/line_writer.h"

#include <unistd.h>

#include <cerrno>

namespace zentarix {

LineWriter::LineWriter(int fd, std::size_t block) : FFd(fd), FBlock(block) {
  FPending.reserve(block * 2);
}

void LineWriter::Append(std::string_view text) { FPending.append(text); }

void LineWriter::WriteIfFull() {
  if (FPending.size() >= FBlock) WriteLines();
}

void LineWriter::WriteLines() {
  const std::size_t lastBreak = FPending.rfind('\n');
  if (lastBreak != std::string::npos) WriteFirst(lastBreak + 1);
}

void LineWriter::WriteAll() { WriteFirst(FPending.size()); }

void LineWriter::WriteFirst(std::size_t count) {
  std::size_t written = 0;
  // A short write or a signal part-way goes on with the rest, so that the block still ends at
  // a line end; after a failure nothing more is written, and what was gathered is dropped.
  while (FError == 0 && written < count) {
    const ssize_t result = write(FFd, FPending.data() + written, count - written);
    if (result >= 0) {
      written += static_cast<std::size_t>(result);
    } else if (errno != EINTR) {
      FError = errno;
    }
  }
  FPending.erase(0, FError == 0 ? count : FPending.size());
}

}  // namespace zentarix
