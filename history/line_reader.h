// The lines of a batch, read from a descriptor in blocks: a UTF-8 byte-order mark at the very
// start is skipped, the CR of a CRLF line is removed, and a line longer than the limit (without
// that CR) is skipped to its end, so that memory stays bounded for any input.
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "history/block_read_ahead.h"

namespace zentarix {

class LineReader {
 public:
  LineReader(int fd, std::size_t maxLine);
  ~LineReader();
  LineReader(const LineReader&) = delete;
  LineReader& operator=(const LineReader&) = delete;

  // From now on, when fd is a regular file, each block is read on a second thread while the
  // lines of the block before are handed out (BlockReadAhead); a file's reads then never wait
  // for a signal. Called before the first Next.
  void ReadAhead();

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
  // The first line break in [begin, end), or nullptr; end may lie up to BlockPadding bytes
  // before the buffer's end. Sixteen bytes at a time: a line of a price file is a few dozen
  // bytes, too short for a call to memchr to pay.
  static const char* FindLineBreak(const char* begin, const char* end) {
    const __m128i breaks = _mm_set1_epi8('\n');
    const char* at = begin;
    unsigned found;
    while ((found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), breaks)))) == 0) {
      at += 16;
      if (at >= end) return nullptr;
    }
    // A break in the padding, or one an earlier block left past the end, is no part of the
    // text.
    const char* const lineBreak = at + __builtin_ctz(found);
    return lineBreak < end ? lineBreak : nullptr;
  }

  // Next for a line that crosses a block end, or after the block's last line.
  Result NextAcross(std::string_view& line);
  bool Fill();
  Result Finish(std::string_view text, std::string_view& line) {
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    const bool tooLong = FTooLong || text.size() > FMaxLine;
    FTooLong = false;
    FHandedOut = true;
    line = tooLong ? std::string_view() : text;
    return tooLong ? Result::TooLong : Result::Line;
  }

  // Large, so that handing a block over from the reading thread (ReadAhead) costs next to
  // nothing beside the work on its lines.
  static constexpr std::size_t BlockSize = std::size_t{1} << 20;
  // Bytes past the block that a sixteen-byte load at its last byte may touch; never read into.
  static constexpr std::size_t BlockPadding = 16;

  int FFd;
  std::size_t FMaxLine;
  std::unique_ptr<BlockReadAhead> FAhead;
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
