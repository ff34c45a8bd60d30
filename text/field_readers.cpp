#include "text/field_readers.h"

#include <string>

#include "calc/number_parse.h"
#include "calc/number_settings.h"
#include "calc/utf8.h"
#include "text/replace_every.h"

namespace zentarix {

namespace {

bool HoldsNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

}  // namespace

Extended ReadAorB(std::string_view text) {
  if (HoldsNul(text)) return BadField;
  // Without a decimal mark a full stop stays what it is, and the parse refuses it.
  if (DecimalMark == 0) return ParseNumberOr(text, BadField);
  std::string mark;
  AppendUtf8(mark, DecimalMark);
  return ParseNumberOr(ReplaceEvery(text, ".", mark), BadField);
}

Extended ReadNoise(std::string_view text) {
  if (HoldsNul(text)) return BadField;
  return ParseNumberOr(text, BadField);
}

}  // namespace zentarix
