// The chart's words, written in Russian, the system's own language, and translated through the
// catalogue's "Chart" context; "%1" and "%2" stand for what each text names.
#pragma once

#include <functional>
#include <span>
#include <string>

namespace zentarix {

inline constexpr const char* ChartContext = "Chart";

// The text of source (one of ChartTexts()) in the language of the picture.
using TranslateChart = std::function<std::string(const char* source)>;

inline constexpr const char* ChartTitleText = "%1: волны от %2%";
inline constexpr const char* ThresholdText = "Порог разворота %1%";
inline constexpr const char* NoiseText = "Шум %1%";
inline constexpr const char* SwingDatesText = "Волна %1 – %2";
inline constexpr const char* NotConfirmedText = "(не подтверждена)";
inline constexpr const char* FileText = "Файл %1";

// Every text above, for the check that each has a translation.
std::span<const char* const> ChartTexts();

}  // namespace zentarix
