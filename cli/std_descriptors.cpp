#include "cli/std_descriptors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

namespace zentarix {

namespace {

bool IsClosed(int fd) { return fcntl(fd, F_GETFD) == -1 && errno == EBADF; }

}  // namespace

std::array<bool, 3> FindClosedDescriptors() { return {IsClosed(0), IsClosed(1), IsClosed(2)}; }

bool OpenStandardDescriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (!IsClosed(fd)) continue;
    // The lowest free number is this one, since the ones below it are open by now.
    const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    if (opened == -1) return false;
    if (opened != fd) {
      const bool moved = dup2(opened, fd) == fd;
      close(opened);
      if (!moved) return false;
    }
  }
  return true;
}

}  // namespace zentarix
