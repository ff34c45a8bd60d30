// The program: start-up in the order the calculation relies on, then the event loop.
#include <QApplication>
#include <QIcon>
#include <memory>

#include "calc/uFloatEnv.h"
#include "calc/uNumberText.h"
#include "cli/uCommandLine.h"
#include "desktop/uAppTitle.h"
#include "desktop/uApplicationStart.h"
#include "desktop/uCentreOnScreen.h"
#include "desktop/uGeneralErrorReport.h"
#include "desktop/uLocaleWatcher.h"
#include "desktop/uNativeWindow.h"
#include "desktop/uSessionBus.h"
#include "desktop/uStartupProbe.h"
#include "desktop/uStdDescriptors.h"
#include "shell/uAbout.h"
#include "shell/uMain.h"
#include "spin/uGlyph.h"

using namespace zentarix;

int main(int argc, char** argv) {
  // Before any file is opened: a closed standard error would otherwise become the display
  // connection, and the next warning would be written into it.
  OpenStandardDescriptors();
  // The control word and the number marks are in force before anything else runs.
  ResetFpu();
  LoadNumberSettings();
  // The command line needs no display: it is done before any application object exists.
  if (const auto status = RunCommandLine(ArgumentsOf(argc, argv), stdin, stdout, stderr)) {
    return *status;
  }
  KeepSessionBusFromStarting();

  const std::unique_ptr<QApplication> application = CreateApplication(argc, argv);
  // Docks and task switchers match the windows to the desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.zentarix.zentarix"));
  InstallQtTranslations(*application);
  InstallGeneralErrorReport(ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
  QApplication::setWindowIcon(QIcon(ReadPixmap(QStringLiteral(":/icons/zentarix-32.png"), "PNG")));
  TLocaleWatcher localeWatcher;
  application->installEventFilter(&localeWatcher);

  TForm1 Form1;
  // Placed before its native window exists, so that it is created where it shows: moved
  // afterwards, it would come back from the X server as a move that Qt answers with queries
  // for the window's frame.
  CentreOnScreen(Form1);
  CreateNativeWindow(Form1);
  // Made when first asked for: at start-up it would cost an X window that nobody sees yet.
  // Declared after the window, so it goes before its owner.
  std::unique_ptr<TAboutBox> AboutBox;
  Form1.ShowAbout = [&Form1, &AboutBox] {
    if (AboutBox == nullptr) {
      // The box belongs to the window: when it closes, the desktop gives the window the
      // keyboard focus back.
      AboutBox = std::make_unique<TAboutBox>(&Form1);
      CreateNativeWindow(*AboutBox);
    }
    AboutBox->ShowModal();
  };

  InstallStartupProbe(Form1);
  Form1.show();
  return application->exec();
}
