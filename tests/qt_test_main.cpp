#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

// Widget tests run without a display unless the caller chose a platform on purpose.
int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
