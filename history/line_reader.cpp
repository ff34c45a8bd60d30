#include "history/line_reader.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace zentarix {

namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

LineReader::LineReader(int fd, std::size_t maxLine)
    : FFd(fd), FMaxLine(maxLine), FBlock(BlockSize + BlockPadding) {}

void LineReader::ReadAhead(LayoutSource layout) {
  struct stat status = {};
  if (fstat(FFd, &status) == 0 && S_ISREG(status.st_mode)) {
    FAhead = BlockReadAhead::Start(FFd, BlockSize, FBlock.size(), FMaxLine);
    FLayout = std::move(layout);
  }
}

LineReader::Result LineReader::NextAcross(std::string_view& line) {
  // The line handed out last may lie in FLine; one cut short by a signal must stay.
  if (FHandedOut) FLine.clear();
  FHandedOut = false;
  while (true) {
    const char* begin = FBlock.data() + FStart;
    const char* const found = FindLineBreak(begin, FBlock.data() + FEnd);
    const std::size_t count =
        found != nullptr ? static_cast<std::size_t>(found - begin) : FEnd - FStart;
    FStart += count;
    // A line that lies whole in the block is handed out where it lies; one that crosses a block
    // end is gathered, a byte over the limit kept for the CR of a CRLF line, which does not
    // count.
    if (found != nullptr && FLine.empty() && !FTooLong) {
      FLineStart = static_cast<std::size_t>(begin - FBlock.data());
      ++FStart;
      return Finish(std::string_view(begin, count), line);
    }
    if (!FTooLong && FLine.size() + count <= FMaxLine + 1) {
      FLine.append(begin, count);
    } else {
      FTooLong = true;
      FLine.clear();
    }
    if (found != nullptr) {
      ++FStart;
      FLineStart = NoLineStart;
      return Finish(FLine, line);
    }
    if (FEndOfInput) {
      // A last line without a line break is a line all the same.
      FLineStart = NoLineStart;
      return FLine.empty() && !FTooLong ? Result::End : Finish(FLine, line);
    }
    if (!Fill()) return FError != 0 ? Result::Failed : Result::Interrupted;
    if (FHook && !FHook(std::string_view(FBlock.data(), FEnd))) return Result::Stopped;
  }
}

// Reads the next block; false when the read failed or a signal interrupted it.
bool LineReader::Fill() {
  FStart = 0;
  FEnd = 0;
  FAheadNext = 0;
  const ssize_t count = FAhead
                            ? FAhead->Take(FBlock, FAheadRows, FLayout ? FLayout() : std::nullopt)
                            : read(FFd, FBlock.data(), BlockSize);
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
