#include "history/time_order.h"

#include <utility>

namespace zentarix {

namespace {

TimeError NotADate(long line, TimeError::Column column, std::string_view cell) {
  TimeError error;
  error.Line = line;
  error.Cell = column;
  error.Text = cell;
  return error;
}

bool SameError(const std::optional<TimeError>& one, const std::optional<TimeError>& other) {
  if (!one || !other) return one.has_value() == other.has_value();
  return one->What == other->What && one->Line == other->Line && one->Cell == other->Cell &&
         one->EarlierLine == other->EarlierLine;
}

}  // namespace

bool TimeOrder::AddDated(long line, std::string_view dateCell, std::string_view timeCell) {
  if (FState == State::Waiting) Start(line, dateCell, timeCell);
  if (FState == State::Settled) {
    Step(FReadings[0], line, dateCell, timeCell);
    return !FReadings[0].Error;
  }
  if (FState == State::Unsettled) return AddUnsettled(line, dateCell, timeCell);
  return true;
}

void TimeOrder::Finish() {
  if (FState == State::Waiting) FState = State::Unread;
  if (FState != State::Unsettled) return;
  if (!ReadingsAgree()) {
    FState = State::Unread;
    return;
  }
  // Either reading may stand for both; neither says which day the bars were.
  FState = State::Settled;
  FReadings[0].Form = DateForm::SlashEither;
}

BarOrder TimeOrder::Order() const {
  return FState == State::Settled || FState == State::Unsettled ? Main().Order : BarOrder::Unread;
}

const std::optional<TimeError>& TimeOrder::Error() const {
  static const std::optional<TimeError> None;
  return FState == State::Settled ? Main().Error : None;
}

long TimeOrder::FirstRepeatLine() const { return FState == State::Unread ? 0 : Main().FirstRepeat; }

long TimeOrder::Repeats() const { return FState == State::Unread ? 0 : Main().Repeats; }

std::optional<Instant> TimeOrder::Last() const {
  if (FState != State::Settled || Main().Form == DateForm::SlashEither) return std::nullopt;
  return Main().Previous;
}

// The first bar with a date decides the form, and whether the bars carry a time cell. Bars
// without a date before it were waiting for it: the first of them is the file's first error.
void TimeOrder::Start(long line, std::string_view dateCell, std::string_view timeCell) {
  FFirstLine = line;
  FTimes = !timeCell.empty();
  const DateForm form = DateFormOf(dateCell);
  if (form == DateForm::Unknown) {
    FState = State::Unread;
    return;
  }
  FState = form == DateForm::SlashEither ? State::Unsettled : State::Settled;
  FReadings[0].Form = form == DateForm::SlashEither ? DateForm::SlashMonthFirst : form;
  FReadings[1].Form = DateForm::SlashDayFirst;
  if (FFirstUndated == 0) return;
  for (Reading& reading : FReadings) {
    reading.Error = NotADate(FFirstUndated, TimeError::Column::Date, {});
  }
}

bool TimeOrder::AddUnsettled(long line, std::string_view dateCell, std::string_view timeCell) {
  const DateForm form = SlashFormSettledBy(dateCell);
  if (form != DateForm::SlashEither) {
    Settle(form);
    Step(FReadings[0], line, dateCell, timeCell);
    return !FReadings[0].Error;
  }
  for (Reading& reading : FReadings) Step(reading, line, dateCell, timeCell);
  if (!FReadings[0].Error || !FReadings[1].Error) return true;
  // Both readings stopped at their first error, so nothing later can change either result.
  const bool agree = ReadingsAgree();
  Finish();
  return !agree;
}

void TimeOrder::Settle(DateForm form) {
  if (form == DateForm::SlashDayFirst) FReadings[0] = std::move(FReadings[1]);
  FState = State::Settled;
}

// Inline into Add: every bar of a long file comes this way.
[[gnu::always_inline]] inline void TimeOrder::Step(Reading& reading, long line,
                                                   std::string_view dateCell,
                                                   std::string_view timeCell) {
  if (reading.Error) return;
  if (FTimes && timeCell.empty()) {
    reading.Error = NotADate(line, TimeError::Column::Time, {});
    return;
  }
  if (!FTimes && !timeCell.empty()) {
    // The bars have a time column after all: the first bar's time was missing.
    reading.Error = NotADate(FFirstLine, TimeError::Column::Time, {});
    return;
  }
  Instant instant;
  switch (ReadBarTime(reading.Form, dateCell, timeCell, instant, reading.Day)) {
    case BarTimeRead::BadDate:
      reading.Error = NotADate(line, TimeError::Column::Date, dateCell);
      return;
    case BarTimeRead::BadTime:
      reading.Error = NotADate(line, TimeError::Column::Time, timeCell);
      return;
    case BarTimeRead::Read:
      break;
  }
  Compare(reading, instant, line);
  reading.Previous = instant;
}

[[gnu::always_inline]] inline void TimeOrder::Compare(Reading& reading, const Instant& instant,
                                                      long line) {
  if (!reading.Previous) return;
  if (instant == *reading.Previous) {
    if (reading.FirstRepeat == 0) reading.FirstRepeat = line;
    ++reading.Repeats;
    return;
  }
  const BarOrder direction =
      instant > *reading.Previous ? BarOrder::OldestFirst : BarOrder::NewestFirst;
  if (reading.Order == BarOrder::Single) reading.Order = direction;
  if (reading.Order == direction) return;
  TimeError error;
  error.What = TimeError::Kind::OutOfOrder;
  error.Line = line;
  error.Text = FWritten;
  error.EarlierLine = FPreviousLine;
  error.EarlierText = FPreviousText;
  reading.Error = std::move(error);
}

bool TimeOrder::ReadingsAgree() const {
  const Reading& monthFirst = FReadings[0];
  const Reading& dayFirst = FReadings[1];
  return monthFirst.Order == dayFirst.Order && SameError(monthFirst.Error, dayFirst.Error) &&
         monthFirst.FirstRepeat == dayFirst.FirstRepeat && monthFirst.Repeats == dayFirst.Repeats;
}

}  // namespace zentarix
