// The next line break of a block of text, sixteen bytes at a time: a line of a price file is a
// few dozen bytes, too short for a call to memchr to pay. Both threads that read a price file
// find its lines with these.
//
//   "ab\ncd" from 0 -> at 2;   "abcd" -> nullptr
#pragma once

#include <emmintrin.h>

#include <string_view>

namespace zentarix {

// The first line break in [begin, end), or nullptr. Reads in sixteen-byte steps: the fifteen
// bytes after end must be readable (a block's buffer keeps that much padding).
inline const char* FindLineBreak(const char* begin, const char* end) {
  const __m128i breaks = _mm_set1_epi8('\n');
  const char* at = begin;
  unsigned found;
  while ((found = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(
              _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), breaks)))) == 0) {
    at += 16;
    if (at >= end) return nullptr;
  }
  // A break in the padding, or one an earlier block left past the end, is no part of the text.
  const char* const lineBreak = at + __builtin_ctz(found);
  return lineBreak < end ? lineBreak : nullptr;
}

// A line without the CR of its CRLF ending.
inline std::string_view WithoutCarriageReturn(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

}  // namespace zentarix
