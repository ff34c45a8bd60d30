// zentarix.swings over arrays, and zentarix.read_swings and zentarix.last_bar over price files
// read by the project's own reader, each swing with the members --swings --json gives it.
#include <fcntl.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "cli/english_catalogue.h"
#include "history/history_file.h"
#include "history/history_messages.h"
#include "python/bindings.h"
#include "python/python_values.h"
#include "text/field_readers.h"

namespace zentarix::python {

namespace {

// Where a swing's bars stand: the file's lines, or the arrays' positions.
enum class Places { Lines, Indices };

py::str Utf8Text(const std::string& text) {
  // A time cell is the file's bytes: a byte that is no UTF-8 becomes U+FFFD, not an exception.
  return py::reinterpret_steal<py::str>(
      PyUnicode_DecodeUTF8(text.data(), static_cast<Py_ssize_t>(text.size()), "replace"));
}

py::dict SwingMembers(long number, const Swing& swing, Places places, Extended tenths,
                      const std::vector<UserRatio>& own) {
  py::dict members;
  members["swing"] = number;
  members["direction"] = swing.Rising ? "up" : "down";
  members["confirmed"] = swing.Confirmed;
  members[places == Places::Lines ? "a_line" : "a_index"] = swing.Start.Line;
  members[places == Places::Lines ? "b_line" : "b_index"] = swing.End.Line;
  members["a_time"] = Utf8Text(swing.Start.Time);
  members["b_time"] = Utf8Text(swing.End.Time);
  MoveLevels levels;
  MoveOutcome outcome;
  {
    const CallerFloatEnvironment environment;
    outcome = CalculateMove({swing.A(), swing.B(), tenths, false}, own, EnglishTexts(), levels);
  }
  if (outcome.Code.empty()) {
    AddLevelMembers(levels, !own.empty(), members);
  } else {
    members["error"] = outcome.Code;
    members["message"] = outcome.Message;
  }
  return members;
}

Extended ThresholdOf(py::handle threshold) {
  const Extended percent = NumberOf(threshold, "threshold");
  if (!(percent > 0 && percent < 100)) {
    RaiseValueError("bad_threshold", "the threshold must be a percentage above 0 and below 100");
  }
  return percent;
}

Extended NoiseOf(py::handle noise) {
  const Extended tenths = NumberOf(noise, "noise");
  if (tenths != tenths) RaiseValueError("bad_noise", "the noise must be a number");
  return tenths;
}

void CheckPrice(double price, std::size_t position) {
  if (!(std::isfinite(price) && price > 0)) {
    RaiseValueError("bad_price", "position " + std::to_string(position) + ": " +
                                     py::repr(py::float_(price)).cast<std::string>() +
                                     " is not a positive finite price");
  }
}

py::list Swings(const py::array_t<double, py::array::c_style | py::array::forcecast>& high,
                const py::object& low, py::handle threshold, py::handle noise,
                const py::object& time, bool last, py::handle ratios) {
  const std::vector<UserRatio> own = RatiosOf(ratios);
  const Extended percent = ThresholdOf(threshold);
  const Extended tenths = NoiseOf(noise);
  const std::size_t count = static_cast<std::size_t>(high.size());
  // Closes alone: each bar's high and low are its close.
  const auto lows =
      low.is_none() ? high : py::array_t<double, py::array::c_style | py::array::forcecast>(low);
  if (static_cast<std::size_t>(lows.size()) != count) {
    throw py::value_error("high and low differ in length");
  }
  std::vector<std::string> times;
  if (!time.is_none()) {
    for (py::handle stamp : time) times.push_back(py::str(stamp).cast<std::string>());
    if (times.size() != count) throw py::value_error("time and the prices differ in length");
  }
  std::vector<Swing> swings;
  {
    const CallerFloatEnvironment environment;
    ZigZag zigzag(percent);
    for (std::size_t i = 0; i < count; ++i) {
      CheckPrice(high.data()[i], i);
      CheckPrice(lows.data()[i], i);
      if (high.data()[i] < lows.data()[i]) {
        RaiseValueError("bad_price",
                        "position " + std::to_string(i) + ": the high is below the low");
      }
      Bar bar;
      bar.High = high.data()[i];
      bar.Low = lows.data()[i];
      bar.Line = static_cast<long>(i);
      bar.Place = static_cast<long>(i);
      if (!times.empty()) bar.Time = times[i];
      if (std::optional<Swing> swing = zigzag.Add(bar)) swings.push_back(std::move(*swing));
    }
    if (std::optional<Swing> swing = zigzag.Finish()) swings.push_back(std::move(*swing));
  }
  py::list result;
  const std::size_t first = last && !swings.empty() ? swings.size() - 1 : 0;
  for (std::size_t i = first; i < swings.size(); ++i) {
    result.append(SwingMembers(static_cast<long>(i + 1), swings[i], Places::Indices, tenths, own));
  }
  return result;
}

// A price file opened for reading: a path, or the file's bytes in an unnamed file in memory (a
// regular file, which a newest-first history is read from its end).
class OpenedHistory {
 public:
  explicit OpenedHistory(py::handle source) {
    if (py::isinstance<py::bytes>(source) || py::isinstance<py::bytearray>(source) ||
        py::isinstance<py::memoryview>(source)) {
      const auto bytes = py::reinterpret_steal<py::object>(PyBytes_FromObject(source.ptr()));
      if (!bytes) throw py::error_already_set();
      char* data = nullptr;
      Py_ssize_t size = 0;
      PyBytes_AsStringAndSize(bytes.ptr(), &data, &size);
      FFd = memfd_create("zentarix-prices", MFD_CLOEXEC);
      if (FFd < 0) RaiseOsError(nullptr);
      bool written = false;
      {
        // The bytes object is immutable and held: the copy needs no GIL.
        const py::gil_scoped_release released;
        written = WriteAll(data, static_cast<std::size_t>(size));
      }
      if (!written) RaiseOsError(nullptr);
      lseek(FFd, 0, SEEK_SET);
      return;
    }
    const std::string path = py::str(py::module_::import("os").attr("fspath")(source));
    FFd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (FFd < 0) RaiseOsError(path.c_str());
  }
  ~OpenedHistory() {
    if (FFd >= 0) close(FFd);
  }
  OpenedHistory(const OpenedHistory&) = delete;
  OpenedHistory& operator=(const OpenedHistory&) = delete;

  int Fd() const { return FFd; }

 private:
  bool WriteAll(const char* data, std::size_t size) const {
    for (std::size_t written = 0; written < size;) {
      const ssize_t n = write(FFd, data + written, size - written);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      written += static_cast<std::size_t>(n);
    }
    return true;
  }

  [[noreturn]] void RaiseOsError(const char* path) {
    const int error = errno;
    if (FFd >= 0) close(FFd);
    FFd = -1;
    errno = error;
    PyErr_SetFromErrnoWithFilename(PyExc_OSError, path);
    throw py::error_already_set();
  }

  int FFd = -1;
};

// A pass over the file with the GIL released; Ctrl-C is heard at every block.
HistoryProgress InterruptibleProgress() {
  return [](std::uint64_t, std::uint64_t) {
    const py::gil_scoped_acquire held;
    return PyErr_CheckSignals() == 0;
  };
}

// Raises what stopped a pass that did not read to its end.
void RaiseUnread(HistoryOutcome outcome, const HistoryCheck& check) {
  switch (outcome) {
    case HistoryOutcome::Read:
      return;
    case HistoryOutcome::DataError:
      RaiseValueError("data_error", DescribeHistoryError(check.Error, EnglishHistoryText));
    case HistoryOutcome::ReadError:
      errno = check.ReadErrno;
      PyErr_SetFromErrno(PyExc_OSError);
      throw py::error_already_set();
    case HistoryOutcome::Stopped:
      // A signal's handler raised its exception (KeyboardInterrupt) when the progress asked.
      if (PyErr_Occurred() == nullptr) PyErr_SetString(PyExc_KeyboardInterrupt, "");
      throw py::error_already_set();
  }
}

// The first pass, its notes as warnings of ZentarixWarning.
const HistoryCheck& CheckHistory(HistoryFile& history, py::handle warning) {
  HistoryOutcome outcome;
  const HistoryCheck* check = nullptr;
  {
    const py::gil_scoped_release released;
    const CallerFloatEnvironment environment;
    check = &history.Check(InterruptibleProgress());
    outcome = check->Result;
  }
  RaiseUnread(outcome, *check);
  for (const std::string& note :
       {SkippedRowsNote(*check, EnglishHistoryText), OrderNote(*check, EnglishHistoryText),
        RepeatNote(*check, EnglishHistoryText)}) {
    if (!note.empty() && PyErr_WarnEx(warning.ptr(), note.c_str(), 2) != 0) {
      throw py::error_already_set();
    }
  }
  return *check;
}

py::list ReadSwings(py::handle source, py::handle threshold, py::handle noise, bool last,
                    py::handle ratios, py::handle warning) {
  const std::vector<UserRatio> own = RatiosOf(ratios);
  const Extended percent = ThresholdOf(threshold);
  const Extended tenths = NoiseOf(noise);
  const OpenedHistory file(source);
  HistoryFile history(file.Fd(), percent);
  const HistoryCheck& check = CheckHistory(history, warning);
  std::vector<Swing> swings;
  long count = 0;
  HistoryOutcome outcome;
  {
    const py::gil_scoped_release released;
    const CallerFloatEnvironment environment;
    if (last) {
      std::optional<Swing> final;
      outcome = history.LastSwing(final, count, InterruptibleProgress());
      if (final) swings.push_back(std::move(*final));
    } else {
      outcome = history.Replay(
          nullptr,
          [&swings](const Swing& swing) {
            swings.push_back(swing);
            return true;
          },
          InterruptibleProgress());
      count = static_cast<long>(swings.size());
    }
  }
  RaiseUnread(outcome, check);
  py::list result;
  const long first = count - static_cast<long>(swings.size()) + 1;
  for (std::size_t i = 0; i < swings.size(); ++i) {
    result.append(
        SwingMembers(first + static_cast<long>(i), swings[i], Places::Lines, tenths, own));
  }
  return result;
}

py::dict LastBar(py::handle source, py::handle warning) {
  const OpenedHistory file(source);
  HistoryFile history(file.Fd(), DefaultSwingThreshold);
  const HistoryCheck& check = CheckHistory(history, warning);
  Bar last;
  HistoryOutcome outcome;
  {
    const py::gil_scoped_release released;
    const CallerFloatEnvironment environment;
    outcome = history.LastBar(last, InterruptibleProgress());
  }
  RaiseUnread(outcome, check);
  // A price the bar lacks (no such column, or an empty cell) is NaN; a file of closes has its
  // close as its high and its low.
  const double notRead = std::nan("");
  const bool closesOnly = last.Close == 0 && last.High == last.Low;
  py::dict bar;
  bar["time"] = Utf8Text(last.Time);
  bar["open"] = last.Open > 0 ? static_cast<double>(last.Open) : notRead;
  bar["high"] = static_cast<double>(last.High);
  bar["low"] = static_cast<double>(last.Low);
  bar["close"] = last.Close > 0 ? static_cast<double>(last.Close)
                                : (closesOnly ? static_cast<double>(last.High) : notRead);
  return bar;
}

}  // namespace

void BindSwings(py::module_& module) {
  const py::object warning = py::reinterpret_steal<py::object>(
      PyErr_NewException("zentarix.ZentarixWarning", PyExc_UserWarning, nullptr));
  module.attr("ZentarixWarning") = warning;
  module.def("_swings", &Swings, py::arg("high"), py::arg("low"), py::arg("threshold"),
             py::arg("noise"), py::arg("time"), py::arg("last"), py::arg("levels"));
  module.def(
      "_read_swings",
      [warning](py::handle source, py::handle threshold, py::handle noise, bool last,
                py::handle ratios) {
        return ReadSwings(source, threshold, noise, last, ratios, warning);
      },
      py::arg("source"), py::arg("threshold"), py::arg("noise"), py::arg("last"),
      py::arg("levels"));
  module.def(
      "_last_bar", [warning](py::handle source) { return LastBar(source, warning); },
      py::arg("source"));
}

}  // namespace zentarix::python
