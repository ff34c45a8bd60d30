// The command line as a user types it: each command's output, its status, and the usage
// errors, with standard input, output and error held in memory.
#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "calc/number_render.h"
#include "chart/chart_texts.h"
#include "cli/english_catalogue.h"
#include "cli/exit_status.h"
#include "history/history_messages.h"
#include "tests/support/captured_streams.h"
#include "tests/support/env_guard.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

struct CommandCase {
  const char* name;
  std::vector<std::string> arguments;  // after the program's name
  const char* input;
  int status;             // -1: not a command, the window opens
  const char* out;        // the start of standard output
  const char* err;        // a part of standard error; "" when it must stay empty
  const char* tail = "";  // the end of standard output
};

// --level with 65 different ratios: 0.01 to 0.65.
std::vector<std::string> SixtyFiveLevels() {
  std::vector<std::string> arguments{"--json", "100", "110", "30"};
  for (int i = 1; i <= 65; ++i) {
    arguments.push_back("--level");
    arguments.push_back("0." + std::string(i < 10 ? "0" : "") + std::to_string(i));
  }
  return arguments;
}

// The command line of the window's program with the marks "." and ","; status -1 when the
// arguments are the window's. Its pictures fail, naming what they were to draw: a row that
// reaches one ends with status 74 and that name.
test::CapturedRun RunCommand(const std::vector<std::string>& arguments,
                             const std::string& input = "") {
  const MarksGuard marks(U'.', U',');
  const EnvGuard language("ZENTARIX_LANG", nullptr);
  std::vector<const char*> argv = {"/usr/bin/Zentarix"};
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return test::RunWithStreams(input, [&argv](int in, int out, int err) {
    const PictureWriters failing{
        [](const std::string& file, const PriceChart& chart) {
          return "cannot write " + file + " of " + std::to_string(chart.PlaceCount) + " bars";
        },
        [](const std::string& file, int width, int height, const TCalcItem& item) {
          return "cannot write " + file + " " + std::to_string(width) + "x" +
                 std::to_string(height) + " F3 " + RenderNumber(item.F3, 2);
        }};
    return RunCommandLine(static_cast<int>(argv.size()), argv.data(), {in, out, err},
                          WindowArguments::Accepted, failing)
        .value_or(-1);
  });
}

class CommandLine : public ::testing::TestWithParam<CommandCase> {};

TEST_P(CommandLine, WritesItsOutputAndReturnsItsStatus) {
  const CommandCase& c = GetParam();
  const test::CapturedRun run = RunCommand(c.arguments, c.input);
  EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
  EXPECT_EQ(run.out.substr(0, std::string(c.out).size()), c.out) << c.name << ": " << run.out;
  const std::string tail = c.tail;
  EXPECT_EQ(run.out.substr(run.out.size() - std::min(tail.size(), run.out.size())), tail)
      << c.name << ": " << run.out;
  if (*c.err == '\0') {
    EXPECT_EQ(run.err, "") << c.name;
  } else {
    EXPECT_NE(run.err.find(c.err), std::string::npos) << c.name << ": " << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << c.name << ": " << run.err;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CommandLine,
    ::testing::Values(
        CommandCase{"Help", {"--help"}, "", 0, "Usage: Zentarix", ""},
        CommandCase{"HelpAbbreviated", {"--hel"}, "", 0, "Usage: Zentarix", ""},
        CommandCase{"HelpInACluster", {"-hv"}, "", 0, "Usage: Zentarix", ""},
        CommandCase{"Version", {"--version"}, "", 0, "Zentarix 0.0.2\nCopyright", ""},
        CommandCase{"PrintTheWorkedExample",
                    {"--print", "100", "110", "30"},
                    "",
                    0,
                    "A = 100.0000\nB = 110.0000\n",
                    ""},
        CommandCase{"JsonTheWorkedExample",
                    {"--json", "100", "110", "30"},
                    "",
                    0,
                    "{\"a\":100,\"b\":110,\"noise\":0.03,",
                    ""},
        CommandCase{
            "ValuesBeforeTheOption", {"100", "110", "30", "--json"}, "", 0, "{\"a\":100,", ""},
        CommandCase{"ANegativeValueIsAValue",
                    {"--print", "-5", "110", "30"},
                    "",
                    1,
                    "Ошибка в значении шума!\n",
                    ""},
        CommandCase{"ANegativeZeroIsAValueInJson",
                    {"--json", "-0", "10", "30"},
                    "",
                    0,
                    "{\"a\":-0,\"b\":10,",
                    ""},
        CommandCase{"AnEmptyValueIsNotANumber",
                    {"--json", "", "110", "30"},
                    "",
                    1,
                    "{\"error\":\"not_a_number\",\"message\":\"Ошибка в значении шума!\"}\n",
                    ""},
        CommandCase{"BelowZeroHasItsCode",
                    {"--json", "-1", "110", "30"},
                    "",
                    1,
                    "{\"error\":\"below_zero\",",
                    ""},
        CommandCase{"AnOverflowGoesToStandardError",
                    {"--print", "1e400", "1", "1"},
                    "",
                    2,
                    "",
                    "Zentarix: Floating point overflow."},
        CommandCase{"AnOverflowInJsonHasItsCode",
                    {"--json", "1e400", "1", "1"},
                    "",
                    2,
                    "{\"error\":\"overflow\",\"message\":\"Floating point overflow\"}\n",
                    ""},
        CommandCase{"MovesFromStandardInput",
                    {"--json", "-"},
                    "100 110 30\n-1 1 1\n",
                    1,
                    "{\"line\":1,\"a\":100,",
                    ""},
        CommandCase{"OptionsAfterTheDash",
                    {"--json", "-", "--lang", "en"},
                    "-1 1 1\n",
                    1,
                    "{\"line\":1,\"error\":\"below_zero\",\"message\":\"Error in the noise",
                    ""},
        CommandCase{"TheOptionsEndAtTwoDashes",
                    {"--print", "--", "100", "110", "30"},
                    "",
                    0,
                    "A = 100.0000\n",
                    ""},
        CommandCase{"AValueMissing", {"--print", "100", "110"}, "", 64, "", "2 given"},
        CommandCase{"AValueTooMany", {"--json", "1", "2", "3", "4"}, "", 64, "", "4 given"},
        CommandCase{"BothCommands", {"--print", "--json", "1", "2", "3"}, "", 64, "", "not both"},
        CommandCase{"ACommandAfterTwoDashesIsAValue",
                    {"--", "--print", "1", "2", "3"},
                    "",
                    64,
                    "",
                    "without --print or --json"},
        CommandCase{"ValuesWithoutACommand",
                    {"--lang", "en", "1", "2", "3"},
                    "",
                    64,
                    "",
                    "without --print or --json"},
        CommandCase{"AMistypedOption",
                    {"--jsno", "100", "110", "30"},
                    "",
                    64,
                    "",
                    "Zentarix: unknown or ambiguous option '--jsno' (see Zentarix --help)"},
        CommandCase{"AnUnknownLetter", {"-x", "--print", "1", "2", "3"}, "", 64, "", "'-x'"},
        CommandCase{"ACommandWithAValueAttached",
                    {"--print=1", "2", "3"},
                    "",
                    64,
                    "",
                    "'--print' takes no value"},
        CommandCase{"HelpWithAValueAttached", {"--help=foo"}, "", 64, "", "takes no value"},
        CommandCase{"ALanguageMissing",
                    {"--print", "1", "2", "3", "--lang"},
                    "",
                    64,
                    "",
                    "'--lang' needs a value"},
        CommandCase{"EnglishOnRequest",
                    {"--lang=en", "--print", "-1", "1", "1"},
                    "",
                    1,
                    "Error in the noise value!\n",
                    ""},
        CommandCase{"TheLastLanguageWins",
                    {"--lang", "xx", "--lang", "en", "--print", "-1", "1", "1"},
                    "",
                    1,
                    "Error in the noise value!\n",
                    ""},
        CommandCase{"AnUnknownLanguage",
                    {"--lang", "de", "--print", "1", "1", "1"},
                    "",
                    64,
                    "",
                    "en or ru"},
        CommandCase{"AnUnknownLanguageForTheWindow", {"--lang", "de"}, "", 64, "", "en or ru"},
        CommandCase{
            "TheWindowsOwnArguments", {"-platform", "offscreen", "--lang", "en"}, "", -1, "", ""},
        CommandCase{"NoArgumentsOpenTheWindow", {}, "", -1, "", ""},
        CommandCase{"SwingsFromStandardInput",
                    {"--swings", "-", "--json", "--threshold", "50"},
                    "Close\n100\n150\n75\n",
                    0,
                    "{\"swing\":1,\"direction\":\"up\",\"confirmed\":true,\"a_line\":2,"
                    "\"b_line\":3,\"a_time\":\"\",\"b_time\":\"\",\"a\":100,\"b\":150,",
                    "в файле нет столбца даты"},
        CommandCase{"NoSwingByTheThreshold",
                    {"--swings", "-", "--lang", "en"},
                    "Date,Close\n2024-01-02,100\n2024-01-03,101\n",
                    3,
                    "",
                    "no swing: the prices never move by 5%"},
        CommandCase{"ABadPriceWritesNothing",
                    {"--swings", "-", "--json", "--threshold=50", "--lang=en"},
                    "Close\n100\n150\n75\nabc\n",
                    65,
                    "",
                    "line 5, column Close: \"abc\" is not a number"},
        CommandCase{"LastTakesNoValue",
                    {"--swings", "-", "--last=1"},
                    "",
                    64,
                    "",
                    "option '--last' takes no value"},
        CommandCase{"AThresholdOfAHundred",
                    {"--swings", "-", "--threshold", "100"},
                    "",
                    64,
                    "",
                    "--threshold takes a percentage above 0 and below 100"},
        CommandCase{"ANegativeFractionIsAValue",
                    {"--json", "-.5", "1", "1"},
                    "",
                    1,
                    "{\"error\":\"below_zero\",",
                    ""},
        CommandCase{"AThresholdWithoutSwings",
                    {"--threshold", "5", "--print", "1", "2", "3"},
                    "",
                    64,
                    "",
                    "go with --swings"},
        CommandCase{"AChartOfTheLastBars",
                    {"--swings", "-", "--threshold", "50", "--chart", "c.png", "--bars", "2"},
                    "Date,Close\n2024-01-02,100\n2024-01-03,150\n2024-01-04,75\n",
                    74,
                    "",
                    "cannot write c.png of 2 bars"},
        CommandCase{"BarsOfOne",
                    {"--swings", "-", "--chart", "c.png", "--bars", "1"},
                    "",
                    64,
                    "",
                    "--bars takes a number of bars from 2 or \"all\", not \"1\""},
        CommandCase{"BarsWithoutAChart",
                    {"--swings", "-", "--bars", "all"},
                    "",
                    64,
                    "",
                    "--size and --bars go with --chart"},
        CommandCase{"ADiagramIsDrawnBeforeTheListing",
                    {"--print", "100", "110", "30", "--diagram", "d.svg", "--size", "640x480"},
                    "",
                    74,
                    "",
                    "cannot write d.svg 640x480 F3 106.18"},
        CommandCase{"ADiagramOfAMoveThatFailsIsNotDrawn",
                    {"--print", "100", "110", "-5", "--diagram", "d.svg"},
                    "",
                    1,
                    "\u041E",
                    ""},
        CommandCase{"ADiagramOfJson",
                    {"--json", "100", "110", "30", "--diagram", "d.png"},
                    "",
                    64,
                    "",
                    "--diagram goes with --print A B NOISE"},
        CommandCase{"ADiagramOfABatch",
                    {"--print", "-", "--diagram", "d.png"},
                    "",
                    64,
                    "",
                    "--diagram goes with --print A B NOISE"},
        CommandCase{"LevelsInTheOrderGivenEachValueOnce",
                    {"--json", "100", "110", "30", "--level", "0.236", "--level=-0.618", "--level",
                     "0.2360", "--level", "1.618"},
                    "",
                    0,
                    "{\"a\":100,",
                    "",
                    ",\"xop_f5\":120,\"levels\":[{\"ratio\":0.236,\"price\":107.64},"
                    "{\"ratio\":-0.618,\"price\":116.18},{\"ratio\":1.618,\"price\":93.82}]}\n"},
        CommandCase{"LevelRatiosInPlainDecimalDigits",
                    {"--json", "100", "110", "30", "--level", ".5", "--level", "+00.250", "--level",
                     "5.", "--level", "1e-1", "--level", "1.50e1"},
                    "",
                    0,
                    "{\"a\":100,",
                    "",
                    "[{\"ratio\":0.5,\"price\":105},{\"ratio\":0.250,\"price\":107.5},"
                    "{\"ratio\":5,\"price\":60},{\"ratio\":0.1,\"price\":109},"
                    "{\"ratio\":15.0,\"price\":-40}]}\n"},
        CommandCase{"LevelAtTheF3RatioIsF3",
                    {"--json", "1.0850", "1.0720", "7", "--level", "0.382"},
                    "",
                    0,
                    "{\"a\":1.085,\"b\":1.072,\"noise\":0.007,\"f3\":1.076966,",
                    "",
                    "[{\"ratio\":0.382,\"price\":1.076966}]}\n"},
        CommandCase{"LevelsAfterTheListing",
                    {"--print", "100", "110", "30", "--level", "0.236", "--level", "-0.618"},
                    "",
                    0,
                    "A = 100.0000\n",
                    "",
                    "  XOP(F5) = 120.0000\nСвои уровни\n  23.6% = 107.6400\n -61.8% = 116.1800\n"},
        CommandCase{"LevelsOfEachMoveOfABatch",
                    {"--json", "--level", "2", "-"},
                    "100 110 30\n100 110 -1\n",
                    1,
                    "{\"line\":1,",
                    "",
                    "\"levels\":[{\"ratio\":2,\"price\":90}]}\n{\"line\":2,\"error\":"
                    "\"below_zero\",\"message\":\"Ошибка в значении шума!\"}\n"},
        CommandCase{"LevelsOfEachSwing",
                    {"--swings", "-", "--json", "--threshold", "50", "--level", "1"},
                    "Date,Close\n2024-01-02,100\n2024-01-03,150\n2024-01-04,75\n",
                    0,
                    "{\"swing\":1,",
                    "",
                    "\"levels\":[{\"ratio\":1,\"price\":150}]}\n"},
        CommandCase{"ALevelBeyondTheArithmetic",
                    {"--json", "100", "110", "30", "--level", "1e4000"},
                    "",
                    2,
                    "{\"error\":\"overflow\",\"message\":\"Floating point overflow\"}\n",
                    ""},
        CommandCase{"ALevelThatIsNoNumber",
                    {"--print", "100", "110", "30", "--level", "23.6%"},
                    "",
                    64,
                    "",
                    "--level takes a ratio such as 0.236 or -0.618, not \"23.6%\""},
        CommandCase{"SixtyFiveLevels", SixtyFiveLevels(), "", 64, "",
                    "--level takes at most 64 different"},
        CommandCase{"ASizeAlone",
                    {"--print", "1", "2", "3", "--size", "640x480"},
                    "",
                    64,
                    "",
                    "--size goes with --chart or --diagram"}),
    [](const auto& info) { return std::string(info.param.name); });

// The program without a window answers every command line itself.
TEST(PlainCommandLine, HasNoWindowToOpen) {
  for (const std::vector<const char*>& argv :
       {std::vector<const char*>{"zentarix"}, {"zentarix", "-platform", "offscreen"}}) {
    const test::CapturedRun run = test::RunWithStreams("", [&argv](int in, int out, int err) {
      return RunCommandLine(static_cast<int>(argv.size()), argv.data(), {in, out, err},
                            WindowArguments::Refused)
          .value_or(-1);
    });
    EXPECT_EQ(run.status, StatusUsage) << argv.size();
    EXPECT_EQ(run.err.substr(0, 10), "zentarix: ") << run.err;
  }
}

// Every word a price file's messages and a chart use has its English row in the catalogue:
// a text without one would show in Russian under --lang en.
TEST(CommandLineLanguage, EveryHistoryAndChartTextHasItsEnglish) {
  for (const auto& [context, texts] :
       {std::pair{HistoryContext, HistoryTexts()}, std::pair{ChartContext, ChartTexts()}}) {
    for (const char* source : texts) {
      EXPECT_NE(EnglishText(context, source), source) << context << ": " << source;
    }
  }
}

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
