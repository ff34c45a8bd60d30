// The two marks from the user's locale: real locales through the POSIX environment, and
// injected answers for what real locales rarely give.
#include "calc/number_settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

#include "calc/uNumberText.h"
#include "tests/support/env_guard.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct LocaleCase {
  const char* name;
  const char* locale;
  char32_t decimal;
  char32_t group;
};

class RealLocale : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(RealLocale, ReadsBothMarksFromTheEnvironment) {
  const LocaleCase& c = GetParam();
  const MarksGuard restore(U'?', U'?');
  const EnvGuard all("LC_ALL", c.locale);
  ASSERT_TRUE(QueryPosixLocaleItem(LocaleItem::DecimalSeparator).has_value())
      << c.locale << " is not installed; the test command generates it";
  LoadNumberSettings();
  EXPECT_EQ(DecimalMark, c.decimal) << c.locale;
  EXPECT_EQ(GroupMark, c.group) << c.locale;
}

INSTANTIATE_TEST_SUITE_P(Locales, RealLocale,
                         ::testing::Values(LocaleCase{"Russian", "ru_RU.UTF-8", U',', U'\u202F'},
                                           LocaleCase{"German", "de_DE.UTF-8", U',', U'.'},
                                           LocaleCase{"AmericanEnglish", "en_US.UTF-8", U'.', U','},
                                           LocaleCase{"French", "fr_FR.UTF-8", U',', U'\u202F'},
                                           LocaleCase{"PlainCWithoutGrouping", "C.UTF-8", U'.', 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RealLocaleRendering, RussianLocaleGroupsWithNarrowNoBreakSpace) {
  const MarksGuard restore(U'.', U',');
  const EnvGuard all("LC_ALL", "ru_RU.UTF-8");
  LoadNumberSettings();
  EXPECT_EQ(RenderNumber(1234567.5L, 4), "1\u202F234\u202F567,5000");
  Extended value;
  ASSERT_TRUE(TryParseNumber("1,25", value));
  EXPECT_EQ(value, 1.25L);
}

TEST(LocalePrecedence, LcAllThenLcNumericThenLang) {
  const MarksGuard restore(U'?', U'?');
  const EnvGuard all("LC_ALL", nullptr);
  const EnvGuard numeric("LC_NUMERIC", "de_DE.UTF-8");
  const EnvGuard lang("LANG", "en_US.UTF-8");
  LoadNumberSettings();
  EXPECT_EQ(DecimalMark, U',');
  {
    const EnvGuard overriding("LC_ALL", "en_US.UTF-8");
    LoadNumberSettings();
    EXPECT_EQ(DecimalMark, U'.');
  }
  const EnvGuard noNumeric("LC_NUMERIC", nullptr);
  const EnvGuard langGerman("LANG", "de_DE.UTF-8");
  LoadNumberSettings();
  EXPECT_EQ(DecimalMark, U',');
}

TEST(LocaleMissing, UnknownLocaleGivesTheFallbacks) {
  const MarksGuard restore(U'?', U'?');
  const EnvGuard all("LC_ALL", "xx_NOWHERE.UTF-8");
  LoadNumberSettings();
  EXPECT_EQ(DecimalMark, U'.');
  EXPECT_EQ(GroupMark, U',');
}

struct InjectedCase {
  const char* name;
  std::optional<std::string> group;
  std::optional<std::string> decimal;
  char32_t expectedGroup;
  char32_t expectedDecimal;
};

class InjectedAnswer : public ::testing::TestWithParam<InjectedCase> {
 protected:
  void TearDown() override { SetLocaleItemQuery(nullptr); }
};

TEST_P(InjectedAnswer, OneCharacterOrEmptyOrFallback) {
  const InjectedCase& c = GetParam();
  const MarksGuard restore(U'?', U'?');
  SetLocaleItemQuery(
      [&](LocaleItem item) { return item == LocaleItem::GroupSeparator ? c.group : c.decimal; });
  LoadNumberSettings();
  EXPECT_EQ(GroupMark, c.expectedGroup) << c.name;
  EXPECT_EQ(DecimalMark, c.expectedDecimal) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Answers, InjectedAnswer,
    ::testing::Values(InjectedCase{"SingleCharacters", "'", ",", U'\'', U','},
                      InjectedCase{"TwoCharacterSeparatorFallsBack", "..", ",", U',', U','},
                      InjectedCase{"TwoCharacterDecimalFallsBack", " ", "::", U' ', U'.'},
                      InjectedCase{"FailedQueries", std::nullopt, std::nullopt, U',', U'.'},
                      InjectedCase{"EmptyItemsMeanNone", "", "", 0, 0},
                      InjectedCase{"MultiByteSingleCharacter", "\u2019", "\u066B", U'\u2019',
                                   U'\u066B'},
                      InjectedCase{"MalformedUtf8FallsBack", "\xE2\x80", "\xFF", U',', U'.'}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
