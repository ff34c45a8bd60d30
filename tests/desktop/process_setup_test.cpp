// The program's set-up of its process before Qt starts: the session bus that must not be
// started on the program's behalf.
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

#include "desktop/session_bus.h"
#include "tests/support/env_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

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
