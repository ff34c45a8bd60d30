#include "history/block_read_ahead.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <system_error>

namespace zentarix {

BlockReadAhead::BlockReadAhead(int fd, std::size_t size, std::size_t capacity)
    : FFd(fd), FSize(size), FAhead(capacity) {}

std::unique_ptr<BlockReadAhead> BlockReadAhead::Start(int fd, std::size_t size,
                                                      std::size_t capacity) {
  std::unique_ptr<BlockReadAhead> ahead(new BlockReadAhead(fd, size, capacity));
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

ssize_t BlockReadAhead::Take(std::vector<char>& block) {
  std::unique_lock lock(FMutex);
  FChanged.wait(lock, [this] { return FFull; });
  const ssize_t count = FCount;
  if (count <= 0) {
    errno = FError;
    return count;
  }
  block.swap(FAhead);
  FFull = false;
  lock.unlock();
  FChanged.notify_one();
  return count;
}

// Reads a block, hands it over, and waits until it is taken before reading the next one.
void BlockReadAhead::Run() {
  while (true) {
    ssize_t count;
    do {
      count = read(FFd, FAhead.data(), FSize);
    } while (count < 0 && errno == EINTR);
    const int error = count < 0 ? errno : 0;
    std::unique_lock lock(FMutex);
    FCount = count;
    FError = error;
    FFull = true;
    FChanged.notify_one();
    if (count <= 0) return;
    FChanged.wait(lock, [this] { return !FFull || FStop; });
    if (FStop) return;
  }
}

}  // namespace zentarix
