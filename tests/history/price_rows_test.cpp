// Price rows as data sites and terminals write them: the columns found by name, the delimiter
// found from the header, the decimal mark decided by the first cell that reads one way, group
// marks and currency signs, rows without prices skipped and counted, and every bad cell named by
// its problem, line and column. Prices are checked against glibc's correctly rounded strtold.
#include "history/price_rows.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;
using namespace std::string_view_literals;

struct FileCase {
  const char* name;
  std::string_view text;
  const char* bars;  // each bar: "high low time;" with prices as read back by strtold
  long rowsWithoutPrices;
  const char* error;  // the data error as "problem line column cell", "" for none
};

const char* const ProblemNames[] = {"NoPriceColumn", "NoBars",    "LineTooLong", "TooFewCells",
                                    "NotUtf8",       "HoldsNul",  "NotANumber",  "Ambiguous",
                                    "NotPositive",   "TooLarge",  "TooSmall",    "HighBelowLow",
                                    "NotADate",      "OutOfOrder"};

std::string Describe(const HistoryError& error) {
  return std::string(ProblemNames[static_cast<int>(error.Problem)]) + " " +
         std::to_string(error.Line) + " " + error.Column + " " + error.Cell;
}

// Reads the file line by line, as the command line does.
std::string ReadFile(const FileCase& c, PriceRowReader& table, std::string& error) {
  std::string bars;
  const std::string text(c.text);
  long number = 0;
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    Bar bar;
    switch (table.Read(std::string_view(text).substr(at, end - at), ++number, bar)) {
      case PriceRowReader::Row::Bar:
        bars += std::to_string(bar.Line) + ":" + std::to_string(static_cast<double>(bar.High)) +
                " " + std::to_string(static_cast<double>(bar.Low)) + " " + bar.Time + ";";
        break;
      case PriceRowReader::Row::Skipped:
        break;
      case PriceRowReader::Row::Error:
        error = Describe(table.Error());
        return bars;
    }
  }
  return bars;
}

class PriceFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(PriceFiles, ReadsTheBars) {
  const FileCase& c = GetParam();
  PriceRowReader table;
  std::string error;
  EXPECT_EQ(ReadFile(c, table, error), c.bars) << c.name;
  EXPECT_EQ(error, c.error) << c.name;
  EXPECT_EQ(table.RowsWithoutPrices(), c.rowsWithoutPrices) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PriceFiles,
    ::testing::Values(
        FileCase{"CommasWithDateAndIgnoredColumns",
                 "Date,Open,High,Low,Close,Adj Close,Volume\n"
                 "2024-01-02,1,2.5,0.5,1,1,100\n",
                 "2:2.500000 0.500000 2024-01-02;", 0, ""},
        FileCase{"TerminalExportWithSemicolonsAndCommas",
                 "<DATE>;<TIME>;<OPEN>;<HIGH>;<LOW>;<CLOSE>;<TICKVOL>\r\n"
                 "20240102;10:00:00;1,0850;1,0871;1,0844;1,0860;512\n",
                 "2:1.087100 1.084400 20240102 10:00:00;", 0, ""},
        FileCase{"TabsAndNoHighOrLow", "Timestamp\tclose\n1\t7.25\n\n2\t8\n",
                 "2:7.250000 7.250000 1;4:8.000000 8.000000 2;", 0, ""},
        FileCase{"NoHeaderOneCloseALine", "101.5\n 102 \n",
                 "1:101.500000 101.500000 ;2:102.000000 102.000000 ;", 0, ""},
        FileCase{"NullAndEmptyRowsAreCounted", "Date,High,Low\n1,2,1\n2,null,null\n3,,\n4,3,2\n",
                 "2:2.000000 1.000000 1;5:3.000000 2.000000 4;", 2, ""},
        FileCase{"ACellThatIsNoNumber", "Date,High,Low\n1,2,1\n2,2,x1\n", "2:2.000000 1.000000 1;",
                 0, "NotANumber 3 Low x1"},
        FileCase{"ACommaMarkInACommaFile", "Date,High,Low\n1,\"2,5\",1\n", "", 0,
                 "NotANumber 2 High 2,5"},
        FileCase{"AHighBelowItsLow", "Date,High,Low\n1,1,2\n", "", 0, "HighBelowLow 2  1"},
        FileCase{"NoPriceColumn", "Date,Volume\n1,2\n", "", 0, "NoPriceColumn 1  "},
        FileCase{"ALowAloneNullIsSkipped", "Date,High,Low\n1,2,null\n2,3,2\n",
                 "3:3.000000 2.000000 2;", 1, ""},
        FileCase{"ThousandsInQuotedCommaCells",
                 "\"Date\",\"Price\",\"Open\",\"High\",\"Low\",\"Vol.\"\n"
                 "\"02/28/2024\",\"7,278.20\",\"7,250.00\",\"7,301.50\",\"7,240.10\","
                 "\"190.28M\"\n",
                 "2:7301.500000 7240.100000 02/28/2024;", 0, ""},
        FileCase{"GroupedWithStopsUnderAComma", "Date;High;Low\n1;1.234,5;1 234\n",
                 "2:1234.500000 1234.000000 1;", 0, ""},
        FileCase{"NoBreakSpacesGroup",
                 "Date;Close\n1;1\xC2\xA0"
                 "234,5\n",
                 "2:1234.500000 1234.500000 1;", 0, ""},
        FileCase{"ACommaDecidesThenAStopGroups", "Date;Close\n1;2,5\n2;1.227\n",
                 "2:2.500000 2.500000 1;3:1227.000000 1227.000000 2;", 0, ""},
        FileCase{"AStopDecidesThenACommaGroups", "Date;Close\n1;102.75\n2;1,227\n",
                 "2:102.750000 102.750000 1;3:1227.000000 1227.000000 2;", 0, ""},
        FileCase{"AmbiguousBeforeTheMarkIsKnown", "Date;Close\n1;1.227\n", "", 0,
                 "Ambiguous 2 Close 1.227"},
        FileCase{"ALeadingZeroReadsOneWay", "Date;Close\n1;0.125\n2;1.227\n",
                 "2:0.125000 0.125000 1;3:1.227000 1.227000 2;", 0, ""},
        FileCase{"CommasInATabFileAreNoMark", "Date\tClose\n1\t102.75\n2\t2,5\n",
                 "2:102.750000 102.750000 1;", 0, "NotANumber 3 Close 2,5"},
        FileCase{"ARoubleSignAfterTheNumber", "Date;Close\n1;106,53 \xE2\x82\xBD\n",
                 "2:106.530000 106.530000 1;", 0, ""},
        FileCase{"CurrencyBeforeAndAfter",
                 "Date,Close\n1,$106.53\n2,\xE2\x82\xAC"
                 "7\n",
                 "2:106.530000 106.530000 1;3:7.000000 7.000000 2;", 0, ""},
        FileCase{"TheCloseCalledLast", "<DATE>;<LAST>\n20240102;1,5\n",
                 "2:1.500000 1.500000 20240102;", 0, ""},
        FileCase{"ANulCutsNoPriceShort", "Close\n9\0 5.52\n"sv, "", 0, "HoldsNul 2 Close "},
        FileCase{"ANulInTheFirstSixteenBytes", "Date,High,Low\n2024-01-02,9\0 5.52,1\n"sv, "", 0,
                 "HoldsNul 2 High "},
        FileCase{"ANulBesideTheLastCellRead", "Date,High,Low,Close\n2024-01-02 10:00,9\0,1,7\n"sv,
                 "", 0, "HoldsNul 2 High "},
        FileCase{"ZeroIsNoPrice", "Close\n0\n", "", 0, "NotPositive 2 Close 0"},
        FileCase{"ANegativePrice", "Close\n-5\n", "", 0, "NotPositive 2 Close -5"},
        FileCase{"BeyondTheDouble", "Close\n1e400\n", "", 0, "TooLarge 2 Close 1e400"},
        FileCase{"BelowTheSmallestNormal", "Close\n1e-400\n", "", 0, "TooSmall 2 Close 1e-400"},
        FileCase{"ATruncatedRow", "Date,Open,High,Low,Close\n1,2,3\n", "", 0, "TooFewCells 2  "},
        FileCase{"ADateThatIsNotUtf8", "Date,Close\n\xFF\xFE,5\n", "", 0, "NotUtf8 2 Date "}),
    [](const auto& info) { return std::string(info.param.name); });

// Every price is the extended value nearest to its text, as glibc's strtold reads it.
TEST(PriceFilesExactly, PricesAreReadToTheNearestExtendedValue) {
  const std::vector<std::string> prices = {
      "1.0850", "23456.75", "0.000012345678901234567", "9876543210987654321", "1e-20", "0.1"};
  for (const std::string& price : prices) {
    PriceRowReader table;
    Bar bar;
    ASSERT_EQ(table.Read("Close", 1, bar), PriceRowReader::Row::Skipped);
    ASSERT_EQ(table.Read(price, 2, bar), PriceRowReader::Row::Bar) << price;
    EXPECT_EQ(bar.High, std::strtold(price.c_str(), nullptr)) << price;
  }
}

// A row whose prices are plain decimals of up to sixteen bytes, with sixteen bytes of the row
// up to each cell's end, reads them sixteen bytes at once; every other row the general way.
// Both must give strtold's value: cells on either side of each limit (sixteen bytes, sixteen
// digits, the mark first or last, a cell ending sixteen bytes into the row), leading and
// trailing zeros, the double's halfway cases (exact in the extended format), and random cells.
TEST(PriceFilesExactly, PlainRowsReadToTheNearestExtendedValue) {
  std::vector<std::string> prices = {
      // Short cells, the mark first or last, zeros before and after.
      "7", "0.5", "5.", ".5", "00012.50", "100.2393", "99.9410", "0.0000000000000000001",
      // Sixteen bytes or digits, and one more.
      "1234567890123456", "123456789012345.6", "1.234567890123456", "0.000000000000001",
      "9999999999999999", "12345678901234567", "1234567890123456.7", "0.1234567890123456",
      // Halfway between two doubles, exact in the extended format; 2^64 - 1.
      "9007199254740993", "9007199254740993.5", "4503599627370497.5", "18446744073709551615",
      // No plain decimal: read the general way.
      "1e2", " 12.5", "12.5 ", "0.30000000000000004"};
  std::mt19937_64 random(20261208);
  for (int round = 0; round < 4000; ++round) {
    // Up to 19 digits, the mark before any of them, after the last, or left out.
    const auto digits = random() % 19 + 1;
    const auto mark = random() % (digits + 2);
    std::string price;
    for (std::uint64_t at = 0; at < digits; ++at) {
      if (at == mark) price += '.';
      // A third of the digits zeros, for runs of them.
      price += static_cast<char>('0' + (random() % 3 == 0 ? 0 : random() % 10));
    }
    if (mark == digits) price += '.';
    // A price is above zero.
    if (price.find_first_of("123456789") == std::string::npos) price[price.find('0')] = '1';
    prices.push_back(price);
  }
  struct Layout {
    const char* header;
    std::string deciding;  // a row that decides the decimal mark, or none
    std::string row;
    Extended Bar::*price;
  };
  for (const std::string& price : prices) {
    std::string comma = price;
    std::replace(comma.begin(), comma.end(), '.', ',');
    // The cell first in its row (ending within sixteen bytes of the row's start, or at the
    // sixteenth byte), then after a date as the low, as both, and with a comma for its mark.
    const Layout layouts[] = {
        {"High,Low,Close", "", price + ",0.00000000000000000001,1", &Bar::High},
        {"Date,High,Low,Close", "", "2024-01-02 10:00,1e20," + price + ",1", &Bar::Low},
        {"Date,High,Low,Close", "", "2024-01-02 10:00," + price + "," + price + ",1", &Bar::High},
        {"Date;High;Low;Close", "2024-01-02 09:59;2,5;1;1",
         "2024-01-02 10:00;" + comma + ";" + comma + ";1", &Bar::Low}};
    for (const Layout& layout : layouts) {
      PriceRowReader table;
      Bar bar;
      ASSERT_EQ(table.Read(layout.header, 1, bar), PriceRowReader::Row::Skipped);
      if (!layout.deciding.empty()) {
        ASSERT_EQ(table.Read(layout.deciding, 2, bar), PriceRowReader::Row::Bar);
      }
      ASSERT_EQ(table.Read(layout.row, 3, bar), PriceRowReader::Row::Bar) << layout.row;
      EXPECT_EQ(bar.*layout.price, std::strtold(price.c_str(), nullptr)) << layout.row;
    }
  }
}

// Asked for, a bar's open and close come with it where the file has them; a cell that holds no
// price leaves them 0 and the row a bar, since only candles need them.
TEST(PriceFilesCandles, OpensAndClosesWhereTheFileHasThem) {
  struct Row {
    const char* name;
    const char* header;
    const char* row;
    long double open, close;
  };
  for (const Row& row :
       {Row{"OpenAndClose", "Date;Open;High;Low;Close", "2024-01-02;1,5;2,5;1;2", 1.5L, 2},
        Row{"NoOpen", "Date,High,Low,Close", "2024-01-02,2.5,1,2", 0, 2},
        Row{"CloseBeyondTheRange", "Open,High,Low,Volume,Close", "1.5,2.5,1,100,2", 1.5L, 2},
        Row{"AShortRow", "Open,High,Low,Volume,Close", "1.5,2.5,1", 1.5L, 0},
        Row{"AnOpenThatIsNoPrice", "Open,High,Low,Close", "n/a,2.5,1,2", 0, 2}}) {
    PriceRowReader table;
    Bar bar;
    ASSERT_EQ(table.Read(row.header, 1, bar), PriceRowReader::Row::Skipped) << row.name;
    table.ReadOpenAndClose();
    ASSERT_EQ(table.Read(row.row, 2, bar), PriceRowReader::Row::Bar) << row.name;
    EXPECT_EQ(bar.Open, row.open) << row.name;
    EXPECT_EQ(bar.Close, row.close) << row.name;
    EXPECT_EQ(bar.High, 2.5L) << row.name;
  }
}

}  // namespace
}  // namespace zentarix
