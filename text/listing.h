// The results listing: the nineteen lines of one successful calculation, or the one error
// line of a failed one, written into the read-only text box of the main window.
#pragma once

#include <string>

#include "calc/level_table.h"
#include "calc/uCalcItem.h"

namespace zentarix {

// What the listing needs of the text box.
class TextSink {
 public:
  virtual ~TextSink() = default;
  virtual void SetText(const std::string& text) = 0;     // replace everything
  virtual void AppendLine(const std::string& line) = 0;  // line + line break at the end
};

// The error line of a failed calculation, whichever input failed.
inline constexpr const char* NoiseErrorLine = "Ошибка в значении шума!";

// The listing's own words: the error line and its three headings. The defaults are the
// system's Russian ones; the window and the command line pass those of the interface language.
struct ListingTexts {
  std::string ErrorLine = NoiseErrorLine;
  std::string CorridorF3 = "Коридор F3";
  std::string CorridorF5 = "Коридор F5";
  std::string Targets = "Возможные целевые точки";
  // The heading of the user's own levels after the 19 lines.
  std::string UserLevels = "Свои уровни";
  // What a change of the noise changes, for screen readers: %1 the noise in percent, %2 to %5
  // the two corridors' bounds.
  std::string SpokenNoise = "Шум %1%: коридор F3 %2 – %3, коридор F5 %4 – %5";
};

// passed is what CalculateLevels returned for item. A failure leaves the error line alone,
// with no line break after it. Otherwise the text is emptied and the 19 lines appended, each
// ending in a line break; an EOverflow from the target points stops the writing after line
// 12 and propagates.
void WriteListing(const TCalcItem& item, bool passed, TextSink& memo);
void WriteListing(const TCalcItem& item, bool passed, TextSink& memo, const ListingTexts& texts);

// The level's line: its label and value with four decimals in the locale's marks
// (" F3 = 106,1800").
std::string ListingLine(const SpecifiedLevel& level, double value);

// value with four decimals in the locale's marks, less the zeros that end them: 23.6, 100.
std::string TrimmedNumber(Extended value);

// value as the listing writes it, less the zeros that end its four decimals: 106.18, 105, 0.25;
// the scientific form keeps its digits.
std::string SpokenValue(double value);

// The listing in a few words, for screen readers: F3, the 50% level and F5 as the listing shows
// them less the zeros that end their decimals ("F3 106.18, 50% 105, F5 103.82"), or the error
// line of a failed calculation.
std::string SpokenResult(const TCalcItem& item, bool passed, const ListingTexts& texts);

// What a new noise changes, in a few words: the noise and the two corridors, each low to high
// ("Шум 3,1%: коридор F3 105,87 – 106,49, коридор F5 103,51 – 104,13" for A 100, B 110 and
// 31 tenths), or the error line of a failed calculation.
std::string SpokenNoiseResult(const TCalcItem& item, bool passed, const ListingTexts& texts);

}  // namespace zentarix
