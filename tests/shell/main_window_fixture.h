// A shown and active main window under the offscreen platform, with the marks "." and ",",
// every error report recorded instead of shown, and the About box counted instead of shown.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "calc/uFloatEnv.h"
#include "shell/uMain.h"
#include "spin/error_report.h"
#include "spin/spin_edit.h"
#include "tests/support/marks_guard.h"
#include "tests/support/release_wait.h"

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    zentarix::ResetFpu();
    FPreviousReport = zentarix::SetErrorReportHook(
        [this](std::exception_ptr error) { Errors.push_back(zentarix::ErrorMessageOf(error)); });
    Form = std::make_unique<zentarix::TForm1>();
    Form->ShowAbout = [this] { ++AboutShown; };
    Form->show();
    QApplication::setActiveWindow(Form.get());
  }

  void TearDown() override {
    Form.reset();
    zentarix::SetErrorReportHook(FPreviousReport);
  }

  // Gives field the focus as a click would and replaces its text by typing.
  void TypeInto(QLineEdit* field, const QString& text) {
    field->setFocus(Qt::MouseFocusReason);
    field->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(field, Qt::Key_Delete);
    } else {
      QTest::keyClicks(field, text);
    }
  }

  void PressTab() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); }

  std::string Listing() const { return Form->Memo1()->toPlainText().toStdString(); }

  MarksGuard Marks{U'.', U','};
  std::unique_ptr<zentarix::TForm1> Form;
  std::vector<std::string> Errors;
  int AboutShown = 0;

 private:
  zentarix::ErrorReportHook FPreviousReport;
};
