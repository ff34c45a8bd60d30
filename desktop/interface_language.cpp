#include "desktop/interface_language.h"

#include <QCoreApplication>
#include <QTranslator>

namespace zentarix {

namespace {

std::string Translated(const TranslateText& translate, const char* context, const char* source) {
  return translate(context, source).toStdString();
}

}  // namespace

bool EnglishRequested(const QStringList& arguments) {
  // The last --lang given is the one in force, as for the command line.
  QString language;
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] == QLatin1String("--lang") && i + 1 < arguments.size()) {
      language = arguments[++i];
    } else if (arguments[i].startsWith(QLatin1String("--lang="))) {
      language = arguments[i].mid(7);
    }
  }
  if (language.isEmpty()) language = qEnvironmentVariable("ZENTARIX_LANG");
  return language == QLatin1String("en");
}

std::unique_ptr<QTranslator> LoadEnglishCatalogue() {
  auto catalogue = std::make_unique<QTranslator>();
  if (!catalogue->load(QStringLiteral(":/i18n/zentarix_en.qm"))) return nullptr;
  return catalogue;
}

QString TranslateInApplication(const char* context, const char* source) {
  return QCoreApplication::translate(context, source);
}

// The source texts are the defaults of the tables, written out again here so that lupdate
// finds them; a test checks that both agree.
ListingTexts MakeListingTexts(const TranslateText& translate) {
  ListingTexts texts;
  texts.ErrorLine =
      Translated(translate, "Listing", QT_TRANSLATE_NOOP("Listing", "Ошибка в значении шума!"));
  texts.CorridorF3 = Translated(translate, "Listing", QT_TRANSLATE_NOOP("Listing", "Коридор F3"));
  texts.CorridorF5 = Translated(translate, "Listing", QT_TRANSLATE_NOOP("Listing", "Коридор F5"));
  texts.Targets =
      Translated(translate, "Listing", QT_TRANSLATE_NOOP("Listing", "Возможные целевые точки"));
  texts.UserLevels = Translated(translate, "Listing", QT_TRANSLATE_NOOP("Listing", "Свои уровни"));
  texts.SpokenNoise =
      Translated(translate, "Listing",
                 QT_TRANSLATE_NOOP("Listing", "Шум %1%: коридор F3 %2 – %3, коридор F5 %4 – %5"));
  return texts;
}

SummaryTexts MakeSummaryTexts(const TranslateText& translate) {
  SummaryTexts texts;
  texts.Empty = Translated(translate, "Diagram",
                           QT_TRANSLATE_NOOP("Diagram", "Диаграмма пуста: A и B равны."));
  texts.Rising = Translated(translate, "Diagram", QT_TRANSLATE_NOOP("Diagram", "Рост: "));
  texts.Falling = Translated(translate, "Diagram", QT_TRANSLATE_NOOP("Diagram", "Падение: "));
  return texts;
}

}  // namespace zentarix
