// The program's command line, handled before any window exists, so that none of it needs a
// display:
//
//   Zentarix --help                  what follows, and exit 0
//   Zentarix --version               "Zentarix 0.0.2", and exit 0
//   Zentarix --print A B NOISE       the listing the window would show, exit 0, 1 or 2
//   Zentarix --json A B NOISE        the levels as one JSON object, exit 0, 1 or 2
//   Zentarix --print -  (or --json -)  one move per line of standard input
//   --lang en|ru                     the language of the listing's headings and error line,
//                                    with any of the above (ZENTARIX_LANG=en does the same)
//
// The three values are taken as given, also when one starts with "-" or is empty. A missing or
// extra value is a usage error: one line on standard error and exit 64.
#pragma once

#include <QStringList>
#include <cstdio>
#include <optional>

namespace zentarix {

// The exit status when the arguments ask for one of the commands above; nullopt when they are
// the window's (none of the above), which the application object then reads.
std::optional<int> RunCommandLine(const QStringList& arguments, std::FILE* in, std::FILE* out,
                                  std::FILE* err);

// The arguments as the program received them, decoded from UTF-8.
QStringList ArgumentsOf(int argc, char** argv);

}  // namespace zentarix
