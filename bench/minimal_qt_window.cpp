// The yardstick of the start-up benchmark: one empty Qt Widgets window of the main window's
// size, with the same start-up probe, and nothing else.
#include <QApplication>
#include <QWidget>

#include "desktop/startup_probe.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.resize(656, 433);  // the main window's size, so both paint the same number of pixels
  zentarix::InstallStartupProbe(window);
  window.show();
  return application.exec();
}
