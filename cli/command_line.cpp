#include "cli/command_line.h"

#include <QCommandLineParser>
#include <QTranslator>
#include <algorithm>
#include <memory>
#include <string>

#include "cli/move_batch.h"
#include "cli/move_run.h"
#include "desktop/interface_language.h"

namespace zentarix {

namespace {

constexpr const char* HelpText =
    "Usage: Zentarix [--lang en] [--print|--json] [A B NOISE | -]\n"
    "\n"
    "Golden-section retracement levels of a price move from A to B, with a noise corridor of\n"
    "NOISE tenths of a percent. Without options, the window opens.\n"
    "\n"
    "Options:\n"
    "  --print A B NOISE  write the listing the window shows for these three values\n"
    "  --json A B NOISE   write the levels as one JSON object on one line\n"
    "  --print - / --json -\n"
    "                     read one move per line from standard input (three fields\n"
    "                     separated by blanks or tabs; blank lines and lines starting with #\n"
    "                     are skipped) and write one result per move\n"
    "  --lang en|ru       the interface language (default Russian, or ZENTARIX_LANG):\n"
    "                     the window's texts, the listing's headings and error line\n"
    "  --version          write the version\n"
    "  --help             write this text\n"
    "\n"
    "A and B are read with the locale's decimal mark (LC_ALL, then LC_NUMERIC, then LANG); a\n"
    "full stop is read as that mark too. NOISE is read as typed and is not limited to 0..100.\n"
    "The listing writes numbers with the locale's marks; JSON numbers are locale-independent.\n"
    "\n"
    "Exit status: 0 levels written, 1 a value below zero (the error line), 2 an arithmetic\n"
    "error (the message on standard error), 64 a usage error. With -, the highest status of\n"
    "any move.\n";

void Write(std::FILE* file, const std::string& text) {
  std::fwrite(text.data(), 1, text.size(), file);
}

int UsageError(std::FILE* err, const QString& problem) {
  Write(err, "Zentarix: " + problem.toStdString() + " (see Zentarix --help)\n");
  return StatusUsage;
}

bool IsCommand(const QString& argument) {
  return argument == QLatin1String("--print") || argument == QLatin1String("--json") ||
         argument == QLatin1String("--help") || argument == QLatin1String("-h") ||
         argument == QLatin1String("--version") || argument == QLatin1String("-v");
}

// The listing's words in the language asked for: the English catalogue read directly, as no
// application object exists here.
ListingTexts ListingTextsFor(const QStringList& arguments) {
  if (!EnglishRequested(arguments)) return ListingTexts();
  const std::unique_ptr<QTranslator> catalogue = LoadEnglishCatalogue();
  if (catalogue == nullptr) return ListingTexts();
  return MakeListingTexts([&catalogue](const char* context, const char* source) {
    const QString text = catalogue->translate(context, source);
    return text.isEmpty() ? QString::fromUtf8(source) : text;
  });
}

int RunMoves(const QStringList& values, MoveFormat format, const ListingTexts& texts, std::FILE* in,
             std::FILE* out, std::FILE* err) {
  if (values.size() == 1 && values.front() == QLatin1String("-")) {
    return RunMoveBatch(in, out, err, format, texts);
  }
  if (values.size() != 3) {
    return UsageError(
        err, QStringLiteral("three values A B NOISE expected, %1 given").arg(values.size()));
  }
  std::string text;
  std::string notes;
  const int status = RunMove(values[0].toStdString(), values[1].toStdString(),
                             values[2].toStdString(), format, text, notes, texts);
  Write(out, text);
  std::fflush(out);
  Write(err, notes);
  return status;
}

}  // namespace

QStringList ArgumentsOf(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromUtf8(argv[i]);
  return arguments;
}

std::optional<int> RunCommandLine(const QStringList& arguments, std::FILE* in, std::FILE* out,
                                  std::FILE* err) {
  if (std::none_of(arguments.begin() + std::min<qsizetype>(1, arguments.size()), arguments.end(),
                   IsCommand)) {
    return std::nullopt;
  }
  QCommandLineParser parser;
  const QCommandLineOption print(QStringLiteral("print"));
  const QCommandLineOption json(QStringLiteral("json"));
  const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
  const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
  const QCommandLineOption lang(QStringLiteral("lang"), QString(), QStringLiteral("language"));
  parser.addOptions({print, json, help, version, lang});
  // Whatever follows --print or --json is a value, even "-5": "--" ends the options there.
  QStringList split = arguments;
  for (qsizetype i = 1; i < split.size(); ++i) {
    if (split[i] == QLatin1String("--print") || split[i] == QLatin1String("--json")) {
      split.insert(i + 1, QStringLiteral("--"));
      break;
    }
  }
  if (!parser.parse(split)) return UsageError(err, parser.errorText());
  if (parser.isSet(help)) {
    Write(out, HelpText);
    return 0;
  }
  if (parser.isSet(version)) {
    Write(out, "Zentarix " ZENTARIX_VERSION "\n");
    return 0;
  }
  if (parser.isSet(lang) && parser.value(lang) != QLatin1String("en") &&
      parser.value(lang) != QLatin1String("ru")) {
    return UsageError(err,
                      QStringLiteral("--lang takes en or ru, not \"%1\"").arg(parser.value(lang)));
  }
  if (parser.isSet(print) == parser.isSet(json)) {
    return UsageError(err, QStringLiteral("either --print or --json, not both"));
  }
  const MoveFormat format = parser.isSet(json) ? MoveFormat::Json : MoveFormat::Listing;
  return RunMoves(parser.positionalArguments(), format, ListingTextsFor(arguments), in, out, err);
}

}  // namespace zentarix
