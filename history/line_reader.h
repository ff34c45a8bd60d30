// The lines of a batch, read from a descriptor in blocks: a UTF-8 byte-order mark at the very
// start is skipped, the CR of a CRLF line is removed, and a line longer than the limit (without
// that CR) is skipped to its end, so that memory stays bounded for any input.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zentarix {

class LineReader {
 public:
  LineReader(int fd, std::size_t maxLine);

  enum class Result {
    Line,         // line shows the next line, without its line break, until the next call
    TooLong,      // a line longer than maxLine was skipped; line is empty
    End,          // no more lines
    Failed,       // a read failed; Error() says why
    Interrupted,  // a signal came while waiting for input; Next may be called again
    Stopped,      // the block hook asked to stop
  };
  Result Next(std::string_view& line);

  // Called with each block as it is read, before its lines are handed out, to copy the input
  // or follow the reading's progress; false stops the reading.
  using BlockHook = std::function<bool(std::string_view block)>;
  void OnBlock(BlockHook hook) { FHook = std::move(hook); }

  // errno of the failed read.
  int Error() const { return FError; }

 private:
  bool Fill();
  Result Finish(std::string_view text, std::string_view& line);

  int FFd;
  std::size_t FMaxLine;
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
