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
#include "shell/diagram_picture.h"
#include "shell/paint_box.h"
#include "shell/uMain.h"

using namespace zentarix;

namespace {

// --chart and --diagram: the picture's fonts need an application object, made only when a
// picture is asked for and on Qt's offscreen platform (chosen before the object exists), so that
// it is drawn without a display, whatever DISPLAY holds. Qt's notes on the desktop it starts on
// (no runtime folder, say) concern no picture: a failure is the one line of the error text. Its
// critical messages still go where they would.
void DrawOffscreen() {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QtMessageHandler previous = nullptr;
  previous = qInstallMessageHandler(
      [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
        if (type == QtCriticalMsg || type == QtFatalMsg) previous(type, context, message);
      });
}

std::string Written(const std::string& file, const QString& problem) {
  return problem.isEmpty() ? std::string() : "cannot write " + file + ": " + problem.toStdString();
}

std::string DrawChart(const std::string& file, const PriceChart& chart) {
  DrawOffscreen();
  int argc = 1;
  char name[] = "Zentarix";
  char* argv[] = {name, nullptr};
  const QGuiApplication application(argc, argv);
  return Written(file, SaveCanvasPicture(QString::fromStdString(file), PriceChartPicture(chart)));
}

// The diagram as the window of its default size shows it, in its panel's font: the window is
// made and laid out, never put on a screen, for its panel.
std::string DrawDiagram(const std::string& file, int width, int height, const TCalcItem& item) {
  DrawOffscreen();
  int argc = 1;
  char name[] = "Zentarix";
  char* argv[] = {name, nullptr};
  const QApplication application(argc, argv);
  TForm1 form;
  form.setAttribute(Qt::WA_DontShowOnScreen);
  form.show();
  QCoreApplication::sendPostedEvents();
  const QSize size = width > 0 ? QSize(width, height) : form.pnb()->size();
  return Written(file, SaveCanvasPicture(QString::fromStdString(file),
                                         LevelDiagramPicture(size, form.pnb()->font(), item)));
}

}  // namespace

int main(int argc, char** argv) {
  const StandardStreams streams = StartProcess();
  // The command line needs no display: it is done before any application object exists.
  if (const auto status = RunCommandLine(argc, argv, streams, WindowArguments::Accepted,
                                         {DrawChart, DrawDiagram})) {
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
