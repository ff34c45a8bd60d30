// The program's command line, handled before any window exists, so that none of it needs a
// display:
//
//   Zentarix --help                    what follows, and exit 0
//   Zentarix --version                 the version, copyright and licence, and exit 0
//   Zentarix --print A B NOISE         the listing the window would show, exit 0, 1 or 2
//   Zentarix --json A B NOISE          the levels as one JSON object, exit 0, 1 or 2
//   Zentarix --print -  (or --json -)  one move per line of standard input
//   --lang en|ru                       the language of the listing's headings and error line,
//                                      with any of the above (ZENTARIX_LANG=en does the same)
//
// The options follow GNU conventions (glibc's getopt_long): --lang en or --lang=en, the last
// --lang wins, options may follow the values, "--" ends the options, unambiguous abbreviations
// are taken. A value that starts with "-" and a digit or a decimal mark (-5, -.5) is a value;
// one that starts with "-" and a letter needs "--" before it. Whatever the command line does
// not understand is one line on standard error and status 64, never the window.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "calc/uCalcItem.h"
#include "cli/standard_streams.h"
#include "cli/swings_run.h"

namespace zentarix {

// Whether the program has a window for arguments that ask for none of the commands.
enum class WindowArguments { Accepted, Refused };

// The exit status of the command the arguments ask for. Arguments that are the window's (none
// at all, or only --lang and Qt's own window options such as -platform or -style) give nullopt
// when the window is Accepted, for the application object to read, and a usage error when it
// is Refused. argv[0] names the program in its notes and its help.
// Writes the level diagram of item to file (its name ends in .svg or .png), width x height
// pixels, or the size of the window's diagram when they are 0; returns what went wrong, empty
// on success.
using DiagramWriter = std::function<std::string(const std::string& file, int width, int height,
                                                const TCalcItem& item)>;

// The programs that draw hand their writers in; without one, --chart or --diagram is a usage
// error that names the program that draws.
struct PictureWriters {
  ChartWriter Chart;
  DiagramWriter Diagram;
};

std::optional<int> RunCommandLine(int argc, const char* const* argv, const StandardStreams& streams,
                                  WindowArguments window, const PictureWriters& writers = {});

}  // namespace zentarix
