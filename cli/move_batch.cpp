#include "cli/move_batch.h"

#include <algorithm>
#include <array>
#include <string>

#include "cli/json_levels.h"
#include "cli/line_writer.h"
#include "cli/stop_signals.h"
#include "history/line_reader.h"

namespace zentarix {

namespace {

bool IsBlank(char ch) { return ch == ' ' || ch == '\t'; }

// Splits a line into up to three fields and counts them all.
std::size_t SplitFields(std::string_view line, std::array<std::string_view, 3>& fields) {
  std::size_t count = 0;
  std::size_t at = 0;
  while (true) {
    while (at < line.size() && IsBlank(line[at])) ++at;
    if (at == line.size()) return count;
    const std::size_t start = at;
    while (at < line.size() && !IsBlank(line[at])) ++at;
    if (count < fields.size()) fields[count] = line.substr(start, at - start);
    ++count;
  }
}

class BatchRun {
 public:
  BatchRun(const StandardStreams& streams, std::string_view program, const MoveWriting& writing)
      : FStreams(streams),
        FProgram(program),
        FFormat(writing.Format),
        FWriting(writing),
        FOut(streams.Out) {}

  // The status of the line's move; 0 for a line that is skipped.
  int Line(long number, std::string_view line, bool tooLong) {
    if (tooLong) {
      return BadLine(number, "line_too_long",
                     "longer than " + std::to_string(MaxMoveLine) + " bytes");
    }
    std::array<std::string_view, 3> fields;
    const std::size_t count = SplitFields(line, fields);
    if (count == 0 || fields[0].front() == '#') return StatusListing;
    if (count != 3) {
      return BadLine(number, "bad_line",
                     "three fields expected, " + std::to_string(count) + " found");
    }
    StartMove(number);
    const MoveOutcome outcome = RunMove(fields[0], fields[1], fields[2], FWriting, FOut.Pending(),
                                        FFormat == MoveFormat::Json ? number : 0);
    if (outcome.Status == StatusArithmetic) Note(number, outcome.Message + '.');
    FOut.WriteIfFull();
    return outcome.Status;
  }

  // Writes the rest; false when a write failed (the note is written then).
  bool Finish() {
    FOut.WriteAll();
    return WriteSucceeded();
  }

  bool WriteSucceeded() {
    if (FOut.Error() == 0) return true;
    WriteNote(FStreams, FProgram, WriteErrorNote(FOut.Error()));
    return false;
  }

 private:
  // Each listing has a heading with its input line, and an empty line before it but the first.
  void StartMove(long number) {
    if (FFormat == MoveFormat::Json) return;
    if (FMoves++ > 0) FOut.Append("\n");
    FOut.Append("# line " + std::to_string(number) + "\n");
  }

  int BadLine(long number, std::string_view code, const std::string& message) {
    StartMove(number);
    if (FFormat == MoveFormat::Json) {
      AppendJsonError(LineMember(number), code, message, FOut.Pending());
    } else {
      FOut.Append(message + '\n');
    }
    Note(number, message);
    return StatusDataError;
  }

  // A note goes out right after the results before it, so that with both streams on one
  // terminal or file it stands beside the result it speaks of.
  void Note(long number, const std::string& note) {
    FOut.WriteLines();
    WriteNote(FStreams, FProgram, "line " + std::to_string(number) + ": " + note);
  }

  const StandardStreams& FStreams;
  std::string_view FProgram;
  MoveFormat FFormat;
  const MoveWriting& FWriting;
  LineWriter FOut;
  long FMoves = 0;
};

}  // namespace

int RunMoveBatch(const StandardStreams& streams, std::string_view program,
                 const MoveWriting& writing) {
  const StopSignals stopSignals;
  BatchRun run(streams, program, writing);
  LineReader reader(streams.In, MaxMoveLine);
  std::string_view line;
  long number = 0;
  int status = StatusListing;
  while (StopSignals::Received() == 0) {
    const LineReader::Result next = reader.Next(line);
    if (next == LineReader::Result::End) break;
    if (next == LineReader::Result::Interrupted) continue;
    if (next == LineReader::Result::Failed) {
      if (!run.Finish()) return StatusIoError;
      WriteNote(streams, program, ReadErrorNote(reader.Error()));
      return StatusIoError;
    }
    ++number;
    status = std::max(status, run.Line(number, line, next == LineReader::Result::TooLong));
    if (!run.WriteSucceeded()) return StatusIoError;
  }
  if (!run.Finish()) return StatusIoError;
  const int signal = StopSignals::Received();
  return signal != 0 ? StatusOfSignal(signal) : status;
}

}  // namespace zentarix
