// The command line's English texts: the rows of the program's Qt Linguist catalogue
// (translations/zentarix_en.ts), made into a table when the program is built, so that the
// program without Qt writes the same words as the window.
#pragma once

#include <string>
#include <string_view>

#include "text/listing.h"

namespace zentarix {

// The English text of source in context; source itself where the catalogue has none.
std::string_view EnglishText(std::string_view context, std::string_view source);

// The listing's words in English.
ListingTexts EnglishListingTexts();

// A price file's fault or note in English (source is one of HistoryTexts()).
std::string EnglishHistoryText(const char* source);

// A word of the chart in English (source is one of ChartTexts()).
std::string EnglishChartText(const char* source);

}  // namespace zentarix
