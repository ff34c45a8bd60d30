// What the fuzzers share: ending a run on a broken property with the input that broke it,
// reading typed values from the fuzzer's bytes, and the mark pairs the number texts run under.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "calc/extended.h"
#include "calc/number_settings.h"
#include "calc/x87.h"

namespace zentarix::fuzz {

// The bytes of text with everything outside printable ASCII written as \xNN, so that a
// report shows exactly what was fed in.
inline std::string Printable(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out += ch;
    } else {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      out += escape;
    }
  }
  return out;
}

// Ends the run: libFuzzer reports the abort as a crash and saves the input beside it.
[[noreturn]] inline void Fail(std::string_view property, const std::string& detail) {
  std::fprintf(stderr, "\n*** property broken: %.*s\n*** %s\n", static_cast<int>(property.size()),
               property.data(), detail.c_str());
  std::abort();
}

// The detail is built only when the property is broken: describe() is called then.
template <typename Describe>
void Require(bool holds, std::string_view property, const Describe& describe) {
  if (!holds) Fail(property, describe());
}

// Hands out the fuzzer's bytes as typed values; past the end every byte reads as zero, so
// any input, however short, is a complete case.
class ByteReader {
 public:
  ByteReader(const std::uint8_t* data, std::size_t size) : FData(data), FSize(size) {}

  template <typename T>
  T Take() {
    unsigned char bytes[sizeof(T)] = {};
    for (unsigned char& byte : bytes) byte = FPos < FSize ? FData[FPos++] : 0;
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
  }

  // The bytes not read yet.
  std::string_view Rest() const {
    return FPos < FSize
               ? std::string_view(reinterpret_cast<const char*>(FData) + FPos, FSize - FPos)
               : std::string_view();
  }

 private:
  const std::uint8_t* FData;
  std::size_t FSize;
  std::size_t FPos = 0;
};

// The decimal and group marks a number text is read and written under.
struct MarkPair {
  char32_t Decimal;
  char32_t Group;
  const char* Name;
};

// An ASCII pair each way round (the group mark of the first is a blank, which the parse
// skips only around the number), a pair of two-byte characters, and no marks at all.
inline constexpr MarkPair MarkPairs[] = {
    {U',', U' ', "decimal ',' group ' '"},
    {U'.', U',', "decimal '.' group ','"},
    {U'\u066B', U'\u066C', "decimal U+066B group U+066C"},
    {0, 0, "no marks"},
};

// Puts a pair in force for the lifetime of the object and the previous pair back afterwards.
class MarksInForce {
 public:
  explicit MarksInForce(const MarkPair& pair) : FDecimal(DecimalMark), FGroup(GroupMark) {
    DecimalMark = pair.Decimal;
    GroupMark = pair.Group;
  }
  ~MarksInForce() {
    DecimalMark = FDecimal;
    GroupMark = FGroup;
  }
  MarksInForce(const MarksInForce&) = delete;
  MarksInForce& operator=(const MarksInForce&) = delete;

 private:
  char32_t FDecimal;
  char32_t FGroup;
};

// The UTF-8 bytes of a mark; empty for code 0. Written here rather than taken from the
// code under test; every mark of the pairs above lies below U+10000.
inline std::string MarkText(char32_t mark) {
  std::string text;
  if (mark == 0) return text;
  if (mark < 0x80) return text += static_cast<char>(mark);
  if (mark < 0x800) {
    text += static_cast<char>(0xC0 | (mark >> 6));
    return text += static_cast<char>(0x80 | (mark & 0x3F));
  }
  text += static_cast<char>(0xE0 | (mark >> 12));
  text += static_cast<char>(0x80 | ((mark >> 6) & 0x3F));
  return text += static_cast<char>(0x80 | (mark & 0x3F));
}

// The 80 bits of an extended value, the sign of zero and NaN payloads included.
inline bool SameBits(Extended a, Extended b) { return std::memcmp(&a, &b, 10) == 0; }

}  // namespace zentarix::fuzz
