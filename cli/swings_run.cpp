#include "cli/swings_run.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "chart/chart_gathering.h"
#include "cli/json_levels.h"
#include "cli/line_writer.h"
#include "cli/move_batch.h"
#include "cli/stop_signals.h"

namespace zentarix {

namespace {

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

bool StopRequested() { return StopSignals::Received() != 0; }

// Writes swings one at a time as they come: each one's heading or JSON lead and its levels, a
// note for an arithmetic error, whole lines in blocks.
class SwingWriter {
 public:
  SwingWriter(const SwingsRequest& request, const StandardStreams& streams,
              std::string_view program, const ListingTexts& texts)
      : FRequest(request),
        FStreams(streams),
        FProgram(program),
        FWriting{request.Format, texts, request.Ratios},
        FOut(streams.Out) {}

  // False once a write failed or a stop signal came: nothing more is to be written.
  bool Write(const Swing& swing, long number) {
    if (FRequest.Format == MoveFormat::Listing) {
      if (FWritten > 0) FOut.Append("\n");
      FOut.Append(Heading(number, swing));
    }
    ++FWritten;
    const MoveValues values{swing.A(), swing.B(), FRequest.Tenths, false};
    const MoveOutcome outcome =
        RunLevels(values, FWriting, FOut.Pending(), JsonLead(number, swing));
    if (outcome.Status == StatusArithmetic) {
      FOut.WriteLines();
      WriteNote(FStreams, FProgram,
                "swing " + std::to_string(number) + ": " + outcome.Message + '.');
    }
    FStatus = std::max(FStatus, outcome.Status);
    FOut.WriteIfFull();
    return FOut.Error() == 0 && !StopRequested();
  }

  long Written() const { return FWritten; }

  // Writes what is left and gives the run's status: after a stop signal, only whole lines.
  int Finish() {
    if (StopRequested()) {
      FOut.WriteLines();
    } else {
      FOut.WriteAll();
    }
    if (FOut.Error() != 0) {
      WriteNote(FStreams, FProgram, WriteErrorNote(FOut.Error()));
      return StatusIoError;
    }
    return StopRequested() ? StatusOfSignal(StopSignals::Received()) : FStatus;
  }

 private:
  const SwingsRequest& FRequest;
  const StandardStreams& FStreams;
  std::string_view FProgram;
  const MoveWriting FWriting;
  LineWriter FOut;
  long FWritten = 0;
  int FStatus = StatusListing;
};

class SwingsRun {
 public:
  SwingsRun(const SwingsRequest& request, const StandardStreams& streams, std::string_view program,
            const TranslateHistory& translate)
      : FRequest(request), FStreams(streams), FProgram(program), FTranslate(translate) {}

  void Note(const std::string& note) const {
    if (!note.empty()) WriteNote(FStreams, FProgram, note);
  }

  // The status of a pass that did not read to its end, with its note.
  int Failure(HistoryOutcome outcome, const HistoryCheck& check) const {
    switch (outcome) {
      case HistoryOutcome::Read:
        break;
      case HistoryOutcome::DataError:
        Note(DescribeHistoryError(check.Error, FTranslate));
        return StatusDataError;
      case HistoryOutcome::ReadError:
        Note(CannotReadNote(FRequest.File, check, std::strerror(check.ReadErrno), FTranslate));
        return StatusIoError;
      case HistoryOutcome::Stopped:
        return StatusOfSignal(StopSignals::Received());
    }
    return StatusListing;
  }

  int NoSwing() const {
    Note(NoSwingNote(FRequest.PercentText, FTranslate));
    return StatusNoSwing;
  }

 private:
  const SwingsRequest& FRequest;
  const StandardStreams& FStreams;
  std::string_view FProgram;
  const TranslateHistory& FTranslate;
};

// The chart, from two readings: the swings (which decide the view), then the bars in view.
// The run's status when it ends here (a failure, no swing, or the chart alone); none when the
// levels are to be written as without a chart.
std::optional<int> DrawChart(HistoryFile& history, const HistoryCheck& check,
                             const SwingsRequest& request, const SwingsRun& run,
                             const ChartWriter& draw, const HistoryProgress& progress) {
  ChartGathering gathering;
  HistoryOutcome outcome = history.Replay(
      nullptr,
      [&gathering](const Swing& swing) {
        gathering.NoteSwing(swing);
        return !StopRequested();
      },
      progress);
  if (outcome != HistoryOutcome::Read) return run.Failure(outcome, check);
  if (!gathering.HasSwing()) return run.NoSwing();
  gathering.StartView(request.View, check.Bars);
  if (gathering.WantsCandles()) history.ReadOpenAndClose();
  outcome = history.Replay([&gathering](const Bar& bar) { gathering.AddBar(bar); },
                           [&gathering](const Swing& swing) {
                             gathering.AddSwing(swing);
                             return !StopRequested();
                           },
                           progress);
  if (outcome != HistoryOutcome::Read) return run.Failure(outcome, check);
  PriceChart chart = gathering.Chart();
  // The file's own name, without its folder.
  const std::string name = request.File == "-" ? "standard input" : request.File;
  chart.FileName = name.substr(name.rfind('/') + 1);
  chart.Percent = request.Percent;
  chart.Tenths = request.Tenths;
  chart.Levels = SwingLevels(*chart.Selected, request.Tenths);
  chart.Ratios = request.Ratios;
  chart.Translate = request.ChartWords;
  const std::string problem = draw(request.Chart, chart);
  if (!problem.empty()) {
    run.Note(problem);
    return StatusIoError;
  }
  if (!request.WriteLevels) return StatusListing;
  return std::nullopt;
}

}  // namespace

int RunSwings(const SwingsRequest& request, const StandardStreams& streams,
              std::string_view program, const ListingTexts& texts,
              const TranslateHistory& translate, const ChartWriter& chart) {
  const SwingsRun run(request, streams, program, translate);
  const bool fromInput = request.File == "-";
  const int fd = fromInput ? streams.In : open(request.File.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    run.Note(CannotOpenNote(request.File, std::strerror(errno), translate));
    return StatusIoError;
  }
  struct Closer {
    int Fd;
    bool Own;
    ~Closer() {
      if (Own) close(Fd);
    }
  } closer{fd, !fromInput};
  const StopSignals stopSignals;
  const HistoryProgress progress = [](std::uint64_t, std::uint64_t) { return !StopRequested(); };
  HistoryFile history(fd, request.Percent);
  const HistoryCheck& check = history.Check(progress);
  if (check.Result != HistoryOutcome::Read) return run.Failure(check.Result, check);
  run.Note(SkippedRowsNote(check, translate));
  run.Note(OrderNote(check, translate));
  run.Note(RepeatNote(check, translate));
  if (!request.Chart.empty()) {
    if (const std::optional<int> status =
            DrawChart(history, check, request, run, chart, progress)) {
      return *status;
    }
  }
  SwingWriter writer(request, streams, program, texts);
  if (request.Last) {
    std::optional<Swing> last;
    long count = 0;
    const HistoryOutcome outcome = history.LastSwing(last, count, progress);
    if (outcome != HistoryOutcome::Read) return run.Failure(outcome, check);
    if (!last) return run.NoSwing();
    writer.Write(*last, count);
    return writer.Finish();
  }
  const HistoryOutcome outcome = history.Replay(
      nullptr, [&writer](const Swing& swing) { return writer.Write(swing, writer.Written() + 1); },
      progress);
  // A sink that stopped for a failed write or a signal says why in Finish.
  if (outcome != HistoryOutcome::Read && outcome != HistoryOutcome::Stopped) {
    return run.Failure(outcome, check);
  }
  if (outcome == HistoryOutcome::Read && writer.Written() == 0) return run.NoSwing();
  return writer.Finish();
}

}  // namespace zentarix
