// What the Python module reads from its arguments and how it reports what goes wrong: numbers
// from str, int or float exactly as the command line reads them, the user's ratios, the errors
// as Python exceptions with the command line's codes, and the caller's x87 environment kept.
#pragma once

#include <pybind11/pybind11.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"
#include "calc/user_levels.h"
#include "cli/move_run.h"

namespace zentarix::python {

namespace py = pybind11;

// The caller's x87 environment (control word, flags) for the life of a call: the core runs
// under its own word and resets the unit after an arithmetic error, Python must find its own
// again whatever happens.
class CallerFloatEnvironment {
 public:
  CallerFloatEnvironment();
  ~CallerFloatEnvironment();
  CallerFloatEnvironment(const CallerFloatEnvironment&) = delete;
  CallerFloatEnvironment& operator=(const CallerFloatEnvironment&) = delete;

 private:
  std::array<unsigned char, 28> FSaved{};  // what fnstenv stores in 32-bit protected mode
};

// A value of A, B, a threshold or a noise: a str read by the project's parse with "." as the
// mark, as the command line reads it under the C locale; an int or a float at its exact binary
// value. A text that is no number gives NaN; a type that is no number raises TypeError.
Extended NumberOf(py::handle value, const char* name);

// The user's ratios, in order and each value once: a str as --level reads it, an int or float
// at its exact value, written as the shortest text that reads back to it. A ratio that is no
// number, or a 65th, raises ValueError.
std::vector<UserRatio> RatiosOf(py::handle ratios);

// The move's values from three arguments, as the command line reads its three texts.
MoveValues MoveOf(py::handle a, py::handle b, py::handle noise);

// The ratio as JSON gives it back: the double its plain text reads as.
double RatioAsDouble(const UserRatio& ratio);

// Raises the exception of an outcome with a code: ValueError for a value below zero or no
// number, OverflowError, ZeroDivisionError or FloatingPointError for an arithmetic error; its
// code attribute is the command line's code, its message the command line's English one.
[[noreturn]] void RaiseOutcome(const MoveOutcome& outcome);
[[noreturn]] void RaiseValueError(const std::string& code, const std::string& message);

// The listing's words in English: the messages of the outcomes.
const ListingTexts& EnglishTexts();

// The members of a successful move, as --json writes them: the 16 levels in their order, then
// "levels" when ratios were given.
void AddLevelMembers(const MoveLevels& levels, bool withRatios, py::dict& into);

}  // namespace zentarix::python
