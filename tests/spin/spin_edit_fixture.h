// A spin edit in a shown, active window beside another field, with its beeps, error reports
// and OnChange calls counted.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <string>
#include <vector>

#include "spin/spin_button.h"
#include "spin/spin_edit.h"
#include "spin/timer_speed_button.h"
#include "tests/spin/spin_test_support.h"

namespace zentarix::test {

class SpinEditFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Window.resize(300, 100);
    Other = new QLineEdit(&Window);
    Other->setGeometry(0, 0, 93, 22);
    Edit = new TSpinEdit(&Window);
    Edit->setGeometry(0, 40, 93, 22);
    Edit->OnChange = [this](QObject* sender) {
      EXPECT_EQ(sender, Edit);
      Log.push_back("change:" + Edit->text().toStdString());
      ++Changes;
    };
    ASSERT_TRUE(ShowActive(Window));
    Other->setFocus();
  }

  void SetRange(int min, int max) {
    Edit->setMinValue(min);
    Edit->setMaxValue(max);
  }
  // Sets the text without counting it as a change under test.
  void Start(const char* text) {
    Edit->setText(QString::fromUtf8(text));
    Changes = 0;
    Log.clear();
  }
  std::string Text() const { return Edit->text().toStdString(); }
  TTimerSpeedButton* Up() const { return Edit->SpinButton()->UpArrow(); }
  TTimerSpeedButton* Down() const { return Edit->SpinButton()->DownArrow(); }

  BeepCounter Beeps;
  ErrorCollector Errors;
  QWidget Window;
  QLineEdit* Other = nullptr;
  TSpinEdit* Edit = nullptr;
  int Changes = 0;
  std::vector<std::string> Log;
};

}  // namespace zentarix::test
