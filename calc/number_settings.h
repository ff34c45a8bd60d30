// The two locale marks every number text is read and written with, and where they come from:
// one query per locale item, injectable so that tests can feed any answer.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace zentarix {

// One Unicode character each; code 0 means "none" (nothing is written, nothing matches).
extern char32_t DecimalMark;
extern char32_t GroupMark;

// Reads DecimalMark and GroupMark from the user's locale (LC_ALL, LC_NUMERIC, LANG).
void LoadNumberSettings();

enum class LocaleItem { GroupSeparator, DecimalSeparator };

// The item's text in UTF-8, or nullopt when the query fails.
using LocaleItemQuery = std::function<std::optional<std::string>(LocaleItem)>;

// Replaces the query LoadNumberSettings uses; an empty query restores the POSIX one.
void SetLocaleItemQuery(LocaleItemQuery query);

// The POSIX query: the numeric locale named by LC_ALL, then LC_NUMERIC, then LANG,
// its radix character or thousands separator decoded from the locale's codeset.
std::optional<std::string> QueryPosixLocaleItem(LocaleItem item);

// An item of exactly one character gives that character, an empty item gives 0 (none), a
// longer item or a failed query gives the fallback.
char32_t MarkFromLocaleItem(const std::optional<std::string>& item, char32_t fallback);

}  // namespace zentarix
