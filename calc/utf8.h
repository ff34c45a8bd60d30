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

// One character's UTF-8 bytes, encoded once for many uses; code 0 has none. ASCII, which
// nearly every locale mark is, needs no encoding.
struct EncodedCharacter {
  explicit EncodedCharacter(char32_t ch) {
    if (ch != 0 && ch < 0x80) {
      Bytes[0] = static_cast<char>(ch);
      Length = 1;
    } else {
      Length = EncodeUtf8(ch, Bytes);
    }
  }
  // Whether the text at p (with `left` bytes left) starts with the character; code 0 matches
  // nothing.
  bool StartsAt(const char* p, std::size_t left) const {
    if (Length == 0 || left < Length) return false;
    for (std::size_t i = 0; i < Length; ++i) {
      if (p[i] != Bytes[i]) return false;
    }
    return true;
  }
  // Writes the bytes at out; returns the position after them.
  char* WriteAt(char* out) const {
    for (std::size_t i = 0; i < Length; ++i) *out++ = Bytes[i];
    return out;
  }
  char Bytes[4] = {};
  std::size_t Length;
};

// Appends the UTF-8 encoding of ch; code 0 appends nothing.
void AppendUtf8(std::string& text, char32_t ch);

// The one character that text consists of; nullopt when text is empty, holds more than one
// character or is not valid UTF-8.
std::optional<char32_t> SingleCharacter(std::string_view text);

// Whether text is valid UTF-8: no malformed sequence, overlong form, surrogate or value beyond
// U+10FFFF. ASCII, which nearly every data file is, is checked eight bytes at a time.
bool IsValidUtf8(std::string_view text);

}  // namespace zentarix
