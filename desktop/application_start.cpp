#include "desktop/application_start.h"

#include <unistd.h>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "desktop/interface_language.h"
#include "desktop/window_system.h"

namespace zentarix {

namespace {

struct HeldMessage {
  QtMsgType type;
  QString category;
  QString text;
};

// The state of the handler below, alive while the application object is being created.
QtMessageHandler PreviousHandler = nullptr;
std::vector<HeldMessage>* HeldMessages = nullptr;
const char* StartedAs = "Zentarix";

bool IsPlatformCategory(const char* category) {
  return category != nullptr && std::strncmp(category, "qt.qpa", 6) == 0;
}

void HoldPlatformMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  // Qt's verdict when no platform plugin could start: it would abort next.
  if (type == QtFatalMsg && text.contains(QLatin1String("platform plugin"))) {
    std::fputs((NoDisplayLine(StartedAs) + "\n").c_str(), stderr);
    std::fflush(stderr);
    _exit(1);
  }
  if (type != QtFatalMsg && IsPlatformCategory(context.category)) {
    HeldMessages->push_back({type, QString::fromLatin1(context.category), text});
    return;
  }
  PreviousHandler(type, context, text);
}

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

}  // namespace

std::string NoDisplayLine(const std::string& programPath) {
  const std::string platform = Variable("QT_QPA_PLATFORM");
  const std::string display = Variable("DISPLAY");
  if (!platform.empty()) {
    return programPath + ": the display platform \"" + platform +
           "\" (QT_QPA_PLATFORM) cannot start; unset QT_QPA_PLATFORM to use the X display";
  }
  const std::string missing = display.empty()
                                  ? std::string("no display: DISPLAY is ") +
                                        (std::getenv("DISPLAY") == nullptr ? "not set" : "empty")
                                  : "cannot open the display \"" + display + "\" (DISPLAY)";
  return programPath + ": " + missing +
         "; run it in a desktop session, or on a virtual X server: xvfb-run -s '-screen 0 "
         "1024x768x24' " +
         programPath;
}

std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv) {
  if (argc > 0 && argv[0] != nullptr) StartedAs = argv[0];
  std::vector<HeldMessage> held;
  HeldMessages = &held;
  PreviousHandler = qInstallMessageHandler(HoldPlatformMessages);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(PreviousHandler);
  HeldMessages = nullptr;
  // The platform started: what it had to say is passed on.
  for (const HeldMessage& message : held) {
    const QByteArray category = message.category.toLatin1();
    const QMessageLogContext context(nullptr, 0, nullptr, category.constData());
    PreviousHandler(message.type, context, message.text);
  }
  return application;
}

QTranslator* InstallQtTranslations(QCoreApplication& application) {
  if (EnglishRequested(QCoreApplication::arguments())) {
    // Qt's own texts are English already; the program's come from its catalogue.
    std::unique_ptr<QTranslator> catalogue = LoadEnglishCatalogue();
    if (catalogue == nullptr || !QCoreApplication::installTranslator(catalogue.get())) {
      return nullptr;
    }
    catalogue->setParent(&application);
    return catalogue.release();
  }
  auto* translator = new QTranslator(&application);
  if (!translator->load(QStringLiteral("qtbase_ru"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return nullptr;
  }
  return translator;
}

int RunEventLoop(QApplication& application) {
  const int status = application.exec();
  if (OnWayland()) {
    std::fflush(nullptr);
    _exit(status);
  }
  return status;
}

}  // namespace zentarix
