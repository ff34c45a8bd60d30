#include "cli/swings_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "cli/json_levels.h"
#include "cli/line_writer.h"
#include "cli/move_batch.h"
#include "cli/stop_signals.h"

namespace zentarix {

namespace {

std::string Name(const std::string& file) { return file == "-" ? "standard input" : file; }

std::string JsonLead(long number, const Swing& swing) {
  std::string lead = "\"swing\":" + std::to_string(number);
  lead += swing.Rising ? ",\"direction\":\"up\"" : ",\"direction\":\"down\"";
  lead += swing.Confirmed ? ",\"confirmed\":true" : ",\"confirmed\":false";
  lead += ",\"a_line\":" + std::to_string(swing.Start.Line);
  lead += ",\"b_line\":" + std::to_string(swing.End.Line);
  lead += ",\"a_time\":";
  AppendJsonString(swing.Start.Time, lead);
  lead += ",\"b_time\":";
  AppendJsonString(swing.End.Time, lead);
  lead += ',';
  return lead;
}

std::string BarPlace(const Bar& bar) {
  std::string place = "line " + std::to_string(bar.Line);
  if (!bar.Time.empty()) place.append(" (").append(bar.Time).append(")");
  return place;
}

std::string Heading(long number, const Swing& swing) {
  std::string heading = "# swing " + std::to_string(number);
  heading += swing.Rising ? ": up from " : ": down from ";
  heading += BarPlace(swing.Start) + " to " + BarPlace(swing.End);
  if (!swing.Confirmed) heading += ", not confirmed";
  return heading + '\n';
}

// Writes each swing's heading or JSON lead and its levels; a note for an arithmetic error.
int WriteSwings(const SwingsRequest& request, const HistorySwings& history,
                const StandardStreams& streams, std::string_view program,
                const ListingTexts& texts) {
  LineWriter out(streams.Out);
  int status = StatusListing;
  for (std::size_t i = 0; i < history.Swings.size(); ++i) {
    const Swing& swing = history.Swings[i];
    const long number = request.Last ? history.Count : static_cast<long>(i) + 1;
    if (request.Format == MoveFormat::Listing) {
      if (i > 0) out.Append("\n");
      out.Append(Heading(number, swing));
    }
    const MoveValues values{swing.A(), swing.B(), request.Tenths, false};
    const MoveOutcome outcome =
        RunLevels(values, request.Format, out.Pending(), texts, JsonLead(number, swing));
    if (outcome.Status == StatusArithmetic) {
      out.WriteLines();
      WriteNote(streams, program, "swing " + std::to_string(number) + ": " + outcome.Message + '.');
    }
    status = std::max(status, outcome.Status);
    out.WriteIfFull();
    if (out.Error() != 0) break;
  }
  out.WriteAll();
  if (out.Error() == 0) return status;
  WriteNote(streams, program, WriteErrorNote(out.Error()));
  return StatusIoError;
}

ChartRequest ChartRequestOf(const SwingsRequest& request, const BarColumns& columns,
                            const HistorySwings& history) {
  ChartRequest chart;
  chart.File = request.Chart;
  chart.Width = request.ChartWidth;
  chart.Height = request.ChartHeight;
  // The file's own name, without its folder.
  const std::string name = Name(request.File);
  chart.Title = name.substr(name.rfind('/') + 1) + ", swings of " + request.PercentText + "%";
  chart.Columns = columns.Columns();
  chart.ClosesOnly = columns.ClosesOnly();
  chart.Swings = history.Swings;
  chart.Tenths = request.Tenths;
  return chart;
}

}  // namespace

int RunSwings(const SwingsRequest& request, const StandardStreams& streams,
              std::string_view program, const ListingTexts& texts, const ChartWriter& chart) {
  const bool fromInput = request.File == "-";
  const int fd = fromInput ? streams.In : open(request.File.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    WriteNote(streams, program, "cannot open " + request.File + ": " + strerror(errno));
    return StatusIoError;
  }
  // A chart draws the whole zigzag, so it keeps every swing, and the bars in columns.
  const bool charting = !request.Chart.empty();
  BarColumns columns(static_cast<std::size_t>(request.ChartWidth));
  const StopSignals stopSignals;
  HistorySwings history =
      FindSwings(fd, request.Percent, request.Last && !charting, charting ? &columns : nullptr,
                 [] { return StopSignals::Received() != 0; });
  if (!fromInput) close(fd);
  switch (history.Result) {
    case HistorySwings::Outcome::Read:
      break;
    case HistorySwings::Outcome::DataError:
      WriteNote(streams, program, history.Error);
      return StatusDataError;
    case HistorySwings::Outcome::ReadError:
      WriteNote(streams, program, "cannot read " + Name(request.File) + ": " + history.Error);
      return StatusIoError;
    case HistorySwings::Outcome::Stopped:
      return StatusOfSignal(StopSignals::Received());
  }
  if (history.RowsWithoutPrices > 0) {
    WriteNote(streams, program,
              std::to_string(history.RowsWithoutPrices) +
                  (history.RowsWithoutPrices == 1 ? " row" : " rows") + " without prices skipped");
  }
  if (history.Swings.empty()) {
    WriteNote(streams, program, "no swing: the prices never move by " + request.PercentText + "%");
    return StatusNoSwing;
  }
  if (charting) {
    const std::string problem = chart(ChartRequestOf(request, columns, history));
    if (!problem.empty()) {
      WriteNote(streams, program, problem);
      return StatusIoError;
    }
    if (request.Last) history.Swings.erase(history.Swings.begin(), history.Swings.end() - 1);
  }
  if (!request.WriteLevels) return StatusListing;
  return WriteSwings(request, history, streams, program, texts);
}

}  // namespace zentarix
