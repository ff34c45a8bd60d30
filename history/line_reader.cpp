#include "history/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace zentarix {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(int fd, std::size_t maxLine)
    : FFd(fd), FMaxLine(maxLine), FBlock(std::size_t{1} << 16) {}

LineReader::Result LineReader::Next(std::string& line) {
  while (true) {
    const char* begin = FBlock.data() + FStart;
    const void* found = std::memchr(begin, '\n', FEnd - FStart);
    const std::size_t count =
        found != nullptr ? static_cast<std::size_t>(static_cast<const char*>(found) - begin)
                         : FEnd - FStart;
    // One byte over the limit is kept for the CR of a CRLF line, which does not count.
    if (!FTooLong && FLine.size() + count <= FMaxLine + 1) {
      FLine.append(begin, count);
    } else {
      FTooLong = true;
      FLine.clear();
    }
    FStart += count;
    if (found != nullptr) {
      ++FStart;
      return Finish(line);
    }
    if (FEndOfInput) {
      // A last line without a line break is a line all the same.
      return FLine.empty() && !FTooLong ? Result::End : Finish(line);
    }
    if (!Fill()) return FError != 0 ? Result::Failed : Result::Interrupted;
  }
}

LineReader::Result LineReader::Finish(std::string& line) {
  if (!FLine.empty() && FLine.back() == '\r') FLine.pop_back();
  const bool tooLong = FTooLong || FLine.size() > FMaxLine;
  FTooLong = false;
  line.clear();
  if (!tooLong) line.swap(FLine);
  FLine.clear();
  return tooLong ? Result::TooLong : Result::Line;
}

// Reads the next block; false when the read failed or a signal interrupted it.
bool LineReader::Fill() {
  FStart = 0;
  FEnd = 0;
  const ssize_t count = read(FFd, FBlock.data(), FBlock.size());
  if (count < 0) {
    if (errno != EINTR) FError = errno;
    return false;
  }
  FEnd = static_cast<std::size_t>(count);
  FEndOfInput = count == 0;
  // The mark is written with the text's first bytes, so it arrives in the first block.
  if (FAtStart && FEnd > 0) {
    FAtStart = false;
    if (std::string_view(FBlock.data(), FEnd).substr(0, ByteOrderMark.size()) == ByteOrderMark) {
      FStart = ByteOrderMark.size();
    }
  }
  return true;
}

}  // namespace zentarix
