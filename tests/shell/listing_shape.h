// What the results listing may hold at any moment, checked by a pattern of its own rather than
// by the listing writer: nothing yet, one of the three error lines, the nineteen lines of a
// run, or the first twelve of them when the target points overflowed.
#pragma once

#include <string>
#include <string_view>

namespace zentarix::test {

enum class MemoShape { Empty, ErrorLine, Listing, ListingCutAfterLevels, Invalid };

struct MemoVerdict {
  MemoShape Shape = MemoShape::Invalid;
  std::string Problem;  // for Invalid: the first line that breaks the pattern, and why
};

// A number as the listing renders it under the two marks: [-]digits in groups of three, the
// decimal mark and four decimals; [-]d[mark digits]E and four or more exponent digits from
// 10^18 on; INF, -INF or NAN.
bool IsRenderedNumber(std::string_view text, char32_t decimalMark, char32_t groupMark);

MemoVerdict ClassifyMemo(std::string_view text, char32_t decimalMark, char32_t groupMark);

}  // namespace zentarix::test
