// The main window at a device pixel ratio of 2 (the program runs with QT_SCALE_FACTOR=2): its
// layout stays in logical pixels, the diagram's bands land on exactly twice their logical
// rows and columns, with no band colour anywhere else, and its lines are one device pixel
// wide.
#include <QImage>
#include <QPlainTextEdit>
#include <QPushButton>

#include "shell/paint_box.h"
#include "tests/shell/main_window_fixture.h"

using namespace zentarix;

namespace {

constexpr int Ratio = 2;
constexpr QRgb BandColour = 0xFFC8C8FF;
constexpr QRgb Red = 0xFFFF0000;

TEST_F(MainWindowTest, RunsAtTwiceTheDevicePixels) {
  ASSERT_EQ(Form->devicePixelRatio(), Ratio) << "run this program with QT_SCALE_FACTOR=2";
}

struct GeometryCase {
  const char* name;
  QWidget* (*control)(const TForm1&);
  QRect logical;
};

void PrintTo(const GeometryCase& c, std::ostream* os) { *os << c.name; }

class ScaledGeometry : public MainWindowTest, public ::testing::WithParamInterface<GeometryCase> {};

TEST_P(ScaledGeometry, StaysInLogicalPixels) {
  const GeometryCase& c = GetParam();
  EXPECT_EQ(c.control(*Form)->geometry(), c.logical) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ScaledGeometry,
    ::testing::Values(GeometryCase{"Panel2", [](const TForm1& f) -> QWidget* { return f.Panel2(); },
                                   QRect(0, 0, 193, 433)},
                      GeometryCase{"Panel3", [](const TForm1& f) -> QWidget* { return f.Panel3(); },
                                   QRect(193, 0, 463, 433)},
                      GeometryCase{"pnb", [](const TForm1& f) -> QWidget* { return f.pnb(); },
                                   QRect(1, 1, 461, 431)},
                      GeometryCase{"Edit1", [](const TForm1& f) -> QWidget* { return f.Edit1(); },
                                   QRect(8, 20, 173, 19)},
                      GeometryCase{"SpinEdit1",
                                   [](const TForm1& f) -> QWidget* { return f.SpinEdit1(); },
                                   QRect(88, 84, 93, 22)},
                      GeometryCase{"Button1",
                                   [](const TForm1& f) -> QWidget* { return f.Button1(); },
                                   QRect(12, 108, 173, 25)},
                      GeometryCase{"Memo1", [](const TForm1& f) -> QWidget* { return f.Memo1(); },
                                   QRect(1, 136, 191, 296)}),
    [](const auto& info) { return std::string(info.param.name); });

struct BandCase {
  const char* name;
  const char* a;
  const char* b;
  QRect f3Band;  // logical FillRect: left, top, right (excluded), bottom (excluded)
  QRect f5Band;
};

void PrintTo(const BandCase& c, std::ostream* os) { *os << c.name; }

QRect FillRect(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

QRect Scaled(const QRect& logical) {
  return QRect(logical.topLeft() * Ratio, logical.size() * Ratio);
}

class ScaledDiagram : public MainWindowTest, public ::testing::WithParamInterface<BandCase> {
 protected:
  QImage Diagram(const BandCase& c) {
    Form->Edit1()->setText(QString::fromUtf8(c.a));
    Form->Edit2()->setText(QString::fromUtf8(c.b));
    QTest::mouseClick(Form->Button1(), Qt::LeftButton);
    return Form->pnb()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  }
};

TEST_P(ScaledDiagram, GrabHasTwiceTheLogicalPixels) {
  const QImage diagram = Diagram(GetParam());
  EXPECT_EQ(diagram.size(), QSize(461, 431) * Ratio)
      << "grabbed " << diagram.width() << "x" << diagram.height();
  EXPECT_EQ(diagram.devicePixelRatio(), Ratio);
}

TEST_P(ScaledDiagram, BandRowsAreTwiceTheLogicalRows) {
  const BandCase& c = GetParam();
  const QImage diagram = Diagram(c);
  for (const QRect& band : {Scaled(c.f3Band), Scaled(c.f5Band)}) {
    // A column inside the band and clear of its labels: every band row, and not one more.
    const int x = band.left() + 14 * Ratio;
    for (int y = band.top(); y <= band.bottom(); ++y) {
      ASSERT_EQ(diagram.pixel(x, y), BandColour) << c.name << " at " << x << "," << y;
    }
    EXPECT_NE(diagram.pixel(x, band.top() - 1), BandColour) << c.name << " above " << band.top();
    EXPECT_NE(diagram.pixel(x, band.bottom() + 1), BandColour)
        << c.name << " below " << band.bottom();
  }
}

TEST_P(ScaledDiagram, NoBandColourOutsideTheBands) {
  const BandCase& c = GetParam();
  const QImage diagram = Diagram(c);
  const QRect f3 = Scaled(c.f3Band);
  const QRect f5 = Scaled(c.f5Band);
  for (int y = 0; y < diagram.height(); ++y) {
    for (int x = 0; x < diagram.width(); ++x) {
      if (f3.contains(x, y) || f5.contains(x, y)) continue;
      ASSERT_NE(diagram.pixel(x, y), BandColour) << c.name << " at " << x << "," << y;
    }
  }
}

// The lines are drawn at the device's resolution, as the text is: one device row thick, on
// the first device row of their logical row.
TEST_P(ScaledDiagram, FiftyPercentLineIsOneDeviceRowThick) {
  const BandCase& c = GetParam();
  const QImage diagram = Diagram(c);
  // The 50% line stands on logical row 216 at this size, whichever the direction.
  const int x = 300 * Ratio;
  EXPECT_NE(diagram.pixel(x, 216 * Ratio - 1), Red) << c.name;
  EXPECT_EQ(diagram.pixel(x, 216 * Ratio), Red) << c.name;
  EXPECT_NE(diagram.pixel(x, 216 * Ratio + 1), Red) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, ScaledDiagram,
    ::testing::Values(BandCase{"Rising", "100", "110", FillRect(106, 161, 258, 183),
                               FillRect(258, 248, 410, 270)},
                      BandCase{"Falling", "110", "100", FillRect(106, 248, 258, 270),
                               FillRect(258, 161, 410, 183)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, WindowGrabHasTwiceTheLogicalSize) {
  EXPECT_EQ(Form->size(), QSize(656, 433));
  const QPixmap window = Form->grab();
  EXPECT_EQ(window.size(), QSize(656, 433) * Ratio)
      << "grabbed " << window.width() << "x" << window.height();
}

}  // namespace
