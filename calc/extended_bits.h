// The fields of an x87 extended value: sign, 15-bit biased exponent, 64-bit significand with
// an explicit integer bit.
#pragma once

#include <cstdint>
#include <cstring>

#include "calc/extended.h"

namespace zentarix {

struct ExtendedBits {
  std::uint64_t Significand;
  std::uint16_t BiasedExponent;  // without the sign
  bool Negative;
};

inline ExtendedBits SplitExtended(Extended x) {
  unsigned char bytes[sizeof(Extended)];
  std::memcpy(bytes, &x, sizeof bytes);
  std::uint64_t significand;
  std::uint16_t signAndExponent;
  std::memcpy(&significand, bytes, 8);
  std::memcpy(&signAndExponent, bytes + 8, 2);
  return {significand, static_cast<std::uint16_t>(signAndExponent & 0x7FFF),
          (signAndExponent & 0x8000) != 0};
}

inline Extended JoinExtended(const ExtendedBits& bits) {
  unsigned char bytes[sizeof(Extended)] = {};
  const auto signAndExponent =
      static_cast<std::uint16_t>(bits.BiasedExponent | (bits.Negative ? 0x8000 : 0));
  std::memcpy(bytes, &bits.Significand, 8);
  std::memcpy(bytes + 8, &signAndExponent, 2);
  Extended x;
  std::memcpy(&x, bytes, sizeof x);
  return x;
}

}  // namespace zentarix
