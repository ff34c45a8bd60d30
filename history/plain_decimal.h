// A price cell that is a plain decimal, read sixteen bytes at once: the test that every byte is
// a digit or the one mark, and the gathering of up to sixteen digits into one integer, are the
// same few instructions whatever the cell's length, where a loop over the digits would stop at
// a length that changes from row to row (99.87 beside 100.12).
#pragma once

#include <emmintrin.h>

#include <cstddef>
#include <cstdint>

namespace zentarix {

namespace plain_decimal {

// Sixteen zero bytes, then sixteen of all ones: the sixteen bytes from Lanes + n have their last
// n lanes set, the others clear.
alignas(32) inline constexpr char Lanes[32] = {0,  0,  0,  0,  0,  0,  0,  0,  0,  0,  0,
                                               0,  0,  0,  0,  0,  -1, -1, -1, -1, -1, -1,
                                               -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};

}  // namespace plain_decimal

// The cell of size bytes (1 to 16) that ends at end, where the sixteen bytes before end may be
// read: digits, and at most one mark (marks: the mark in every lane) among them. whole is its
// digits as one integer (below 10^16), fractionDigits how many of them follow the mark. False
// for any other cell.
[[gnu::always_inline]] inline bool ReadPlainDecimal(const char* end, std::size_t size,
                                                    __m128i marks, std::uint64_t& whole,
                                                    int& fractionDigits) {
  using plain_decimal::Lanes;
  // The cell takes the last size lanes: lane 15 is its last byte.
  const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(end - 16));
  const __m128i inCell = _mm_loadu_si128(reinterpret_cast<const __m128i*>(Lanes + size));
  const __m128i values = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
  // Any byte below '0' wraps to 0xD0 or more, so only the digits stay at 9 or below.
  const __m128i digit = _mm_and_si128(
      inCell, _mm_cmpeq_epi8(_mm_subs_epu8(values, _mm_set1_epi8(9)), _mm_setzero_si128()));
  const __m128i mark = _mm_and_si128(inCell, _mm_cmpeq_epi8(bytes, marks));
  const auto cellBits = static_cast<unsigned>(_mm_movemask_epi8(inCell));
  const auto digitBits = static_cast<unsigned>(_mm_movemask_epi8(digit));
  const auto markBits = static_cast<unsigned>(_mm_movemask_epi8(mark));
  if ((digitBits | markBits) != cellBits || digitBits == 0 || (markBits & (markBits - 1)) != 0) {
    return false;
  }
  // How many lanes the whole part takes up to and with the mark; none without a mark.
  const int markLane = __builtin_ctz(markBits | 0x10000);
  const std::size_t wholeLanes = markBits != 0 ? static_cast<std::size_t>(markLane) + 1 : 0;
  fractionDigits = markBits != 0 ? 15 - markLane : 0;
  // The digits' values, 0 in the mark's lane and outside the cell; then the whole part moved
  // one lane on over the mark, so that the digits stand together at the end.
  const __m128i pastWhole =
      _mm_loadu_si128(reinterpret_cast<const __m128i*>(Lanes + 16 - wholeLanes));
  __m128i digits = _mm_and_si128(values, digit);
  digits = _mm_or_si128(_mm_and_si128(pastWhole, digits),
                        _mm_andnot_si128(pastWhole, _mm_slli_si128(digits, 1)));
  // Neighbours joined into lanes twice as wide, the first one times 10, 100, then 10^4: 99,
  // 9999 and 99999999 all fit their lanes, so no step overflows.
  const __m128i zero = _mm_setzero_si128();
  const __m128i tens = _mm_set1_epi32(0x0001000A);
  const __m128i pairs = _mm_packs_epi32(_mm_madd_epi16(_mm_unpacklo_epi8(digits, zero), tens),
                                        _mm_madd_epi16(_mm_unpackhi_epi8(digits, zero), tens));
  const __m128i fours = _mm_madd_epi16(pairs, _mm_set1_epi32(0x00010064));
  const __m128i eights = _mm_madd_epi16(_mm_packs_epi32(fours, fours), _mm_set1_epi32(0x00012710));
  const auto first = static_cast<std::uint32_t>(_mm_cvtsi128_si32(eights));
  const auto second = static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(eights, 4)));
  whole = std::uint64_t{first} * 100'000'000 + second;
  return true;
}

}  // namespace zentarix
