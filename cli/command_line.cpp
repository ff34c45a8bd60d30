#include "cli/command_line.h"

#include <getopt.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "calc/uFloatEnv.h"
#include "cli/english_catalogue.h"
#include "cli/exit_status.h"
#include "cli/line_writer.h"
#include "cli/move_batch.h"
#include "cli/move_run.h"
#include "cli/swings_run.h"
#include "text/field_readers.h"
#include "text/ratio_reader.h"

namespace zentarix {

namespace {

constexpr const char* HelpText =
    "Usage: %1 [--lang en|ru] (--print | --json) [--level R]... (A B NOISE | -)\n"
    "       %1 [--lang en|ru] --swings FILE [--print | --json] [--threshold P] [--noise N]\n"
    "          [--last] [--level R]... [--chart FILE.svg|FILE.png [--size WxH] [--bars N|all]]\n"
    "       %1 [--lang en|ru] --print A B NOISE --diagram FILE.svg|FILE.png [--size WxH]\n"
    "       %1 --help | --version\n"
    "\n"
    "Golden-section retracement levels of a price move from A to B, with a noise corridor of\n"
    "NOISE tenths of a percent.%2\n"
    "\n"
    "Options:\n"
    "  --print A B NOISE  write the listing the window shows for these three values\n"
    "  --json A B NOISE   write the levels as one JSON object on one line\n"
    "  --print - / --json -\n"
    "                     read one move per line from standard input (three fields\n"
    "                     separated by blanks or tabs; blank lines and lines starting with #\n"
    "                     are skipped) and write one result per move, naming its input line\n"
    "  --swings FILE      the swings of a price history (a CSV of bars with a header, or one\n"
    "                     close per line; - for standard input) and the levels of each\n"
    "  --threshold P      the swings' reversal threshold in percent (default 5)\n"
    "  --noise N          the noise of the swings' levels in tenths of a percent (default 30)\n"
    "  --last             only the last swing\n"
    "  --level R          also the level at ratio R of the move back from B, B - (B - A) x R\n"
    "                     (0.236; 1.618 beyond A; -0.618 beyond B); repeat for more, at most\n"
    "                     64; JSON gains \"levels\", the listing a block after its 19 lines\n"
    "  --chart FILE       with --swings: draw the bars, the zigzag and the last swing's levels\n"
    "                     into FILE.svg or FILE.png (Zentarix only); --size WxH, default\n"
    "                     1280x720; --bars N shows the last N bars, --bars all every one\n"
    "                     (default: from the start of the swing before the last)\n"
    "  --diagram FILE     with --print A B NOISE: also draw the level diagram into FILE.svg\n"
    "                     or FILE.png (Zentarix only); --size WxH, default the window's\n"
    "  --lang en|ru       the language of the listing's headings and error line (default\n"
    "                     Russian, or ZENTARIX_LANG)\n"
    "  --version          write the version\n"
    "  --help             write this text\n"
    "\n"
    "A, B and NOISE are read with the locale's decimal mark (LC_ALL, then LC_NUMERIC, then\n"
    "LANG); a full stop is read as that mark too. NOISE is not limited to 0..100.\n"
    "The listing writes numbers with the locale's marks; JSON numbers are locale-independent.\n"
    "A value that starts with - and a letter needs -- before it.\n"
    "\n"
    "Exit status: 0 levels written; 1 a value below zero or not a number (the error line);\n"
    "2 an arithmetic error (the message on standard error); 3 no swing; 64 a usage error;\n"
    "65 a line of the input that is not a move or a price row; 74 an input or output error;\n"
    "128 + N after signal N. With -, the highest status of any move.\n"
    "\n"
    "Report bugs to: maintainers@zentarix.invalid\n"
    "Zentarix home page: <https://zentarix.invalid/>\n";

constexpr const char* VersionText =
    "Zentarix " ZENTARIX_VERSION
    "\n"
    "Copyright (C) 2026 The Zentarix developers.\n"
    "License: proprietary; all rights reserved. There is NO WARRANTY, to the extent permitted\n"
    "by law: the authors accept no liability for decisions taken on its results.\n";

// getopt_long's answers for the options that have no one-letter form.
enum Option : int {
  Print = 256,
  Json,
  Lang,
  Swings,
  Threshold,
  Noise,
  Last,
  Chart,
  Size,
  Bars,
  Diagram,
  Level
};

constexpr option LongOptions[] = {
    {"print", no_argument, nullptr, Print},
    {"json", no_argument, nullptr, Json},
    {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'v'},
    {"lang", required_argument, nullptr, Lang},
    {"swings", required_argument, nullptr, Swings},
    {"threshold", required_argument, nullptr, Threshold},
    {"noise", required_argument, nullptr, Noise},
    {"last", no_argument, nullptr, Last},
    {"chart", required_argument, nullptr, Chart},
    {"size", required_argument, nullptr, Size},
    {"bars", required_argument, nullptr, Bars},
    {"diagram", required_argument, nullptr, Diagram},
    {"level", required_argument, nullptr, Level},
    {nullptr, 0, nullptr, 0},
};

// What the arguments ask for.
struct Request {
  bool Print = false;
  bool Json = false;
  bool Help = false;
  bool Version = false;
  std::string Language;                  // empty: from the environment
  std::optional<std::string> Swings;     // the price history's file
  std::optional<std::string> Threshold;  // with --swings: the reversal threshold in percent
  std::optional<std::string> Noise;      // with --swings: the noise in tenths of a percent
  bool Last = false;
  std::optional<std::string> Chart;    // with --swings: the chart's file
  std::optional<std::string> Size;     // with --chart: WxH
  std::optional<std::string> Bars;     // with --chart: N or all
  std::optional<std::string> Diagram;  // with --print A B NOISE: the diagram's file
  std::vector<std::string> Levels;     // the user's own ratios, as given
  std::vector<std::string> Values;
  std::string Problem;  // a usage error: what is wrong
};

// A value such as "-5" or "-,5": getopt would read it as a cluster of one-letter options.
bool LooksLikeNegativeValue(const char* argument) {
  return argument[0] == '-' && argument[1] != '\0' && argument[1] != '-' &&
         std::strchr("0123456789.,", argument[1]) != nullptr;
}

// The name under which an option was given, as far as its "=".
std::string OptionAsGiven(const char* argument) {
  const char* equals = std::strchr(argument, '=');
  return equals == nullptr ? argument : std::string(argument, equals);
}

Request ParseArguments(int argc, const char* const* argv) {
  Request request;
  // getopt sees the negative values behind a marker it takes for a value; the marked copies
  // lead back to the texts as given.
  std::vector<std::string> marked;
  marked.reserve(static_cast<std::size_t>(argc));
  std::map<const char*, const char*> original;
  std::vector<char*> arguments;
  for (int i = 0; i < argc; ++i) {
    if (i > 0 && LooksLikeNegativeValue(argv[i])) {
      marked.push_back(std::string("\x01") + argv[i]);
      original[marked.back().c_str()] = argv[i];
      arguments.push_back(marked.back().data());
    } else {
      arguments.push_back(const_cast<char*>(argv[i]));
    }
  }
  arguments.push_back(nullptr);
  const auto valueOf = [&original](const char* text) -> std::string {
    const auto found = original.find(text);
    return found != original.end() ? found->second : text;
  };
  // "-" first: values come back in order as the arguments of option 1, whatever
  // POSIXLY_CORRECT says; ":" next: a missing argument is told apart from an unknown option.
  opterr = 0;
  optind = 0;  // glibc starts afresh
  for (int option;
       (option = getopt_long(argc, arguments.data(), "-:hv", LongOptions, nullptr)) != -1;) {
    const char* given = arguments[static_cast<std::size_t>(optind - 1)];
    switch (option) {
      case 1:
        request.Values.push_back(valueOf(optarg));
        break;
      case Print:
        request.Print = true;
        break;
      case Json:
        request.Json = true;
        break;
      case 'h':
        request.Help = true;
        break;
      case 'v':
        request.Version = true;
        break;
      case Lang:
        request.Language = optarg;
        break;
      case Swings:
        request.Swings = valueOf(optarg);
        break;
      case Threshold:
        request.Threshold = valueOf(optarg);
        break;
      case Noise:
        request.Noise = valueOf(optarg);
        break;
      case Last:
        request.Last = true;
        break;
      case Chart:
        request.Chart = valueOf(optarg);
        break;
      case Size:
        request.Size = valueOf(optarg);
        break;
      case Bars:
        request.Bars = valueOf(optarg);
        break;
      case Diagram:
        request.Diagram = valueOf(optarg);
        break;
      case Level:
        request.Levels.push_back(valueOf(optarg));
        break;
      case ':':
        request.Problem = "option '" + OptionAsGiven(given) + "' needs a value";
        break;
      default:
        if (optopt == Print || optopt == Json || optopt == Last || optopt == 'h' || optopt == 'v') {
          request.Problem = "option '" + OptionAsGiven(given) + "' takes no value";
        } else if (optopt != 0) {
          request.Problem = std::string("unknown option '-") + static_cast<char>(optopt) + "'";
        } else {
          request.Problem = "unknown or ambiguous option '" + OptionAsGiven(given) + "'";
        }
    }
    if (!request.Problem.empty()) return request;
  }
  for (int i = optind; i < argc; ++i) {
    request.Values.push_back(valueOf(arguments[static_cast<std::size_t>(i)]));
  }
  return request;
}

// Qt's own options that take a value, and those that do not; Qt takes them with one dash or
// two.
constexpr const char* QtOptionsWithValue[] = {"platform",
                                              "platformpluginpath",
                                              "platformtheme",
                                              "plugin",
                                              "qwindowgeometry",
                                              "qwindowicon",
                                              "qwindowtitle",
                                              "style",
                                              "stylesheet",
                                              "session",
                                              "display",
                                              "geometry",
                                              "title",
                                              "name",
                                              "visual",
                                              "font",
                                              "fn",
                                              "background",
                                              "bg",
                                              "foreground",
                                              "fg",
                                              "button",
                                              "btn",
                                              "im",
                                              "inputstyle",
                                              "ncols",
                                              "qmljsdebugger"};
constexpr const char* QtFlags[] = {"reverse", "widgetcount", "sync", "nograb", "dograb", "cmap"};

// How many arguments from argv[i] on form one of Qt's options (0: none).
int QtOptionLength(int argc, const char* const* argv, int i) {
  const char* name = argv[i];
  if (name[0] != '-') return 0;
  name += name[1] == '-' ? 2 : 1;
  const char* equals = std::strchr(name, '=');
  const std::string bare = equals == nullptr ? name : std::string(name, equals);
  for (const char* option : QtOptionsWithValue) {
    if (bare == option) return equals != nullptr ? 1 : (i + 1 < argc ? 2 : 0);
  }
  for (const char* flag : QtFlags) {
    if (bare == flag && equals == nullptr) return 1;
  }
  return 0;
}

// No arguments, or only --lang and Qt's window options: the window opens.
bool AreWindowArguments(int argc, const char* const* argv) {
  for (int i = 1; i < argc;) {
    const std::string_view argument = argv[i];
    if (argument == "--lang" && i + 1 < argc) {
      i += 2;
    } else if (argument.substr(0, 7) == "--lang=") {
      i += 1;
    } else if (const int length = QtOptionLength(argc, argv, i)) {
      i += length;
    } else {
      return false;
    }
  }
  return true;
}

// The last --lang given, for the window too.
std::string LanguageAmong(int argc, const char* const* argv) {
  std::string language;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--lang" && i + 1 < argc) language = argv[++i];
    if (argument.substr(0, 7) == "--lang=") language = argument.substr(7);
  }
  return language;
}

// "1280x720": two whole numbers of pixels, each 64 to 10000.
bool ReadSize(const std::string& text, int& width, int& height) {
  const std::size_t cross = text.find('x');
  if (cross == std::string::npos) return false;
  const auto pixels = [](std::string_view digits, int& value) {
    if (digits.empty() || digits.size() > 5) return false;
    value = 0;
    for (const char digit : digits) {
      if (digit < '0' || digit > '9') return false;
      value = value * 10 + (digit - '0');
    }
    return value >= 64 && value <= 10000;
  };
  return pixels(std::string_view(text).substr(0, cross), width) &&
         pixels(std::string_view(text).substr(cross + 1), height);
}

// Whether a picture's file name ends in .svg or .png.
bool NamesPicture(const std::string& file) {
  const std::string_view ending =
      std::string_view(file).substr(file.size() - std::min<std::size_t>(4, file.size()));
  return ending == ".svg" || ending == ".png";
}

// "all", or a whole number of bars from 2 up.
bool ReadBars(const std::string& text, long& bars) {
  if (text == "all") {
    bars = AllBars;
    return true;
  }
  if (text.empty() || text.size() > 12) return false;
  long value = 0;
  for (const char digit : text) {
    if (digit < '0' || digit > '9') return false;
    value = value * 10 + (digit - '0');
  }
  bars = value;
  return value >= 2;
}

std::string_view ProgramName(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash != nullptr ? slash + 1 : path;
}

// --lang, else ZENTARIX_LANG: English, or Russian, the system's own language.
bool EnglishIn(const std::string& language) {
  const char* environment = std::getenv("ZENTARIX_LANG");
  return language.empty() ? environment != nullptr && std::string_view(environment) == "en"
                          : language == "en";
}

ListingTexts ListingTextsIn(const std::string& language) {
  return EnglishIn(language) ? EnglishListingTexts() : ListingTexts();
}

TranslateHistory HistoryTextsIn(const std::string& language) {
  if (EnglishIn(language)) return EnglishHistoryText;
  return [](const char* source) { return std::string(source); };
}

TranslateChart ChartTextsIn(const std::string& language) {
  if (EnglishIn(language)) return EnglishChartText;
  return nullptr;
}

// The user's ratios in the order given, each value once; what is wrong with them, if anything.
std::optional<std::string> ReadRatios(const std::vector<std::string>& texts,
                                      std::vector<UserRatio>& ratios) {
  RatioList list = ReadRatioList(texts);
  if (list.BadText != RatioList::NoBadText) {
    return "--level takes a ratio such as 0.236 or -0.618, not \"" + texts[list.BadText] + "\"";
  }
  if (list.TooMany) {
    return "--level takes at most " + std::to_string(MaxUserRatios) + " different ratios";
  }
  ratios = std::move(list.Ratios);
  return std::nullopt;
}

class CommandRun {
 public:
  CommandRun(std::string_view program, const StandardStreams& streams)
      : FProgram(program), FStreams(streams) {}

  int UsageError(const std::string& problem) const {
    WriteNote(FStreams, FProgram, problem + " (see " + std::string(FProgram) + " --help)");
    return StatusUsage;
  }

  // Writes text to standard output; StatusIoError, with its note, when that fails.
  int Write(std::string_view text, int status) const {
    LineWriter out(FStreams.Out);
    out.Append(text);
    out.WriteAll();
    if (out.Error() == 0) return status;
    WriteNote(FStreams, FProgram, WriteErrorNote(out.Error()));
    return StatusIoError;
  }

  int Help(bool fromWindowProgram) const {
    std::string text = HelpText;
    const std::string program(FProgram);
    for (std::size_t at; (at = text.find("%1")) != std::string::npos;) {
      text.replace(at, 2, program);
    }
    text.replace(text.find("%2"), 2,
                 fromWindowProgram ? " Without options, the window opens." : "");
    return Write(text, StatusListing);
  }

  int Swings(const Request& request, std::vector<UserRatio> ratios,
             const ChartWriter& chart) const {
    if (!request.Values.empty()) return UsageError("values given beside --swings");
    if (request.Diagram) return UsageError("--diagram goes with --print A B NOISE");
    SwingsRequest swings;
    swings.Ratios = std::move(ratios);
    swings.File = *request.Swings;
    swings.Format = request.Json ? MoveFormat::Json : MoveFormat::Listing;
    swings.Last = request.Last;
    if ((request.Size || request.Bars) && !request.Chart) {
      return UsageError("--size and --bars go with --chart");
    }
    if (request.Chart) {
      if (!chart) return UsageError("--chart is drawn by Zentarix, the window program");
      const std::string& file = *request.Chart;
      if (!NamesPicture(file)) {
        return UsageError("--chart writes FILE.svg or FILE.png, not \"" + file + "\"");
      }
      swings.Chart = file;
      if (request.Size && !ReadSize(*request.Size, swings.View.Width, swings.View.Height)) {
        return UsageError("--size takes WIDTHxHEIGHT, each 64 to 10000 pixels, not \"" +
                          *request.Size + "\"");
      }
      if (request.Bars && !ReadBars(*request.Bars, swings.View.Bars)) {
        return UsageError("--bars takes a number of bars from 2 or \"all\", not \"" +
                          *request.Bars + "\"");
      }
      swings.ChartWords = ChartTextsIn(request.Language);
      // Only the chart, unless the levels are asked for too.
      swings.WriteLevels = request.Print || request.Json;
    }
    if (request.Threshold) {
      // Read as A and B are: the locale's decimal mark, or a full stop.
      swings.Percent = ReadAorBOr(*request.Threshold, -1);
      swings.PercentText = *request.Threshold;
      if (!(swings.Percent > 0 && swings.Percent < 100)) {
        return UsageError("--threshold takes a percentage above 0 and below 100, not \"" +
                          *request.Threshold + "\"");
      }
    }
    if (request.Noise) {
      // A noise as the noise field reads it; one below zero gives the error line, as typed.
      swings.Tenths = ReadNoiseOr(*request.Noise, std::numeric_limits<Extended>::quiet_NaN());
      if (swings.Tenths != swings.Tenths) {
        return UsageError("--noise takes a number, not \"" + *request.Noise + "\"");
      }
    }
    return RunSwings(swings, FStreams, FProgram, ListingTextsIn(request.Language),
                     HistoryTextsIn(request.Language), chart);
  }

  int Moves(const Request& request, const MoveWriting& writing,
            const DiagramWriter& diagram) const {
    const MoveFormat format = writing.Format;
    const std::vector<std::string>& values = request.Values;
    if (request.Diagram) {
      if (!diagram) return UsageError("--diagram is drawn by Zentarix, the window program");
      if (!request.Print || values.size() != 3 || values.front() == "-") {
        return UsageError("--diagram goes with --print A B NOISE");
      }
      if (!NamesPicture(*request.Diagram)) {
        return UsageError("--diagram writes FILE.svg or FILE.png, not \"" + *request.Diagram +
                          "\"");
      }
    } else if (request.Size) {
      return UsageError("--size goes with --chart or --diagram");
    }
    if (values.size() == 1 && values.front() == "-") {
      return RunMoveBatch(FStreams, FProgram, writing);
    }
    if (values.size() != 3) {
      return UsageError("three values A B NOISE expected, " + std::to_string(values.size()) +
                        " given");
    }
    if (request.Diagram) {
      if (const std::optional<int> failed = DrawDiagram(request, diagram)) return *failed;
    }
    std::string out;
    const MoveOutcome outcome = RunMove(values[0], values[1], values[2], writing, out);
    const int status = Write(out, outcome.Status);
    // The message of an arithmetic error, after the listing's lines written before it.
    if (status == StatusArithmetic && format == MoveFormat::Listing) {
      WriteNote(FStreams, FProgram, outcome.Message + '.');
    }
    return status;
  }

 private:
  // The diagram of a move whose levels are calculated, drawn before the listing is written,
  // so that a failure leaves standard output empty; a move that fails has no diagram. The
  // status of a failure, nothing when the listing is to be written.
  std::optional<int> DrawDiagram(const Request& request, const DiagramWriter& diagram) const {
    int width = 0;
    int height = 0;
    if (request.Size && !ReadSize(*request.Size, width, height)) {
      return UsageError("--size takes WIDTHxHEIGHT, each 64 to 10000 pixels, not \"" +
                        *request.Size + "\"");
    }
    const std::vector<std::string>& values = request.Values;
    const MoveValues move = ReadMove(values[0], values[1], values[2]);
    TCalcItem item;
    try {
      if (move.NotANumber || !CalculateLevels(item, move.A, move.B, move.Tenths)) {
        return std::nullopt;
      }
    } catch (const EMathError&) {
      ResetFpu();
      return std::nullopt;
    }
    const std::string problem = diagram(*request.Diagram, width, height, item);
    if (problem.empty()) return std::nullopt;
    WriteNote(FStreams, FProgram, problem);
    return StatusIoError;
  }

  std::string_view FProgram;
  const StandardStreams& FStreams;
};

std::optional<std::string> LanguageProblem(const std::string& language) {
  if (language.empty() || language == "en" || language == "ru") return std::nullopt;
  return "--lang takes en or ru, not \"" + language + "\"";
}

}  // namespace

std::optional<int> RunCommandLine(int argc, const char* const* argv, const StandardStreams& streams,
                                  WindowArguments window, const PictureWriters& writers) {
  const CommandRun run(ProgramName(argc > 0 ? argv[0] : "Zentarix"), streams);
  const bool hasWindow = window == WindowArguments::Accepted;
  if (hasWindow && AreWindowArguments(argc, argv)) {
    const std::optional<std::string> problem = LanguageProblem(LanguageAmong(argc, argv));
    if (problem) return run.UsageError(*problem);
    return std::nullopt;
  }
  const Request request = ParseArguments(argc, argv);
  if (!request.Problem.empty()) return run.UsageError(request.Problem);
  if (const std::optional<std::string> problem = LanguageProblem(request.Language)) {
    return run.UsageError(*problem);
  }
  if (request.Help) return run.Help(hasWindow);
  if (request.Version) return run.Write(VersionText, StatusListing);
  if (request.Print && request.Json) return run.UsageError("either --print or --json, not both");
  std::vector<UserRatio> ratios;
  if (const std::optional<std::string> problem = ReadRatios(request.Levels, ratios)) {
    return run.UsageError(*problem);
  }
  if (request.Swings) return run.Swings(request, std::move(ratios), writers.Chart);
  if (request.Threshold || request.Noise || request.Last || request.Chart || request.Bars) {
    return run.UsageError("--threshold, --noise, --last, --chart and --bars go with --swings");
  }
  if (!request.Print && !request.Json) {
    return run.UsageError(request.Values.empty() ? "no command given"
                                                 : "values given without --print or --json");
  }
  const MoveWriting writing{request.Json ? MoveFormat::Json : MoveFormat::Listing,
                            ListingTextsIn(request.Language), std::move(ratios)};
  return run.Moves(request, writing, writers.Diagram);
}

}  // namespace zentarix
