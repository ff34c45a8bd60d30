// A regular file's next block, read on a second thread while the caller works on the block
// before it, so that the kernel's copy of those bytes overlaps the work instead of adding to
// it. One block is read ahead at most, so memory stays two blocks whatever the file's length;
// the thread ends with the file, and the destructor stops and joins it. The thread blocks every
// signal, so that a stop signal always reaches the caller's thread, which checks for it.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace zentarix {

class BlockReadAhead {
 public:
  // Reading fd from its offset, blocks of up to size bytes into buffers of capacity bytes; null
  // when no thread could be started, and the caller then reads by itself.
  static std::unique_ptr<BlockReadAhead> Start(int fd, std::size_t size, std::size_t capacity);
  ~BlockReadAhead();
  BlockReadAhead(const BlockReadAhead&) = delete;
  BlockReadAhead& operator=(const BlockReadAhead&) = delete;

  // The next block, swapped into block (a buffer of the same capacity): its byte count as read
  // returns it, 0 at the end, or -1 with errno set; the end and a failure stay.
  ssize_t Take(std::vector<char>& block);

 private:
  BlockReadAhead(int fd, std::size_t size, std::size_t capacity);
  void Run();

  int FFd;
  std::size_t FSize;
  std::mutex FMutex;
  std::condition_variable FChanged;
  std::vector<char> FAhead;
  bool FFull = false;  // FAhead holds a block not taken yet; the thread waits until it is
  bool FStop = false;
  ssize_t FCount = 0;
  int FError = 0;
  std::thread FThread;
};

}  // namespace zentarix
