#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalSpy>
#include <climits>
#include <memory>
#include <utility>

#include "calc/number_settings.h"
#include "tests/spin/spin_edit_fixture.h"
#include "tests/support/marks_guard.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

using test::SpinEditFixture;

// ---- Value ---------------------------------------------------------------------------------

TEST(SpinEditConstruction, StartsAtZeroWithoutAClamp) {
  TSpinEdit edit;
  EXPECT_EQ(edit.text(), "0");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(edit.Increment(), 1);
  EXPECT_TRUE(edit.EditorEnabled());
  EXPECT_TRUE(edit.TabStop());
  EXPECT_EQ(edit.SpinButton()->FocusControl(), &edit);
  for (int i = 0; i < 3; ++i) edit.StepUp(&edit);
  EXPECT_EQ(edit.text(), "3");
}

class SpinEditValue : public SpinEditFixture {};

TEST_F(SpinEditValue, ReadsMinValueFromAnyTextThatIsNotAWholeNumber) {
  SetRange(7, 100);
  for (const char* text : {"", "2,5", " 7 ", "abc", "2147483648"}) {
    Start(text);
    EXPECT_EQ(Edit->Value(), 7) << '"' << text << '"';
  }
  Start("0X1F");
  EXPECT_EQ(Edit->Value(), 31);
}

struct WriteCase {
  const char* name;
  int Min, Max, Written;
  const char* Text;
};

class SpinEditWrite : public SpinEditFixture, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(SpinEditWrite, ClampsAndWritesPlainDecimal) {
  const WriteCase& c = GetParam();
  SetRange(c.Min, c.Max);
  Start("1");
  Edit->setValue(c.Written);
  EXPECT_EQ(Text(), c.Text);
  EXPECT_EQ(Changes, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Writes, SpinEditWrite,
    ::testing::Values(WriteCase{"NoClampWithEqualBounds", 0, 0, -2147483647 - 1, "-2147483648"},
                      WriteCase{"Inside", 0, 100, 30, "30"}, WriteCase{"Above", 0, 100, 150, "100"},
                      WriteCase{"Below", 0, 100, -5, "0"},
                      WriteCase{"InvertedRangeBelowMin", 20, 10, 5, "20"},
                      WriteCase{"InvertedRangeBetween", 20, 10, 15, "20"},
                      WriteCase{"InvertedRangeAboveMin", 20, 10, 25, "10"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpinEditValue, WritingTheSameTextRaisesNothing) {
  SetRange(0, 100);
  Start("100");
  Edit->setValue(100);
  Edit->setValue(250);
  EXPECT_EQ(Changes, 0);
}

TEST_F(SpinEditValue, EveryRealChangeRaisesOnChangeOnce) {
  Start("5");
  Edit->setValue(6);
  Edit->setText("7");
  Edit->setFocus();
  QTest::keyClick(Edit, Qt::Key_End);
  QTest::keyClick(Edit, Qt::Key_8);
  EXPECT_EQ(Log, (std::vector<std::string>{"change:6", "change:7", "change:78"}));
}

TEST_F(SpinEditValue, PropertiesSetInDocumentOrderClampTheValue) {
  // The order in which a form layout sets them: range first, then the value.
  EXPECT_TRUE(Edit->setProperty("MaxValue", 100));
  EXPECT_TRUE(Edit->setProperty("MinValue", 0));
  EXPECT_TRUE(Edit->setProperty("Value", 130));
  EXPECT_EQ(Text(), "100");
  EXPECT_TRUE(Edit->setProperty("Value", 30));
  EXPECT_EQ(Edit->property("Value").toInt(), 30);
  EXPECT_TRUE(Edit->setProperty("Increment", 5));
  EXPECT_TRUE(Edit->setProperty("EditorEnabled", false));
  EXPECT_EQ(Edit->Increment(), 5);
  EXPECT_FALSE(Edit->EditorEnabled());
}

TEST_F(SpinEditValue, ANewRangeDoesNotReclampTheText) {
  Start("500");
  SetRange(0, 100);
  EXPECT_EQ(Text(), "500");
  EXPECT_EQ(Changes, 0);
}

// ---- Steps ---------------------------------------------------------------------------------

class SpinEditStep : public SpinEditFixture {};

TEST_F(SpinEditStep, AStepAtTheUpperBoundChangesNothing) {
  SetRange(0, 100);
  Start("100");
  Edit->StepUp(Edit);
  EXPECT_EQ(Text(), "100");
  EXPECT_EQ(Changes, 0);
}

TEST_F(SpinEditStep, WrapsAroundWithoutAClamp) {
  Start("2147483647");
  Edit->StepUp(Edit);
  EXPECT_EQ(Text(), "-2147483648");
  Edit->StepDown(Edit);
  EXPECT_EQ(Text(), "2147483647");
}

// A fraction steps from its own value, keeping its decimals, clamped by the bounds and written
// with the locale's mark; any other text that is no whole number steps from MinValue.
TEST_F(SpinEditStep, FractionsStepFromTheirValueOtherTextsFromMinValue) {
  struct Row {
    char32_t mark;
    int min, max;
    const char* text;
    bool up;
    const char* expected;
  };
  for (const Row& row :
       {Row{U',', 0, 100, "2,5", true, "3,5"}, Row{U',', 0, 100, "2.5", true, "3,5"},
        Row{U',', 0, 100, "2,50", false, "1,50"}, Row{U',', 0, 100, "30,5", true, "31,5"},
        Row{U',', 0, 100, "99,5", true, "100,0"}, Row{U',', 0, 100, "0,5", false, "0,0"},
        Row{U',', 0, 0, "-2,5", true, "-1,5"}, Row{U'.', 0, 100, "2.5", false, "1.5"},
        Row{U'.', 7, 100, "2,5", true, "8"}, Row{U',', 7, 100, "abc", true, "8"},
        Row{U',', 0, 100, "$1F", true, "32"}, Row{U',', 0, 100, "5", true, "6"}}) {
    const MarksGuard marks(row.mark, U' ');
    SetRange(row.min, row.max);
    Start(row.text);
    if (row.up) {
      Edit->StepUp(Edit);
    } else {
      Edit->StepDown(Edit);
    }
    EXPECT_EQ(Text(), row.expected) << row.text << (row.up ? " up" : " down");
  }
}

TEST_F(SpinEditStep, ANegativeIncrementStepsUpDownwards) {
  Edit->setIncrement(-3);
  Start("10");
  Edit->StepUp(Edit);
  EXPECT_EQ(Text(), "7");
}

TEST_F(SpinEditStep, ReadOnlyBeepsOncePerStepAndKeepsTheText) {
  Start("5");
  Edit->setReadOnly(true);
  QTest::mouseClick(Up(), Qt::LeftButton);
  QTest::mouseClick(Down(), Qt::LeftButton);
  Edit->setFocus();
  QTest::keyClick(Edit, Qt::Key_Up);
  QTest::keyClick(Edit, Qt::Key_Down);
  EXPECT_EQ(Beeps.Count, 4);
  EXPECT_EQ(Text(), "5");
  EXPECT_EQ(Changes, 0);
}

TEST_F(SpinEditStep, ArrowKeysStepAndStayWithTheField) {
  Start("5");
  Edit->setFocus();
  QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
  QCoreApplication::sendEvent(Edit, &up);
  EXPECT_TRUE(up.isAccepted());
  QTest::keyClick(Edit, Qt::Key_Up, Qt::ShiftModifier);
  QTest::keyClick(Edit, Qt::Key_Down);
  EXPECT_EQ(Log, (std::vector<std::string>{"change:6", "change:7", "change:6"}));
}

// A derived field's steps are what its arrows do.
class DoublingSpinEdit : public TSpinEdit {
 public:
  using TSpinEdit::TSpinEdit;
  void StepUp(QObject*) override { setValue(Value() * 2); }
};

TEST(SpinEditOverride, TheArrowsCallTheDerivedStep) {
  QWidget window;
  auto* edit = new DoublingSpinEdit(&window);
  edit->setText("3");
  ASSERT_TRUE(test::ShowActive(window));
  QTest::mouseClick(edit->SpinButton()->UpArrow(), Qt::LeftButton);
  EXPECT_EQ(edit->text(), "6");
}

// ---- Typed characters ----------------------------------------------------------------------

class SpinEditTyping : public SpinEditFixture {
 protected:
  void SetUp() override {
    SpinEditFixture::SetUp();
    Start("5");
    Edit->setFocus();
    QTest::keyClick(Edit, Qt::Key_End);
  }
};

TEST_F(SpinEditTyping, SignsAndDigitsAreTyped) {
  QTest::keyClicks(Edit, "+-09");
  EXPECT_EQ(Text(), "5+-09");
  EXPECT_EQ(Beeps.Count, 0);
}

TEST_F(SpinEditTyping, LettersBlanksAndEnterBeepAndAreDropped) {
  QSignalSpy returns(Edit, &QLineEdit::returnPressed);
  QTest::keyClick(Edit, Qt::Key_A);
  QTest::keyClick(Edit, Qt::Key_Space);
  QTest::keyClick(Edit, Qt::Key_Return);
  EXPECT_EQ(Text(), "5");
  EXPECT_EQ(Beeps.Count, 3);
  EXPECT_EQ(returns.count(), 0);
}

// Under a "," locale a full stop is typed as well, since the window reads it as the mark.
TEST_F(SpinEditTyping, TheLocaleDecimalMarkAndAFullStopAreTypedButNotRead) {
  const char32_t saved = std::exchange(DecimalMark, U',');
  QTest::keyClicks(Edit, ",5.;");
  DecimalMark = saved;
  EXPECT_EQ(Text(), "5,5.");
  EXPECT_EQ(Beeps.Count, 1);
  EXPECT_EQ(Edit->Value(), Edit->MinValue());
}

TEST_F(SpinEditTyping, BackspaceEdits) {
  QTest::keyClick(Edit, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Beeps.Count, 0);
}

TEST_F(SpinEditTyping, WithoutTheEditorOnlyStepsChangeTheText) {
  Edit->setEditorEnabled(false);
  QTest::keyClicks(Edit, "7-");
  QTest::keyClick(Edit, Qt::Key_Backspace);
  EXPECT_EQ(Beeps.Count, 3);
  EXPECT_EQ(Text(), "5");
  QTest::keyClick(Edit, Qt::Key_Up);
  QTest::mouseClick(Up(), Qt::LeftButton);
  EXPECT_EQ(Text(), "7");
  QTest::keyClick(Edit, Qt::Key_Delete);  // types no character: the edit decides
  EXPECT_EQ(Beeps.Count, 3);
}

// ---- Paste and cut ---------------------------------------------------------------------------

struct ClipboardCase {
  const char* name;
  bool EditorEnabled;
  bool ReadOnly;
  bool Allowed;
};

class SpinEditClipboard : public SpinEditFixture,
                          public ::testing::WithParamInterface<ClipboardCase> {
 protected:
  void SetUp() override {
    SpinEditFixture::SetUp();
    QGuiApplication::clipboard()->setText("42");
    Start("17");
    Edit->setEditorEnabled(GetParam().EditorEnabled);
    Edit->setReadOnly(GetParam().ReadOnly);
    Edit->setFocus();
    Edit->selectAll();
  }
  // What the text and the clipboard are after the command, or the untouched "17" and "42".
  void ExpectPasted() {
    EXPECT_EQ(Text(), GetParam().Allowed ? "42" : "17");
    EXPECT_EQ(Changes, GetParam().Allowed ? 1 : 0);
    EXPECT_EQ(Beeps.Count, 0);
  }
  void ExpectCut() {
    EXPECT_EQ(Text(), GetParam().Allowed ? "" : "17");
    EXPECT_EQ(QGuiApplication::clipboard()->text(), GetParam().Allowed ? "17" : "42");
    EXPECT_EQ(Beeps.Count, 0);
  }
};

TEST_P(SpinEditClipboard, PasteByKeyboard) {
  QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
  ExpectPasted();
}

TEST_P(SpinEditClipboard, PasteByShiftInsert) {
  QTest::keyClick(Edit, Qt::Key_Insert, Qt::ShiftModifier);
  ExpectPasted();
}

TEST_P(SpinEditClipboard, CutByKeyboard) {
  QTest::keyClick(Edit, Qt::Key_X, Qt::ControlModifier);
  ExpectCut();
}

TEST_P(SpinEditClipboard, PasteBySlotName) {
  QMetaObject::invokeMethod(Edit, "paste");
  ExpectPasted();
}

TEST_P(SpinEditClipboard, PasteAndCutFromTheContextMenu) {
  std::unique_ptr<QMenu> menu(Edit->CreateContextMenu());
  QAction* paste = menu->findChild<QAction*>("edit-paste");
  QAction* cut = menu->findChild<QAction*>("edit-cut");
  ASSERT_NE(paste, nullptr);
  ASSERT_NE(cut, nullptr);
  EXPECT_EQ(paste->isEnabled(), GetParam().Allowed);
  EXPECT_EQ(cut->isEnabled(), GetParam().Allowed);
  paste->trigger();
  ExpectPasted();
}

INSTANTIATE_TEST_SUITE_P(Guards, SpinEditClipboard,
                         ::testing::Values(ClipboardCase{"Editable", true, false, true},
                                           ClipboardCase{"EditorDisabled", false, false, false},
                                           ClipboardCase{"ReadOnly", true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpinEditValue, PastedTextIsNotFiltered) {
  QGuiApplication::clipboard()->setText("abc");
  Edit->setFocus();
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Text(), "abc");
  EXPECT_EQ(Beeps.Count, 0);
}

// The arrows step nothing on a right press and have no menu of their own: the field's menu
// does not open either. (A right press reaches a widget as a press and a context menu request.)
TEST_F(SpinEditValue, ARightPressOnAnArrowOpensNoMenu) {
  for (TTimerSpeedButton* arrow : {Up(), Down()}) {
    QTest::mousePress(arrow, Qt::RightButton);
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(2, 2),
                              arrow->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(arrow, &request);
    QTest::mouseRelease(arrow, Qt::RightButton);
    QWidget* menu = QApplication::activePopupWidget();
    EXPECT_EQ(menu, nullptr) << (arrow == Up() ? "up arrow" : "down arrow");
    if (menu != nullptr) menu->close();
  }
  EXPECT_EQ(Text(), "0");
}

// ---- Layout --------------------------------------------------------------------------------

class SpinEditLayout : public SpinEditFixture {
 protected:
  void SetUp() override {
    SpinEditFixture::SetUp();
    QFont font = Edit->font();
    font.setPixelSize(11);
    Edit->setFont(font);
    Edit->setCtl3D(false);
  }
};

TEST_F(SpinEditLayout, TheFlatFieldHoldsItsPairInsideAWholeFrame) {
  ASSERT_LE(Edit->RequiredHeight(), 22);
  Edit->resize(93, 22);
  EXPECT_EQ(Edit->SpinButton()->geometry(), QRect(77, 1, 15, 19));
  EXPECT_EQ(Up()->geometry(), QRect(0, 0, 15, 9));
  EXPECT_EQ(Down()->geometry(), QRect(0, 8, 15, 11));
  // The frame runs unbroken round the field, beside the arrows too.
  const QImage field = Edit->grab().toImage();
  const QRgb frame = FieldFrameColor(Edit->palette(), Edit->hasFocus()).rgb();
  for (int y = 0; y < 22; ++y) {
    EXPECT_EQ(field.pixel(0, y), frame) << "left column, row " << y;
    EXPECT_EQ(field.pixel(92, y), frame) << "right column, row " << y;
  }
  for (int x = 0; x < 93; ++x) {
    EXPECT_EQ(field.pixel(x, 0), frame) << "top row, column " << x;
    EXPECT_EQ(field.pixel(x, 21), frame) << "bottom row, column " << x;
  }
}

TEST(SpinEditFirstShow, PlacesThePairAndSnapsTheHeightSetBeforeShowing) {
  QWidget window;
  window.resize(200, 100);
  auto* flat = new TSpinEdit(&window);
  auto* low = new TSpinEdit(&window);
  for (TSpinEdit* edit : {flat, low}) {
    QFont font = edit->font();
    font.setPixelSize(11);
    edit->setFont(font);
    edit->setCtl3D(false);
  }
  flat->setGeometry(0, 0, 93, 22);
  low->setGeometry(0, 40, 93, 5);
  ASSERT_TRUE(test::ShowActive(window));
  EXPECT_EQ(flat->SpinButton()->geometry(), QRect(77, 1, 15, 19));
  EXPECT_EQ(low->height(), low->RequiredHeight());
  EXPECT_EQ(low->SpinButton()->geometry(), QRect(77, 1, 15, low->RequiredHeight() - 3));
}

TEST_F(SpinEditLayout, TheSunkenFieldKeepsThePairClearOfItsFrame) {
  Edit->setCtl3D(true);
  Edit->resize(121, 25);
  EXPECT_EQ(Edit->SpinButton()->geometry(), QRect(101, 0, 15, 20));
}

TEST_F(SpinEditLayout, ALowHeightSnapsBackToTheRequiredHeight) {
  Edit->resize(93, 10);
  EXPECT_EQ(Edit->height(), Edit->RequiredHeight());
  EXPECT_EQ(Edit->SpinButton()->height(), Edit->RequiredHeight() - 3);
  QFont big = Edit->font();
  big.setPixelSize(30);
  Edit->setFont(big);
  EXPECT_EQ(Edit->height(), Edit->RequiredHeight());
}

TEST_F(SpinEditLayout, TheTextNeverRunsUnderTheArrows) {
  for (bool ctl3d : {false, true}) {
    Edit->setCtl3D(ctl3d);
    for (int width : {40, 93, 200}) {
      Edit->resize(width, 22);
      EXPECT_LT(Edit->TextArea().right(), Edit->SpinButton()->x() - 1)
          << "width " << width << (ctl3d ? " sunken" : " flat");
      EXPECT_GT(Edit->TextArea().width(), 0) << "width " << width;
    }
  }
}

}  // namespace
}  // namespace zentarix
