// The chart as it lands on disk: read back from the written file, a PNG has its size and the
// last swing's levels on the rows their prices map to, an SVG is well-formed XML that holds its
// title, and a write that fails leaves no file behind.
#include "chart/price_chart.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <cmath>
#include <vector>

namespace zentarix {
namespace {

const QString Title = QStringLiteral("цены.csv, swings of 5%");

// One rising swing from 100 (line 2) to 200 (line 4): the bars span 100 to 200, and so does
// the price scale, since the levels' corridors lie inside it.
struct History {
  std::vector<Bar> Bars{{120, 100, 2, "2024-01-02", 0},
                        {150, 118, 3, "2024-01-03", 1},
                        {200, 160, 4, "2024-01-04", 2},
                        {190, 170, 5, "2024-01-05", 3},
                        {185, 165, 6, "2024-01-08", 4}};
  std::vector<Swing> Swings{{true, false, Bars[0], Bars[2]}};

  PriceChart Chart(QSize size) const {
    return {.Size = size, .Title = Title, .Columns = Bars, .Swings = Swings, .Tenths = 30};
  }
};

TEST(PriceChart, APngHasItsSizeAndTheLevelsOnTheRowsOfTheirPrices) {
  QTemporaryDir folder;
  const QString file = folder.filePath("chart.png");
  // 350 rows for the span of 100: 3.5 rows a unit keeps every level clear of half rows.
  const QSize size(800, 451);
  ASSERT_EQ(WritePriceChart(file.toStdString(), History().Chart(size)), "");
  const QImage image(file);
  ASSERT_EQ(image.size(), size);

  const ChartFrame frame = FrameOfChart(size);
  ASSERT_EQ(frame.BottomRow - frame.TopRow, 350);
  const auto row = [&](long double price) {
    return static_cast<int>(
        std::lround(frame.TopRow + (200 - price) / 100 * (frame.BottomRow - frame.TopRow)));
  };
  // Right of the bars, where only the levels are drawn. F3 = 161.8, 50% = 150, F5 = 138.2,
  // each corridor 3 either side (30 tenths of a percent of the move of 100).
  const int x = frame.BarsRight + 2;
  const QRgb black = qRgb(0, 0, 0);
  const QRgb red = qRgb(255, 0, 0);
  const QRgb band = qRgb(200, 200, 255);
  struct Level {
    const char* name;
    long double price, upper, lower;
    QRgb color;
  };
  for (const Level& level :
       {Level{"F3", 161.8L, 164.8L, 158.8L, black}, Level{"F5", 138.2L, 141.2L, 135.2L, black}}) {
    EXPECT_EQ(image.pixel(x, row(level.price)), level.color) << level.name;
    EXPECT_EQ(image.pixel(x, row(level.upper)), band) << level.name;
    EXPECT_EQ(image.pixel(x, row(level.lower)), band) << level.name;
    EXPECT_NE(image.pixel(x, row(level.upper) - 1), band) << level.name;
    EXPECT_NE(image.pixel(x, row(level.lower) + 1), band) << level.name;
  }
  EXPECT_EQ(image.pixel(x, row(150)), red);
}

TEST(PriceChart, AnSvgIsWellFormedAndHoldsItsTitle) {
  QTemporaryDir folder;
  const QString file = folder.filePath("chart.svg");
  ASSERT_EQ(WritePriceChart(file.toStdString(), History().Chart(QSize(640, 360))), "");
  QFile svg(file);
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&svg);
  QString documentTitle;
  QString drawn;  // every text drawn, run after run (a change of script starts a new one)
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == u"title") documentTitle = xml.readElementText();
    if (xml.name() == u"text") drawn += xml.readElementText();
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_EQ(documentTitle, Title);
  EXPECT_TRUE(drawn.contains(Title)) << drawn.toStdString();
}

// A write that fails part-way leaves the folder as it was: no temporary file, and the earlier
// picture of that name untouched. A limit on the size of files stands in for a full disk, which
// root, who runs the tests in CI, cannot otherwise be kept from: writes beyond it fail.
TEST(PriceChart, AWriteThatFailsLeavesNothingHalfWritten) {
  QTemporaryDir folder;
  const QString file = folder.filePath("chart.png");
  QFile earlier(file);
  ASSERT_TRUE(earlier.open(QIODevice::WriteOnly) && earlier.write("earlier") == 7);
  earlier.close();
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit limited = saved;
  limited.rlim_cur = 1000;
  const sighandler_t savedSignal = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &limited);
  const std::string error = WritePriceChart(file.toStdString(), History().Chart(QSize(640, 360)));
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, savedSignal);

  EXPECT_EQ(error, "cannot write " + file.toStdString() + ": File too large");
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"chart.png"});
  ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
  EXPECT_EQ(earlier.readAll(), "earlier");
}

}  // namespace
}  // namespace zentarix
