// The program: start-up in the order the calculation relies on, then the event loop.
#include <QApplication>
#include <memory>

#include "app/process_start.h"
#include "cli/command_line.h"
#include "desktop/app_title.h"
#include "desktop/application_start.h"
#include "desktop/centre_on_screen.h"
#include "desktop/general_error_report.h"
#include "desktop/locale_watcher.h"
#include "desktop/native_window.h"
#include "desktop/session_bus.h"
#include "desktop/startup_probe.h"
#include "desktop/window_icon.h"
#include "shell/uMain.h"

using namespace zentarix;

int main(int argc, char** argv) {
  const StandardStreams streams = StartProcess();
  // The command line needs no display: it is done before any application object exists.
  if (const auto status = RunCommandLine(argc, argv, streams, WindowArguments::Accepted)) {
    return *status;
  }
  KeepSessionBusFromStarting();

  const std::unique_ptr<QApplication> application = CreateApplication(argc, argv);
  // Docks and task switchers match the windows to the desktop entry by this name.
  QGuiApplication::setDesktopFileName(QStringLiteral("com.zentarix.zentarix"));
  InstallQtTranslations(*application);
  InstallGeneralErrorReport(ApplicationTitleFromPath(QCoreApplication::applicationFilePath()));
  QApplication::setWindowIcon(IconOfEverySize(QStringLiteral(":/icons")));
  LocaleWatcher localeWatcher;
  application->installEventFilter(&localeWatcher);

  TForm1 Form1;
  // Placed before its native window exists, so that it is created where it shows: moved
  // afterwards, it would come back from the X server as a move that Qt answers with queries
  // for the window's frame.
  CentreOnScreen(Form1);
  CreateNativeWindow(Form1);
  InstallStartupProbe(Form1);
  Form1.show();
  return application->exec();
}
