// The standard descriptors at start-up: each closed one opened on /dev/null, each open one
// kept, so that nothing the program opens later takes the number of a standard stream.
#include "cli/std_descriptors.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct ClosedCase {
  const char* name;
  std::vector<int> closed;
};

class StandardDescriptors : public ::testing::TestWithParam<ClosedCase> {};

bool IsDevNull(int fd) {
  struct stat opened {};
  struct stat null {};
  return fstat(fd, &opened) == 0 && stat("/dev/null", &null) == 0 && S_ISCHR(opened.st_mode) &&
         opened.st_rdev == null.st_rdev;
}

// A child process closes the row's descriptors, runs the call and reports through its exit
// status: bit fd set when descriptor fd is wrong afterwards (a closed one not on /dev/null, an
// open one no longer the pipe it was), 8 when the call failed.
TEST_P(StandardDescriptors, ClosedOnesAreOpenedOnDevNullOpenOnesKept) {
  int pipeEnds[2];
  ASSERT_EQ(pipe(pipeEnds), 0);
  const pid_t child = fork();
  ASSERT_NE(child, -1);
  if (child == 0) {
    struct stat pipeInfo {};
    fstat(pipeEnds[1], &pipeInfo);
    for (int fd = 0; fd <= 2; ++fd) dup2(pipeEnds[1], fd);
    close(pipeEnds[0]);
    close(pipeEnds[1]);
    for (int fd : GetParam().closed) close(fd);
    int status = OpenStandardDescriptors() ? 0 : 8;
    for (int fd = 0; fd <= 2; ++fd) {
      bool wasClosed = false;
      for (int closed : GetParam().closed) wasClosed = wasClosed || closed == fd;
      struct stat now {};
      const bool keptPipe = fstat(fd, &now) == 0 && now.st_ino == pipeInfo.st_ino;
      if (wasClosed ? !IsDevNull(fd) : !keptPipe) status |= 1 << fd;
    }
    _exit(status);
  }
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status)) << GetParam().name;
  EXPECT_EQ(WEXITSTATUS(status), 0) << GetParam().name << ": bit n is descriptor n, 8 the call";
}

INSTANTIATE_TEST_SUITE_P(Closed, StandardDescriptors,
                         ::testing::Values(ClosedCase{"None", {}}, ClosedCase{"Error", {2}},
                                           ClosedCase{"Input", {0}},
                                           ClosedCase{"OutputAndError", {1, 2}},
                                           ClosedCase{"All", {0, 1, 2}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
