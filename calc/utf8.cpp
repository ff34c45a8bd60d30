#include "calc/utf8.h"

#include <cstdint>
#include <cstring>

namespace zentarix {

std::size_t EncodeUtf8(char32_t ch, char (&bytes)[4]) {
  auto byte = [](char32_t bits) { return static_cast<char>(bits); };
  if (ch == 0) return 0;
  if (ch < 0x80) {
    bytes[0] = byte(ch);
    return 1;
  }
  if (ch < 0x800) {
    bytes[0] = byte(0xC0 | (ch >> 6));
    bytes[1] = byte(0x80 | (ch & 0x3F));
    return 2;
  }
  if (ch < 0x10000) {
    bytes[0] = byte(0xE0 | (ch >> 12));
    bytes[1] = byte(0x80 | ((ch >> 6) & 0x3F));
    bytes[2] = byte(0x80 | (ch & 0x3F));
    return 3;
  }
  bytes[0] = byte(0xF0 | (ch >> 18));
  bytes[1] = byte(0x80 | ((ch >> 12) & 0x3F));
  bytes[2] = byte(0x80 | ((ch >> 6) & 0x3F));
  bytes[3] = byte(0x80 | (ch & 0x3F));
  return 4;
}

void AppendUtf8(std::string& text, char32_t ch) {
  char bytes[4];
  text.append(bytes, EncodeUtf8(ch, bytes));
}

namespace {

// Decodes the character at text[pos], advancing pos; nullopt for a malformed sequence,
// an overlong form, a surrogate or a value beyond U+10FFFF.
std::optional<char32_t> DecodeAt(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;  // bytes in the sequence, the lead byte included
  char32_t ch = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    ch = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    ch = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    ch = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + length > text.size()) return std::nullopt;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    ch = (ch << 6) | (next & 0x3F);
  }
  static constexpr char32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (ch < Smallest[length] || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    return std::nullopt;
  }
  pos += length;
  return ch;
}

}  // namespace

std::optional<char32_t> SingleCharacter(std::string_view text) {
  if (text.empty()) return std::nullopt;
  std::size_t pos = 0;
  const auto ch = DecodeAt(text, pos);
  if (!ch || pos != text.size()) return std::nullopt;
  return ch;
}

bool IsValidUtf8(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (pos + 8 <= text.size()) {
      std::uint64_t eight;
      std::memcpy(&eight, text.data() + pos, 8);
      if ((eight & 0x8080808080808080u) == 0) {
        pos += 8;
        continue;
      }
    }
    if (!DecodeAt(text, pos)) return false;
  }
  return true;
}

}  // namespace zentarix
