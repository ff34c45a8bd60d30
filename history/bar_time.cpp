#include "history/bar_time.h"

#include <array>
#include <cstring>

namespace zentarix {

namespace {

constexpr std::int64_t SecondsPerDay = 86'400;
constexpr std::int64_t LastUnixSecond = 253'402'300'799;  // 9999-12-31T23:59:59Z
constexpr std::int64_t LastUnixMilli = LastUnixSecond * 1000 + 999;
constexpr std::int64_t UnixMillisFrom = 100'000'000'000;

constexpr std::array<std::string_view, 12> MonthNames = {
    "january", "february", "march",     "april",   "may",      "june",
    "july",    "august",   "september", "october", "november", "december"};

struct Civil {
  int Year = 0;
  int Month = 0;
  int Day = 0;
};

struct Clock {
  int Seconds = 0;  // since midnight
  std::int32_t Nanos = 0;
  int Offset = 0;  // of the zone, in seconds east of UTC
};

// A digit's value; any other character gives a value above 9.
unsigned DigitValue(char ch) { return static_cast<unsigned char>(ch) - unsigned{'0'}; }
bool IsDigit(char ch) { return DigitValue(ch) <= 9; }
bool IsLetter(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }

// The unread rest of a cell. Every read either takes what it asked for or fails; a failed read
// fails the whole cell, so where it leaves the cursor does not matter. Every row of a long file
// comes this way: the digits of the fixed fields are read without a loop.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : FText(text) {}

  bool AtEnd() const { return FAt == FText.size(); }
  char Peek() const { return AtEnd() ? '\0' : FText[FAt]; }

  bool Take(char ch) {
    if (Peek() != ch) return false;
    ++FAt;
    return true;
  }

  bool Digit(int& value) {
    const unsigned digit = DigitValue(Peek());
    if (digit > 9) return false;
    ++FAt;
    value = static_cast<int>(digit);
    return true;
  }

  bool TwoDigits(int& value) {
    if (FText.size() - FAt < 2) return false;
    const unsigned tens = DigitValue(FText[FAt]);
    const unsigned ones = DigitValue(FText[FAt + 1]);
    if (tens > 9 || ones > 9) return false;
    FAt += 2;
    value = static_cast<int>(tens * 10 + ones);
    return true;
  }

  bool FourDigits(int& value) {
    int high = 0;
    int low = 0;
    if (!TwoDigits(high) || !TwoDigits(low)) return false;
    value = high * 100 + low;
    return true;
  }

  // One digit or two, as spreadsheets write days, months and hours.
  bool ShortNumber(int& value) {
    if (!Digit(value)) return false;
    int ones = 0;
    if (Digit(ones)) value = value * 10 + ones;
    return true;
  }

  std::size_t DigitRun() const {
    std::size_t end = FAt;
    while (end < FText.size() && IsDigit(FText[end])) ++end;
    return end - FAt;
  }

  std::string_view Letters() {
    const std::size_t from = FAt;
    while (IsLetter(Peek())) ++FAt;
    return FText.substr(from, FAt - from);
  }

 private:
  std::string_view FText;
  std::size_t FAt = 0;
};

constexpr std::array<int, 12> MonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
  return month == 2 && IsLeapYear(year) ? 29 : MonthDays[static_cast<std::size_t>(month - 1)];
}

bool IsValid(const Civil& civil) {
  return civil.Year >= 1 && civil.Year <= 9999 && civil.Month >= 1 && civil.Month <= 12 &&
         civil.Day >= 1 && civil.Day <= DaysInMonth(civil.Year, civil.Month);
}

// Days from 1970-01-01 to a valid date of the proleptic Gregorian calendar. The year is counted
// from 1 March, so that the leap day ends it and the days before each month follow a straight
// line; 0000-03-01 is 719'468 days before 1970. From the year 1 on every quantity is positive.
std::int64_t DaysFromCivil(const Civil& civil) {
  const bool early = civil.Month <= 2;  // January and February end the year before
  const auto year = static_cast<unsigned>(early ? civil.Year - 1 : civil.Year);
  const auto month = static_cast<unsigned>(early ? civil.Month + 9 : civil.Month - 3);
  const unsigned dayOfYear = (153 * month + 2) / 5 + static_cast<unsigned>(civil.Day) - 1;
  const unsigned days = year * 365 + year / 4 - year / 100 + year / 400 + dayOfYear;
  return std::int64_t{days} - 719'468;
}

// The name or its start, from three letters on: Sep, Sept and September. The first three letters
// of the twelve names all differ, so no start is taken for another month.
bool ReadMonthName(Cursor& cursor, int& month) {
  const std::string_view word = cursor.Letters();
  for (std::size_t index = 0; index < MonthNames.size(); ++index) {
    const std::string_view name = MonthNames[index];
    if (word.size() < 3 || word.size() > name.size()) continue;
    bool same = true;
    for (std::size_t at = 0; at < word.size(); ++at) same = same && (word[at] | 0x20) == name[at];
    if (!same) continue;
    month = static_cast<int>(index) + 1;
    return true;
  }
  return false;
}

// Jan 2, 2024 and January 2 2024; 2-Jan-2024 and 2 Jan 2024.
bool ReadNamedDate(Cursor& cursor, Civil& civil) {
  if (IsLetter(cursor.Peek())) {
    if (!ReadMonthName(cursor, civil.Month) || !cursor.Take(' ') ||
        !cursor.ShortNumber(civil.Day)) {
      return false;
    }
    cursor.Take(',');
    return cursor.Take(' ') && cursor.FourDigits(civil.Year);
  }
  if (!cursor.ShortNumber(civil.Day)) return false;
  const char separator = cursor.Peek();
  return (separator == '-' || separator == ' ') && cursor.Take(separator) &&
         ReadMonthName(cursor, civil.Month) && cursor.Take(separator) &&
         cursor.FourDigits(civil.Year);
}

bool ReadFields(DateForm form, Cursor& cursor, Civil& civil) {
  switch (form) {
    case DateForm::Iso:
    case DateForm::DottedYearFirst: {
      const char mark = form == DateForm::Iso ? '-' : '.';
      return cursor.FourDigits(civil.Year) && cursor.Take(mark) && cursor.TwoDigits(civil.Month) &&
             cursor.Take(mark) && cursor.TwoDigits(civil.Day);
    }
    case DateForm::Compact:
      return cursor.FourDigits(civil.Year) && cursor.TwoDigits(civil.Month) &&
             cursor.TwoDigits(civil.Day);
    case DateForm::DottedDayFirst:
      return cursor.ShortNumber(civil.Day) && cursor.Take('.') && cursor.ShortNumber(civil.Month) &&
             cursor.Take('.') && cursor.FourDigits(civil.Year);
    case DateForm::SlashMonthFirst:
      return cursor.ShortNumber(civil.Month) && cursor.Take('/') && cursor.ShortNumber(civil.Day) &&
             cursor.Take('/') && cursor.FourDigits(civil.Year);
    case DateForm::SlashDayFirst:
      return cursor.ShortNumber(civil.Day) && cursor.Take('/') && cursor.ShortNumber(civil.Month) &&
             cursor.Take('/') && cursor.FourDigits(civil.Year);
    case DateForm::MonthName:
      return ReadNamedDate(cursor, civil);
    default:
      return false;
  }
}

bool ReadDate(DateForm form, Cursor& cursor, Civil& civil) {
  return ReadFields(form, cursor, civil) && IsValid(civil);
}

// Digits of a fraction of a second, at least one; those past nanoseconds count for nothing.
bool ReadFraction(Cursor& cursor, std::int32_t& nanos) {
  const std::size_t count = cursor.DigitRun();
  if (count == 0) return false;
  int value = 0;
  int scale = 1'000'000'000;
  for (std::size_t at = 0; at < count; ++at) {
    int digit = 0;
    cursor.Digit(digit);
    scale /= 10;
    value += digit * scale;
  }
  nanos = value;
  return true;
}

// Z, or +hh:mm, +hhmm, +hh and the same with a minus.
bool ReadZone(Cursor& cursor, int& offset) {
  if (cursor.Take('Z') || cursor.Take('z')) return true;
  const int sign = cursor.Take('-') ? -1 : 1;
  if (sign > 0 && !cursor.Take('+')) return false;
  int hours = 0;
  int minutes = 0;
  if (!cursor.TwoDigits(hours)) return false;
  if (cursor.Take(':') || cursor.DigitRun() > 0) {
    if (!cursor.TwoDigits(minutes)) return false;
  }
  if (hours > 23 || minutes > 59) return false;
  offset = sign * (hours * 3600 + minutes * 60);
  return true;
}

// AM or PM, after one blank or none: 12 AM is midnight, 12 PM noon.
bool ReadHalfOfDay(Cursor& cursor, int& hour) {
  cursor.Take(' ');
  const std::string_view word = cursor.Letters();
  if (word.size() != 2 || (word[1] | 0x20) != 'm') return false;
  const char half = static_cast<char>(word[0] | 0x20);
  if ((half != 'a' && half != 'p') || hour < 1 || hour > 12) return false;
  hour = hour % 12 + (half == 'p' ? 12 : 0);
  return true;
}

bool ReadSuffix(Cursor& cursor, int& hour, int& offset) {
  if (cursor.AtEnd()) return true;
  const char ch = cursor.Peek();
  const bool zone = ch == 'Z' || ch == 'z' || ch == '+' || ch == '-';
  return (zone ? ReadZone(cursor, offset) : ReadHalfOfDay(cursor, hour)) && cursor.AtEnd();
}

// A time of day to the end of the cursor.
bool ReadClock(Cursor& cursor, Clock& clock) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  bool seconds = true;
  if (cursor.DigitRun() == 6) {
    cursor.TwoDigits(hour);
    cursor.TwoDigits(minute);
    cursor.TwoDigits(second);
  } else {
    if (!cursor.ShortNumber(hour) || !cursor.Take(':') || !cursor.TwoDigits(minute)) return false;
    seconds = cursor.Take(':');
    if (seconds && !cursor.TwoDigits(second)) return false;
  }
  if (seconds && (cursor.Take('.') || cursor.Take(',')) && !ReadFraction(cursor, clock.Nanos)) {
    return false;
  }
  if (!ReadSuffix(cursor, hour, clock.Offset)) return false;
  if (hour > 23 || minute > 59 || second > 59) return false;
  clock.Seconds = hour * 3600 + minute * 60 + second;
  return true;
}

bool TakeTimeMark(DateForm form, Cursor& cursor) {
  return cursor.Take(' ') || (form == DateForm::Iso && (cursor.Take('T') || cursor.Take('t')));
}

// Digits alone, up to limit.
bool ReadUnixValue(std::string_view cell, std::int64_t limit, std::int64_t& value) {
  if (cell.empty()) return false;
  std::int64_t result = 0;
  for (const char ch : cell) {
    if (!IsDigit(ch)) return false;
    result = result * 10 + (ch - '0');
    if (result > limit) return false;
  }
  value = result;
  return true;
}

BarTimeRead ReadUnixTime(bool millis, std::string_view date, std::string_view time,
                         Instant& instant) {
  std::int64_t value = 0;
  if (!ReadUnixValue(date, millis ? LastUnixMilli : LastUnixSecond, value)) {
    return BarTimeRead::BadDate;
  }
  if (!time.empty()) return BarTimeRead::BadTime;
  instant = millis ? Instant{value / 1000, static_cast<std::int32_t>(value % 1000 * 1'000'000)}
                   : Instant{value, 0};
  return BarTimeRead::Read;
}

// "yyyy-mm-dd", "yyyy-mm-dd hh:mm" and "yyyy-mm-dd hh:mm:ss" (a T for the blank too), the cells
// of nearly every row of a long ISO file: their digits stand at fixed places, so they are read
// without a cursor. Anything else (a zone, a fraction, one-digit hours) is left to the full
// reading; false then.
bool ReadPlainIso(std::string_view cell, Instant& instant, IsoDay& day) {
  const std::size_t size = cell.size();
  if (size != 10 && size != 16 && size != 19) return false;
  const char* text = cell.data();
  const auto digit = [text](std::size_t at) { return DigitValue(text[at]); };
  const auto pair = [&digit](std::size_t at) { return digit(at) * 10 + digit(at + 1); };
  std::uint64_t head;
  std::uint16_t tail;
  std::memcpy(&head, text, sizeof head);
  std::memcpy(&tail, text + sizeof head, sizeof tail);
  if (!day.Known || head != day.Head || tail != day.Tail) {
    const bool digits = digit(0) <= 9 && digit(1) <= 9 && digit(2) <= 9 && digit(3) <= 9 &&
                        digit(5) <= 9 && digit(6) <= 9 && digit(8) <= 9 && digit(9) <= 9;
    if (!digits || text[4] != '-' || text[7] != '-') return false;
    const Civil civil{static_cast<int>(pair(0) * 100 + pair(2)), static_cast<int>(pair(5)),
                      static_cast<int>(pair(8))};
    if (!IsValid(civil)) return false;
    day.Head = head;
    day.Tail = tail;
    day.Days = DaysFromCivil(civil);
    day.Known = true;
  }
  if (size >= 16) return ReadIsoClock(cell, day.Days, instant);
  instant = {day.Days * SecondsPerDay, 0};
  return true;
}

// ReadBarTime for every cell but a plain ISO one, kept out of line so that the plain ones run
// without its registers saved.
[[gnu::noinline]] BarTimeRead ReadAnyBarTime(DateForm form, std::string_view date,
                                             std::string_view time, Instant& instant) {
  if (form == DateForm::UnixSeconds || form == DateForm::UnixMillis) {
    return ReadUnixTime(form == DateForm::UnixMillis, date, time, instant);
  }
  Cursor cursor(date);
  Civil civil;
  if (!ReadDate(form, cursor, civil)) return BarTimeRead::BadDate;
  Clock clock;
  if (!cursor.AtEnd()) {
    if (!TakeTimeMark(form, cursor) || !ReadClock(cursor, clock)) return BarTimeRead::BadDate;
    if (!time.empty()) return BarTimeRead::BadTime;
  } else if (!time.empty()) {
    Cursor timeCursor(time);
    if (!ReadClock(timeCursor, clock)) return BarTimeRead::BadTime;
  }
  instant = {DaysFromCivil(civil) * SecondsPerDay + clock.Seconds - clock.Offset, clock.Nanos};
  return BarTimeRead::Read;
}

bool ReadsAs(DateForm form, std::string_view cell) {
  Instant instant;
  return ReadBarTime(form, cell, {}, instant) == BarTimeRead::Read;
}

}  // namespace

DateForm DateFormOf(std::string_view cell) {
  for (const DateForm form : {DateForm::Iso, DateForm::DottedYearFirst, DateForm::Compact,
                              DateForm::DottedDayFirst, DateForm::MonthName}) {
    if (ReadsAs(form, cell)) return form;
  }
  const bool monthFirst = ReadsAs(DateForm::SlashMonthFirst, cell);
  const bool dayFirst = ReadsAs(DateForm::SlashDayFirst, cell);
  if (monthFirst || dayFirst) {
    return monthFirst && dayFirst ? DateForm::SlashEither
           : monthFirst           ? DateForm::SlashMonthFirst
                                  : DateForm::SlashDayFirst;
  }
  std::int64_t value = 0;
  if (!ReadUnixValue(cell, LastUnixMilli, value)) return DateForm::Unknown;
  return value < UnixMillisFrom ? DateForm::UnixSeconds : DateForm::UnixMillis;
}

DateForm SlashFormSettledBy(std::string_view cell) {
  Cursor cursor(cell);
  int first = 0;
  int second = 0;
  if (!cursor.ShortNumber(first) || !cursor.Take('/') || !cursor.ShortNumber(second) ||
      !cursor.Take('/')) {
    return DateForm::SlashEither;
  }
  if (first > 12) return DateForm::SlashDayFirst;
  return second > 12 ? DateForm::SlashMonthFirst : DateForm::SlashEither;
}

BarTimeRead ReadBarTime(DateForm form, std::string_view date, std::string_view time,
                        Instant& instant) {
  IsoDay day;
  return ReadBarTime(form, date, time, instant, day);
}

BarTimeRead ReadBarTime(DateForm form, std::string_view date, std::string_view time,
                        Instant& instant, IsoDay& day) {
  if (form == DateForm::Iso && time.empty() && ReadPlainIso(date, instant, day)) {
    return BarTimeRead::Read;
  }
  return ReadAnyBarTime(form, date, time, instant);
}

}  // namespace zentarix
