// Moves read one per line from a stream: comments and blank lines skipped, each move's result
// in order, bad lines reported without stopping the run, and the highest status returned.
#include "cli/move_batch.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/captured_streams.h"
#include "tests/support/example_listings.h"
#include "tests/support/marks_guard.h"

namespace zentarix {
namespace {

// Runs the batch over input held in memory, NUL bytes included.
test::CapturedRun RunOver(const std::string& input, MoveFormat format) {
  const MarksGuard marks(U'.', U',');
  return test::RunWithStreams(input, [format](std::FILE* in, std::FILE* out, std::FILE* err) {
    return RunMoveBatch(in, out, err, format);
  });
}

using namespace std::string_literals;

const std::string Moves =
    "# A B noise\n"
    "\n"
    "100 110 30\n"
    "\t-5\t110   30\r\n"
    "100 110\n"
    "1\0"
    "0 110 30\n"
    "100 110 30"s;  // the last line has no line break

TEST(MoveBatch, JsonLinesGiveOneResultPerMoveInOrder) {
  const test::CapturedRun run = RunOver(Moves, MoveFormat::Json);
  EXPECT_EQ(run.status, StatusUsage);
  std::size_t lines = 0;
  std::size_t at = 0;
  std::string results[5];
  for (std::size_t end; (end = run.out.find('\n', at)) != std::string::npos; at = end + 1) {
    ASSERT_LT(lines, 5u) << run.out;
    results[lines++] = run.out.substr(at, end - at);
  }
  ASSERT_EQ(lines, 5u) << run.out;
  EXPECT_EQ(results[0].substr(0, 16), "{\"a\":100,\"b\":110");
  EXPECT_EQ(results[1], "{\"error\":\"Ошибка в значении шума!\"}");
  EXPECT_EQ(results[2], "{\"error\":\"line 5: three fields expected, 2 found\"}");
  EXPECT_EQ(results[3], "{\"error\":\"Ошибка в значении шума!\"}") << "a NUL makes no number";
  EXPECT_EQ(results[4], results[0]);
  EXPECT_EQ(run.err, "Zentarix: line 5: three fields expected, 2 found\n");
}

TEST(MoveBatch, ListingsAreSeparatedByAnEmptyLine) {
  const test::CapturedRun run = RunOver("100 110 30\n-1 110 30\n100 110 30\n", MoveFormat::Listing);
  EXPECT_EQ(run.status, StatusErrorLine);
  EXPECT_EQ(run.out, std::string(RisingExampleListing) + "\nОшибка в значении шума!\n\n" +
                         RisingExampleListing);
  EXPECT_EQ(run.err, "");
}

TEST(MoveBatch, AnOverlongLineIsSkippedAndTheRunGoesOn) {
  const std::string input = std::string(MaxMoveLine + 10, '7') + " 1 2\n100 110 30\n";
  const test::CapturedRun run = RunOver(input, MoveFormat::Json);
  EXPECT_EQ(run.status, StatusUsage);
  EXPECT_EQ(run.out.substr(0, run.out.find('\n')),
            "{\"error\":\"line 1: longer than " + std::to_string(MaxMoveLine) + " bytes\"}");
  EXPECT_NE(run.out.find("\n{\"a\":100,"), std::string::npos) << run.out;
}

}  // namespace
}  // namespace zentarix
