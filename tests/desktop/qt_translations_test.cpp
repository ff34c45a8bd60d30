// Qt's own texts (here the fields' context menus) follow the interface's language: Russian,
// unless English is asked for.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTranslator>
#include <memory>
#include <string>

#include "desktop/application_start.h"
#include "desktop/interface_language.h"
#include "tests/support/env_guard.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct LanguageCase {
  const char* name;
  const char* language;  // ZENTARIX_LANG, null for unset
  const char* copy;      // the context menu's copy entry
};

class QtTranslations : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(QtTranslations, TheContextMenuSpeaksTheLanguage) {
  const LanguageCase& c = GetParam();
  EnvGuard language("ZENTARIX_LANG", c.language);
  const std::unique_ptr<QTranslator> translator(InstallQtTranslations(*qApp));
  QLineEdit field(QStringLiteral("100"));
  field.selectAll();
  const std::unique_ptr<QMenu> menu(field.createStandardContextMenu());
  std::string copy = "(none)";
  for (const QAction* action : menu->actions()) {
    const QStringList entry = action->text().split(u'\t');  // the text, then the shortcut
    if (entry.size() == 2 && entry[1] == QLatin1String("Ctrl+C")) copy = entry[0].toStdString();
  }
  EXPECT_EQ(copy, c.copy) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Languages, QtTranslations,
                         ::testing::Values(LanguageCase{"Russian", nullptr, "&Копировать"},
                                           LanguageCase{"EnglishAsked", "en", "&Copy"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The catalogue's source texts are the plain core's own words, written twice (in the core's
// tables and where the catalogue's tool finds them): they must stay the same.
TEST(InterfaceLanguage, TheTranslatableWordsAreTheCoresOwn) {
  const auto same = [](const char*, const char* source) { return QString::fromUtf8(source); };
  const ListingTexts listing = MakeListingTexts(same);
  const ListingTexts core;
  EXPECT_EQ(listing.ErrorLine, core.ErrorLine);
  EXPECT_EQ(listing.CorridorF3, core.CorridorF3);
  EXPECT_EQ(listing.CorridorF5, core.CorridorF5);
  EXPECT_EQ(listing.Targets, core.Targets);
  EXPECT_EQ(listing.UserLevels, core.UserLevels);
  const SummaryTexts summary = MakeSummaryTexts(same);
  const SummaryTexts coreSummary;
  EXPECT_EQ(summary.Empty, coreSummary.Empty);
  EXPECT_EQ(summary.Rising, coreSummary.Rising);
  EXPECT_EQ(summary.Falling, coreSummary.Falling);
}

struct LanguageArguments {
  const char* name;
  QStringList arguments;
  const char* environment;  // ZENTARIX_LANG, null for unset
  bool english;
};

class InterfaceLanguageChoice : public ::testing::TestWithParam<LanguageArguments> {};

TEST_P(InterfaceLanguageChoice, FollowsTheCommandLineThenTheEnvironment) {
  const LanguageArguments& c = GetParam();
  EnvGuard language("ZENTARIX_LANG", c.environment);
  EXPECT_EQ(EnglishRequested(QStringList{QStringLiteral("Zentarix")} + c.arguments), c.english)
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Choices, InterfaceLanguageChoice,
    ::testing::Values(LanguageArguments{"RussianByDefault", {}, nullptr, false},
                      LanguageArguments{"LangEn", {"--lang", "en"}, nullptr, true},
                      LanguageArguments{"LangEqualsEn", {"--lang=en"}, nullptr, true},
                      LanguageArguments{"EnvironmentEn", {}, "en", true},
                      LanguageArguments{
                          "CommandLineOverEnvironment", {"--lang", "ru"}, "en", false},
                      LanguageArguments{"ValueOfAnotherOption", {"--print", "en"}, nullptr, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
