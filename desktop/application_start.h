// Creating the application object: without a usable display, a line that says what is missing
// instead of Qt's abort; then Qt's own texts in Russian, as the rest of the interface.
#pragma once

#include <memory>
#include <string>

class QApplication;
class QCoreApplication;
class QTranslator;

namespace zentarix {

// The one line the program prints when no display platform can start, naming what is missing
// (the platform asked for in QT_QPA_PLATFORM, DISPLAY unset or empty, or the display DISPLAY
// names) and how to run the program anyway; programPath is the path it was started by.
std::string NoDisplayLine(const std::string& programPath);

// Creates the application object. While it starts, Qt's platform messages are held back (and
// passed on once it has started); when no display platform can start, the program prints
// NoDisplayLine on standard error and ends with status 1. argc must outlive the object.
std::unique_ptr<QApplication> CreateApplication(int& argc, char** argv);

// Installs the interface language's translations on application: Qt's Russian ones (context
// menus, dialog buttons) from Qt's translations folder, or, when English is asked for (--lang
// en, ZENTARIX_LANG=en), the program's own English catalogue. Returns the installed
// translator, owned by application, or null when none was installed. The windows are created
// afterwards, so that their layouts are built in the language.
QTranslator* InstallQtTranslations(QCoreApplication& application);

// Runs application's event loop and returns its exit status, for main to return after the usual
// teardown. Under Wayland the process ends with that status as soon as the loop does, without
// destroying the windows or the application object (the compositor drops the windows with the
// connection). Destroying the application object, Qt 6.4.2's Wayland plugin stops its two event
// threads in turn; when the main thread has just prepared a read for the first one, that thread
// quits without reading or cancelling it, and the second one, woken by the compositor's last
// events, waits for that read in wl_display_read_events for ever while QWaylandDisplay's
// destructor waits for it. After one close in three to five on a busy two-core machine the
// process stayed, without a window.
int RunEventLoop(QApplication& application);

}  // namespace zentarix
