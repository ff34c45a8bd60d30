// The program: start-up in the order the calculation relies on, then the event loop.
#include <QApplication>
#include <QGuiApplication>
#include <memory>

#include "app/process_start.h"
#include "cli/command_line.h"
#include "desktop/app_title.h"
#include "desktop/application_start.h"
#include "desktop/centre_on_screen.h"
#include "desktop/chart_picture.h"
#include "desktop/general_error_report.h"
#include "desktop/locale_watcher.h"
#include "desktop/native_window.h"
#include "desktop/session_bus.h"
#include "desktop/startup_probe.h"
#include "desktop/window_icon.h"
#include "shell/uMain.h"

using namespace zentarix;

namespace {

// --chart: the picture's fonts need an application object, made only when a chart is asked
// for and on Qt's offscreen platform (chosen before the object exists), so that a chart is
// drawn without a display, whatever DISPLAY holds.
std::string DrawChart(const std::string& file, const PriceChart& chart) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  // Qt's notes on the desktop it starts on (no runtime folder, say) concern no chart: a failure
  // is the one line of the error text. Its critical messages still go where they would.
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) previous(type, context, message);
      });
  int argc = 1;
  char name[] = "Zentarix";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  const QString problem = SaveCanvasPicture(QString::fromStdString(file), PriceChartPicture(chart));
  return problem.isEmpty() ? std::string() : "cannot write " + file + ": " + problem.toStdString();
}

}  // namespace

int main(int argc, char** argv) {
  const StandardStreams streams = StartProcess();
  // The command line needs no display: it is done before any application object exists.
  if (const auto status =
          RunCommandLine(argc, argv, streams, WindowArguments::Accepted, DrawChart)) {
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
  return RunEventLoop(*application);
}
