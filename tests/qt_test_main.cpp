#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <cstdlib>

// Widget tests run without a display unless the caller chose a platform on purpose, with settings
// of their own, and find the program's modules in the build tree.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The window's settings are the test's own, never the user's: each run starts with none.
  const QTemporaryDir settings;
  setenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit().constData(), 1);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // The program finds its modules from its own folder; the tests' programs live elsewhere.
  QCoreApplication::addLibraryPath(QStringLiteral(ZENTARIX_MODULE_BUILD_DIR));
  return RUN_ALL_TESTS();
}
