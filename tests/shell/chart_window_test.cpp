// The chart window of a dropped price file: Page Up and Page Down choose a swing, whose A and B
// go into the main window's fields and are calculated, the title names it and a screen reader
// hears it; a new threshold reads the file again, and one at which the prices never turn leaves the
// bars and says why.
#include "shell/chart_window.h"

#include <QDoubleSpinBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QTemporaryDir>
#include <QThread>

#include "shell/drop_reading.h"
#include "shell/paint_box.h"
#include "shell/window_accessibility.h"
#include "tests/shell/main_window_fixture.h"

namespace zentarix {
namespace {

// Lets a read run to its end and delivers its outcome, as the event loop would.
void EndRead(DropReading& reading) {
  QCoreApplication::sendPostedEvents();
  if (QThread* reader = reading.Reader()) reader->wait();
  QCoreApplication::sendPostedEvents();
}

// At 5%: up 100 -> 110, down 110 -> 104, up 104 -> 120 (not confirmed).
constexpr char Prices[] =
    "Date,Close\n2024-01-01,100\n2024-01-02,110\n2024-01-03,104\n2024-01-04,120\n"
    "2024-01-05,118\n";

struct Step {
  Qt::Key key;  // none for the drop
  const char* a;
  const char* b;
  const char* listingStart;
  const char* titleEnd;
  const char* heard;  // the start of the announcement; empty for none
  int row;            // the list's current row
};

TEST_F(MainWindowTest, ChartWindowChoosesSwingsByKey) {
  QTemporaryDir folder;
  const QString file = folder.filePath("prices.csv");
  QFile prices(file);
  ASSERT_TRUE(prices.open(QIODevice::WriteOnly) && prices.write(Prices) > 0);
  prices.close();
  const QString title = Form->windowTitle();
  Form->FormDropFile(file);
  EndRead(Form->DroppedFileReading());
  ChartWindow* chart = Form->Chart();
  ASSERT_NE(chart, nullptr);
  EXPECT_TRUE(chart->isVisible());
  EXPECT_EQ(chart->windowTitle(), "График");
  auto* heard = chart->findChild<Announcer*>();

  const Step steps[] = {
      {Qt::Key_unknown, "104", "120", "A = 104.0000\nB = 120.0000\n",
       " — prices.csv, волна 3 (вверх, 2024-01-03 – 2024-01-04, не подтверждена)", "", 2},
      {Qt::Key_PageUp, "110", "104", "A = 110.0000\nB = 104.0000\n",
       " — prices.csv, волна 2 (вниз, 2024-01-02 – 2024-01-03)",
       "волна 2, вниз, 110 – 104, 2024-01-02 – 2024-01-03. ", 1},
      {Qt::Key_PageUp, "100", "110", "A = 100.0000\nB = 110.0000\n",
       " — prices.csv, волна 1 (вверх, 2024-01-01 – 2024-01-02)",
       "волна 1, вверх, 100 – 110, 2024-01-01 – 2024-01-02. ", 0},
      // There is none before the first.
      {Qt::Key_PageUp, "100", "110", "A = 100.0000\nB = 110.0000\n",
       " — prices.csv, волна 1 (вверх, 2024-01-01 – 2024-01-02)", "волна 1, вверх", 0},
      {Qt::Key_PageDown, "110", "104", "A = 110.0000\nB = 104.0000\n",
       " — prices.csv, волна 2 (вниз, 2024-01-02 – 2024-01-03)", "волна 2, вниз", 1},
  };
  for (const Step& step : steps) {
    if (step.key != Qt::Key_unknown) QTest::keyClick(chart->Area(), step.key);
    const std::string at = QKeySequence(step.key).toString().toStdString();
    EXPECT_EQ(Form->Edit1()->text().toStdString(), step.a) << at;
    EXPECT_EQ(Form->Edit2()->text().toStdString(), step.b) << at;
    EXPECT_EQ(Listing().substr(0, std::strlen(step.listingStart)), step.listingStart) << at;
    EXPECT_EQ(Form->windowTitle().toStdString(), title.toStdString() + step.titleEnd) << at;
    if (*step.heard != '\0') {
      EXPECT_TRUE(heard->accessibleName().startsWith(QString::fromUtf8(step.heard))) << at;
    }
    EXPECT_EQ(chart->SwingList()->currentIndex().row(), step.row) << at;
  }

  // At 15% one swing is left, and it is chosen; at 25% the prices never turn: the list
  // empties and the window says why, the fields stay.
  chart->Threshold()->setValue(15);
  EndRead(chart->Reading());
  EXPECT_EQ(chart->SwingList()->model()->rowCount(), 1);
  EXPECT_EQ(Form->Edit1()->text().toStdString(), "100");
  EXPECT_EQ(Form->Edit2()->text().toStdString(), "120");
  chart->Threshold()->setValue(25);
  EndRead(chart->Reading());
  EXPECT_EQ(chart->SwingList()->model()->rowCount(), 0);
  EXPECT_EQ(chart->Status()->text().toStdString(), "нет волны: цены ни разу не сдвигаются на 25%");
  EXPECT_EQ(Form->Edit2()->text().toStdString(), "120");
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

}  // namespace
}  // namespace zentarix
