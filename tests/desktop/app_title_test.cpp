// The application's title derived from the program file's name.
#include "desktop/app_title.h"

#include <gtest/gtest.h>

#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

struct TitleCase {
  const char* name;
  const char* path;
  const char* title;
};

class AppTitle : public ::testing::TestWithParam<TitleCase> {};

TEST_P(AppTitle, KeepsTheFirstCharacterAndLowersTheRest) {
  EXPECT_EQ(ApplicationTitleFromPath(QString::fromUtf8(GetParam().path)).toStdString(),
            GetParam().title)
      << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, AppTitle,
    ::testing::Values(TitleCase{"InstalledProgram", "/usr/bin/Zentarix", "Zentarix"},
                      TitleCase{"CapitalsLowered", "/opt/ZENTARIX", "Zentarix"},
                      TitleCase{"FirstStaysLower", "/opt/zenTarix", "zentarix"},
                      TitleCase{"CutAtFirstDot", "/x/Zentarix.Beta.bin", "Zentarix"},
                      TitleCase{"DotInFolderIgnored", "/a.b/Zentarix", "Zentarix"},
                      TitleCase{"NoFolder", "Zentarix", "Zentarix"},
                      TitleCase{"CyrillicLowered", "/x/ЗЕНТАРИКС", "Зентарикс"},
                      TitleCase{"HiddenFileHasNoName", "/x/.zentarix", ""},
                      TitleCase{"TrailingSlash", "/x/", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
