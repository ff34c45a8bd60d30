// A regular file's next block, read on a second thread while the caller works on the block
// before it, and the plain rows of its later part read there too (ReadPlainRow), so that the
// kernel's copy of the bytes and most of the rows' reading overlap the caller's work instead
// of adding to it. The caller keeps what only it can do in order: the first part of each
// block's rows, every row that is not plain, the time order and the zigzag.
//
// A few blocks are read ahead at most (Depth), so memory stays bounded whatever the file's
// length, and either thread may run a block ahead of the other without waiting for it; the thread
// ends with the file, and the destructor stops and joins it. The thread blocks every signal, so
// that a stop signal always reaches the caller's thread, which checks for it at each block.
#pragma once

#include <sys/types.h>

#include <array>
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
  // How many blocks may wait to be taken: enough that a block that takes one thread longer
  // than usual rarely makes the other wait.
  static constexpr std::size_t Depth = 4;

 private:
  // A block read, with its rows.
  struct Slot {
    std::vector<char> Bytes;
    std::vector<AheadRow> Rows;
    std::optional<PlainRowLayout> RowsLayout;  // what Rows were read by
    ssize_t Count = 0;
    int Error = 0;
  };

  BlockReadAhead(int fd, std::size_t size, std::size_t capacity, std::size_t maxLine);
  void Run();
  void ReadRows(const PlainRowLayout& layout, Slot& slot, bool startsAtLine) const;

  int FFd;
  std::size_t FSize;
  std::size_t FMaxLine;
  std::mutex FMutex;
  std::condition_variable FChanged;
  // Slots FFirst onwards, FFilled of them, wait to be taken; the thread reads into the one
  // after them, which nobody else touches meanwhile.
  std::array<Slot, Depth> FSlots;
  std::size_t FFirst = 0;
  std::size_t FFilled = 0;
  std::optional<PlainRowLayout> FLayout;  // what the next block's rows are read by
  bool FStop = false;
  std::thread FThread;
};

}  // namespace zentarix
