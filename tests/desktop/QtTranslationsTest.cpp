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

#include "desktop/uApplicationStart.h"
#include "tests/support/EnvGuard.h"
#include "tests/support/RowPrinter.h"

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

}  // namespace
