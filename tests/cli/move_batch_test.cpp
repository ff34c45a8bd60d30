// Moves read one per line from a stream: comments and blank lines skipped, each move's result
// in order with its input line, bad lines reported without stopping the run, notes beside the
// results they speak of, and the highest status returned.
#include "cli/move_batch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/captured_streams.h"
#include "tests/support/example_listings.h"
#include "tests/support/marks_guard.h"

namespace zentarix {
namespace {

// Runs the batch over input held in memory, NUL bytes included.
test::CapturedRun RunOver(const std::string& input, MoveFormat format, bool sameFile = false) {
  const MarksGuard marks(U'.', U',');
  return test::RunWithStreams(
      input,
      [format](int in, int out, int err) {
        return RunMoveBatch({in, out, err}, "Zentarix", {format, {}, {}});
      },
      sameFile);
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

using namespace std::string_literals;

TEST(MoveBatch, JsonLinesNameTheInputLineOfEachResult) {
  const std::string moves =
      "\xEF\xBB\xBF# A B noise\n"  // a byte-order mark before the first line
      "\n"
      "100 110 30\n"
      "\t-5\t110   30\r\n"
      "100 110\n"
      "1\0"
      "0 110 30\n"
      "#100 110 30\n"
      "100 110 30\r\n"
      "1e400 1 1\n"
      "100 110 30"s;  // the last line has no line break
  const test::CapturedRun run = RunOver(moves, MoveFormat::Json);
  EXPECT_EQ(run.status, StatusDataError);
  const std::vector<std::string> results = Lines(run.out);
  ASSERT_EQ(results.size(), 7u) << run.out;
  EXPECT_EQ(results[0].substr(0, 26), "{\"line\":3,\"a\":100,\"b\":110,");
  EXPECT_EQ(results[1],
            "{\"line\":4,\"error\":\"below_zero\",\"message\":\"Ошибка в значении шума!\"}");
  EXPECT_EQ(results[2],
            "{\"line\":5,\"error\":\"bad_line\",\"message\":\"three fields expected, 2 found\"}");
  EXPECT_EQ(results[3],
            "{\"line\":6,\"error\":\"not_a_number\",\"message\":\"Ошибка в значении шума!\"}")
      << "a NUL makes no number";
  EXPECT_EQ(results[4], "{\"line\":8" + results[0].substr(9)) << "a CRLF line is a move";
  EXPECT_EQ(results[5],
            "{\"line\":9,\"error\":\"overflow\",\"message\":\"Floating point overflow\"}");
  EXPECT_EQ(results[6], "{\"line\":10" + results[0].substr(9));
  EXPECT_EQ(run.err,
            "Zentarix: line 5: three fields expected, 2 found\n"
            "Zentarix: line 9: Floating point overflow.\n");
}

// With both streams in one file, as with 2>&1, each note follows the results before it.
TEST(MoveBatch, ListingsHaveHeadingsAndNotesStandBesideThem) {
  const test::CapturedRun run =
      RunOver("100 110 30\n-1 110 30\n1e300 1.7e308 0\n100 110 30\n", MoveFormat::Listing, true);
  EXPECT_EQ(run.status, StatusArithmetic);
  const std::string firstTwo =
      "# line 1\n"s + RisingExampleListing + "\n# line 2\nОшибка в значении шума!\n\n# line 3\n";
  ASSERT_EQ(run.out.substr(0, firstTwo.size()), firstTwo);
  const std::vector<std::string> rest = Lines(run.out.substr(firstTwo.size()));
  ASSERT_EQ(rest.size(), 12u + 1 + 1 + 1 + 19) << run.out;
  EXPECT_EQ(rest[12], "Zentarix: line 3: Floating point overflow.");
  EXPECT_EQ(rest[13], "");
  EXPECT_EQ(rest[14], "# line 4");
}

// The limit counts the line without the CR of a CRLF line.
TEST(MoveBatch, TheLineLimitIsExact) {
  const std::string longest = "100 110 30" + std::string(MaxMoveLine - 10, ' ');
  const std::string input = longest + "\r\n" + longest + " \n100 110 30\n";
  const test::CapturedRun run = RunOver(input, MoveFormat::Json);
  EXPECT_EQ(run.status, StatusDataError);
  const std::vector<std::string> results = Lines(run.out);
  ASSERT_EQ(results.size(), 3u) << run.err;
  EXPECT_EQ(results[0].substr(0, 18), "{\"line\":1,\"a\":100,");
  EXPECT_EQ(results[1], "{\"line\":2,\"error\":\"line_too_long\",\"message\":\"longer than " +
                            std::to_string(MaxMoveLine) + " bytes\"}");
  EXPECT_EQ(results[2].substr(0, 18), "{\"line\":3,\"a\":100,");
}

}  // namespace
}  // namespace zentarix
