// The lines of a regular file from its last to its first, for a price file that runs newest
// first: exactly the lines LineReader gives from the front, in the other order. The file is
// read in blocks from its end with pread, so that the reading takes the same memory whatever
// the file's size; a UTF-8 byte-order mark at its very start is skipped and the CR of a CRLF
// line removed, as LineReader does.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zentarix {

class BackwardLines {
 public:
  // The file's bytes from begin to end; maxLine: the longest line, without its line break.
  BackwardLines(int fd, std::uint64_t begin, std::uint64_t end, std::size_t maxLine);

  enum class Result {
    Line,    // line shows the line before the last one handed out, until the next call
    End,     // the first line has been handed out
    Failed,  // a read failed (Error() says why), or a line was longer than maxLine
  };
  Result Previous(std::string_view& line);

  // errno of the failed read; 0 when a line was too long (the file changed under the reader).
  int Error() const { return FError; }
  // How many bytes have been read from the file.
  std::uint64_t BytesRead() const { return FBytesRead; }

 private:
  bool Fill();

  int FFd;
  std::uint64_t FBegin;
  std::uint64_t FCursor;  // the lines before this offset have not been handed out
  std::uint64_t FWindow;  // the file's offset of FBuffer's first byte
  bool FDone = false;
  std::vector<char> FBuffer;
  std::uint64_t FBytesRead = 0;
  int FError = 0;
};

}  // namespace zentarix
