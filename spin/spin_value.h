// The number rules of the spin edit, free of any widget: reading the field's text as a 32-bit
// whole number, writing a number back as text, the range clamp, the wrapping step, and which
// typed characters the field takes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zentarix {

// Reads [blanks][+|-](decimal digits | hex prefix hex digits) filling the whole text. The hex
// prefixes are "$", "x", "X", "0x" and "0X"; a hex number of up to eight significant digits is
// a 32-bit pattern ("$FFFFFFFF" is -1), negated after a minus sign. A decimal number must lie
// in the 32-bit signed range. Anything else, a trailing blank included, gives no value.
std::optional<std::int32_t> ParseSpinValue(std::string_view text);

// Plain decimal digits with a leading "-" for negatives: no blanks, grouping or "+".
std::string FormatSpinValue(std::int32_t value);

// No clamp when the bounds are equal. The lower bound is tested first, so with max below min
// every value below min gives min and every other value gives max.
std::int32_t ClampSpinValue(std::int32_t value, std::int32_t min, std::int32_t max);

// value + increment (or - increment) in 32-bit two's complement, wrapping without error.
std::int32_t StepSpinValue(std::int32_t value, std::int32_t increment, bool up);

// Whether a typed character may reach the field: signs, digits, the decimal mark, a full stop
// (read as the decimal mark, as in the window's other fields; the mark itself when
// decimalMark is 0) and control characters except carriage return. With the editor disabled
// only control characters other than backspace pass.
bool AcceptsSpinChar(char32_t ch, char32_t decimalMark, bool editorEnabled);

}  // namespace zentarix
