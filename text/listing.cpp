#include "text/listing.h"

#include <algorithm>

#include "calc/number_render.h"
#include "text/replace_every.h"

namespace zentarix {

namespace {

// Stored doubles widen to extended exactly. The leading spaces line up the equals signs in
// the fixed-pitch text box: lines 4 to 6, lines 8 to 12, and lines 14 to 19 form three
// columns.
void AppendValue(TextSink& memo, const char* pattern, double value) {
  memo.AppendLine(FormatNumber(pattern, static_cast<Extended>(value)));
}

void AppendLevels(const TCalcItem& item, TextSink& memo, const ListingTexts& texts) {
  AppendValue(memo, "A = %.4n", item.ValueA);
  AppendValue(memo, "B = %.4n", item.ValueB);
  memo.AppendLine("------------");
  AppendValue(memo, " F3 = %.4n", item.F3);
  memo.AppendLine(Level50Text(item.Level50));
  AppendValue(memo, " F5 = %.4n", item.F5);
  memo.AppendLine(texts.CorridorF3);
  AppendValue(memo, "  F3(1) = %.4n", item.F3Minus);
  AppendValue(memo, "  F3(2) = %.4n", item.F3Plus);
  memo.AppendLine(texts.CorridorF5);
  AppendValue(memo, "  F5(1) = %.4n", item.F5Minus);
  AppendValue(memo, "  F5(2) = %.4n", item.F5Plus);
}

void AppendTargets(const TCalcItem& item, TextSink& memo, const ListingTexts& texts) {
  // Computed only after lines 1 to 12 stand: an overflow here leaves them in place.
  const auto targets = TargetPoints(item);
  memo.AppendLine(texts.Targets);
  AppendValue(memo, "  COP(F3) = %.4n", targets[0]);
  AppendValue(memo, "  COP(F5) = %.4n", targets[1]);
  AppendValue(memo, "   OP(F3) = %.4n", targets[2]);
  AppendValue(memo, "   OP(F5) = %.4n", targets[3]);
  AppendValue(memo, "  XOP(F3) = %.4n", targets[4]);
  AppendValue(memo, "  XOP(F5) = %.4n", targets[5]);
}

}  // namespace

// The value with four decimals, or with fewer when the last ones are zeros. Rounded to fewer
// decimals, a value whose four-decimal form ends in zeros gives that form without them. The
// scientific form keeps its digits: its last zeros belong to the exponent.
std::string SpokenValue(double value) {
  const Extended extended = static_cast<Extended>(value);
  const std::string full = RenderNumber(extended, 4);
  if (full.find('E') != std::string::npos) return full;
  int decimals = 4;
  while (decimals > 0 && full[full.size() - static_cast<std::size_t>(5 - decimals)] == '0') {
    --decimals;
  }
  return decimals == 4 ? full : RenderNumber(extended, decimals);
}

std::string SpokenResult(const TCalcItem& item, bool passed, const ListingTexts& texts) {
  if (!passed) return texts.ErrorLine;
  return "F3 " + SpokenValue(item.F3) + ", 50% " + SpokenValue(item.Level50) + ", F5 " +
         SpokenValue(item.F5);
}

std::string SpokenNoiseResult(const TCalcItem& item, bool passed, const ListingTexts& texts) {
  if (!passed) return texts.ErrorLine;
  // A falling move's corridors have their plus bound below their minus bound.
  const auto low = [](double one, double other) { return SpokenValue(std::min(one, other)); };
  const auto high = [](double one, double other) { return SpokenValue(std::max(one, other)); };
  std::string spoken = ReplaceEvery(texts.SpokenNoise, "%1", SpokenValue(item.Noise * 100));
  spoken = ReplaceEvery(spoken, "%2", low(item.F3Minus, item.F3Plus));
  spoken = ReplaceEvery(spoken, "%3", high(item.F3Minus, item.F3Plus));
  spoken = ReplaceEvery(spoken, "%4", low(item.F5Minus, item.F5Plus));
  return ReplaceEvery(spoken, "%5", high(item.F5Minus, item.F5Plus));
}

void WriteListing(const TCalcItem& item, bool passed, TextSink& memo) {
  WriteListing(item, passed, memo, ListingTexts());
}

void WriteListing(const TCalcItem& item, bool passed, TextSink& memo, const ListingTexts& texts) {
  if (!passed) {
    memo.SetText(texts.ErrorLine);
    return;
  }
  memo.SetText(std::string());
  AppendLevels(item, memo, texts);
  AppendTargets(item, memo, texts);
}

}  // namespace zentarix
