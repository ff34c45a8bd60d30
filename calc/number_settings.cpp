#include "calc/number_settings.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

#include "calc/utf8.h"

namespace zentarix {

char32_t DecimalMark = U'.';
char32_t GroupMark = U',';

namespace {

LocaleItemQuery& CurrentQuery() {
  static LocaleItemQuery query;
  return query;
}

// The locale name the numeric category follows, resolved as POSIX says.
const char* NumericLocaleName() {
  for (const char* variable : {"LC_ALL", "LC_NUMERIC", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') return value;
  }
  return "C";
}

// Converts text from codeset to UTF-8; nullopt when the conversion is not possible.
std::optional<std::string> ToUtf8(std::string_view text, const char* codeset) {
  if (std::strcmp(codeset, "UTF-8") == 0 || text.empty()) return std::string(text);
  iconv_t converter = iconv_open("UTF-8", codeset);
  if (converter == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string input(text);
  std::string output(input.size() * 4 + 4, '\0');
  char* in = input.data();
  char* out = output.data();
  std::size_t inLeft = input.size();
  std::size_t outLeft = output.size();
  const std::size_t done = iconv(converter, &in, &inLeft, &out, &outLeft);
  iconv_close(converter);
  if (done == static_cast<std::size_t>(-1)) return std::nullopt;
  output.resize(output.size() - outLeft);
  return output;
}

}  // namespace

void SetLocaleItemQuery(LocaleItemQuery query) { CurrentQuery() = std::move(query); }

std::optional<std::string> QueryPosixLocaleItem(LocaleItem item) {
  // The character type comes from the same locale so that the codeset is the one the
  // numeric items are written in.
  locale_t locale = newlocale(LC_NUMERIC_MASK | LC_CTYPE_MASK, NumericLocaleName(), nullptr);
  if (locale == nullptr) return std::nullopt;
  const char* raw =
      nl_langinfo_l(item == LocaleItem::DecimalSeparator ? RADIXCHAR : THOUSEP, locale);
  const char* codeset = nl_langinfo_l(CODESET, locale);
  std::optional<std::string> result;
  if (raw != nullptr && codeset != nullptr) result = ToUtf8(raw, codeset);
  freelocale(locale);
  return result;
}

char32_t MarkFromLocaleItem(const std::optional<std::string>& item, char32_t fallback) {
  if (!item) return fallback;
  if (item->empty()) return 0;
  return SingleCharacter(*item).value_or(fallback);
}

void LoadNumberSettings() {
  const LocaleItemQuery& query = CurrentQuery();
  auto ask = [&](LocaleItem item) { return query ? query(item) : QueryPosixLocaleItem(item); };
  GroupMark = MarkFromLocaleItem(ask(LocaleItem::GroupSeparator), U',');
  DecimalMark = MarkFromLocaleItem(ask(LocaleItem::DecimalSeparator), U'.');
}

}  // namespace zentarix
