// The few UTF-8 operations the number texts need: a mark is one Unicode character and the
// texts are UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zentarix {

// Writes the UTF-8 encoding of ch into bytes and returns its length; code 0 writes nothing
// (a mark of code 0 is "none").
std::size_t EncodeUtf8(char32_t ch, char (&bytes)[4]);

// Appends the UTF-8 encoding of ch; code 0 appends nothing.
void AppendUtf8(std::string& text, char32_t ch);

// The one character that text consists of; nullopt when text is empty, holds more than one
// character or is not valid UTF-8.
std::optional<char32_t> SingleCharacter(std::string_view text);

}  // namespace zentarix
