#include "text/ratio_reader.h"

#include <cstddef>
#include <limits>
#include <string>
#include <utility>

#include "calc/number_scan.h"
#include "calc/number_settings.h"
#include "calc/utf8.h"
#include "text/field_readers.h"
#include "text/replace_every.h"

namespace zentarix {

namespace {

using scan::IsDigit;

// The digits of a text the number grammar accepts, and where its decimal point stands once the
// exponent is applied: "12,5e-3" has digits "125" and the point at 2 - 3 = -1.
struct DecimalForm {
  bool Negative = false;
  std::string Digits;
  long Point = 0;
};

DecimalForm DecimalFormOf(std::string_view text, std::string_view mark) {
  DecimalForm form;
  std::size_t at = text.find_first_not_of(' ');
  const auto digits = [&] {
    while (at < text.size() && IsDigit(text[at])) form.Digits += text[at++];
  };
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) form.Negative = text[at++] == '-';
  digits();
  form.Point = static_cast<long>(form.Digits.size());
  if (!mark.empty() && text.substr(at, mark.size()) == mark) {
    at += mark.size();
    digits();
  }
  if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
    ++at;
    const bool negative = at < text.size() && text[at] == '-';
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    // The grammar stops an exponent's digits near 5000, far below long's range.
    long exponent = 0;
    while (at < text.size() && IsDigit(text[at])) exponent = exponent * 10 + (text[at++] - '0');
    form.Point += negative ? -exponent : exponent;
  }
  return form;
}

// One leading zero where the point comes first, none more; the written decimals stay, zeros
// included; no point without decimals.
std::string PlainDecimal(const DecimalForm& form) {
  const long count = static_cast<long>(form.Digits.size());
  std::string whole;
  std::string decimals;
  if (form.Point <= 0) {
    decimals.assign(static_cast<std::size_t>(-form.Point), '0');
    decimals += form.Digits;
  } else if (form.Point >= count) {
    whole = form.Digits;
    whole.append(static_cast<std::size_t>(form.Point - count), '0');
  } else {
    whole = form.Digits.substr(0, static_cast<std::size_t>(form.Point));
    decimals = form.Digits.substr(static_cast<std::size_t>(form.Point));
  }
  const std::size_t first = whole.find_first_not_of('0');
  std::string plain(form.Negative ? "-" : "");
  if (first == std::string::npos) {
    plain += '0';
  } else {
    plain.append(whole, first);
  }
  if (!decimals.empty()) plain.append(1, '.').append(decimals);
  return plain;
}

}  // namespace

std::optional<UserRatio> ReadRatio(std::string_view text) {
  const Extended value = ReadAorBOr(text, std::numeric_limits<Extended>::quiet_NaN());
  if (value != value) return std::nullopt;
  // The reader took a full stop for the locale's mark; so does the walk over the digits.
  std::string mark;
  if (DecimalMark != 0) AppendUtf8(mark, DecimalMark);
  const std::string marked = mark.empty() ? std::string(text) : ReplaceEvery(text, ".", mark);
  return UserRatio{value, PlainDecimal(DecimalFormOf(marked, mark))};
}

RatioList ReadRatioList(const std::vector<std::string>& texts) {
  RatioList list;
  for (std::size_t i = 0; i < texts.size(); ++i) {
    std::optional<UserRatio> ratio = ReadRatio(texts[i]);
    if (!ratio) {
      list.BadText = i;
      break;
    }
    if (AddRatio(list.Ratios, std::move(*ratio)) == RatioAdded::TooMany) {
      list.TooMany = true;
      break;
    }
  }
  return list;
}

}  // namespace zentarix
