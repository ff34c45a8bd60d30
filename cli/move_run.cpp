#include "cli/move_run.h"

#include <limits>

#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "cli/json_levels.h"
#include "text/field_readers.h"
#include "text/user_level_listing.h"

namespace zentarix {

namespace {

// The listing written straight into the output: SetText replaces what this move wrote so far.
class AppendingSink : public TextSink {
 public:
  explicit AppendingSink(std::string& out) : FOut(out), FStart(out.size()) {}
  void SetText(const std::string& text) override {
    FOut.resize(FStart);
    FOut += text;
  }
  void AppendLine(const std::string& line) override {
    FOut += line;
    FOut += '\n';
  }

 private:
  std::string& FOut;
  std::size_t FStart;
};

// The code scripts match an arithmetic error by.
std::string_view CodeOf(const EMathError& error) {
  if (dynamic_cast<const EOverflow*>(&error) != nullptr) return MoveErrorCodes[2];  // overflow
  if (dynamic_cast<const EZeroDivide*>(&error) != nullptr)
    return MoveErrorCodes[3];  // division_by_zero
  if (dynamic_cast<const EInvalidOp*>(&error) != nullptr)
    return MoveErrorCodes[4];  // invalid_operation
  if (dynamic_cast<const EUnderflow*>(&error) != nullptr) return MoveErrorCodes[5];  // underflow
  return MoveErrorCodes[6];  // arithmetic_error
}

// What a field that holds no number reads as here: a parse never gives a NaN of its own.
constexpr Extended NotRead = std::numeric_limits<Extended>::quiet_NaN();
bool IsNotRead(Extended value) { return value != value; }

// A value below zero or no number: the error line.
MoveOutcome RefusedMove(const MoveValues& values, const ListingTexts& texts) {
  return {StatusErrorLine, std::string(MoveErrorCodes[values.NotANumber ? 0 : 1]), texts.ErrorLine};
}

}  // namespace

MoveValues ReadMove(std::string_view a, std::string_view b, std::string_view noise) {
  return MoveOfReadValues(ReadAorBOr(a, NotRead), ReadAorBOr(b, NotRead),
                          ReadNoiseOr(noise, NotRead));
}

// A field that is no number reads as BadField, below zero like a typed "-1"; the flag tells
// the two apart for the error's code, the calculation does not.
MoveValues MoveOfReadValues(Extended valueA, Extended valueB, Extended tenths) {
  const auto orBad = [](Extended value) { return IsNotRead(value) ? BadField : value; };
  return {orBad(valueA), orBad(valueB), orBad(tenths),
          IsNotRead(valueA) || IsNotRead(valueB) || IsNotRead(tenths)};
}

MoveOutcome CalculateMove(const MoveValues& values, const std::vector<UserRatio>& ratios,
                          const ListingTexts& texts, MoveLevels& levels) {
  try {
    if (!CalculateLevels(levels.Item, values.A, values.B, values.Tenths)) {
      return RefusedMove(values, texts);
    }
    levels.Targets = TargetPoints(levels.Item);
    levels.Levels = UserLevels(levels.Item, ratios);
    return MoveOutcome();
  } catch (const EMathError& error) {
    // The next move starts with an empty register stack, clear flags and the default word.
    ResetFpu();
    return {StatusArithmetic, std::string(CodeOf(error)), error.Message()};
  }
}

MoveOutcome RunLevels(const MoveValues& values, const MoveWriting& writing, std::string& out,
                      std::string_view jsonLead) {
  if (writing.Format == MoveFormat::Json) {
    // Every value comes first: an error among them leaves nothing half written.
    MoveLevels levels;
    const MoveOutcome outcome = CalculateMove(values, writing.Ratios, writing.Texts, levels);
    if (outcome.Code.empty()) {
      AppendLevelsJson(levels.Item, levels.Targets, levels.Levels, jsonLead, out);
    } else {
      AppendJsonError(jsonLead, outcome.Code, outcome.Message, out);
    }
    return outcome;
  }
  const ListingTexts& texts = writing.Texts;
  TCalcItem item;
  try {
    const bool passed = CalculateLevels(item, values.A, values.B, values.Tenths);
    AppendingSink sink(out);
    WriteListing(item, passed, sink, texts);
    if (!passed) {
      // The error line ends in a line break here, as every line of a terminal does.
      out += '\n';
      return RefusedMove(values, texts);
    }
    AppendUserLevels(UserLevels(item, writing.Ratios), sink, texts);
    return MoveOutcome();
  } catch (const EMathError& error) {
    ResetFpu();
    return {StatusArithmetic, std::string(CodeOf(error)), error.Message()};
  }
}

MoveOutcome RunMove(std::string_view a, std::string_view b, std::string_view noise,
                    const MoveWriting& writing, std::string& out, long line) {
  const std::string lead = line == 0 ? "" : LineMember(line);
  return RunLevels(ReadMove(a, b, noise), writing, out, lead);
}

}  // namespace zentarix
