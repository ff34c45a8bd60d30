// Price files as data sites and terminals write them: the columns found by name, the delimiter
// found from the header, the decimal comma of semicolon files, rows without prices skipped and
// counted, and a bad cell named by its line and column. Prices are checked against glibc's
// correctly rounded strtold.
#include "history/price_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

struct FileCase {
  const char* name;
  const char* text;
  const char* bars;  // each bar: "high low time;" with prices as read back by strtold
  long rowsWithoutPrices;
  const char* error;  // the data error, "" for none
};

// Reads the file line by line, as the command line does.
std::string ReadFile(const FileCase& c, PriceTable& table, std::string& error) {
  std::string bars;
  const std::string text = c.text;
  long number = 0;
  for (std::size_t at = 0, end; at < text.size(); at = end + 1) {
    end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    Bar bar;
    switch (table.Read(std::string_view(text).substr(at, end - at), ++number, bar)) {
      case PriceTable::Row::Bar:
        bars += std::to_string(bar.Line) + ":" + std::to_string(static_cast<double>(bar.High)) +
                " " + std::to_string(static_cast<double>(bar.Low)) + " " + bar.Time + ";";
        break;
      case PriceTable::Row::Skipped:
        break;
      case PriceTable::Row::Error:
        error = table.Error();
        return bars;
    }
  }
  return bars;
}

class PriceFiles : public ::testing::TestWithParam<FileCase> {};

TEST_P(PriceFiles, ReadsTheBars) {
  const FileCase& c = GetParam();
  PriceTable table;
  std::string error;
  EXPECT_EQ(ReadFile(c, table, error), c.bars) << c.name;
  EXPECT_EQ(error, c.error) << c.name;
  EXPECT_EQ(table.RowsWithoutPrices(), c.rowsWithoutPrices) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PriceFiles,
    ::testing::Values(FileCase{"CommasWithDateAndIgnoredColumns",
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
                      FileCase{"NullAndEmptyRowsAreCounted",
                               "Date,High,Low\n1,2,1\n2,null,null\n3,,\n4,3,2\n",
                               "2:2.000000 1.000000 1;5:3.000000 2.000000 4;", 2, ""},
                      FileCase{"ACellThatIsNoNumber", "Date,High,Low\n1,2,1\n2,2,x1\n",
                               "2:2.000000 1.000000 1;", 0,
                               "line 3, column Low: \"x1\" is not a number"},
                      FileCase{"ACommaMarkInACommaFile", "Date,High,Low\n1,\"2,5\",1\n", "", 0,
                               "line 2, column High: \"2,5\" is not a number"},
                      FileCase{"AHighBelowItsLow", "Date,High,Low\n1,1,2\n", "", 0,
                               "line 2: High 1 is below Low 2"},
                      FileCase{"NoPriceColumn", "Date,Volume\n1,2\n", "", 0,
                               "line 1: no High and Low columns and no Close column"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every price is the extended value nearest to its text, as glibc's strtold reads it.
TEST(PriceFilesExactly, PricesAreReadToTheNearestExtendedValue) {
  const std::vector<std::string> prices = {
      "1.0850", "23456.75", "0.000012345678901234567", "9876543210987654321", "1e-20", "0.1"};
  for (const std::string& price : prices) {
    PriceTable table;
    Bar bar;
    ASSERT_EQ(table.Read("Close", 1, bar), PriceTable::Row::Skipped);
    ASSERT_EQ(table.Read(price, 2, bar), PriceTable::Row::Bar) << price;
    EXPECT_EQ(bar.High, std::strtold(price.c_str(), nullptr)) << price;
  }
}

}  // namespace
}  // namespace zentarix
