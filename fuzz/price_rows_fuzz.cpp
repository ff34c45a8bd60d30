// Fuzzes the rows of a price file and the time order of its bars. The input is the file, cut
// into lines at '\n' (a CR before it stays: the reader takes lines as given), read by one
// PriceRowReader up to its first error, as the first pass over a history reads it. Every bar
// has Low > 0, High >= Low and both within the normal doubles; its time and every error text
// are UTF-8. Once the reader has seen the file, its delimiter and decimal mark decided, each
// row read again from the end back, as the replay of a newest-first file reads it, gives the
// same bar bit for bit, and a skipped row stays skipped. The bars go to a TimeOrder: a refused
// bar leaves an error that stands, an error names a bar it was given, and an order error that
// bar and the one before it, as written.
#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "history/price_rows.h"
#include "history/time_order.h"

namespace zentarix::fuzz {
namespace {

using Row = PriceRowReader::Row;

// Whether text is well-formed UTF-8 (no overlong form, surrogate or code past U+10FFFF).
// Written here rather than taken from the code under test, which decides with calc's own.
bool WellFormed(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t length = lead < 0x80   ? 1
                               : lead < 0xC2 ? 0
                               : lead < 0xE0 ? 2
                               : lead < 0xF0 ? 3
                               : lead < 0xF5 ? 4
                                             : 0;
    if (length == 0 || text.size() - i < length) return false;
    // The second byte's range is narrower after these leads: Unicode's table of sequences.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (std::size_t k = 1; k < length; ++k) {
      const auto byte = static_cast<unsigned char>(text[i + k]);
      if (byte < (k == 1 ? low : 0x80u) || byte > (k == 1 ? high : 0xBFu)) return false;
    }
    i += length;
  }
  return true;
}

std::string Number(Extended value) {
  char printed[64];
  std::snprintf(printed, sizeof printed, "%.21Lg", value);
  return printed;
}

std::string Describe(long number, std::string_view line, const Bar& bar) {
  return "line " + std::to_string(number) + " '" + Printable(line) + "': High " + Number(bar.High) +
         ", Low " + Number(bar.Low) + ", time '" + Printable(bar.Time) + "'";
}

// What the first reading gave for a line that did not stop it.
struct FirstRead {
  long Number;
  Row Result;
  Bar Got;
};

class OrderCheck {
 public:
  // Every bar goes in, also after a refusal (the later ones need not, but may, be given).
  void Add(const PriceRowReader& rows, const Bar& bar) {
    if (!rows.HasTimeColumn()) return;
    FGiven.emplace_back(bar.Line, bar.Time);
    // A copy of its own for each bar's text, freed once the next bar is in, as the order
    // allows: a view of it kept any longer is a use after free.
    auto written = std::make_unique<std::string>(bar.Time);
    const bool taken = FOrder.Add(bar.Line, rows.DateCell(), rows.TimeCell(), *written);
    FEarlier = std::move(written);
    if (taken || FRefused) return;
    const std::optional<TimeError>& error = FOrder.Error();
    Require(error.has_value(), "a refused bar leaves an error",
            [&] { return "line " + std::to_string(bar.Line); });
    FRefused = error;
  }

  void Finish() {
    FOrder.Finish();
    const std::optional<TimeError>& error = FOrder.Error();
    const auto describe = [&] {
      return error
                 ? "error at line " + std::to_string(error->Line) + " '" + Printable(error->Text) +
                       "', earlier line " + std::to_string(error->EarlierLine) + " '" +
                       Printable(error->EarlierText) + "'"
                 : std::string("no error");
    };
    if (FRefused) {
      Require(error && error->What == FRefused->What && error->Line == FRefused->Line &&
                  error->EarlierLine == FRefused->EarlierLine,
              "the error a refusal names stands", describe);
    }
    if (!error) return;
    const auto at = std::find_if(FGiven.begin(), FGiven.end(),
                                 [&](const auto& given) { return given.first == error->Line; });
    Require(at != FGiven.end(), "a time error names a bar it was given", describe);
    if (error->What != TimeError::Kind::OutOfOrder) return;
    Require(at != FGiven.begin() && error->Text == at->second &&
                error->EarlierLine == (at - 1)->first && error->EarlierText == (at - 1)->second,
            "an order error names its bar and the one before as written", describe);
  }

 private:
  TimeOrder FOrder;
  std::vector<std::pair<long, std::string>> FGiven;  // each bar's line and time
  std::unique_ptr<std::string> FEarlier;
  std::optional<TimeError> FRefused;
};

void CheckBar(long number, std::string_view line, const Bar& bar) {
  const auto describe = [&] { return Describe(number, line, bar); };
  Require(bar.Line == number, "a bar carries its line", describe);
  Require(bar.Low >= DBL_MIN && bar.High <= DBL_MAX && bar.High >= bar.Low,
          "a bar's High >= Low > 0, both within the normal doubles", describe);
  Require(WellFormed(bar.Time), "a bar's time is UTF-8", describe);
}

void CheckError(long number, std::string_view line, const HistoryError& error) {
  const auto describe = [&] {
    return "line " + std::to_string(number) + " '" + Printable(line) + "': column '" +
           Printable(error.Column) + "', cell '" + Printable(error.Cell) + "', other '" +
           Printable(error.Other) + "'";
  };
  Require(error.Line == number, "an error names the line read", describe);
  Require(WellFormed(error.Column) && WellFormed(error.Cell) && WellFormed(error.Other),
          "an error's texts are UTF-8", describe);
}

void CheckFile(std::string_view file) {
  std::vector<std::string_view> lines;
  for (std::size_t end = 0; !file.empty(); file.remove_prefix(end + 1)) {
    end = file.find('\n');
    lines.push_back(file.substr(0, end));
    if (end == std::string_view::npos) break;
  }
  PriceRowReader rows;
  OrderCheck order;
  std::vector<FirstRead> read;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const long number = static_cast<long>(i) + 1;
    Bar bar;
    const Row result = rows.Read(lines[i], number, bar);
    if (result == Row::Error) {
      CheckError(number, lines[i], rows.Error());
      break;
    }
    if (result == Row::Bar) {
      CheckBar(number, lines[i], bar);
      order.Add(rows, bar);
    }
    read.push_back({number, result, std::move(bar)});
  }
  order.Finish();
  // The replay leaves out the header and the lines before it.
  for (auto first = read.rbegin(); first != read.rend(); ++first) {
    if (first->Number <= rows.HeaderLine()) break;
    const std::string_view line = lines[static_cast<std::size_t>(first->Number - 1)];
    Bar again;
    const Row result = rows.Read(line, first->Number, again);
    const auto describe = [&] {
      return "first " + Describe(first->Number, line, first->Got) + "; again " +
             (result == Row::Error ? std::string("an error")
              : result == Row::Bar ? Describe(first->Number, line, again)
                                   : std::string("skipped"));
    };
    Require(result == first->Result, "a row read again reads the same way", describe);
    if (result != Row::Bar) continue;
    Require(SameBits(again.High, first->Got.High) && SameBits(again.Low, first->Got.Low) &&
                again.Time == first->Got.Time,
            "a row read again gives the same bar", describe);
  }
}

}  // namespace
}  // namespace zentarix::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  zentarix::fuzz::CheckFile(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
