#include "cli/move_batch.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>

#include "cli/json_levels.h"

namespace zentarix {

namespace {

// Output is written in blocks of about this size: one write per block, not per move.
constexpr std::size_t OutputBlock = 1 << 16;

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
  BatchRun(std::FILE* out, std::FILE* err, MoveFormat format, const ListingTexts& texts)
      : FOutFile(out), FErrFile(err), FFormat(format), FTexts(texts) {
    FOut.reserve(OutputBlock * 2);
  }

  void Line(std::string_view line, bool tooLong) {
    ++FLineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);  // a CRLF file
    if (tooLong) return BadLine("longer than " + std::to_string(MaxMoveLine) + " bytes");
    std::array<std::string_view, 3> fields;
    const std::size_t count = SplitFields(line, fields);
    if (count == 0 || fields[0].front() == '#') return;
    if (count != 3) {
      return BadLine("three fields expected, " + std::to_string(count) + " found");
    }
    StartMove();
    Note(RunMove(fields[0], fields[1], fields[2], FFormat, FOut, FErr, FTexts));
  }

  int Finish() {
    Flush();
    return FStatus;
  }

 private:
  // Moves of the listing are told apart by an empty line.
  void StartMove() {
    if (FFormat == MoveFormat::Listing && FMoves > 0) FOut += '\n';
    ++FMoves;
  }

  void BadLine(const std::string& problem) {
    const std::string message = "line " + std::to_string(FLineNumber) + ": " + problem;
    StartMove();
    if (FFormat == MoveFormat::Json) {
      AppendJsonError(message, FOut);
    } else {
      FOut += message;
      FOut += '\n';
    }
    FErr += "Zentarix: " + message + '\n';
    Note(StatusUsage);
  }

  void Note(int status) {
    FStatus = std::max(FStatus, status);
    if (FOut.size() >= OutputBlock || !FErr.empty()) Flush();
  }

  // Standard error is written when there is something on it, after the output before it.
  void Flush() {
    std::fwrite(FOut.data(), 1, FOut.size(), FOutFile);
    FOut.clear();
    if (FErr.empty()) return;
    std::fflush(FOutFile);
    std::fwrite(FErr.data(), 1, FErr.size(), FErrFile);
    FErr.clear();
  }

  std::FILE* FOutFile;
  std::FILE* FErrFile;
  MoveFormat FFormat;
  const ListingTexts& FTexts;
  std::string FOut;
  std::string FErr;
  long FLineNumber = 0;
  long FMoves = 0;
  int FStatus = StatusListing;
};

}  // namespace

int RunMoveBatch(std::FILE* in, std::FILE* out, std::FILE* err, MoveFormat format,
                 const ListingTexts& texts) {
  BatchRun run(out, err, format, texts);
  std::string line;
  bool tooLong = false;
  char block[OutputBlock];
  std::size_t read;
  while ((read = std::fread(block, 1, sizeof block, in)) > 0) {
    std::string_view rest(block, read);
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      const std::string_view piece = rest.substr(0, end);
      // Past the limit the line is only skipped: memory stays bounded for any line.
      if (!tooLong && line.size() + piece.size() <= MaxMoveLine) {
        line.append(piece);
      } else {
        tooLong = true;
        line.clear();
      }
      if (end == std::string_view::npos) break;
      run.Line(line, tooLong);
      line.clear();
      tooLong = false;
      rest.remove_prefix(end + 1);
    }
  }
  // A last line without a line break is a line all the same.
  if (!line.empty() || tooLong) run.Line(line, tooLong);
  return run.Finish();
}

}  // namespace zentarix
