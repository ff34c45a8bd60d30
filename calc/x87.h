// The x87 instructions the floating-point environment is made of, as inline primitives, and
// the bits of the words they read and write. The environment, the number parse and the
// fuzzers' checks all go through these: the asm for each instruction is written once, here.
#pragma once

#include <cstdint>

namespace zentarix::fpu {

// Control-word exception masks; the status word has its condition flags at the same bits.
inline constexpr std::uint16_t InvalidMask = 0x0001;
inline constexpr std::uint16_t DenormalMask = 0x0002;
inline constexpr std::uint16_t ZeroDivideMask = 0x0004;
inline constexpr std::uint16_t OverflowMask = 0x0008;
inline constexpr std::uint16_t UnderflowMask = 0x0010;
inline constexpr std::uint16_t PrecisionMask = 0x0020;
inline constexpr std::uint16_t AllMasks = 0x003F;

// Precision control (bits 8-9) and rounding control (bits 10-11): what the hardware really
// does with a word. The infinity-control bit (12) is ignored by the hardware.
inline constexpr std::uint16_t ModeBits = 0x0F00;

// The word the program starts with:
//   0x1000  infinity control (kept for its own sake; the hardware ignores it)
//   0x0300  precision control 11: 64-bit significand
//   0x0000  rounding control 00: to nearest, ties to even
//   0x0032  denormal, underflow and inexact masked: silent; invalid operation, division by
//           zero and overflow unmasked: reported
inline constexpr std::uint16_t StartWord =
    0x1000 | 0x0300 | DenormalMask | UnderflowMask | PrecisionMask;
static_assert(StartWord == 0x1332);

// The word a number parse runs under: the start word with every condition silent.
inline constexpr std::uint16_t ParseWord = StartWord | AllMasks;

inline std::uint16_t ReadControlWord() {
  std::uint16_t word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

inline void LoadControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

inline std::uint16_t ReadStatusWord() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=a"(status) : : "memory");
  return status;
}

inline void ClearFlags() { asm volatile("fnclex" ::: "memory"); }

// Whether a hardware control word computes as `word` does once every mask is set, as the
// hardware always has them: same precision, rounding and masks. Loading a changed word costs
// about a hundred nanoseconds on some processors, so a word is loaded only when this says no.
inline bool ComputesAs(std::uint16_t hardware, std::uint16_t word) {
  constexpr std::uint16_t Compared = ModeBits | AllMasks;
  return (hardware & Compared) == ((word | AllMasks) & Compared);
}

}  // namespace zentarix::fpu
