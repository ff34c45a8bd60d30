// The time of a bar as price files write it: a date cell, which may carry the time of day, and
// an optional separate time cell, read into an instant in UTC. A file keeps one form of date
// throughout, so the form is found once from its first date cell and every later cell is read
// in that form alone; a cell that fits it only by accident is never taken for another.
//
// Date forms (fields of one or two digits where shown as d, m):
//   Iso              2024-01-02, 2024-01-02T10:00, 2024-01-02 10:00:05.250+02:00
//   DottedYearFirst  2024.01.02 (MetaTrader)
//   Compact          20240102 (Finam)
//   DottedDayFirst   02.01.2024, 2.1.2024
//   SlashMonthFirst  01/02/2024, 1/2/2024
//   SlashDayFirst    02/01/2024
//   MonthName        Jan 2, 2024; January 2 2024; 2-Jan-2024; 2 Sept 2024 (English, any case,
//                    the name or its start from three letters on)
//   UnixSeconds      1704189600: digits alone, to the end of year 9999
//   UnixMillis       1704189600000
// Years have four digits, 0001 to 9999: a two-digit year would need a guess at its century.
// A date other than a Unix time may be followed by a time of day in the same cell, after one
// blank (or a T in an ISO date), or have it in the separate cell, not both:
//   h:mm, hh:mm:ss, hh:mm:ss.fff (or ,fff; digits past the ninth are dropped), hhmmss (Finam)
// then optionally an AM or PM (after one blank or none; the hour is then 1 to 12), or a zone:
// Z, +hh:mm, +hhmm, +hh (or -). A time without a zone is UTC; a date alone is its midnight.
// Hours run 0 to 23 and minutes and seconds 0 to 59: 24:00 and the leap second 60 are refused,
// since POSIX time, which the instant counts, has no place for either.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace zentarix {

// A moment in UTC.
struct Instant {
  std::int64_t Seconds = 0;  // since 1970-01-01T00:00:00Z, negative before
  std::int32_t Nanos = 0;    // 0 to 999'999'999

  auto operator<=>(const Instant&) const = default;
};

enum class DateForm {
  Unknown,
  Iso,
  DottedYearFirst,
  Compact,
  DottedDayFirst,
  SlashMonthFirst,
  SlashDayFirst,
  SlashEither,  // a slash date that reads both ways (01/02/2024): the file must settle it
  MonthName,
  UnixSeconds,
  UnixMillis,
};

// The form of a file's first date cell: Unknown when it reads in none. Eight digits that make
// a valid date are Compact, other digits a Unix time, in milliseconds from 10^11 on (10^11
// seconds would be the year 5138).
DateForm DateFormOf(std::string_view cell);

// Which slash form a cell settles: SlashDayFirst when its first field is above 12,
// SlashMonthFirst when its second is, else SlashEither.
DateForm SlashFormSettledBy(std::string_view cell);

enum class BarTimeRead { Read, BadDate, BadTime };

// Reads a bar's date cell in the given form, and its time cell (empty when there is none), into
// instant. A cell that is empty, out of range or followed by anything else is bad; so is a time
// cell next to a date that carries its own time or is a Unix time. SlashEither and Unknown read
// nothing.
BarTimeRead ReadBarTime(DateForm form, std::string_view date, std::string_view time,
                        Instant& instant);

// The day of the last ISO date cell read: the rows of one day share the date's first ten bytes,
// so that a long file of ISO dates has only the time of day of each row read.
struct IsoDay {
  bool Known = false;
  std::uint64_t Head = 0;  // the date's first eight bytes
  std::uint16_t Tail = 0;  // and its last two
  std::int64_t Days = 0;   // since 1970-01-01
};

// ReadBarTime, which keeps the last ISO day in day for the next cell of the same file.
BarTimeRead ReadBarTime(DateForm form, std::string_view date, std::string_view time,
                        Instant& instant, IsoDay& day);

namespace iso_time {

// A digit's value; any other character gives a value above 9.
[[gnu::always_inline]] inline unsigned DigitValue(char ch) {
  return static_cast<unsigned char>(ch) - unsigned{'0'};
}

// The two digits at cell[at], or a value above 99 when either is no digit.
[[gnu::always_inline]] inline unsigned TwoDigits(const char* cell, std::size_t at) {
  const unsigned tens = DigitValue(cell[at]);
  const unsigned ones = DigitValue(cell[at + 1]);
  return tens > 9 || ones > 9 ? 100 : tens * 10 + ones;
}

}  // namespace iso_time

// The instant of an ISO cell of 16 or 19 bytes whose first ten bytes are a date that is days
// after 1970-01-01: " hh:mm" or " hh:mm:ss" after them (a T for the blank too). False for any
// other cell, which the full reading then reads.
[[gnu::always_inline]] inline bool ReadIsoClock(std::string_view cell, std::int64_t days,
                                                Instant& instant) {
  const char* const text = cell.data();
  const std::size_t size = cell.size();
  const unsigned hour = iso_time::TwoDigits(text, 11);
  const unsigned minute = iso_time::TwoDigits(text, 14);
  const unsigned second = size == 19 ? iso_time::TwoDigits(text, 17) : 0;
  if ((text[10] != ' ' && text[10] != 'T') || text[13] != ':' || hour > 23 || minute > 59 ||
      second > 59 || (size == 19 && text[16] != ':')) {
    return false;
  }
  instant = {days * 86'400 + hour * 3600 + minute * 60 + second, 0};
  return true;
}

// ReadBarTime for the cell that nearly every row of a long ISO file holds, inline: one of 16 or
// 19 bytes (ReadIsoClock) whose date is the day that day holds. False for any other cell,
// which ReadBarTime then reads.
[[gnu::always_inline]] inline bool ReadIsoOfKnownDay(std::string_view cell, const IsoDay& day,
                                                     Instant& instant) {
  if (!day.Known || (cell.size() != 16 && cell.size() != 19)) return false;
  std::uint64_t head;
  std::uint16_t tail;
  std::memcpy(&head, cell.data(), sizeof head);
  std::memcpy(&tail, cell.data() + sizeof head, sizeof tail);
  return head == day.Head && tail == day.Tail && ReadIsoClock(cell, day.Days, instant);
}

}  // namespace zentarix
