// The entry field under pastes: line breaks at the ends of a pasted text go, the text is never
// cut, and long pastes do not pile up memory. And the colour of its flat frame.
#include "spin/field_edit.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPalette>
#include <QTest>
#include <array>
#include <fstream>
#include <memory>

#include "spin/spin_edit.h"
#include "tests/spin/spin_test_support.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

enum class PastePath { CtrlV, ShiftInsert, Menu, Drop };

struct PasteCase {
  const char* name;
  bool spinEdit;
  PastePath path;
  QString pasted;
  QString expected;
};

class FieldEditPaste : public ::testing::TestWithParam<PasteCase> {
 protected:
  void SetUp() override {
    const PasteCase& c = GetParam();
    Window.resize(300, 100);
    Field = c.spinEdit ? new TSpinEdit(&Window) : new FieldEdit(&Window);
    Field->setGeometry(0, 0, 150, 22);
    ASSERT_TRUE(test::ShowActive(Window));
    Field->setFocus();
    Field->setText("12");
    Field->selectAll();
  }

  void Paste(const PasteCase& c) {
    QGuiApplication::clipboard()->setText(c.pasted);
    switch (c.path) {
      case PastePath::CtrlV:
        return QTest::keyClick(Field, Qt::Key_V, Qt::ControlModifier);
      case PastePath::ShiftInsert:
        return QTest::keyClick(Field, Qt::Key_Insert, Qt::ShiftModifier);
      case PastePath::Menu:
        return PasteFromMenu();
      case PastePath::Drop:
        return Drop(c.pasted);
    }
  }

  void PasteFromMenu() {
    const std::unique_ptr<QMenu> menu(Field->CreateContextMenu());
    auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"));
    ASSERT_NE(paste, nullptr);
    paste->trigger();
  }

  void Drop(const QString& text) {
    Field->clear();
    QMimeData data;
    data.setText(text);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Field, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Field, &drop);
  }

  QWidget Window;
  FieldEdit* Field = nullptr;
};

TEST_P(FieldEditPaste, KeepsTheTextWithoutItsEndBreaks) {
  const PasteCase& c = GetParam();
  Paste(c);
  EXPECT_EQ(Field->text(), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Pastes, FieldEditPaste,
    ::testing::Values(PasteCase{"LineFeedByCtrlV", false, PastePath::CtrlV, "100\n", "100"},
                      PasteCase{"CrLfAtBothEndsByShiftInsert", false, PastePath::ShiftInsert,
                                "\r\n250\r\n", "250"},
                      PasteCase{"LineFeedFromTheMenu", false, PastePath::Menu, "7\n", "7"},
                      PasteCase{"DroppedWithALineFeed", false, PastePath::Drop, "77\n", "77"},
                      PasteCase{"SpinEditByCtrlV", true, PastePath::CtrlV, "45\r\n", "45"},
                      PasteCase{"SpinEditFromItsMenu", true, PastePath::Menu, "\n46", "46"},
                      PasteCase{"BeyondQtsDefaultLimit", false, PastePath::CtrlV,
                                QString(40000, u'0') + u'5', QString(40000, u'0') + u'5'}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FieldEditLongPaste, GoesWhereTheCursorIsAndLeavesItAfterThePaste) {
  FieldEdit field;
  field.setText("1234");
  field.setCursorPosition(2);
  field.InsertPasted(QString(2000, u'x') + u'\n');
  EXPECT_EQ(field.text(), "12" + QString(2000, u'x') + "34");
  EXPECT_EQ(field.cursorPosition(), 2002);
  field.setSelection(1, 2000);
  field.InsertPasted(QString(1500, u'y'));
  EXPECT_EQ(field.text(), "1" + QString(1500, u'y') + "x34");
}

// The flat frame is halfway between the scheme's text and ground, channel by channel. Every
// channel of the two colours differs, so a channel mixed from the wrong one shows.
TEST(FieldFrame, IsHalfwayBetweenTheSchemesTextAndGroundInEachChannel) {
  QPalette scheme;
  scheme.setColor(QPalette::Text, QColor(200, 40, 10));
  scheme.setColor(QPalette::Base, QColor(20, 100, 220));
  const QColor frame = FieldFrameColor(scheme, false);
  EXPECT_EQ((std::array{frame.red(), frame.green(), frame.blue()}), (std::array{110, 70, 115}));
}

long long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long long total = 0;
  long long resident = 0;
  statm >> total >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

TEST(FieldEditLongPaste, EightyPastesOfThirtyThousandCharactersKeepMemoryFlat) {
#if defined(__SANITIZE_ADDRESS__)
  GTEST_SKIP() << "AddressSanitizer holds freed memory back on purpose";
#endif
  FieldEdit field;
  QGuiApplication::clipboard()->setText(QString(30000, u'7'));
  field.paste();  // the first one sets up what every later one reuses
  const long long before = ResidentBytes();
  for (int paste = 0; paste < 80; ++paste) {
    field.selectAll();
    field.paste();
  }
  EXPECT_EQ(field.text().size(), 30000);
  EXPECT_LT(ResidentBytes() - before, 10LL << 20);
}

}  // namespace
}  // namespace zentarix
