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
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/zentarix-32.png")));
  TLocaleWatcher localeWatcher;
  application->installEventFilter(&localeWatcher);

  TForm1 Form1;
  CreateNativeWindow(Form1);
  // The box belongs to the window: when it closes, the desktop gives the window the keyboard
  // focus back.
  TAboutBox AboutBox(&Form1);
  CreateNativeWindow(AboutBox);
  Form1.ShowAbout = [&AboutBox] { AboutBox.ShowModal(); };

  CentreOnScreen(Form1);
  InstallStartupProbe(Form1);
  Form1.show();
  return application->exec();
}
