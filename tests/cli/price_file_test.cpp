// Price files in the shapes data sites and terminals export, end to end through --swings: the
// status, how many swings are written and the first note. Then any random history written
// newest first gives the swings of the same history written oldest first.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli/command_line.h"
#include "tests/support/captured_streams.h"
#include "tests/support/env_guard.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;
using namespace std::string_view_literals;

// pipeEnd, when given, is read as standard input instead of input.
test::CapturedRun RunSwingsOn(std::string_view input, const std::vector<std::string>& options,
                              int pipeEnd = -1) {
  const MarksGuard marks(U'.', U',');
  const EnvGuard language("ZENTARIX_LANG", nullptr);
  std::vector<std::string> arguments = {"zentarix", "--lang", "en", "--json", "--threshold", "50"};
  arguments.insert(arguments.end(), options.begin(), options.end());
  std::vector<const char*> argv;
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  return test::RunWithStreams(std::string(input), [&argv, pipeEnd](int in, int out, int err) {
    return RunCommandLine(static_cast<int>(argv.size()), argv.data(),
                          {pipeEnd >= 0 ? pipeEnd : in, out, err}, WindowArguments::Refused)
        .value_or(-1);
  });
}

long LinesOf(const std::string& text) {
  return static_cast<long>(std::count(text.begin(), text.end(), '\n'));
}

std::string FirstLine(const std::string& text) { return text.substr(0, text.find('\n')); }

struct ShapeCase {
  const char* name;
  std::string_view file;
  int status;
  long swings;
  const char* note;  // the first line on standard error, after "zentarix: "; "" for none
};

class PriceFileShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(PriceFileShapes, GiveTheirStatusSwingsAndFirstNote) {
  const ShapeCase& c = GetParam();
  const test::CapturedRun run = RunSwingsOn(c.file, {"--swings", "-"});
  EXPECT_EQ(run.status, c.status) << c.name << ": " << run.err;
  EXPECT_EQ(LinesOf(run.out), c.swings) << c.name << ": " << run.out;
  const std::string note = *c.note == '\0' ? "" : std::string("zentarix: ") + c.note;
  EXPECT_EQ(FirstLine(run.err), note) << c.name;
}

// At 50% the closes 100, 150, 75 make a confirmed rise and an unconfirmed fall.
INSTANTIATE_TEST_SUITE_P(
    Shapes, PriceFileShapes,
    ::testing::Values(
        ShapeCase{"DailyOldestFirst",
                  "Date,Open,High,Low,Close,Adj Close,Volume\n"
                  "2024-01-02,100,100,100,100,100,5\n2024-01-03,150,150,150,150,150,5\n"
                  "2024-01-04,75,75,75,75,75,5\n",
                  0, 2, ""},
        ShapeCase{
            "QuotedNewestFirstWithThousands",
            "\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\",\"Change %\"\n"
            "\"01/04/2024\",\"7,500.00\",\"1\",\"7,500.00\",\"7,500.00\",\"-\",\"1%\"\n"
            "\"01/03/2024\",\"15,000.00\",\"1\",\"15,000.00\",\"15,000.00\",\"190.28M\",\"1%\"\n"
            "\"01/02/2024\",\"10,000.00\",\"1\",\"10,000.00\",\"10,000.00\",\"1K\",\"1%\"\n",
            0, 2, "the file runs newest first: it was read from its end"},
        ShapeCase{"TerminalWithATimeColumn",
                  "<TICKER>;<PER>;<DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;<CLOSE>;<VOL>\n"
                  "X;60;20240102;100000;1;1,00;1,00;1;5\nX;60;20240102;110000;1;1,50;1,50;1;5\n"
                  "X;60;20240102;120000;1;0,75;0,75;1;5\n",
                  0, 2, ""},
        ShapeCase{"OutOfOrder", "Date,Close\n2024-01-02,100\n2024-01-04,150\n2024-01-03,75\n", 65,
                  0, "line 4: 2024-01-03 is out of order after 2024-01-04 (line 3)"},
        ShapeCase{"ARepeatedInstant",
                  "Date,Close\n2024-01-02,100\n2024-01-03,150\n2024-01-03,150\n2024-01-04,75\n", 0,
                  2, "line 4 repeats the time of the row before it (1 repeats in all)"},
        ShapeCase{"DatesInNoKnownForm", "Date,Close\nQ1,100\nQ2,150\nQ3,75\n", 0, 2,
                  "the file's dates could not be read: the bars are taken in file order"},
        ShapeCase{"SlashDatesThatNeverSettleAndDisagree",
                  "Date,Close\n01/02/2024,100\n01/03/2024,150\n02/01/2024,75\n", 0, 2,
                  "the file's dates could not be read: the bars are taken in file order"},
        ShapeCase{"Empty", "", 65, 0,
                  "the file holds no bars: it is empty or holds a header alone"},
        ShapeCase{"HeaderOnly", "Date,Close\r\n", 65, 0,
                  "the file holds no bars: it is empty or holds a header alone"},
        ShapeCase{"ATruncatedRow", "Date,High,Low,Close\n2024-01-02,2,1,1\n2024-01-03,2\n", 65, 0,
                  "line 3: 2 cells, the columns need 3"},
        ShapeCase{"ADateNotInUtf8", "Date,Close\n2024-01-02,100\n2024\xFF,150\n", 65, 0,
                  "line 3, column Date: the text is not UTF-8"},
        ShapeCase{"AThousandBeforeTheMarkIsKnown", "Date;Close\n2024-01-02;1.227\n", 65, 0,
                  "line 2, column Close: \"1.227\" reads two ways while the file's decimal mark "
                  "is not yet known"},
        ShapeCase{"ANulInAPrice", "Close\n100\n9\0 5.52\n"sv, 65, 0,
                  "line 3, column Close: the cell holds a NUL byte"},
        ShapeCase{"ANegativePrice", "Close\n100\n-5\n", 65, 0,
                  "line 3, column Close: the price \"-5\" is not above zero"},
        ShapeCase{"APriceBeyondTheDouble", "Close\n1e400\n", 65, 0,
                  "line 2, column Close: the price \"1e400\" is beyond the range of a double"},
        ShapeCase{"RowsWithoutPrices",
                  "Date,High,Low\n2024-01-02,100,100\n2024-01-03,,\n2024-01-04,150,null\n"
                  "2024-01-05,null,1\n2024-01-06,150,150\n2024-01-07,75,75\n",
                  0, 2, "3 rows without prices skipped (lines 3, 4, 5)"}),
    [](const auto& info) { return std::string(info.param.name); });

// A random walk of daily bars from 2001 on, oldest first; newest first when reversed.
std::string RandomHistory(unsigned seed, bool reversed) {
  std::mt19937_64 random(seed);
  std::normal_distribution<double> step(0, 0.03);
  std::vector<std::string> rows;
  double price = 100;
  for (int day = 0; day < 600; ++day) {
    price *= 1 + step(random);
    const std::time_t when = 978307200 + std::time_t{86400} * day;
    std::tm date = {};
    gmtime_r(&when, &date);
    char row[96];
    std::snprintf(row, sizeof row, "%04d-%02d-%02d,%.4f,%.4f\n", date.tm_year + 1900,
                  date.tm_mon + 1, date.tm_mday, price * 1.01, price * 0.99);
    rows.emplace_back(row);
  }
  if (reversed) std::reverse(rows.begin(), rows.end());
  std::string file = "Date,High,Low\n";
  for (const std::string& row : rows) file += row;
  return file;
}

// Each JSON object with its a_line and b_line turned into the line of the same bar in the
// other file: 600 bars below a header give bar k line 2 + k one way, 601 - k the other.
std::string WithLinesOfTheOtherOrder(std::string json) {
  for (const char* member : {"\"a_line\":", "\"b_line\":"}) {
    for (std::size_t at = json.find(member); at != std::string::npos;
         at = json.find(member, at + 1)) {
      const std::size_t digits = at + std::string_view(member).size();
      const std::size_t end = json.find(',', digits);
      const long line = std::stol(json.substr(digits, end - digits));
      json.replace(digits, end - digits, std::to_string(603 - line));
    }
  }
  return json;
}

TEST(PriceFileOrder, ANewestFirstHistoryGivesTheSwingsOfItsOldestFirstTwin) {
  for (unsigned seed = 1; seed <= 12; ++seed) {
    const test::CapturedRun oldest =
        RunSwingsOn(RandomHistory(seed, false), {"--swings", "-", "--threshold", "8"});
    const test::CapturedRun newest =
        RunSwingsOn(RandomHistory(seed, true), {"--swings", "-", "--threshold", "8"});
    ASSERT_EQ(oldest.status, 0) << "seed " << seed << ": " << oldest.err;
    ASSERT_EQ(newest.status, 0) << "seed " << seed << ": " << newest.err;
    EXPECT_GT(LinesOf(oldest.out), 3) << "seed " << seed;
    EXPECT_EQ(WithLinesOfTheOtherOrder(newest.out), oldest.out) << "seed " << seed;
  }
}

// A regular file is read a few blocks ahead on a second thread, the plain rows of each block's
// later part read there too once the first blocks have settled how rows read; a pipe is read
// as it comes. Across several
// blocks, with rows cut by the blocks' ends, CRLF rows, quoted and padded cells that only the
// general way reads, and rows without prices, both give the same run, a row at fault in a later
// block as well.
TEST(PriceFileReading, ARegularFileReadsAsThePipeOfItsBytes) {
  std::string history = "Date,High,Low\n";
  for (int day = 0; history.size() < 5'000'000; ++day) {
    const std::time_t when = 978307200 + std::time_t{60} * day;
    std::tm date = {};
    gmtime_r(&when, &date);
    char row[64];
    std::snprintf(row, sizeof row, "%04d-%02d-%02d %02d:%02d,", date.tm_year + 1900,
                  date.tm_mon + 1, date.tm_mday, date.tm_hour, date.tm_min);
    const std::string high = std::to_string(100 + day % 97) + ".25";
    const std::string low = std::to_string(99 + day % 97 - day % 3) + ".5";
    history += row;
    history += day % 701 == 0   ? '"' + high + "\", " + low + "\r\n"
               : day % 997 == 0 ? high + ",null\n"
               : day % 3 == 0   ? high + ',' + low + "\r\n"
                                : high + ',' + low + '\n';
  }
  std::string faulty = history;
  faulty.replace(faulty.find('\n', 3'000'000) + 1, 16, "2030-01-01 00:00");
  for (const std::string& bytes : {history, faulty}) {
    const std::vector<std::string> options = {"--swings", "-", "--threshold", "2"};
    const test::CapturedRun fromFile = RunSwingsOn(bytes, options);
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    std::thread writer([&bytes, &ends] {
      for (std::string_view rest = bytes; !rest.empty();) {
        const ssize_t count = write(ends[1], rest.data(), rest.size());
        if (count <= 0) break;
        rest.remove_prefix(static_cast<std::size_t>(count));
      }
      close(ends[1]);
    });
    const test::CapturedRun fromPipe = RunSwingsOn("", options, ends[0]);
    // The bytes after a row at fault are not read: the writer waits for them to go.
    char rest[4096];
    while (read(ends[0], rest, sizeof rest) > 0) {
    }
    writer.join();
    close(ends[0]);
    EXPECT_EQ(fromFile.status, fromPipe.status) << fromFile.err;
    EXPECT_EQ(fromFile.out, fromPipe.out);
    EXPECT_EQ(fromFile.err, fromPipe.err);
    EXPECT_GT(LinesOf(fromPipe.out) + LinesOf(fromPipe.err), 0);
  }
}

}  // namespace
}  // namespace zentarix
