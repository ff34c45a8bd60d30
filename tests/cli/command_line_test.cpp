// The command line as a user types it: each command's output, its status, and the usage
// errors, with standard input, output and error held in memory.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "tests/support/captured_streams.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

struct CommandCase {
  const char* name;
  QStringList arguments;  // after the program's name
  const char* input;
  int status;       // -1: not a command, the window opens
  const char* out;  // the start of standard output
  int errLines;
};

// The command line with the marks "." and ","; status -1 when the arguments are the window's.
test::CapturedRun RunCommand(const QStringList& arguments, const std::string& input = "") {
  const MarksGuard marks(U'.', U',');
  return test::RunWithStreams(input, [&arguments](std::FILE* in, std::FILE* out, std::FILE* err) {
    return RunCommandLine(QStringList{QStringLiteral("Zentarix")} + arguments, in, out, err)
        .value_or(-1);
  });
}

class CommandLine : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandLine, WritesItsOutputAndReturnsItsStatus) {
  const CommandCase& c = GetParam();
  const test::CapturedRun run = RunCommand(c.arguments, c.input);
  const std::string& output = run.out;
  const std::string& errors = run.err;
  EXPECT_EQ(run.status, c.status) << c.name;
  EXPECT_EQ(output.substr(0, std::string(c.out).size()), c.out) << c.name << ": " << output;
  EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), c.errLines) << c.name << ": " << errors;
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandLine,
    ::testing::Values(
        CommandCase{"Help", {"--help"}, "", 0, "Usage: Zentarix", 0},
        CommandCase{"Version", {"--version"}, "", 0, "Zentarix 0.0.2\n", 0},
        CommandCase{"PrintTheWorkedExample",
                    {"--print", "100", "110", "30"},
                    "",
                    0,
                    "A = 100.0000\nB = 110.0000\n",
                    0},
        CommandCase{"JsonTheWorkedExample",
                    {"--json", "100", "110", "30"},
                    "",
                    0,
                    "{\"a\":100,\"b\":110,\"noise\":0.03,",
                    0},
        CommandCase{"ANegativeValueIsAValue",
                    {"--print", "-5", "110", "30"},
                    "",
                    1,
                    "Ошибка в значении шума!\n",
                    0},
        CommandCase{"AnEmptyValueIsAValue",
                    {"--json", "", "110", "30"},
                    "",
                    1,
                    "{\"error\":\"Ошибка в значении шума!\"}\n",
                    0},
        CommandCase{"AnOverflowGoesToStandardError", {"--print", "1e400", "1", "1"}, "", 2, "", 1},
        CommandCase{
            "MovesFromStandardInput", {"--json", "-"}, "100 110 30\n-1 1 1\n", 1, "{\"a\":100,", 0},
        CommandCase{"AValueMissing", {"--print", "100", "110"}, "", 64, "", 1},
        CommandCase{"AValueTooMany", {"--json", "1", "2", "3", "4"}, "", 64, "", 1},
        CommandCase{"AnUnknownOption", {"--frobnicate", "--print", "1", "2", "3"}, "", 64, "", 1},
        CommandCase{"EnglishOnRequest",
                    {"--lang", "en", "--print", "-1", "1", "1"},
                    "",
                    1,
                    "Error in the noise value!\n",
                    0},
        CommandCase{"AnUnknownLanguage", {"--lang", "de", "--print", "1", "1", "1"}, "", 64, "", 1},
        CommandCase{"TheWindowsOwnArguments", {"-platform", "offscreen"}, "", -1, "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The English listing is the Russian one with its three headings in English: the same lines,
// the same numbers.
TEST(CommandLineLanguage, TheEnglishListingKeepsTheLinesAndTheNumbers) {
  const std::string russian = RunCommand({"--print", "1.0850", "1.0720", "5"}).out;
  const std::string english = RunCommand({"--lang", "en", "--print", "1.0850", "1.0720", "5"}).out;
  const auto lines = [](const std::string& text) {
    std::vector<std::string> result;
    for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
      result.push_back(text.substr(at, end - at));
    }
    return result;
  };
  const std::vector<std::string> ru = lines(russian);
  const std::vector<std::string> en = lines(english);
  ASSERT_EQ(ru.size(), 19u);
  ASSERT_EQ(en.size(), 19u);
  const std::set<std::size_t> headings = {6, 9, 12};
  for (std::size_t i = 0; i < ru.size(); ++i) {
    if (headings.count(i) != 0) {
      EXPECT_NE(en[i], ru[i]) << "line " << i + 1;
    } else {
      EXPECT_EQ(en[i], ru[i]) << "line " << i + 1;
    }
  }
  EXPECT_EQ(en[6], "Corridor F3");
  EXPECT_EQ(en[12], "Possible target points");
}

}  // namespace
}  // namespace zentarix
