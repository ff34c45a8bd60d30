// Output for scripts: text is gathered and written to a descriptor in whole lines, one write(2)
// per block. A run that is interrupted, or several runs appending to one file, never leave half
// a line behind. The first failed write is kept, and nothing more is written after it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zentarix {

class LineWriter {
 public:
  // Complete lines are written once at least block bytes are gathered.
  explicit LineWriter(int fd, std::size_t block = std::size_t{1} << 16);

  void Append(std::string_view text);
  // The text the next writes will send; appending to it is the same as Append.
  std::string& Pending() { return FPending; }

  // Writes the complete lines when a block is full.
  void WriteIfFull();
  // Writes every complete line now.
  void WriteLines();
  // Writes everything, a last line without its line break included.
  void WriteAll();

  // errno of the first failed write; 0 while every write succeeded.
  int Error() const { return FError; }

 private:
  void WriteFirst(std::size_t count);

  int FFd;
  std::size_t FBlock;
  std::string FPending;
  int FError = 0;
};

}  // namespace zentarix
