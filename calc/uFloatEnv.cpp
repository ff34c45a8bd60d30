#include "calc/uFloatEnv.h"

#include "calc/uNumberText.h"

namespace zentarix {

std::uint16_t DefaultFpuControlWord = 0x1332;

namespace {

// x87 status-word condition flags (same bit positions as the control-word masks).
constexpr std::uint16_t InvalidFlag = fpu::InvalidMask;
constexpr std::uint16_t ZeroDivideFlag = fpu::ZeroDivideMask;
constexpr std::uint16_t OverflowFlag = fpu::OverflowMask;
constexpr std::uint16_t UnderflowFlag = fpu::UnderflowMask;

// The policy word in force. The hardware keeps every mask set, so the policy's own masks live
// here; it starts as the default so that reporting works even before the first ResetFpu.
thread_local std::uint16_t gWordInForce = 0x1332;

std::uint16_t HardwareControlWord() {
  std::uint16_t word;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

void LoadHardwareControlWord(std::uint16_t word) { asm volatile("fldcw %0" : : "m"(word)); }

// Throws for the first raised condition that the word in force reports.
void RaiseFromStatus(std::uint16_t status) {
  const std::uint16_t reported = status & static_cast<std::uint16_t>(~gWordInForce);
  if (reported & InvalidFlag) throw EInvalidOp();
  if (reported & ZeroDivideFlag) throw EZeroDivide();
  if (reported & OverflowFlag) throw EOverflow();
  if (reported & UnderflowFlag) throw EUnderflow();
}

}  // namespace

std::uint16_t CurrentFpuControlWord() {
  // Precision, rounding and infinity control as the hardware has them (a library may have
  // changed them); every other bit as the policy loaded it.
  constexpr std::uint16_t HardwareBits = 0x1F00;
  return static_cast<std::uint16_t>((HardwareControlWord() & HardwareBits) |
                                    (gWordInForce & ~HardwareBits));
}

void LoadFpuControlWord(std::uint16_t word) {
  gWordInForce = word;
  LoadHardwareControlWord(word | fpu::AllMasks);
}

void ClearFpuFlags() { asm volatile("fnclex" ::: "memory"); }

void ResetFpu() {
  // fninit empties the register stack and clears every flag; the word is loaded afterwards.
  asm volatile("fninit" ::: "memory");
  LoadFpuControlWord(DefaultFpuControlWord);
}

void SetFpuControlWord(std::uint16_t word) {
  DefaultFpuControlWord = word;
  ClearFpuFlags();
  LoadFpuControlWord(word);
}

void RaiseFpuErrors() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  ClearFpuFlags();
  RaiseFromStatus(status);
}

// The conversions below run as one asm block each: the flags are cleared, the operation is
// done with its result stored to memory, and the status is read, all in that order. GCC does
// not honour FENV_ACCESS and would otherwise be free to move the x87 operation across the
// flag accesses.

double StoreDouble(long double value) {
  double stored;
  std::uint16_t status;
  asm volatile(
      "fnclex\n\t"
      "fldt %2\n\t"
      "fstpl %0\n\t"
      "fnstsw %1\n\t"
      "fnclex"
      : "=m"(stored), "=m"(status)
      : "m"(value));
  RaiseFromStatus(status);
  return stored;
}

long double CheckedDivide(long double dividend, long double divisor) {
  long double quotient;
  std::uint16_t status;
  asm volatile(
      "fnclex\n\t"
      "fldt %2\n\t"
      "fldt %3\n\t"
      "fdivrp\n\t"
      "fstpt %0\n\t"
      "fnstsw %1\n\t"
      "fnclex"
      : "=m"(quotient), "=m"(status)
      : "m"(dividend), "m"(divisor));
  RaiseFromStatus(status);
  return quotient;
}

// fistp converts in the current rounding mode (nearest, ties to even); a value outside the
// signed 64-bit range or a NaN raises the invalid condition.
std::int64_t RoundToInteger(Extended value) {
  std::int64_t result;
  std::uint16_t status;
  asm volatile(
      "fnclex\n\t"
      "fldt %2\n\t"
      "fistpll %0\n\t"
      "fnstsw %1\n\t"
      "fnclex"
      : "=m"(result), "=m"(status)
      : "m"(value));
  RaiseFromStatus(status);
  return result;
}

std::uint16_t ReadFpuStatus() {
  std::uint16_t status;
  asm volatile("fnstsw %0" : "=m"(status) : : "memory");
  return status;
}

}  // namespace zentarix
