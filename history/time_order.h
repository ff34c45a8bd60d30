// The time order of a price file, checked one bar at a time in file order. The first bar with
// a date decides the form of every date of the file (see bar_time.h), and whether its bars
// carry a separate time; a first date in no known form leaves the dates unread, and the file
// is taken in the order it is written. Once the file has dates every bar needs one, those
// before the first as well, and a time cell exactly when the first bar had one. The first two
// distinct instants decide whether the file runs oldest first or newest first; every later bar
// must keep that direction, equal instants allowed. A bar that repeats the instant of the bar
// before it is kept, and counted.
//
// A slash date with both fields up to 12 reads both ways, so until a bar settles the file's
// form (a first field above 12 settles day first, a second field above 12 month first) both
// readings are followed. If none ever does and the two disagree on the order or on its first
// error, the dates are unread; if they agree, their result stands.
//
// Memory stays the same however many bars come: only the bar before is kept.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "history/bar_time.h"

namespace zentarix {

enum class BarOrder {
  Single,  // fewer than two distinct instants: taken as oldest first
  OldestFirst,
  NewestFirst,
  Unread,  // the dates could not be read: taken in file order
};

struct TimeError {
  enum class Kind {
    NotADate,    // a cell that does not read in the file's form, or is empty
    OutOfOrder,  // a bar against the file's direction
  };
  enum class Column { Date, Time };

  Kind What = Kind::NotADate;
  long Line = 0;
  Column Cell = Column::Date;
  std::string Text;  // the cell; for OutOfOrder the bar's date and time, joined by a blank
  // For OutOfOrder, the bar before it.
  long EarlierLine = 0;
  std::string EarlierText;
};

class TimeOrder {
 public:
  // Takes the next bar: timeCell is empty when the file has no separate time column. Returns
  // false once the file certainly has a data error, which Error() names; the bars after it need
  // not be given.
  // written: the bar's date and time cells joined by a blank, as an error names them; the
  // caller keeps it unchanged until the next Add returns, so that no bar's text is copied.
  // Inline, so that written goes from the caller's registers to the members: a callee that
  // takes it from the stack waits there for the two halves the caller has just stored.
  bool Add(long line, std::string_view dateCell, std::string_view timeCell,
           std::string_view written) {
    FWritten = written;
    if (FState == State::Waiting && dateCell.empty()) {
      if (FFirstUndated == 0) FFirstUndated = line;
      return true;
    }
    const bool fine = FollowsInDirection(dateCell, timeCell) || AddDated(line, dateCell, timeCell);
    FPreviousLine = line;
    FPreviousText = written;
    return fine;
  }
  // Settles what the bars left open; the results below are final after it.
  void Finish();

  BarOrder Order() const;
  const std::optional<TimeError>& Error() const;
  // The first line whose instant repeats the bar before it, 0 for none, and how many do.
  long FirstRepeatLine() const;
  long Repeats() const;
  // The instant of the latest bar read, once the form is settled.
  std::optional<Instant> Last() const;

 private:
  // The file's dates read in one form.
  struct Reading {
    DateForm Form = DateForm::Unknown;
    BarOrder Order = BarOrder::Single;
    std::optional<Instant> Previous;
    std::optional<TimeError> Error;
    long FirstRepeat = 0;
    long Repeats = 0;
    IsoDay Day;
  };
  enum class State {
    Waiting,    // no date yet
    Settled,    // FReadings[0] holds the file's form
    Unsettled,  // slash dates: FReadings[0] month first, FReadings[1] day first
    Unread,
  };

  // Step for the bar that nearly every bar of a long ISO file is: the form settled and no
  // error yet, no time cell, the day of the bar before (ReadIsoOfKnownDay), and an instant
  // that goes on in the file's direction, so that there is nothing to count or report. False
  // for any other bar, which AddDated then reads.
  bool FollowsInDirection(std::string_view dateCell, std::string_view timeCell) {
    Reading& reading = FReadings[0];
    Instant instant;
    if (FState != State::Settled || reading.Form != DateForm::Iso || reading.Error || FTimes ||
        !timeCell.empty() || !reading.Previous ||
        !ReadIsoOfKnownDay(dateCell, reading.Day, instant)) {
      return false;
    }
    // A repeated instant is counted, and a first direction set, by AddDated. The fields are
    // compared here: the defaulted comparison stays a call.
    const Instant& previous = *reading.Previous;
    const bool later = instant.Seconds != previous.Seconds ? instant.Seconds > previous.Seconds
                                                           : instant.Nanos > previous.Nanos;
    const bool same = instant.Seconds == previous.Seconds && instant.Nanos == previous.Nanos;
    const BarOrder direction = same    ? BarOrder::Single
                               : later ? BarOrder::OldestFirst
                                       : BarOrder::NewestFirst;
    if (direction == BarOrder::Single || direction != reading.Order) return false;
    reading.Previous = instant;
    return true;
  }
  // Add for a bar with a date, or one after the first bar with a date.
  bool AddDated(long line, std::string_view dateCell, std::string_view timeCell);
  void Start(long line, std::string_view dateCell, std::string_view timeCell);
  bool AddUnsettled(long line, std::string_view dateCell, std::string_view timeCell);
  void Settle(DateForm form);
  void Step(Reading& reading, long line, std::string_view dateCell, std::string_view timeCell);
  void Compare(Reading& reading, const Instant& instant, long line);
  bool ReadingsAgree() const;
  const Reading& Main() const { return FReadings[0]; }

  State FState = State::Waiting;
  std::array<Reading, 2> FReadings;
  bool FTimes = false;     // whether the bars carry a separate time cell
  long FFirstLine = 0;     // of the first bar with a date
  long FFirstUndated = 0;  // the first bar without a date before it, 0 for none
  long FPreviousLine = 0;  // the bar before, as written
  std::string_view FPreviousText;
  std::string_view FWritten;  // the bar being added
};

}  // namespace zentarix
