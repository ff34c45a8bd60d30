#include "text/user_level_listing.h"

#include <algorithm>
#include <cstddef>

#include "calc/number_render.h"

namespace zentarix {

namespace {

// Characters, not bytes: the locale's marks may take several bytes of UTF-8.
std::size_t CharacterCount(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

}  // namespace

std::string RatioPercent(Extended ratio) { return TrimmedNumber(ratio * 100) + "%"; }

std::string UserLevelText(const UserLevel& level) {
  return RatioPercent(level.Ratio->Value) + " = " +
         RenderNumber(static_cast<Extended>(level.Price), 4);
}

void AppendUserLevels(const std::vector<UserLevel>& levels, TextSink& memo,
                      const ListingTexts& texts) {
  if (levels.empty()) return;
  // Each line's percentage is what stands before its " = ".
  std::vector<std::string> lines;
  std::vector<std::size_t> widths;
  for (const UserLevel& level : levels) {
    lines.push_back(UserLevelText(level));
    widths.push_back(CharacterCount(lines.back().substr(0, lines.back().find(" = "))));
  }
  const std::size_t widest = *std::max_element(widths.begin(), widths.end());
  memo.AppendLine(texts.UserLevels);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    // One space more than the widest needs, as the listing's levels stand indented.
    memo.AppendLine(std::string(widest + 1 - widths[i], ' ') + lines[i]);
  }
}

}  // namespace zentarix
