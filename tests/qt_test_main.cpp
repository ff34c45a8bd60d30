#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Widget tests run without a display unless the caller chose a platform on purpose, and find
// the program's modules in the build tree.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  // The program finds its modules from its own folder; the tests' programs live elsewhere.
  QCoreApplication::addLibraryPath(QStringLiteral(ZENTARIX_MODULE_BUILD_DIR));
  return RUN_ALL_TESTS();
}
