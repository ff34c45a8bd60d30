// The general error report as the user sees it: a modal message box captioned with the
// application's title, holding the message and a full stop, after which the window works on.
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include "desktop/general_error_report.h"
#include "tests/shell/main_window_fixture.h"

using namespace zentarix;

namespace {

struct ShownBox {
  QString title;
  QString text;
  int count = 0;
  const QWindow* owner = nullptr;
  QPoint centre;
};

// Reads and closes the modal box as soon as its event loop runs.
void CloseNextModalBox(ShownBox& shown) {
  QTimer::singleShot(0, [&shown] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    shown.title = box->windowTitle();
    shown.text = box->text();
    shown.owner = box->windowHandle()->transientParent();
    shown.centre = box->geometry().center();
    ++shown.count;
    box->button(QMessageBox::Ok)->click();
  });
}

TEST_F(MainWindowTest, OverflowIsReportedInAModalBoxCaptionedWithTheTitle) {
  InstallGeneralErrorReport(QStringLiteral("Zentarix"));
  TypeInto(Form->Edit1(), "1e400");
  // The window away from the middle of the screen: the box still opens there.
  Form->move(0, 0);
  ShownBox shown;
  CloseNextModalBox(shown);
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(shown.count, 1);
  EXPECT_EQ(shown.title, "Zentarix");
  EXPECT_EQ(shown.text, "Floating point overflow.");
  // It belongs to the window, which a desktop gives the focus back when it closes.
  EXPECT_EQ(shown.owner, Form->windowHandle());
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((shown.centre - screenCentre).manhattanLength(), 1)
      << shown.centre.x() << "," << shown.centre.y();
  EXPECT_EQ(Listing(), "");
  // After the report the control word is the default again and calculations go on.
  EXPECT_EQ(CurrentFpuControlWord(), DefaultFpuControlWord);
  TypeInto(Form->Edit1(), "100");
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing().substr(0, 13), "A = 100.0000\n");
}

}  // namespace
