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
  std::vector<std::string> percents;
  std::size_t widest = 0;
  for (const UserLevel& level : levels) {
    percents.push_back(RatioPercent(level.Ratio->Value));
    widest = std::max(widest, CharacterCount(percents.back()));
  }
  memo.AppendLine(texts.UserLevels);
  for (std::size_t i = 0; i < levels.size(); ++i) {
    // One space more than the widest needs, as the listing's levels stand indented.
    const std::string pad(widest + 1 - CharacterCount(percents[i]), ' ');
    memo.AppendLine(pad + percents[i] + " = " +
                    RenderNumber(static_cast<Extended>(levels[i].Price), 4));
  }
}

}  // namespace zentarix
