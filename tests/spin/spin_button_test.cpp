#include "spin/spin_button.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>
#include <string>

#include "spin/field_edit.h"
#include "spin/timer_speed_button.h"
#include "tests/spin/spin_test_support.h"
#include "tests/support/row_printer.h"

namespace zentarix {
namespace {

using zentarix::test::PrintTo;

using Flag = TTimerSpeedButton::RepeatFlag;

bool ShowsFrame(const TTimerSpeedButton* arrow) {
  return arrow->RepeatState().testFlag(TTimerSpeedButton::ShowFocusFrame);
}

// ---- Fitting the arrows --------------------------------------------------------------------

struct FitCase {
  const char* name;
  QSize Requested;
  int Width;
  QRect Up, Down;
};

class FitArrowsTest : public ::testing::TestWithParam<FitCase> {};

TEST_P(FitArrowsTest, StacksTheArrowsSharingOneRow) {
  const FitCase& c = GetParam();
  QWidget window;
  window.resize(100, 100);
  auto* pair = new TSpinButton(&window);
  window.show();
  pair->resize(c.Requested);
  EXPECT_EQ(pair->size(), QSize(c.Width, c.Requested.height()));
  EXPECT_EQ(pair->UpArrow()->geometry(), c.Up);
  EXPECT_EQ(pair->DownArrow()->geometry(), c.Down);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, FitArrowsTest,
    ::testing::Values(FitCase{"NarrowWidensTo15", {10, 25}, 15, {0, 0, 15, 12}, {0, 11, 15, 14}},
                      FitCase{"SpinEditPair", {15, 19}, 15, {0, 0, 15, 9}, {0, 8, 15, 11}},
                      FitCase{"WideEvenHeight", {30, 40}, 30, {0, 0, 30, 20}, {0, 19, 30, 21}},
                      FitCase{"TwoRows", {16, 2}, 16, {0, 0, 16, 1}, {0, 0, 16, 2}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SpinButtonConstruction, StartsFittedWithTheUpArrowSelected) {
  TSpinButton pair;
  EXPECT_EQ(pair.size(), QSize(20, 25));
  EXPECT_EQ(pair.UpArrow()->geometry(), QRect(0, 0, 20, 12));
  EXPECT_EQ(pair.DownArrow()->geometry(), QRect(0, 11, 20, 14));
  EXPECT_EQ(pair.SelectedArrow(), pair.UpArrow());
  EXPECT_EQ(pair.UpArrow()->RepeatState(), TTimerSpeedButton::TRepeatState(Flag::AutoRepeat));
  EXPECT_EQ(pair.DownArrow()->RepeatState(), TTimerSpeedButton::TRepeatState(Flag::AutoRepeat));
  EXPECT_FALSE(pair.TabStop());
}

// ---- Clicks, keys and focus ----------------------------------------------------------------

class SpinButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.resize(200, 100);
    Other = new QLineEdit(&Window);
    Other->setGeometry(0, 0, 80, 22);
    Target = new QLineEdit(&Window);
    Target->setGeometry(0, 40, 80, 22);
    Pair = new TSpinButton(&Window);
    Pair->setGeometry(100, 0, 15, 19);
    Pair->OnUpClick = [this](QObject* sender) {
      EXPECT_EQ(sender, Pair);
      ++UpClicks;
    };
    Pair->OnDownClick = [this](QObject* sender) {
      EXPECT_EQ(sender, Pair);
      ++DownClicks;
    };
    ASSERT_TRUE(test::ShowActive(Window));
    Other->setFocus();
  }

  void ClickArrow(TTimerSpeedButton* arrow, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(arrow, button);
  }

  QWidget Window;
  QLineEdit* Other = nullptr;
  QLineEdit* Target = nullptr;
  TSpinButton* Pair = nullptr;
  int UpClicks = 0;
  int DownClicks = 0;
};

TEST_F(SpinButtonTest, ArrowClicksRaiseTheirOwnEvents) {
  ClickArrow(Pair->UpArrow());
  ClickArrow(Pair->DownArrow());
  ClickArrow(Pair->DownArrow());
  EXPECT_EQ(UpClicks, 1);
  EXPECT_EQ(DownClicks, 2);
}

TEST_F(SpinButtonTest, EmptyEventsDoNothing) {
  test::ErrorCollector errors;
  Pair->OnUpClick = nullptr;
  Pair->OnDownClick = nullptr;
  ClickArrow(Pair->UpArrow());
  ClickArrow(Pair->DownArrow());
  EXPECT_TRUE(errors.Messages.empty());
}

TEST_F(SpinButtonTest, KeysSelectAndClickWithTabStopOn) {
  Pair->setTabStop(true);
  Pair->setFocus();
  ASSERT_TRUE(Pair->hasFocus());
  EXPECT_TRUE(ShowsFrame(Pair->UpArrow()));

  QTest::keyClick(Pair, Qt::Key_Down);
  EXPECT_EQ(Pair->SelectedArrow(), Pair->DownArrow());
  EXPECT_TRUE(ShowsFrame(Pair->DownArrow()));
  EXPECT_FALSE(ShowsFrame(Pair->UpArrow()));
  EXPECT_EQ(DownClicks, 1);

  QTest::keyClick(Pair, Qt::Key_Space);
  EXPECT_EQ(DownClicks, 2);

  QTest::keyClick(Pair, Qt::Key_Up);
  EXPECT_EQ(Pair->SelectedArrow(), Pair->UpArrow());
  EXPECT_EQ(UpClicks, 1);
  QTest::keyClick(Pair, Qt::Key_A);
  EXPECT_EQ(UpClicks + DownClicks, 3);
}

TEST_F(SpinButtonTest, WithTabStopOffKeysClickButSelectNothing) {
  Pair->setFocus();
  QTest::keyClick(Pair, Qt::Key_Down);
  EXPECT_EQ(DownClicks, 1);
  EXPECT_EQ(Pair->SelectedArrow(), Pair->UpArrow());
  QTest::keyClick(Pair, Qt::Key_Space);
  EXPECT_EQ(UpClicks, 1);
}

TEST_F(SpinButtonTest, TheFocusFrameFollowsTheFocus) {
  Pair->setTabStop(true);
  Pair->setFocus();
  EXPECT_TRUE(ShowsFrame(Pair->UpArrow()));
  Other->setFocus();
  EXPECT_FALSE(ShowsFrame(Pair->UpArrow()));
}

TEST_F(SpinButtonTest, AnErrorFromAKeyClickIsReported) {
  test::ErrorCollector errors;
  Pair->OnUpClick = [](QObject*) { throw std::runtime_error("bad"); };
  Pair->setFocus();
  QTest::keyClick(Pair, Qt::Key_Up);
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"bad"});
}

// Who holds the focus after a press on the down arrow.
struct PressCase {
  const char* name;
  bool HasFocusControl;
  bool FocusControlTabStop;
  bool PairTabStop;
  Qt::MouseButton Button;
  const char* FocusAfter;  // "other", "target" or "pair"
  bool DownSelected;
};

class ArrowPressFocus : public SpinButtonTest, public ::testing::WithParamInterface<PressCase> {};

TEST_P(ArrowPressFocus, FollowsTheFocusRules) {
  const PressCase& c = GetParam();
  Target->setFocusPolicy(c.FocusControlTabStop ? Qt::StrongFocus : Qt::ClickFocus);
  if (c.HasFocusControl) Pair->setFocusControl(Target);
  Pair->setTabStop(c.PairTabStop);

  QTest::mousePress(Pair->DownArrow(), c.Button);
  const std::string focus = Other->hasFocus()    ? "other"
                            : Target->hasFocus() ? "target"
                            : Pair->hasFocus()   ? "pair"
                                                 : "none";
  EXPECT_EQ(focus, c.FocusAfter);
  EXPECT_EQ(Pair->SelectedArrow() == Pair->DownArrow(), c.DownSelected);
  QTest::mouseRelease(Pair->DownArrow(), c.Button);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, ArrowPressFocus,
    ::testing::Values(
        PressCase{"LeftFocusesTheFocusControl", true, true, false, Qt::LeftButton, "target", false},
        PressCase{"LeftWithoutTabStopsKeepsTheFocus", true, false, false, Qt::LeftButton, "other",
                  false},
        PressCase{"LeftFallsBackToThePair", true, false, true, Qt::LeftButton, "pair", true},
        PressCase{"LeftWithoutFocusControl", false, true, true, Qt::LeftButton, "pair", true},
        PressCase{"RightMovesNothing", true, true, true, Qt::RightButton, "other", false},
        PressCase{"MiddleMovesNothing", true, true, true, Qt::MiddleButton, "other", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SpinButtonTest, ALeftPressWhileTheFocusControlHoldsTheFocusGoesToThePair) {
  Pair->setFocusControl(Target);
  Pair->setTabStop(true);
  Target->setFocus();
  QTest::mousePress(Pair->UpArrow(), Qt::LeftButton);
  EXPECT_TRUE(Pair->hasFocus());
  QTest::mouseRelease(Pair->UpArrow(), Qt::LeftButton);
}

// The field being left takes the focus back (an exit check that refuses its value): the press
// that tried to move the focus neither clicks on its release nor repeats while held.
TEST_F(SpinButtonTest, APressWhoseFocusMoveIsTakenBackClicksNothing) {
  auto* checked = new FieldEdit(&Window);
  checked->setGeometry(0, 70, 80, 22);
  checked->show();
  checked->OnExit = [checked](QObject*) { checked->setFocus(Qt::OtherFocusReason); };
  checked->setFocus();
  Pair->setFocusControl(Target);
  QTest::mousePress(Pair->UpArrow(), Qt::LeftButton);
  EXPECT_TRUE(checked->hasFocus());
  EXPECT_FALSE(Pair->UpArrow()->IsPressed());
  if (QTimer* timer = Pair->UpArrow()->PressTimer()) test::HoldFor(timer, 1000);
  QTest::mouseRelease(Pair->UpArrow(), Qt::LeftButton);
  EXPECT_EQ(UpClicks, 0);
  // With the focus given up, the next press clicks.
  checked->OnExit = nullptr;
  ClickArrow(Pair->UpArrow());
  EXPECT_EQ(UpClicks, 1);
}

TEST_F(SpinButtonTest, TheFocusControlIsEmptiedWhenItIsDestroyed) {
  Pair->setFocusControl(Target);
  EXPECT_EQ(Pair->property("FocusControl").value<QWidget*>(), Target);
  delete Target;
  Target = nullptr;
  EXPECT_EQ(Pair->FocusControl(), nullptr);
  ClickArrow(Pair->UpArrow());
  EXPECT_EQ(UpClicks, 1);
}

}  // namespace
}  // namespace zentarix
