#include "cli/english_catalogue.h"

#include "chart/chart_texts.h"
#include "history/history_messages.h"

namespace zentarix {

namespace {

struct CatalogueRow {
  std::string_view Context;
  std::string_view Source;
  std::string_view Translation;
};

constexpr CatalogueRow Catalogue[] = {
#include "english_catalogue.inc"
};

std::string EnglishListingText(const std::string& source) {
  return std::string(EnglishText("Listing", source));
}

}  // namespace

std::string_view EnglishText(std::string_view context, std::string_view source) {
  for (const CatalogueRow& row : Catalogue) {
    if (row.Context == context && row.Source == source) return row.Translation;
  }
  return source;
}

ListingTexts EnglishListingTexts() {
  const ListingTexts russian;
  ListingTexts english;
  english.ErrorLine = EnglishListingText(russian.ErrorLine);
  english.CorridorF3 = EnglishListingText(russian.CorridorF3);
  english.CorridorF5 = EnglishListingText(russian.CorridorF5);
  english.Targets = EnglishListingText(russian.Targets);
  english.UserLevels = EnglishListingText(russian.UserLevels);
  english.SpokenNoise = EnglishListingText(russian.SpokenNoise);
  return english;
}

std::string EnglishHistoryText(const char* source) {
  return std::string(EnglishText(HistoryContext, source));
}

std::string EnglishChartText(const char* source) {
  return std::string(EnglishText(ChartContext, source));
}

}  // namespace zentarix
