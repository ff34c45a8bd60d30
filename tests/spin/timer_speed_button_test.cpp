#include "spin/timer_speed_button.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "spin/spin_geometry.h"
#include "tests/spin/spin_test_support.h"

namespace zentarix {
namespace {

using test::ErrorCollector;
using test::FireTimer;
using test::HoldFor;

const QPoint Inside(10, 6);
const QPoint Outside(40, 6);

class TimerSpeedButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.resize(120, 60);
    Other = new QLineEdit(&Window);
    Other->setGeometry(0, 30, 100, 22);
    Button = new TTimerSpeedButton(&Window);
    Button->setGeometry(0, 0, 20, 12);
    Button->setRepeatState(TTimerSpeedButton::AutoRepeat);
    Button->OnClick = [this](QObject* sender) {
      EXPECT_EQ(sender, Button);
      ++Clicks;
    };
    ASSERT_TRUE(test::ShowActive(Window));
  }

  void Press(Qt::MouseButton b = Qt::LeftButton, QPoint at = Inside) {
    QTest::mousePress(Button, b, {}, at);
  }
  void Release(Qt::MouseButton b = Qt::LeftButton, QPoint at = Inside) {
    QTest::mouseRelease(Button, b, {}, at);
  }
  void MoveTo(QPoint at) { QTest::mouseMove(Button, at); }
  QTimer* Timer() const { return Button->PressTimer(); }

  QWidget Window;
  QLineEdit* Other = nullptr;
  TTimerSpeedButton* Button = nullptr;
  int Clicks = 0;
};

// ---- The plain button --------------------------------------------------------------------

TEST_F(TimerSpeedButtonTest, PressedStateFollowsThePointer) {
  Press();
  EXPECT_TRUE(Button->IsPressed());
  MoveTo(Outside);
  EXPECT_FALSE(Button->IsPressed());
  MoveTo(Inside);
  EXPECT_TRUE(Button->IsPressed());
  Release();
  EXPECT_FALSE(Button->IsPressed());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(TimerSpeedButtonTest, NeverTakesTheKeyboardFocus) {
  Other->setFocus();
  Press();
  Release();
  EXPECT_TRUE(Other->hasFocus());
  EXPECT_EQ(Button->focusPolicy(), Qt::NoFocus);
}

TEST_F(TimerSpeedButtonTest, WithoutAutoRepeatThereIsNoTimer) {
  Button->setRepeatState({});
  Press();
  Release();
  Press();
  Release();
  EXPECT_EQ(Timer(), nullptr);
  EXPECT_EQ(Clicks, 2);
}

// ---- Repeat timing -----------------------------------------------------------------------

TEST_F(TimerSpeedButtonTest, APressStartsTheTimerAtTheFirstDelay) {
  Press();
  ASSERT_NE(Timer(), nullptr);
  EXPECT_TRUE(Timer()->isActive());
  EXPECT_EQ(Timer()->interval(), 400);
  EXPECT_EQ(Clicks, 0);
}

TEST_F(TimerSpeedButtonTest, TheFirstTickClicksAndSwitchesToTheRepeatDelay) {
  Press();
  FireTimer(Timer());
  EXPECT_EQ(Clicks, 1);
  EXPECT_EQ(Timer()->interval(), 100);
  FireTimer(Timer());
  EXPECT_EQ(Clicks, 2);
  EXPECT_EQ(Timer()->interval(), 100);
}

TEST_F(TimerSpeedButtonTest, HoldingFor1050msRepeatsSevenTimesAndClicksOnceAtRelease) {
  Press();
  EXPECT_EQ(HoldFor(Timer(), 1050), 7);
  EXPECT_EQ(Clicks, 7);
  Release();
  EXPECT_EQ(Clicks, 8);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, AReleaseBeforeTheFirstDelayClicksOnce) {
  Press();
  EXPECT_EQ(HoldFor(Timer(), 399), 0);
  Release();
  EXPECT_EQ(Clicks, 1);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, EachPressRestartsFromTheFirstDelay) {
  Press();
  HoldFor(Timer(), 700);
  Release();
  QTimer* first = Timer();
  Press();
  EXPECT_EQ(Timer(), first);
  EXPECT_EQ(Timer()->interval(), 400);
  EXPECT_TRUE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, ARightPressTicksWithoutClickingUntilItsRelease) {
  Press(Qt::RightButton);
  EXPECT_FALSE(Button->IsPressed());
  ASSERT_NE(Timer(), nullptr);
  EXPECT_EQ(Timer()->interval(), 400);
  EXPECT_EQ(HoldFor(Timer(), 1050), 7);
  EXPECT_EQ(Timer()->interval(), 100);
  Release(Qt::RightButton);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_EQ(Clicks, 0);
}

TEST_F(TimerSpeedButtonTest, TicksOutsideTheButtonKeepThePaceWithoutClicking) {
  Press();
  MoveTo(Outside);
  EXPECT_EQ(HoldFor(Timer(), 600), 3);
  EXPECT_EQ(Clicks, 0);
  MoveTo(Inside);
  FireTimer(Timer());
  EXPECT_EQ(Clicks, 1);
}

TEST_F(TimerSpeedButtonTest, AReleaseOutsideGivesNoClickAndStopsTheTimer) {
  Press();
  MoveTo(Outside);
  Release(Qt::LeftButton, Outside);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, ALostMouseEndsTheClicksButNotTheTicks) {
  Press();
  Other->grabMouse();
  FireTimer(Timer());
  Other->releaseMouse();
  EXPECT_EQ(HoldFor(Timer(), 300), 3);
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Button->IsPressed());
  EXPECT_TRUE(Timer()->isActive());
  Release();
  EXPECT_EQ(Clicks, 0);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, DisablingThePressedButtonStopsTheRepeat) {
  Press();
  Button->setEnabled(false);
  EXPECT_FALSE(Timer()->isActive());
  EXPECT_FALSE(Button->IsPressed());
}

// ---- Failures and destruction --------------------------------------------------------------

TEST_F(TimerSpeedButtonTest, AnErrorFromARepeatedClickStopsTheTimerBeforePassingOn) {
  bool timerActiveInHandler = false;
  Button->OnClick = [&](QObject*) {
    timerActiveInHandler = Timer()->isActive();
    throw std::runtime_error("boom");
  };
  Press();
  EXPECT_THROW(Button->RepeatTick(), std::runtime_error);
  EXPECT_TRUE(timerActiveInHandler);
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, AnErrorFromATimerTickIsReportedAndEndsTheRepeat) {
  ErrorCollector errors;
  Button->OnClick = [](QObject*) { throw std::runtime_error("Floating point overflow"); };
  Press();
  FireTimer(Timer());
  EXPECT_EQ(errors.Messages, std::vector<std::string>{"Floating point overflow"});
  EXPECT_FALSE(Timer()->isActive());
  Release();
  EXPECT_EQ(errors.Messages.size(), 2u);  // the click at release fails again
  EXPECT_FALSE(Timer()->isActive());
}

TEST_F(TimerSpeedButtonTest, DestructionFreesTheRunningTimerFirst) {
  Press();
  std::vector<std::string> order;
  QObject::connect(Timer(), &QObject::destroyed, [&] { order.push_back("timer"); });
  QObject::connect(Button, &QObject::destroyed, [&] { order.push_back("button"); });
  QPointer<QTimer> timer = Timer();
  delete Button;
  Button = nullptr;
  EXPECT_TRUE(timer.isNull());
  EXPECT_EQ(order, (std::vector<std::string>{"timer", "button"}));
}

// ---- Focus frame ---------------------------------------------------------------------------

// The pixels that change when the focus frame is drawn, as one bounding rectangle.
QRect FrameFootprint(TTimerSpeedButton* button) {
  const auto state = button->RepeatState();
  button->setRepeatState(state &
                         ~TTimerSpeedButton::TRepeatState(TTimerSpeedButton::ShowFocusFrame));
  const QImage plain = button->grab().toImage();
  button->setRepeatState(state | TTimerSpeedButton::ShowFocusFrame);
  const QImage framed = button->grab().toImage();
  button->setRepeatState(state);
  QRect changed;
  for (int y = 0; y < plain.height(); ++y) {
    for (int x = 0; x < plain.width(); ++x) {
      if (plain.pixel(x, y) != framed.pixel(x, y)) changed |= QRect(x, y, 1, 1);
    }
  }
  return changed;
}

TEST_F(TimerSpeedButtonTest, TheFocusFrameIsDrawnInsideTheFrameRectangle) {
  Button->setGeometry(0, 0, 15, 9);
  const QRect raised = FrameFootprint(Button);
  EXPECT_FALSE(raised.isEmpty());
  EXPECT_TRUE(FocusFrameRect(Button->size(), false).contains(raised))
      << raised.x() << "," << raised.y();
  Press();
  const QRect pressed = FrameFootprint(Button);
  EXPECT_FALSE(pressed.isEmpty());
  EXPECT_TRUE(FocusFrameRect(Button->size(), true).contains(pressed));
  Release();
}

}  // namespace
}  // namespace zentarix
