// One move as the command line runs it: the listing the window would show, the JSON object
// with every field under its own name, and the three ways a move can end.
#include "cli/move_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <regex>
#include <string>

#include "calc/uCalcItem.h"
#include "tests/support/example_listings.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

struct MoveCase {
  const char* name;
  const char* a;
  const char* b;
  const char* noise;
  char32_t decimalMark;
  int status;
  const char* listing;  // the listing; nullptr: not checked here
  const char* code;     // the error's code, "" for the levels
  const char* message;  // the error's message
};

class MoveRun : public ::testing::TestWithParam<MoveCase> {};

TEST_P(MoveRun, WritesTheListingAndSaysHowItEnded) {
  const MoveCase& c = GetParam();
  const MarksGuard marks(c.decimalMark, c.decimalMark == U',' ? U' ' : U',');
  std::string out = "kept|";
  const MoveOutcome outcome = RunMove(c.a, c.b, c.noise, {MoveFormat::Listing, {}, {}}, out);
  EXPECT_EQ(outcome.Status, c.status) << c.name;
  EXPECT_EQ(outcome.Code, c.code) << c.name;
  EXPECT_EQ(outcome.Message, c.message) << c.name;
  ASSERT_EQ(out.substr(0, 5), "kept|") << c.name << ": output before the move stays";
  if (c.listing != nullptr) {
    EXPECT_EQ(out.substr(5), c.listing) << c.name;
  }
}

TEST_P(MoveRun, WritesOneJsonLineWithTheInputLine) {
  const MoveCase& c = GetParam();
  const MarksGuard marks(c.decimalMark, c.decimalMark == U',' ? U' ' : U',');
  std::string out;
  EXPECT_EQ(RunMove(c.a, c.b, c.noise, {MoveFormat::Json, {}, {}}, out, 7).Status, c.status)
      << c.name;
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 1) << c.name;
  if (*c.code != '\0') {
    EXPECT_EQ(out, std::string("{\"line\":7,\"error\":\"") + c.code + "\",\"message\":\"" +
                       c.message + "\"}\n")
        << c.name;
  } else {
    EXPECT_EQ(out.substr(0, 14), "{\"line\":7,\"a\":") << c.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveRun,
    ::testing::Values(
        MoveCase{"WorkedExample", "100", "110", "30", U'.', StatusListing, RisingExampleListing, "",
                 ""},
        MoveCase{"NoiseNotClamped", "100", "110", "150", U'.', StatusListing, nullptr, "", ""},
        MoveCase{"NegativeA", "-5", "110", "30", U'.', StatusErrorLine, "Ошибка в значении шума!\n",
                 "below_zero", "Ошибка в значении шума!"},
        MoveCase{"EmptyNoise", "100", "110", "", U',', StatusErrorLine, "Ошибка в значении шума!\n",
                 "not_a_number", "Ошибка в значении шума!"},
        MoveCase{"ANegativeBesideText", "-5", "abc", "30", U'.', StatusErrorLine, nullptr,
                 "not_a_number", "Ошибка в значении шума!"},
        MoveCase{"ABeyondTheDoubleRange", "1e400", "110", "30", U'.', StatusArithmetic, "",
                 "overflow", "Floating point overflow"}),
    [](const auto& info) { return std::string(info.param.name); });

// The number after "key": in a JSON line, read back with strtod.
double JsonNumber(const std::string& json, const std::string& key) {
  const std::regex member("\"" + key + "\":([-0-9.e+]+)");
  std::smatch match;
  if (!std::regex_search(json, match, member)) ADD_FAILURE() << "no " << key << " in " << json;
  return std::strtod(match[1].str().c_str(), nullptr);
}

TEST(MoveJson, EveryFieldReadsBackAsTheStoredDoubleUnderItsName) {
  for (const char32_t mark : {U'.', U','}) {
    const MarksGuard marks(mark, U' ');
    std::string json;
    ASSERT_EQ(RunMove("1.0850", "1.0720", "7", {MoveFormat::Json, {}, {}}, json).Status,
              StatusListing);
    TCalcItem item;
    ASSERT_TRUE(CalculateLevels(item, 1.085L, 1.072L, 7.0L));
    const auto targets = TargetPoints(item);
    const std::map<std::string, double> expected = {
        {"a", item.ValueA},     {"b", item.ValueB},        {"noise", item.Noise},
        {"f3", item.F3},        {"level50", item.Level50}, {"f5", item.F5},
        {"f3_1", item.F3Minus}, {"f3_2", item.F3Plus},     {"f5_1", item.F5Minus},
        {"f5_2", item.F5Plus},  {"cop_f3", targets[0]},    {"cop_f5", targets[1]},
        {"op_f3", targets[2]},  {"op_f5", targets[3]},     {"xop_f3", targets[4]},
        {"xop_f5", targets[5]}};
    for (const auto& [key, value] : expected) {
      EXPECT_EQ(JsonNumber(json, key), value) << key << " in " << json;
    }
    EXPECT_EQ(json.find("\"a\":1.085,"), 1u) << "the shortest form: " << json;
  }
}

TEST(MoveListing, AnOverflowAmongTheTargetsKeepsTheLinesBeforeIt) {
  const MarksGuard marks(U'.', U',');
  std::string out;
  EXPECT_EQ(RunMove("1e300", "1.7e308", "0", {MoveFormat::Listing, {}, {}}, out).Code, "overflow");
  EXPECT_EQ(std::count(out.begin(), out.end(), '\n'), 12) << out;
  // The environment is sound again for the next move.
  out.clear();
  EXPECT_EQ(RunMove("100", "110", "30", {MoveFormat::Listing, {}, {}}, out).Status, StatusListing);
  EXPECT_EQ(out, RisingExampleListing);
}

}  // namespace
}  // namespace zentarix
