// A box's own title bar: the box keeps its kind, loses the desktop's frame, shows its contents
// below the bar, moves by the bar and closes by the bar's one button.
#include "desktop/box_caption.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <memory>

#include "desktop/fixed_size_box.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

// A box whose one control stands at a fixed place, as in the About box.
std::unique_ptr<QWidget> PlacedBox() {
  auto box =
      std::make_unique<QDialog>(nullptr, Qt::Dialog | Qt::CustomizeWindowHint |
                                             Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  box->setWindowTitle(QStringLiteral("About"));
  (new QLabel(QStringLiteral("Text"), box.get()))->move(10, 20);
  box->setFixedSize(100, 80);
  return box;
}

// A box laid out by its layout, as the error box.
std::unique_ptr<QWidget> LaidOutBox() {
  return std::make_unique<QMessageBox>(QMessageBox::Critical, QStringLiteral("Error"),
                                       QStringLiteral("Floating point overflow."), QMessageBox::Ok);
}

void SendMouse(QWidget* target, QEvent::Type type, QPoint local, Qt::MouseButtons buttons) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, local, target->mapToGlobal(local), button, buttons, Qt::NoModifier);
  QApplication::sendEvent(target, &event);
}

struct BoxCase {
  const char* name;
  std::function<std::unique_ptr<QWidget>()> make;
  QSize sizeBefore;  // empty: the box sizes itself when shown
};

class BoxCaptionTest : public testing::TestWithParam<BoxCase> {};

TEST_P(BoxCaptionTest, ContentsBelowTheBarWhichMovesAndClosesTheBox) {
  const std::unique_ptr<QWidget> box = GetParam().make();
  DrawOwnCaption(*box);
  box->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(box.get()));

  EXPECT_TRUE(box->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(box->windowType(), Qt::Dialog);
  auto* bar = box->findChild<QWidget*>(QStringLiteral("BoxCaption"));
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->x(), 1);
  EXPECT_EQ(bar->y(), 1);
  EXPECT_EQ(bar->width(), box->width() - 2);
  for (const QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (control != bar && control->isVisible()) {
      EXPECT_GT(control->y(), bar->geometry().bottom()) << control->metaObject()->className();
    }
  }
  if (!GetParam().sizeBefore.isEmpty()) {
    EXPECT_EQ(box->width(), GetParam().sizeBefore.width() + 2);
    EXPECT_EQ(box->height(), GetParam().sizeBefore.height() + bar->height() + 2);
    EXPECT_EQ(box->findChild<QLabel*>()->x(), 11);
    EXPECT_EQ(box->findChild<QLabel*>()->y(), 21 + bar->height());
  }

  const QPoint start = box->pos();
  SendMouse(bar, QEvent::MouseButtonPress, QPoint(20, 5), Qt::LeftButton);
  SendMouse(bar, QEvent::MouseMove, QPoint(50, 45), Qt::LeftButton);
  SendMouse(bar, QEvent::MouseButtonRelease, QPoint(50, 45), Qt::NoButton);
  SendMouse(bar, QEvent::MouseMove, QPoint(90, 45), Qt::NoButton);
  EXPECT_EQ(box->x(), start.x() + 30);
  EXPECT_EQ(box->y(), start.y() + 40);

  const QList<QToolButton*> buttons = bar->findChildren<QToolButton*>();
  ASSERT_EQ(buttons.size(), 1);
  EXPECT_EQ(buttons[0]->accessibleName(), QStringLiteral("Закрыть"));
  EXPECT_EQ(buttons[0]->focusPolicy(), Qt::NoFocus);
  buttons[0]->click();
  EXPECT_FALSE(box->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Boxes, BoxCaptionTest,
                         testing::Values(BoxCase{"ControlsAtFixedPlaces", PlacedBox, {100, 80}},
                                         BoxCase{"LaidOut", LaidOutBox, {}}),
                         [](const testing::TestParamInfo<BoxCase>& info) {
                           return std::string(info.param.name);
                         });

// On X the window manager frames the box, asked by the window's flags for a close button and no
// Maximise or Minimise; on Wayland the box draws its own bar; elsewhere it stays as it was.
TEST(FixedSizeBox, FramedOnXItsOwnBarOnWayland) {
  const Qt::WindowFlags noSize = Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint;
  for (const BoxDesktop desktop : {BoxDesktop::X, BoxDesktop::Wayland, BoxDesktop::Other}) {
    const auto box = LaidOutBox();
    const Qt::WindowFlags before = box->windowFlags();
    PrepareFixedSizeBox(*box, desktop);
    const Qt::WindowFlags flags = box->windowFlags();
    const int row = static_cast<int>(desktop);
    EXPECT_EQ(flags.testFlag(Qt::FramelessWindowHint), desktop == BoxDesktop::Wayland) << row;
    EXPECT_EQ((flags & noSize) == 0, desktop != BoxDesktop::Other || (before & noSize) == 0) << row;
    if (desktop == BoxDesktop::X) {
      EXPECT_TRUE(flags.testFlag(Qt::CustomizeWindowHint) &&
                  flags.testFlag(Qt::WindowCloseButtonHint) && flags.testFlag(Qt::WindowTitleHint));
    }
    if (desktop == BoxDesktop::Other) {
      EXPECT_EQ(flags, before);
    }
  }
}

}  // namespace
