// The interface language. Russian is the system's own and the default, whatever the locale;
// English when the command line says --lang en or the environment ZENTARIX_LANG=en. The
// English texts are a Qt Linguist catalogue (translations/zentarix_en.ts) compiled into the
// program.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "diagram/diagram_summary.h"
#include "text/listing.h"

class QTranslator;

namespace zentarix {

// Whether the last --lang of the arguments (--lang en or --lang=en) or, when they name none, the
// environment (ZENTARIX_LANG=en) ask for English.
bool EnglishRequested(const QStringList& arguments);

// The program's English catalogue; null when it cannot be loaded.
std::unique_ptr<QTranslator> LoadEnglishCatalogue();

// A text of the program in the interface language: the translation of source in context, or
// source itself where there is none.
using TranslateText = std::function<QString(const char* context, const char* source)>;

// Through the translators installed on the application object.
QString TranslateInApplication(const char* context, const char* source);

// The words of the plain core's listing and diagram summary in the interface language.
ListingTexts MakeListingTexts(const TranslateText& translate);
SummaryTexts MakeSummaryTexts(const TranslateText& translate);

}  // namespace zentarix
