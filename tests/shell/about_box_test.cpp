// The About box: its fixed look, and which keys close it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "shell/uAbout.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

TEST(AboutBox, HasItsCaptionFixedSizeAndTexts) {
  TAboutBox box;
  EXPECT_EQ(box.windowTitle(), "About Zentarix");
  EXPECT_EQ(box.size(), QSize(298, 198));
  EXPECT_EQ(box.minimumSize(), box.maximumSize());
  EXPECT_FALSE(box.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(box.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(box.findChild<QLabel*>("ProductName")->text(), "Zentarix");
  // The notice spells its word with a Latin "c".
  EXPECT_TRUE(box.findChild<QLabel*>("Label1")->text().contains(QString::fromUtf8("соглаcны")));
  // Speech reads the word with its Cyrillic letter.
  EXPECT_EQ(box.findChild<QLabel*>("Label1")->accessibleName(),
            QString::fromUtf8("Без гарантий. Запуская, вы согласны."));
  EXPECT_TRUE(box.findChild<QPushButton*>("OKButton")->isDefault());
}

struct CloseCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  bool closes;
};

class AboutBoxKeys : public ::testing::TestWithParam<CloseCase> {};

// Each key goes to the box while its modal loop runs; a box that stays open is then closed by
// its OK button, so the result tells which one closed it.
TEST_P(AboutBoxKeys, OnlyAPlainEnterClosesIt) {
  const CloseCase& c = GetParam();
  TAboutBox box;
  bool stillOpen = false;
  QTimer::singleShot(0, &box, [&] {
    // The key goes where the keyboard focus of the box is: its one control, the OK button.
    auto* ok = box.findChild<QPushButton*>("OKButton");
    ok->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(ok, c.key, c.modifiers);
    stillOpen = box.isVisible();
    if (stillOpen) ok->click();
  });
  EXPECT_EQ(box.ShowModal(), QDialog::Accepted) << c.name;
  EXPECT_EQ(!stillOpen, c.closes) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, AboutBoxKeys,
    ::testing::Values(CloseCase{"Enter", Qt::Key_Return, Qt::NoModifier, true},
                      CloseCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, true},
                      CloseCase{"Space", Qt::Key_Space, Qt::NoModifier, true},
                      CloseCase{"ShiftEnter", Qt::Key_Return, Qt::ShiftModifier, false},
                      CloseCase{"CtrlEnter", Qt::Key_Return, Qt::ControlModifier, false},
                      CloseCase{"AltEnter", Qt::Key_Return, Qt::AltModifier, false},
                      CloseCase{"Escape", Qt::Key_Escape, Qt::NoModifier, false},
                      CloseCase{"F1", Qt::Key_F1, Qt::NoModifier, false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
