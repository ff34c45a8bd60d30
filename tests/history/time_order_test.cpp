// Dates and times as price files write them, read into instants, and the time order of small
// files. Instants are printed and checked with glibc's gmtime_r and timegm.
#include "history/time_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>

#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

// 2024-01-02T10:00:00Z, with nanoseconds when there are any.
std::string Utc(const Instant& instant) {
  const std::time_t seconds = instant.Seconds;
  std::tm tm{};
  gmtime_r(&seconds, &tm);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", tm.tm_year + 1900,
                tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
  std::string utc = text;
  if (instant.Nanos != 0) {
    std::snprintf(text, sizeof text, ".%09d", static_cast<int>(instant.Nanos));
    utc += text;
  }
  return utc + "Z";
}

std::string Read(DateForm form, std::string_view date, std::string_view time) {
  Instant instant;
  switch (ReadBarTime(form, date, time, instant)) {
    case BarTimeRead::Read:
      return Utc(instant);
    case BarTimeRead::BadDate:
      return "bad date";
    case BarTimeRead::BadTime:
      return "bad time";
  }
  return "";
}

struct CellCase {
  const char* name;
  const char* date;
  const char* time;
  DateForm recognised;  // the form of the cell as a file's first date
  DateForm form;        // the form it is read in
  const char* read;
};

class BarTimes : public ::testing::TestWithParam<CellCase> {};

TEST_P(BarTimes, ReadInTheirForm) {
  const CellCase& c = GetParam();
  EXPECT_EQ(DateFormOf(c.date), c.recognised);
  EXPECT_EQ(Read(c.form, c.date, c.time), c.read);
}

using F = DateForm;

INSTANTIATE_TEST_SUITE_P(
    Cells, BarTimes,
    ::testing::Values(
        CellCase{"IsoDate", "2024-01-02", "", F::Iso, F::Iso, "2024-01-02T00:00:00Z"},
        CellCase{"IsoCommaFractionAndZone", "2024-01-02T10:00:05,25+02:30", "", F::Iso, F::Iso,
                 "2024-01-02T07:30:05.250000000Z"},
        CellCase{"IsoHourZoneCrossesTheYear", "2024-12-31 23:30-01", "", F::Iso, F::Iso,
                 "2025-01-01T00:30:00Z"},
        CellCase{"FractionPastNanosDropped", "2024-01-02T10:00:00.1234567891999Z", "", F::Iso,
                 F::Iso, "2024-01-02T10:00:00.123456789Z"},
        CellCase{"FirstAndLastYear", "0001-01-01", "23:59:59", F::Iso, F::Iso,
                 "0001-01-01T23:59:59Z"},
        CellCase{"MetaTraderTimeInCell", "2024.01.02 10:00", "", F::DottedYearFirst,
                 F::DottedYearFirst, "2024-01-02T10:00:00Z"},
        CellCase{"FinamTimeCell", "20240102", "100000", F::Compact, F::Compact,
                 "2024-01-02T10:00:00Z"},
        CellCase{"DottedDayFirstShort", "2.1.2024", "9:05:00", F::DottedDayFirst, F::DottedDayFirst,
                 "2024-01-02T09:05:00Z"},
        CellCase{"SlashBothWays", "01/02/2024", "", F::SlashEither, F::SlashMonthFirst,
                 "2024-01-02T00:00:00Z"},
        CellCase{"SlashDayFirstMidnightAm", "13/02/2024 12:00 AM", "", F::SlashDayFirst,
                 F::SlashDayFirst, "2024-02-13T00:00:00Z"},
        CellCase{"SlashMonthFirstPm", "2/13/2024 12:30:00pm", "", F::SlashMonthFirst,
                 F::SlashMonthFirst, "2024-02-13T12:30:00Z"},
        CellCase{"MonthNameUsStyle", "Jan 10, 2024", "", F::MonthName, F::MonthName,
                 "2024-01-10T00:00:00Z"},
        CellCase{"FullMonthNameAnyCase", "SEPTEMBER 3 2024", "", F::MonthName, F::MonthName,
                 "2024-09-03T00:00:00Z"},
        CellCase{"LeapDayIn2000", "2000.02.29", "", F::DottedYearFirst, F::DottedYearFirst,
                 "2000-02-29T00:00:00Z"},
        CellCase{"MonthNameStart", "3 Sept 2024", "", F::MonthName, F::MonthName,
                 "2024-09-03T00:00:00Z"},
        CellCase{"TwoLettersNoMonth", "Ju 3, 2024", "", F::Unknown, F::MonthName, "bad date"},
        CellCase{"DayZero", "2024-01-00", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"MillisFrom10To11", "100000000000", "", F::UnixMillis, F::UnixMillis,
                 "1973-03-03T09:46:40Z"},
        CellCase{"LeapDayWithDashes", "29-Feb-2024", "", F::MonthName, F::MonthName,
                 "2024-02-29T00:00:00Z"},
        CellCase{"UnixSeconds", "1704189600", "", F::UnixSeconds, F::UnixSeconds,
                 "2024-01-02T10:00:00Z"},
        CellCase{"UnixMillis", "1704189600123", "", F::UnixMillis, F::UnixMillis,
                 "2024-01-02T10:00:00.123000000Z"},
        CellCase{"EightDigitsNoDate", "20241301", "", F::UnixSeconds, F::UnixSeconds,
                 "1970-08-23T06:35:01Z"},
        CellCase{"UnixPastYear9999", "253402300800", "", F::UnixMillis, F::UnixSeconds, "bad date"},
        CellCase{"February30", "2024-02-30", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"NoLeapDayIn1900", "1900.02.29", "", F::Unknown, F::DottedYearFirst, "bad date"},
        CellCase{"YearZero", "0000-01-01", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"Hour24", "2024-01-02T24:00", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"ZoneOf24Hours", "2024-01-02T10:00+24:00", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"LeapSecond", "2024-01-02", "23:59:60", F::Iso, F::Iso, "bad time"},
        CellCase{"FractionMarkAlone", "2024-01-02", "10:00:00.", F::Iso, F::Iso, "bad time"},
        CellCase{"TrailingJunk", "2024-01-02x", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"LetterInTheYear", "202a-01-02", "", F::Unknown, F::Iso, "bad date"},
        CellCase{"SignedUnixTime", "-5", "", F::Unknown, F::UnixSeconds, "bad date"},
        CellCase{"TimeTwice", "2024-01-02 10:00", "10:00", F::Iso, F::Iso, "bad time"},
        CellCase{"UnixTimeWithTimeCell", "1704189600", "10:00", F::UnixSeconds, F::UnixSeconds,
                 "bad time"},
        CellCase{"Hour13Pm", "1/2/2024 13:00 PM", "", F::Unknown, F::SlashMonthFirst, "bad date"},
        CellCase{"TwoDigitYear", "10-Jan-24", "", F::Unknown, F::MonthName, "bad date"}),
    [](const auto& row) { return std::string(row.param.name); });

struct FileCase {
  const char* name;
  const char* bars;    // one bar a line from line 1: its date cell, then "|" and its time cell
  const char* result;  // the order, the repeats, the error and the line the bars stopped at
};

std::string Describe(const TimeOrder& order, long stopped) {
  const char* names[] = {"single", "oldest first", "newest first", "unread"};
  std::string text = names[static_cast<int>(order.Order())];
  if (order.Repeats() > 0) {
    text += ", repeats " + std::to_string(order.Repeats()) + " from line " +
            std::to_string(order.FirstRepeatLine());
  }
  if (const auto& error = order.Error()) {
    text += ", line " + std::to_string(error->Line);
    text += error->Cell == TimeError::Column::Date ? " " : " time ";
    text += "\"" + error->Text + "\"";
    if (error->What == TimeError::Kind::NotADate) text += " not a date";
    if (error->What == TimeError::Kind::OutOfOrder) {
      text +=
          " after line " + std::to_string(error->EarlierLine) + " \"" + error->EarlierText + "\"";
    }
  }
  if (stopped != 0) text += ", stopped at " + std::to_string(stopped);
  return text;
}

// The order of bars given one a line (FileCase::bars), as Describe tells it.
std::string OrderOf(std::string_view bars) {
  TimeOrder order;
  long line = 0;
  long stopped = 0;
  std::string written[2];  // this bar's and the one before, as Add wants them kept
  for (std::size_t at = 0, end; stopped == 0 && at <= bars.size(); at = end + 1) {
    end = std::min(bars.find('\n', at), bars.size());
    const std::string_view bar = bars.substr(at, end - at);
    const std::size_t barMark = std::min(bar.find('|'), bar.size());
    const std::string_view date = bar.substr(0, barMark);
    const std::string_view time = bar.substr(std::min(barMark + 1, bar.size()));
    ++line;
    std::string& text = written[line % 2];
    text.assign(date);
    if (!time.empty()) text.append(" ").append(time);
    if (!order.Add(line, date, time, text)) stopped = line;
  }
  order.Finish();
  return Describe(order, stopped);
}

class FileOrders : public ::testing::TestWithParam<FileCase> {};

TEST_P(FileOrders, FollowTheirDates) { EXPECT_EQ(OrderOf(GetParam().bars), GetParam().result); }

INSTANTIATE_TEST_SUITE_P(
    Files, FileOrders,
    ::testing::Values(
        FileCase{"OldestFirstWithRepeats", "2024-01-02\n2024-01-02\n2024-01-03\n2024-01-03",
                 "oldest first, repeats 2 from line 2"},
        FileCase{"DirectionAfterARepeat", "20240103|100000\n20240103|100000\n20240102|235959",
                 "newest first, repeats 1 from line 2"},
        FileCase{"OutOfOrderNamesBothBars", "2024.01.02 10:00\n2024.01.02 11:00\n2024.01.02 10:30",
                 "oldest first, line 3 \"2024.01.02 10:30\" after line 2 \"2024.01.02 11:00\", "
                 "stopped at 3"},
        FileCase{"OutOfOrderJoinsTheTimeCell", "2.1.2024|10:00\n2.1.2024|09:00\n2.1.2024|09:30",
                 "newest first, line 3 \"2.1.2024 09:30\" after line 2 \"2.1.2024 09:00\", "
                 "stopped at 3"},
        FileCase{"ZonesConvertedBeforeComparing", "2024-01-02T10:00+02:00\n2024-01-02T09:00Z",
                 "oldest first"},
        FileCase{"UnknownFirstDate", "yesterday\n2024-01-02\nnonsense", "unread"},
        FileCase{"OtherFormLater", "2024-01-02\n2024-01-03\n01/04/2024",
                 "oldest first, line 3 \"01/04/2024\" not a date, stopped at 3"},
        FileCase{"TimeCellMissing", "20240102|100000\n20240102|",
                 "single, line 2 time \"\" not a date, stopped at 2"},
        FileCase{"FirstBarLacksItsTime", "20240102\n20240102|100000",
                 "single, line 1 time \"\" not a date, stopped at 2"},
        FileCase{"UndatedBarBeforeTheFirstDate", "\n2024-01-02\n2024-01-03",
                 "single, line 1 \"\" not a date, stopped at 2"},
        FileCase{"BadTimeOnAKnownDay", "2024-01-02 10:00\n2024-01-02 25:00",
                 "single, line 2 \"2024-01-02 25:00\" not a date, stopped at 2"},
        // The rows of one ISO day, whose dates are read once: a repeat, a bad clock and a
        // time cell that comes late are each still found (a turn back: RandomIsoFiles).
        FileCase{"IsoMinutesOfOneDay",
                 "2024-01-02 10:00\n2024-01-02 10:01\n2024-01-02 10:01\n2024-01-02T10:01:30\n"
                 "2024-01-03 00:00",
                 "oldest first, repeats 1 from line 3"},
        FileCase{"IsoNewestFirstWithinTheDay",
                 "2024-01-02 10:02:00\n2024-01-02 10:01:59\n2024-01-02 10:01:59\n2024-01-02 09:00",
                 "newest first, repeats 1 from line 3"},
        FileCase{"IsoBadClockOnAKnownDay", "2024-01-02 10:00\n2024-01-02 10:01\n2024-01-02 10:60",
                 "oldest first, line 3 \"2024-01-02 10:60\" not a date, stopped at 3"},
        FileCase{"IsoTimeCellOnAKnownDay",
                 "2024-01-02 10:00\n2024-01-02 10:01\n2024-01-02 10:02|10:03",
                 "oldest first, line 1 time \"\" not a date, stopped at 3"},
        FileCase{"OneBar", "2024-01-02", "single"}, FileCase{"NoDates", "\n|10:00\n", "unread"},
        FileCase{
            "MillisecondsForTheWholeFile", "1704189600000\n1704189600500\n1704189601",
            "oldest first, line 3 \"1704189601\" after line 2 \"1704189600500\", stopped at 3"},
        FileCase{"SlashSettledDayFirstLater", "02/01/2024\n01/02/2024\n03/02/2024\n13/02/2024",
                 "oldest first"},
        FileCase{"SlashSettledMonthFirstAfterItsError",
                 "02/01/2024\n01/02/2024\n03/02/2024\n03/13/2024",
                 "newest first, line 3 \"03/02/2024\" after line 2 \"01/02/2024\", stopped at 4"},
        FileCase{"SlashReadingsDisagree", "01/02/2024\n02/01/2024", "unread"},
        FileCase{"SlashReadingsAgree", "01/05/2024\n02/06/2024\n02/06/2024",
                 "oldest first, repeats 1 from line 3"},
        FileCase{"SlashBadCellBothWays", "01/05/2024\n02/06/2024\n5/5/5",
                 "oldest first, line 3 \"5/5/5\" not a date, stopped at 3"},
        FileCase{"SlashBadCellAfterDisagreeing", "01/02/2024\n02/01/2024\nx", "unread"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(FileOrderLast, IsTheLatestBarOnceTheFormIsSettled) {
  TimeOrder order;
  order.Add(1, "01/02/2024", "", "01/02/2024");
  EXPECT_FALSE(order.Last());
  order.Add(2, "13/02/2024", "", "13/02/2024");
  EXPECT_EQ(Utc(order.Last().value_or(Instant{})), "2024-02-13T00:00:00Z");
  TimeOrder agreeing;
  agreeing.Add(1, "01/02/2024", "", "01/02/2024");
  agreeing.Finish();
  EXPECT_FALSE(agreeing.Last());
}

// Long ISO files of random steps, most within a day, some of none (a repeat), perhaps one
// back: glibc's gmtime_r writes each instant, and the steps say what the order must find.
TEST(FileOrdersAgainstGlibc, RandomIsoFiles) {
  std::mt19937 random(20261208);
  const auto draw = [&random](int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random);
  };
  for (int round = 0; round < 200; ++round) {
    std::time_t seconds = std::int64_t{draw(-20000, 20000)} * 86'400 + draw(0, 86'399);
    const int back = draw(0, 1) != 0 ? draw(2, 300) : 0;  // the line that steps back
    std::string bars;
    std::string before;
    long repeats = 0;
    long firstRepeat = 0;
    std::string stop;  // what the order says of the bar that steps back
    for (int line = 1; line <= 300; ++line) {
      const int step = line == 1 ? 0 : line == back ? -draw(1, 3600) : draw(0, 5) * draw(0, 900);
      seconds += step;
      std::tm tm{};
      gmtime_r(&seconds, &tm);
      char text[32];
      // A minute's cell without its seconds, or with them.
      std::strftime(text, sizeof text,
                    tm.tm_sec == 0 && draw(0, 1) != 0 ? "%Y-%m-%d %H:%M" : "%Y-%m-%d %H:%M:%S",
                    &tm);
      if (line > 1) bars += '\n';
      bars += text;
      if (line > 1 && step == 0 && (back == 0 || line < back)) {
        if (firstRepeat == 0) firstRepeat = line;
        ++repeats;
      }
      if (line == back) {
        stop = ", line " + std::to_string(line) + " \"" + text + "\" after line " +
               std::to_string(line - 1) + " \"" + before + "\", stopped at " + std::to_string(line);
        break;
      }
      before = text;
    }
    std::string expected = "oldest first";
    if (repeats > 0) {
      expected +=
          ", repeats " + std::to_string(repeats) + " from line " + std::to_string(firstRepeat);
    }
    ASSERT_EQ(OrderOf(bars), expected + stop) << bars;
  }
}

// Random fields, the day up to 31, written in three forms: timegm, which moves an invalid day
// into the next month, says which dates exist and when they were.
TEST(BarTimesAgainstGlibc, RandomTimesInThreeForms) {
  std::mt19937 random(20240102);
  const auto draw = [&random](int least, int most) {
    return std::uniform_int_distribution<int>(least, most)(random);
  };
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int round = 0; round < 20000; ++round) {
    std::tm tm{};
    tm.tm_year = draw(1, 9999) - 1900;
    tm.tm_mon = draw(0, 11);
    tm.tm_mday = draw(1, 31);
    tm.tm_hour = draw(0, 23);
    tm.tm_min = draw(0, 59);
    tm.tm_sec = draw(0, 59);
    const int nanos = draw(0, 999'999'999);
    const int zone = draw(-14 * 60, 14 * 60);  // minutes east
    std::tm normal = tm;
    const std::int64_t seconds = timegm(&normal);
    const bool valid = normal.tm_mday == tm.tm_mday;
    char iso[64], compact[64], clock[64], named[64];
    std::snprintf(iso, sizeof iso, "%04d-%02d-%02dT%02d:%02d:%02d.%09d%c%02d%02d",
                  tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  nanos, zone < 0 ? '-' : '+', std::abs(zone) / 60, std::abs(zone) % 60);
    std::snprintf(compact, sizeof compact, "%04d%02d%02d", tm.tm_year + 1900, tm.tm_mon + 1,
                  tm.tm_mday);
    std::snprintf(clock, sizeof clock, "%02d%02d%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
    std::snprintf(named, sizeof named, "%s %d, %04d %d:%02d:%02d %s", months[tm.tm_mon], tm.tm_mday,
                  tm.tm_year + 1900, (tm.tm_hour + 11) % 12 + 1, tm.tm_min, tm.tm_sec,
                  tm.tm_hour < 12 ? "AM" : "PM");
    const auto expect = [&](std::int64_t at, int fraction) {
      return valid ? Utc(Instant{at, fraction}) : std::string("bad date");
    };
    ASSERT_EQ(Read(DateForm::Iso, iso, ""), expect(seconds - zone * 60, nanos)) << iso;
    ASSERT_EQ(Read(DateForm::Compact, compact, clock), expect(seconds, 0)) << compact;
    ASSERT_EQ(Read(DateForm::MonthName, named, ""), expect(seconds, 0)) << named;
  }
}

}  // namespace
}  // namespace zentarix
