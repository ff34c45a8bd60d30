// A regular file's next block, read on a second thread while the caller works on the block
// before it, and the plain rows of its later part read there too (ReadPlainRow), so that the
// kernel's copy of the bytes and most of the rows' reading overlap the caller's work instead
// of adding to it. The caller keeps what only it can do in order: the first part of each
// block's rows, every row that is not plain, the time order and the zigzag.
//
// One block is read ahead at most, so memory stays two blocks and their rows whatever the
// file's length; the thread ends with the file, and the destructor stops and joins it. The
// thread blocks every signal, so that a stop signal always reaches the caller's thread, which
// checks for it at each block.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "history/plain_row.h"

namespace zentarix {

// A plain row read ahead, and where its line starts in its block.
struct AheadRow {
  std::uint32_t Start = 0;
  PlainRow Row;
};

class BlockReadAhead {
 public:
  // Reading fd from its offset, blocks of up to size bytes into buffers of capacity bytes;
  // lines longer than maxLine are left to the caller. Null when no thread could be started,
  // and the caller then reads by itself.
  static std::unique_ptr<BlockReadAhead> Start(int fd, std::size_t size, std::size_t capacity,
                                               std::size_t maxLine);
  ~BlockReadAhead();
  BlockReadAhead(const BlockReadAhead&) = delete;
  BlockReadAhead& operator=(const BlockReadAhead&) = delete;

  // The next block, swapped into block (a buffer of the same capacity), and its rows read
  // ahead, in line order, swapped into rows: only rows read by layout, the layout that the
  // caller's rows are read by now. layout also goes on to the blocks after this one. Returns
  // the block's byte count as read returns it, 0 at the end, or -1 with errno set; the end and
  // a failure stay.
  ssize_t Take(std::vector<char>& block, std::vector<AheadRow>& rows,
               const std::optional<PlainRowLayout>& layout);

  // The share of each block's bytes whose rows the caller reads itself, so that both threads
  // finish a block at about the same time: the caller also splits every line, keeps the time
  // order and runs the zigzag. Balanced on the price-file benchmark.
  static constexpr double CallerShare = 0.3;

 private:
  BlockReadAhead(int fd, std::size_t size, std::size_t capacity, std::size_t maxLine);
  void Run();
  void ReadRows(const PlainRowLayout& layout, std::size_t count, bool startsAtLine);

  int FFd;
  std::size_t FSize;
  std::size_t FMaxLine;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::vector<char> FAhead;
  std::vector<AheadRow> FRows;
  std::optional<PlainRowLayout> FRowsLayout;  // what FRows were read by
  std::optional<PlainRowLayout> FLayout;      // what the next block's rows are read by
  bool FFull = false;  // FAhead holds a block not taken yet; the thread waits until it is
  bool FStop = false;
  ssize_t FCount = 0;
  int FError = 0;
  std::thread FThread;
};

}  // namespace zentarix
