#include "text/field_readers.h"

#include <string>

#include "calc/number_parse.h"
#include "calc/number_settings.h"
#include "calc/utf8.h"
#include "text/replace_every.h"

namespace zentarix {

namespace {

bool HoldsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

// Every field reads a full stop as the locale's decimal mark, so that "100.5" is a fraction
// under every locale (under a "," locale "100.5" and "100,5" are the same number).
Extended ParseFieldOr(std::string_view text, Extended fallback) {
  if (HoldsNul(text)) return fallback;
  // Without a decimal mark a full stop stays what it is, and the parse refuses it.
  if (DecimalMark == 0) return ParseNumberOr(text, fallback);
  std::string mark;
  AppendUtf8(mark, DecimalMark);
  return ParseNumberOr(ReplaceEvery(text, ".", mark), fallback);
}

}  // namespace

Extended ReadAorB(std::string_view text) { return ReadAorBOr(text, BadField); }

Extended ReadNoise(std::string_view text) { return ReadNoiseOr(text, BadField); }

Extended ReadAorBOr(std::string_view text, Extended fallback) {
  return ParseFieldOr(text, fallback);
}

Extended ReadNoiseOr(std::string_view text, Extended fallback) {
  return ParseFieldOr(text, fallback);
}

}  // namespace zentarix
