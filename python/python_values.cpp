#include "python/python_values.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "calc/level_table.h"
#include "calc/uFloatEnv.h"
#include "cli/english_catalogue.h"
#include "text/field_readers.h"
#include "text/ratio_reader.h"

namespace zentarix::python {

CallerFloatEnvironment::CallerFloatEnvironment() {
  asm volatile("fnstenv %0" : "=m"(FSaved));
  // The core's own word and clear flags, as at the command line's start.
  ClearFpuFlags();
  LoadFpuControlWord(DefaultFpuControlWord);
}

CallerFloatEnvironment::~CallerFloatEnvironment() { asm volatile("fldenv %0" ::"m"(FSaved)); }

namespace {

constexpr Extended NotRead = std::numeric_limits<Extended>::quiet_NaN();

// An int of any size: one that fits 64 bits is exact in the extended format; a longer one is
// read from its decimal text, rounded once to nearest as every parse is.
Extended IntegerOf(py::handle value) {
  int overflow = 0;
  const long long small = PyLong_AsLongLongAndOverflow(value.ptr(), &overflow);
  if (overflow == 0) return static_cast<Extended>(small);
  return ReadAorBOr(py::str(value).cast<std::string>(), NotRead);
}

std::string ShortestText(double value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

}  // namespace

Extended NumberOf(py::handle value, const char* name) {
  if (py::isinstance<py::str>(value)) return ReadAorBOr(value.cast<std::string>(), NotRead);
  if (PyLong_Check(value.ptr())) return IntegerOf(value);
  if (PyFloat_Check(value.ptr()) || PyNumber_Check(value.ptr())) {
    // A double widens into the extended format exactly.
    return static_cast<Extended>(
        py::float_(py::reinterpret_borrow<py::object>(value)).cast<double>());
  }
  throw py::type_error(std::string(name) + " must be a str, an int or a float, not " +
                       std::string(py::str(value.get_type().attr("__name__"))));
}

std::vector<UserRatio> RatiosOf(py::handle ratios) {
  std::vector<std::string> texts;
  for (py::handle ratio : ratios) {
    if (py::isinstance<py::str>(ratio)) {
      texts.push_back(ratio.cast<std::string>());
    } else if (PyLong_Check(ratio.ptr())) {
      texts.push_back(py::str(ratio).cast<std::string>());
    } else {
      // The shortest text of a double reads back to that double: its exact value.
      const double value = static_cast<double>(NumberOf(ratio, "a level's ratio"));
      if (!std::isfinite(value)) RaiseValueError("bad_level", "a level's ratio must be finite");
      texts.push_back(ShortestText(value));
    }
  }
  RatioList list = ReadRatioList(texts);
  if (list.BadText != RatioList::NoBadText) {
    RaiseValueError("bad_level", "a level's ratio such as 0.236 or -0.618 expected, not \"" +
                                     texts[list.BadText] + "\"");
  }
  if (list.TooMany) {
    RaiseValueError("too_many_levels",
                    "at most " + std::to_string(MaxUserRatios) + " different ratios");
  }
  return std::move(list.Ratios);
}

MoveValues MoveOf(py::handle a, py::handle b, py::handle noise) {
  return MoveOfReadValues(NumberOf(a, "a"), NumberOf(b, "b"), NumberOf(noise, "noise"));
}

double RatioAsDouble(const UserRatio& ratio) {
  double value = 0;
  std::from_chars(ratio.Text.data(), ratio.Text.data() + ratio.Text.size(), value);
  return value;
}

namespace {

// An exception of type whose code attribute names what went wrong, as the command line's codes.
[[noreturn]] void RaiseWithCode(PyObject* type, const std::string& code,
                                const std::string& message) {
  py::object error = py::reinterpret_borrow<py::object>(type)(message);
  error.attr("code") = code;
  PyErr_SetObject(type, error.ptr());
  throw py::error_already_set();
}

}  // namespace

void RaiseValueError(const std::string& code, const std::string& message) {
  RaiseWithCode(PyExc_ValueError, code, message);
}

void RaiseOutcome(const MoveOutcome& outcome) {
  PyObject* type = PyExc_FloatingPointError;
  if (outcome.Code == "not_a_number" || outcome.Code == "below_zero") type = PyExc_ValueError;
  if (outcome.Code == "overflow") type = PyExc_OverflowError;
  if (outcome.Code == "division_by_zero") type = PyExc_ZeroDivisionError;
  RaiseWithCode(type, outcome.Code, outcome.Message);
}

const ListingTexts& EnglishTexts() {
  static const ListingTexts texts = EnglishListingTexts();
  return texts;
}

void AddLevelMembers(const MoveLevels& levels, bool withRatios, py::dict& into) {
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    into[py::str(level.Key.data(), level.Key.size())] =
        LevelValue(level, levels.Item, levels.Targets);
  }
  if (!withRatios) return;
  py::list own;
  for (const UserLevel& level : levels.Levels) {
    py::dict member;
    member["ratio"] = RatioAsDouble(*level.Ratio);
    member["price"] = level.Price;
    own.append(member);
  }
  into["levels"] = own;
}

}  // namespace zentarix::python
