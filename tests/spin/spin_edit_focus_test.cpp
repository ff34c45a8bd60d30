#include <QFocusEvent>
#include <stdexcept>

#include "tests/spin/spin_edit_fixture.h"
#include "tests/support/marks_guard.h"

namespace zentarix {
namespace {

using test::FireTimer;
using test::HoldFor;
using test::SpinEditFixture;

// ---- Leaving the field ---------------------------------------------------------------------

class SpinEditExit : public SpinEditFixture {
 protected:
  void SetUp() override {
    SpinEditFixture::SetUp();
    SetRange(0, 100);
    Edit->OnExit = [this](QObject* sender) {
      EXPECT_EQ(sender, Edit);
      Log.push_back("exit:" + Text());
    };
  }
  // Types text over the whole field, then moves the focus on with Tab.
  void TypeAndLeave(const char* text) {
    Edit->setFocus();
    Edit->selectAll();
    QTest::keyClicks(Edit, text);
    Log.clear();
    Changes = 0;
    QTest::keyClick(Edit, Qt::Key_Tab);
  }
};

TEST_F(SpinEditExit, ATypedTextIsClampedAfterOnExit) {
  TypeAndLeave("150");
  EXPECT_FALSE(Edit->hasFocus());
  EXPECT_EQ(Log, (std::vector<std::string>{"exit:150", "change:100"}));
}

TEST_F(SpinEditExit, ATypedNegativeIsClampedToTheLowerBound) {
  TypeAndLeave("-5");
  EXPECT_EQ(Log, (std::vector<std::string>{"exit:-5", "change:0"}));
}

// Leaving a fraction beyond the bounds clamps it as a whole number is clamped.
TEST_F(SpinEditExit, AFractionBeyondTheBoundsIsClampedAsAWholeNumber) {
  const MarksGuard marks(U',', U' ');
  for (const auto& [typed, log] :
       {std::pair<const char*, std::vector<std::string>>{"150,5", {"exit:150,5", "change:100"}},
        {"-0,5", {"exit:-0,5", "change:0"}},
        {"50,5", {"exit:50,5"}}}) {
    TypeAndLeave(typed);
    EXPECT_EQ(Log, log) << typed;
  }
}

TEST_F(SpinEditExit, ATextInRangeIsLeftAsTyped) {
  TypeAndLeave("+007");
  EXPECT_EQ(Log, (std::vector<std::string>{"exit:+007"}));
}

TEST_F(SpinEditExit, ATextThatIsNotANumberStaysUnlessTheRangeIsInverted) {
  Start("2,5");
  Edit->setFocus();
  Other->setFocus();
  EXPECT_EQ(Text(), "2,5");
  SetRange(20, 10);
  Edit->setFocus();
  Other->setFocus();
  EXPECT_EQ(Text(), "10");
}

TEST_F(SpinEditExit, TheClampRunsWhenTheHandlerGivesTheFocusBack) {
  Edit->OnExit = [this](QObject*) {
    Log.push_back("exit:" + Text());
    Edit->setFocus();
  };
  TypeAndLeave("150");
  EXPECT_EQ(Log, (std::vector<std::string>{"exit:150", "change:100"}));
  EXPECT_TRUE(Edit->hasFocus());
}

TEST_F(SpinEditExit, FocusThatLeavesWithTheWindowIsNoExit) {
  Start("150");
  Edit->setFocus();
  for (Qt::FocusReason reason : {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason}) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(Edit, &out);
  }
  EXPECT_TRUE(Log.empty());
  EXPECT_EQ(Text(), "150");
}

TEST_F(SpinEditExit, AnErrorFromOnExitIsReported) {
  Edit->OnExit = [](QObject*) { throw std::runtime_error("check failed"); };
  TypeAndLeave("150");
  EXPECT_EQ(Errors.Messages, std::vector<std::string>{"check failed"});
}

// ---- Entering the field --------------------------------------------------------------------

class SpinEditEntry : public SpinEditFixture {
 protected:
  void SetUp() override {
    SpinEditFixture::SetUp();
    Start("1234");
  }
  bool AllSelected() const { return Edit->selectedText() == Edit->text(); }
};

TEST_F(SpinEditEntry, TabSelectsTheWholeText) {
  QTest::keyClick(Other, Qt::Key_Tab);
  ASSERT_TRUE(Edit->hasFocus());
  EXPECT_TRUE(AllSelected());
}

TEST_F(SpinEditEntry, WithoutAutoSelectNothingIsSelected) {
  Edit->setAutoSelect(false);
  QTest::keyClick(Other, Qt::Key_Tab);
  ASSERT_TRUE(Edit->hasFocus());
  EXPECT_FALSE(Edit->hasSelectedText());
}

TEST_F(SpinEditEntry, ALeftPressOnTheFieldPlacesTheCursor) {
  QTest::mousePress(Edit, Qt::LeftButton, {}, QPoint(10, 11));
  ASSERT_TRUE(Edit->hasFocus());
  EXPECT_FALSE(Edit->hasSelectedText());
  QTest::mouseRelease(Edit, Qt::LeftButton, {}, QPoint(10, 11));
}

TEST_F(SpinEditEntry, ARightPressOnTheFieldSelectsTheWholeText) {
  QTest::mousePress(Edit, Qt::RightButton, {}, QPoint(10, 11));
  ASSERT_TRUE(Edit->hasFocus());
  EXPECT_TRUE(AllSelected());
  QTest::mouseRelease(Edit, Qt::RightButton, {}, QPoint(10, 11));
}

TEST_F(SpinEditEntry, ALeftPressOnAnArrowFocusesAndSelectsThenSteps) {
  QTest::mousePress(Up(), Qt::LeftButton);
  ASSERT_TRUE(Edit->hasFocus());
  EXPECT_TRUE(AllSelected());
  EXPECT_EQ(Changes, 0);
  QTest::mouseRelease(Up(), Qt::LeftButton);
  EXPECT_EQ(Text(), "1235");
}

TEST_F(SpinEditEntry, ARightPressOnAnArrowStepsNothingAndMovesNoFocus) {
  QTest::mousePress(Down(), Qt::RightButton);
  EXPECT_TRUE(Other->hasFocus());
  FireTimer(Down()->PressTimer());
  QTest::mouseRelease(Down(), Qt::RightButton);
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Changes, 0);
}

TEST_F(SpinEditEntry, WithoutTabStopTheArrowsStepButDoNotFocus) {
  Edit->setTabStop(false);
  QTest::mouseClick(Up(), Qt::LeftButton);
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Text(), "1235");
}

// ---- Holding an arrow ----------------------------------------------------------------------

TEST_F(SpinEditEntry, HoldingTheUpArrowFor1050msStepsSevenTimesThenOnceAtRelease) {
  SetRange(0, 0);
  Start("0");
  QTest::mousePress(Up(), Qt::LeftButton);
  EXPECT_EQ(HoldFor(Up()->PressTimer(), 1050), 7);
  EXPECT_EQ(Text(), "7");
  QTest::mouseRelease(Up(), Qt::LeftButton);
  EXPECT_EQ(Text(), "8");
  EXPECT_EQ(Changes, 8);
}

TEST_F(SpinEditEntry, RepeatsAtTheUpperBoundRaiseNoChange) {
  SetRange(0, 100);
  Start("99");
  QTest::mousePress(Up(), Qt::LeftButton);
  HoldFor(Up()->PressTimer(), 1050);
  QTest::mouseRelease(Up(), Qt::LeftButton);
  EXPECT_EQ(Text(), "100");
  EXPECT_EQ(Changes, 1);
}

TEST_F(SpinEditEntry, AnErrorFromOnChangeEndsTheRepeat) {
  Edit->OnChange = [](QObject*) { throw std::runtime_error("Floating point overflow"); };
  QTest::mousePress(Up(), Qt::LeftButton);
  QTimer* timer = Up()->PressTimer();
  FireTimer(timer);
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(Errors.Messages, std::vector<std::string>{"Floating point overflow"});
  EXPECT_EQ(Text(), "1235");
  Edit->OnChange = nullptr;
  QTest::mouseRelease(Up(), Qt::LeftButton);
}

TEST_F(SpinEditEntry, DestroyingTheFieldDuringARepeatIsSafe) {
  QTest::mousePress(Up(), Qt::LeftButton);
  QPointer<QTimer> timer = Up()->PressTimer();
  delete Edit;
  Edit = nullptr;
  EXPECT_TRUE(timer.isNull());
}

}  // namespace
}  // namespace zentarix
