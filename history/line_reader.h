// The lines of a batch, read from a descriptor in blocks: a UTF-8 byte-order mark at the very
// start is skipped, the CR of a CRLF line is removed, and a line longer than the limit (without
// that CR) is skipped to its end, so that memory stays bounded for any input.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "history/block_read_ahead.h"
#include "history/line_break.h"

namespace zentarix {

class LineReader {
 public:
  LineReader(int fd, std::size_t maxLine);

  // From now on, when fd is a regular file, each block is read on a second thread while the
  // lines of the block before are handed out, with the plain rows of its later part read by
  // layout() as it stands when the block before is taken (BlockReadAhead); a file's reads
  // then never wait for a signal. Called before the first Next.
  using LayoutSource = std::function<std::optional<PlainRowLayout>()>;
  void ReadAhead(LayoutSource layout);

  // The line last handed out as the second thread read it, by the layout that layout() gives
  // now; null where it did not read it as a plain row.
  const PlainRow* ReadAheadRow() {
    if (FLineStart == NoLineStart) return nullptr;
    const std::size_t count = FAheadRows.size();
    while (FAheadNext < count && FAheadRows[FAheadNext].Start < FLineStart) ++FAheadNext;
    if (FAheadNext < count && FAheadRows[FAheadNext].Start == FLineStart) {
      return &FAheadRows[FAheadNext++].Row;
    }
    return nullptr;
  }

  enum class Result {
    Line,         // line shows the next line, without its line break, until the next call
    TooLong,      // a line longer than maxLine was skipped; line is empty
    End,          // no more lines
    Failed,       // a read failed; Error() says why
    Interrupted,  // a signal came while waiting for input; Next may be called again
    Stopped,      // the block hook asked to stop
  };
  // Inline for the line that lies whole in the block, nearly every line of a long file.
  Result Next(std::string_view& line) {
    if (FLine.empty() && !FTooLong) {
      const char* const begin = FBlock.data() + FStart;
      const char* const found = FindLineBreak(begin, FBlock.data() + FEnd);
      if (found != nullptr) {
        FLineStart = FStart;
        FStart = static_cast<std::size_t>(found - FBlock.data()) + 1;
        return Finish(std::string_view(begin, static_cast<std::size_t>(found - begin)), line);
      }
    }
    return NextAcross(line);
  }

  // Called with each block as it is read, before its lines are handed out, to copy the input
  // or follow the reading's progress; false stops the reading.
  using BlockHook = std::function<bool(std::string_view block)>;
  void OnBlock(BlockHook hook) { FHook = std::move(hook); }

  // errno of the failed read.
  int Error() const { return FError; }

 private:
  // Next for a line that crosses a block end, or after the block's last line.
  Result NextAcross(std::string_view& line);
  bool Fill();
  Result Finish(std::string_view text, std::string_view& line) {
    text = WithoutCarriageReturn(text);
    const bool tooLong = FTooLong || text.size() > FMaxLine;
    FTooLong = false;
    FHandedOut = true;
    line = tooLong ? std::string_view() : text;
    return tooLong ? Result::TooLong : Result::Line;
  }

  // Large, so that handing a block over from the reading thread (ReadAhead) costs next to
  // nothing beside the work on its lines; small enough that the blocks read ahead stay in the
  // caches.
  static constexpr std::size_t BlockSize = std::size_t{1} << 19;
  // Bytes past the block that a sixteen-byte load at its last byte may touch; never read into.
  static constexpr std::size_t BlockPadding = 16;

  int FFd;
  std::size_t FMaxLine;
  std::unique_ptr<BlockReadAhead> FAhead;
  LayoutSource FLayout;
  std::vector<AheadRow> FAheadRows;  // the block's rows read ahead, in line order
  std::size_t FAheadNext = 0;        // the first of them not yet past
  // Where the line last handed out starts in the block; NoLineStart for one gathered across
  // blocks.
  static constexpr std::size_t NoLineStart = static_cast<std::size_t>(-1);
  std::size_t FLineStart = NoLineStart;
  BlockHook FHook;
  std::vector<char> FBlock;
  std::size_t FStart = 0;
  std::size_t FEnd = 0;
  // A line that crosses the end of a block, gathered; it survives an interrupted read.
  std::string FLine;
  bool FAtStart = true;
  bool FEndOfInput = false;
  bool FTooLong = false;
  bool FHandedOut = false;
  int FError = 0;
};

}  // namespace zentarix
