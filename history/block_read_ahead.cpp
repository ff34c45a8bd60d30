#include "history/block_read_ahead.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <new>
#include <string_view>
#include <system_error>

#include "calc/uFloatEnv.h"
#include "calc/x87.h"
#include "history/line_break.h"

namespace zentarix {

BlockReadAhead::BlockReadAhead(int fd, std::size_t size, std::size_t capacity, std::size_t maxLine)
    : FFd(fd), FSize(size), FMaxLine(maxLine) {
  for (Slot& slot : FSlots) slot.Bytes.resize(capacity);
}

std::unique_ptr<BlockReadAhead> BlockReadAhead::Start(int fd, std::size_t size,
                                                      std::size_t capacity, std::size_t maxLine) {
  std::unique_ptr<BlockReadAhead> ahead(new BlockReadAhead(fd, size, capacity, maxLine));
  // The thread inherits the mask in force when it starts.
  sigset_t all;
  sigset_t previous;
  sigfillset(&all);
  pthread_sigmask(SIG_BLOCK, &all, &previous);
  try {
    ahead->FThread = std::thread(&BlockReadAhead::Run, ahead.get());
  } catch (const std::system_error&) {
    ahead.reset();
  }
  pthread_sigmask(SIG_SETMASK, &previous, nullptr);
  return ahead;
}

BlockReadAhead::~BlockReadAhead() {
  {
    const std::lock_guard lock(FMutex);
    FStop = true;
  }
  FChanged.notify_one();
  if (FThread.joinable()) FThread.join();
}

ssize_t BlockReadAhead::Take(std::vector<char>& block, std::vector<AheadRow>& rows,
                             const std::optional<PlainRowLayout>& layout) {
  std::unique_lock lock(FMutex);
  FChanged.wait(lock, [this] { return FFilled > 0; });
  Slot& slot = FSlots[FFirst];
  const ssize_t count = slot.Count;
  rows.clear();
  if (count <= 0) {
    // The end and a failure stay: the slot is never taken.
    errno = slot.Error;
    return count;
  }
  block.swap(slot.Bytes);
  if (slot.RowsLayout == layout) rows.swap(slot.Rows);
  FLayout = layout;
  FFirst = (FFirst + 1) % Depth;
  --FFilled;
  lock.unlock();
  FChanged.notify_one();
  return count;
}

// Reads blocks and their rows into the free slots, waiting while none is free, up to the
// file's end or a failed read.
void BlockReadAhead::Run() {
  // The rows' prices are read under the parse word, as the caller reads them.
  const ScopedHardwareWord parseWord(fpu::ParseWord);
  // The first block may start with a byte-order mark, and its first line is the header.
  bool startsAtLine = false;
  while (true) {
    std::optional<PlainRowLayout> layout;
    Slot* slot;
    {
      std::unique_lock lock(FMutex);
      FChanged.wait(lock, [this] { return FFilled < Depth || FStop; });
      if (FStop) return;
      slot = &FSlots[(FFirst + FFilled) % Depth];
      layout = FLayout;
    }
    ssize_t count;
    do {
      count = read(FFd, slot->Bytes.data(), FSize);
    } while (count < 0 && errno == EINTR);
    slot->Count = count;
    slot->Error = count < 0 ? errno : 0;
    slot->RowsLayout = layout;
    slot->Rows.clear();
    try {
      if (count > 0 && layout) ReadRows(*layout, *slot, startsAtLine);
    } catch (const std::bad_alloc&) {
      // The caller reads every row of the block itself.
      slot->Rows.clear();
    }
    if (count > 0) startsAtLine = slot->Bytes[static_cast<std::size_t>(count) - 1] == '\n';
    {
      const std::lock_guard lock(FMutex);
      ++FFilled;
    }
    FChanged.notify_one();
    if (count <= 0) return;
  }
}

// The plain rows among the lines that lie whole in the block's later part. A line starts after
// a line break, or at the block's start when the block before ended with one.
void BlockReadAhead::ReadRows(const PlainRowLayout& layout, Slot& slot, bool startsAtLine) const {
  const char* const data = slot.Bytes.data();
  const auto count = static_cast<std::size_t>(slot.Count);
  const auto from = static_cast<std::size_t>(static_cast<double>(count) * CallerShare);
  std::size_t start = from;
  if (from == 0 ? !startsAtLine : data[from - 1] != '\n') {
    const char* const found = FindLineBreak(data + from, data + count);
    if (found == nullptr) return;
    start = static_cast<std::size_t>(found - data) + 1;
  }
  PlainRow row;
  while (start < count) {
    const char* const found = FindLineBreak(data + start, data + count);
    if (found == nullptr) return;
    const auto end = static_cast<std::size_t>(found - data);
    const std::string_view line = WithoutCarriageReturn({data + start, end - start});
    if (line.size() <= FMaxLine && ReadPlainRow(layout, line, row)) {
      slot.Rows.push_back({static_cast<std::uint32_t>(start), row});
    }
    start = end + 1;
  }
}

}  // namespace zentarix
