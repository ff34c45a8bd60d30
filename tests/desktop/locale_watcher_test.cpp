// A locale change that Qt announces to the application reloads the number marks.
#include "desktop/locale_watcher.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>

#include "calc/number_settings.h"
#include "tests/support/env_guard.h"
#include "tests/support/marks_guard.h"

using namespace zentarix;

namespace {

TEST(LocaleWatcher, LocaleChangeReloadsTheMarks) {
  const MarksGuard restore(U'.', U',');
  const EnvGuard locale("LC_ALL", "de_DE.UTF-8");
  LocaleWatcher watcher;
  QCoreApplication::instance()->installEventFilter(&watcher);
  QEvent other(QEvent::FontChange);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &other);
  EXPECT_EQ(DecimalMark, U'.') << "only a locale change reloads";
  QEvent change(QEvent::LocaleChange);
  QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
  EXPECT_EQ(DecimalMark, U',');
  EXPECT_EQ(GroupMark, U'.');
  QCoreApplication::instance()->removeEventFilter(&watcher);
}

}  // namespace
