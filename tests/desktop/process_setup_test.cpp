// The program's set-up of its process before Qt starts: the standard descriptors, and the
// session bus that must not be started on the program's behalf.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "cli/std_descriptors.h"
#include "desktop/session_bus.h"
#include "tests/support/env_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

// ---- Standard descriptors ---------------------------------------------------------------------

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

// ---- Session bus --------------------------------------------------------------------------------

enum class BusEntry { None, Socket, PlainFile };

struct BusCase {
  const char* name;
  const char* address;  // DBUS_SESSION_BUS_ADDRESS before, null for unset
  bool runtimeDir;      // XDG_RUNTIME_DIR set to a folder
  BusEntry bus;         // and what is named bus in it
  const char* after;    // DBUS_SESSION_BUS_ADDRESS afterwards, null for unset
};

class SessionBus : public ::testing::TestWithParam<BusCase> {};

TEST_P(SessionBus, OnlyAMissingBusIsReplacedByOneThatFailsAtOnce) {
  const BusCase& c = GetParam();
  char folder[] = "/tmp/zentarix-bus-XXXXXX";
  ASSERT_NE(mkdtemp(folder), nullptr);
  const std::string socketPath = std::string(folder) + "/bus";
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_NE(listener, -1);
  if (c.bus == BusEntry::Socket) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, socketPath.c_str(), sizeof address.sun_path - 1);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  }
  if (c.bus == BusEntry::PlainFile) {
    const int file = open(socketPath.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    ASSERT_NE(file, -1);
    close(file);
  }
  {
    EnvGuard bus("DBUS_SESSION_BUS_ADDRESS", c.address);
    EnvGuard runtime("XDG_RUNTIME_DIR", c.runtimeDir ? folder : nullptr);
    KeepSessionBusFromStarting();
    const char* after = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    EXPECT_STREQ(after, c.after) << c.name;
  }
  close(listener);
  unlink(socketPath.c_str());
  rmdir(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, SessionBus,
    ::testing::Values(BusCase{"NoBusAnywhere", nullptr, false, BusEntry::None, NoSessionBusAddress},
                      BusCase{"EmptyAddressEmptyRuntimeFolder", "", true, BusEntry::None,
                              NoSessionBusAddress},
                      BusCase{"AddressGiven", "unix:path=/run/user/1000/bus", false, BusEntry::None,
                              "unix:path=/run/user/1000/bus"},
                      BusCase{"SocketInTheRuntimeFolder", nullptr, true, BusEntry::Socket, nullptr},
                      BusCase{"PlainFileNamedBusIsNoBus", nullptr, true, BusEntry::PlainFile,
                              NoSessionBusAddress}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
