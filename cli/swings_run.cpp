#include "cli/swings_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "cli/json_levels.h"
#include "cli/line_reader.h"
#include "cli/line_writer.h"
#include "cli/move_batch.h"
#include "cli/stop_signals.h"
#include "history/price_table.h"

namespace zentarix {

namespace {

void Keep(HistorySwings& history, const Swing& swing, bool lastOnly) {
  if (lastOnly) history.Swings.clear();
  history.Swings.push_back(swing);
  ++history.Count;
}

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

}  // namespace

HistorySwings FindSwings(int fd, Extended percent, bool lastOnly) {
  const StopSignals stopSignals;
  HistorySwings result;
  LineReader reader(fd, MaxMoveLine);
  PriceTable table;
  ZigZag zigzag(percent);
  std::string line;
  Bar bar;
  for (long number = 1;; ++number) {
    const LineReader::Result next = reader.Next(line);
    if (StopSignals::Received() != 0) {
      return {{}, 0, 0, StatusOfSignal(StopSignals::Received()), ""};
    }
    if (next == LineReader::Result::Interrupted) {
      --number;
      continue;
    }
    if (next == LineReader::Result::End) break;
    if (next == LineReader::Result::Failed) {
      return {{}, 0, 0, StatusIoError, ReadErrorNote(reader.Error())};
    }
    if (next == LineReader::Result::TooLong) {
      return {{},
              0,
              0,
              StatusDataError,
              "line " + std::to_string(number) + ": longer than " + std::to_string(MaxMoveLine) +
                  " bytes"};
    }
    switch (table.Read(line, number, bar)) {
      case PriceTable::Row::Bar:
        if (const std::optional<Swing> swing = zigzag.Add(bar)) {
          Keep(result, *swing, lastOnly);
        }
        break;
      case PriceTable::Row::Skipped:
        break;
      case PriceTable::Row::Error:
        return {{}, 0, 0, StatusDataError, table.Error()};
    }
  }
  if (const std::optional<Swing> swing = zigzag.Finish()) Keep(result, *swing, lastOnly);
  result.RowsWithoutPrices = table.RowsWithoutPrices();
  return result;
}

int RunSwings(const SwingsRequest& request, const StandardStreams& streams,
              std::string_view program, const ListingTexts& texts) {
  const bool fromInput = request.File == "-";
  const int fd = fromInput ? streams.In : open(request.File.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    WriteNote(streams, program, "cannot open " + request.File + ": " + strerror(errno));
    return StatusIoError;
  }
  // Counted from the first swing: with --last, the number it has among all of them.
  const HistorySwings history = FindSwings(fd, request.Percent, request.Last);
  if (!fromInput) close(fd);
  if (history.Status != 0) {
    if (!history.Error.empty()) WriteNote(streams, program, history.Error);
    return history.Status;
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
  return WriteSwings(request, history, streams, program, texts);
}

}  // namespace zentarix
