// zentarix.levels and the array form behind zentarix.levels_array.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <thread>
#include <vector>

#include "calc/level_table.h"
#include "python/bindings.h"
#include "python/python_values.h"

namespace zentarix::python {

namespace {

py::dict Levels(py::handle a, py::handle b, py::handle noise, py::handle ratios) {
  const std::vector<UserRatio> own = RatiosOf(ratios);
  const MoveValues values = MoveOf(a, b, noise);
  MoveLevels levels;
  MoveOutcome outcome;
  {
    const CallerFloatEnvironment environment;
    outcome = CalculateMove(values, own, EnglishTexts(), levels);
  }
  if (!outcome.Code.empty()) RaiseOutcome(outcome);
  py::dict result;
  AddLevelMembers(levels, !own.empty(), result);
  return result;
}

// A move's error code as its place in the array form's error column: 0 for a move whose levels
// stand, 1 + its place among MoveErrorCodes for the others.
std::uint8_t CodeIndex(const std::string& code) {
  for (std::size_t i = 0; i < MoveErrorCodes.size(); ++i) {
    if (MoveErrorCodes[i] == code) return static_cast<std::uint8_t>(i + 1);
  }
  return static_cast<std::uint8_t>(MoveErrorCodes.size());  // arithmetic_error, the last
}

// Each column of values in the extended format: float64 widened exactly, anything else (texts,
// integers, objects) read one element at a time as levels reads its arguments.
std::vector<Extended> ColumnOf(const py::array& column, const char* name) {
  std::vector<Extended> values(static_cast<std::size_t>(column.size()));
  if (column.dtype().kind() == 'f' && column.itemsize() == 8) {
    const auto doubles = py::array_t<double, py::array::c_style | py::array::forcecast>(column);
    const double* data = doubles.data();
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = data[i];
    return values;
  }
  const py::list items = column.attr("tolist")();
  for (std::size_t i = 0; i < values.size(); ++i) {
    const Extended value = NumberOf(items[i], name);
    values[i] = value;
  }
  return values;
}

// The moves from first to end of the columns into their rows of the tables, under the core's
// own x87 word (each thread has its own).
struct ColumnsWork {
  const std::vector<Extended>& A;
  const std::vector<Extended>& B;
  const std::vector<Extended>& Noise;
  const std::vector<UserRatio>& Own;
  const ListingTexts& Texts;
  double* Table;  // one row a level, one column a move
  std::uint8_t* Codes;
  double* OwnTable;  // one row a move, one column a ratio

  void Run(std::size_t first, std::size_t end) const {
    const CallerFloatEnvironment environment;
    constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();
    const std::size_t moves = A.size();
    for (std::size_t i = first; i < end; ++i) {
      MoveLevels levels;
      const MoveOutcome outcome =
          CalculateMove(MoveOfReadValues(A[i], B[i], Noise[i]), Own, Texts, levels);
      const bool fine = outcome.Code.empty();
      Codes[i] = fine ? 0 : CodeIndex(outcome.Code);
      for (std::size_t k = 0; k < SpecifiedLevelCount; ++k) {
        Table[k * moves + i] =
            fine ? LevelValue(SpecifiedLevels[k], levels.Item, levels.Targets) : NotANumber;
      }
      for (std::size_t k = 0; k < Own.size(); ++k) {
        OwnTable[i * Own.size() + k] = fine ? levels.Levels[k].Price : NotANumber;
      }
    }
  }
};

// Below this many moves a second thread costs more than it saves.
constexpr std::size_t MovesForThreads = 20000;

// The moves split between the machine's cores, each part on a thread of its own that is joined
// before the call returns.
void RunSplit(const ColumnsWork& work, std::size_t moves) {
  const std::size_t cores = std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, 8);
  const std::size_t parts = moves < MovesForThreads ? 1 : cores;
  std::vector<std::thread> threads;
  for (std::size_t part = 1; part < parts; ++part) {
    threads.emplace_back([&work, moves, parts, part] {
      work.Run(moves * part / parts, moves * (part + 1) / parts);
    });
  }
  work.Run(0, moves / parts);
  for (std::thread& thread : threads) thread.join();
}

// The array form: three flat columns of one length (broadcast by the caller) and the ratios;
// returns the keys, the levels (one row a level, one column a move, NaN where the move failed),
// the index of each move's error code, the codes, the own levels (one column a ratio) and the
// ratios.
py::tuple LevelsColumns(const py::array& a, const py::array& b, const py::array& noise,
                        py::handle ratios) {
  const std::vector<UserRatio> own = RatiosOf(ratios);
  const std::vector<Extended> columnA = ColumnOf(a, "a");
  const std::vector<Extended> columnB = ColumnOf(b, "b");
  const std::vector<Extended> columnNoise = ColumnOf(noise, "noise");
  const std::size_t moves = columnA.size();
  if (columnB.size() != moves || columnNoise.size() != moves) {
    throw py::value_error("the three columns differ in length");
  }
  const auto rows = static_cast<py::ssize_t>(moves);
  py::array_t<double> table({static_cast<py::ssize_t>(SpecifiedLevelCount), rows});
  py::array_t<std::uint8_t> errors(rows);
  py::array_t<double> ownTable({rows, static_cast<py::ssize_t>(own.size())});
  const ColumnsWork work{columnA,
                         columnB,
                         columnNoise,
                         own,
                         EnglishTexts(),
                         table.mutable_data(),
                         errors.mutable_data(),
                         ownTable.mutable_data()};
  {
    const py::gil_scoped_release released;
    RunSplit(work, moves);
  }
  py::list keys;
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    keys.append(py::str(level.Key.data(), level.Key.size()));
  }
  py::list ratioValues;
  for (const UserRatio& ratio : own) ratioValues.append(RatioAsDouble(ratio));
  py::list codeTexts;
  codeTexts.append("");
  for (const std::string_view code : MoveErrorCodes)
    codeTexts.append(py::str(code.data(), code.size()));
  return py::make_tuple(keys, table, errors, codeTexts, ownTable, ratioValues);
}

}  // namespace

void BindLevels(py::module_& module) {
  module.def("levels", &Levels, py::arg("a"), py::arg("b"), py::arg("noise"),
             py::arg("levels") = py::tuple());
  module.def("_levels_columns", &LevelsColumns, py::arg("a"), py::arg("b"), py::arg("noise"),
             py::arg("levels") = py::tuple());
}

}  // namespace zentarix::python
