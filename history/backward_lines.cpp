#include "history/backward_lines.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

#include "history/line_break.h"

namespace zentarix {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::size_t Block = std::size_t{1} << 16;

}  // namespace

BackwardLines::BackwardLines(int fd, std::uint64_t begin, std::uint64_t end, std::size_t maxLine)
    : FFd(fd), FBegin(begin), FCursor(end), FWindow(end), FBuffer(maxLine + 2 + Block) {
  char start[ByteOrderMark.size()];
  if (end - begin >= sizeof start &&
      pread(fd, start, sizeof start, static_cast<off_t>(begin)) ==
          static_cast<ssize_t>(sizeof start) &&
      std::string_view(start, sizeof start) == ByteOrderMark) {
    FBegin += sizeof start;
  }
  // A line break that ends the file ends its last line; it starts no empty line after it.
  if (FCursor > FBegin) {
    char last = 0;
    if (pread(fd, &last, 1, static_cast<off_t>(FCursor - 1)) == 1 && last == '\n') --FCursor;
  } else {
    FDone = true;
  }
  FWindow = FCursor;
}

BackwardLines::Result BackwardLines::Previous(std::string_view& line) {
  if (FDone) return Result::End;
  while (true) {
    const std::size_t inBuffer = static_cast<std::size_t>(FCursor - FWindow);
    const void* found = inBuffer == 0 ? nullptr : memrchr(FBuffer.data(), '\n', inBuffer);
    if (found != nullptr || FWindow == FBegin) {
      const std::size_t from =
          found == nullptr
              ? 0
              : static_cast<std::size_t>(static_cast<const char*>(found) - FBuffer.data()) + 1;
      line = WithoutCarriageReturn(std::string_view(FBuffer.data() + from, inBuffer - from));
      if (found == nullptr) {
        FDone = true;
      } else {
        FCursor = FWindow + from - 1;
      }
      return Result::Line;
    }
    // The line starts before the window: read the window again, ending at the cursor. A line
    // that fills the whole window is longer than any line the file had when it was checked.
    if (inBuffer == FBuffer.size() || !Fill()) return Result::Failed;
  }
}

// Reads the bytes before the cursor, as many as the buffer holds.
bool BackwardLines::Fill() {
  const std::uint64_t size = FCursor - FBegin < FBuffer.size() ? FCursor - FBegin : FBuffer.size();
  FWindow = FCursor - size;
  std::size_t got = 0;
  while (got < size) {
    const ssize_t count = pread(FFd, FBuffer.data() + got, static_cast<std::size_t>(size) - got,
                                static_cast<off_t>(FWindow + got));
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) {
      FError = count < 0 ? errno : 0;
      return false;
    }
    got += static_cast<std::size_t>(count);
    FBytesRead += static_cast<std::uint64_t>(count);
  }
  return true;
}

}  // namespace zentarix
