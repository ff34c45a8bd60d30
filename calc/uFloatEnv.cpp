#include "calc/uFloatEnv.h"

namespace zentarix {

std::uint16_t DefaultFpuControlWord = fpu::StartWord;

namespace {

// x87 status-word condition flags (same bit positions as the control-word masks).
constexpr std::uint16_t InvalidFlag = fpu::InvalidMask;
constexpr std::uint16_t ZeroDivideFlag = fpu::ZeroDivideMask;
constexpr std::uint16_t OverflowFlag = fpu::OverflowMask;
constexpr std::uint16_t UnderflowFlag = fpu::UnderflowMask;

// The policy word in force. The hardware keeps every mask set, so the policy's own masks live
// here; it starts as the default so that reporting works even before the first ResetFpu.
thread_local std::uint16_t gWordInForce = fpu::StartWord;

// The conditions an error object exists for. A denormal operand and an inexact result are
// never reported, and comparisons and stores raise them all the time.
constexpr std::uint16_t SignificantConditions =
    fpu::InvalidMask | fpu::ZeroDivideMask | fpu::OverflowMask | fpu::UnderflowMask;

// Throws for the first raised condition that the word in force reports.
void RaiseFromStatus(std::uint16_t status) {
  const std::uint16_t reported = status & static_cast<std::uint16_t>(~gWordInForce);
  if (reported & InvalidFlag) throw EInvalidOp();
  if (reported & ZeroDivideFlag) throw EZeroDivide();
  if (reported & OverflowFlag) throw EOverflow();
  if (reported & UnderflowFlag) throw EUnderflow();
}

void ClearPendingConditions() {
  if (fpu::ReadStatusWord() & SignificantConditions) fpu::ClearFlags();
}

// After a checked operation: clears what it raised and throws what the policy reports.
void SettleConditions(std::uint16_t status) {
  if ((status & SignificantConditions) == 0) return;
  fpu::ClearFlags();
  RaiseFromStatus(status);
}

}  // namespace

std::uint16_t CurrentFpuControlWord() {
  // Precision and rounding as the hardware has them (a library may have changed them); every
  // other bit as the policy loaded it.
  return static_cast<std::uint16_t>((fpu::ReadControlWord() & fpu::ModeBits) |
                                    (gWordInForce & ~fpu::ModeBits));
}

void LoadFpuControlWord(std::uint16_t word) {
  gWordInForce = word;
  // The hardware is written only when it computes differently (fpu::ComputesAs).
  if (!fpu::ComputesAs(fpu::ReadControlWord(), word)) {
    fpu::LoadControlWord(static_cast<std::uint16_t>(word | fpu::AllMasks));
  }
}

void ClearFpuFlags() { fpu::ClearFlags(); }

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

std::uint16_t ReadFpuStatus() { return fpu::ReadStatusWord(); }

void RaiseFpuErrors() {
  const std::uint16_t status = ReadFpuStatus();
  ClearFpuFlags();
  RaiseFromStatus(status);
}

// Each checked operation runs as one asm block that performs the operation, stores its result
// to memory and reads the status, in that order: GCC does not honour FENV_ACCESS and would
// otherwise be free to move the x87 operation across the status read. Before it, conditions
// left pending by earlier code are cleared so that they are not blamed on this operation;
// clearing costs more than reading, so it happens only when something is pending. An inexact
// result alone is never reported and its flag is left as it is.

double StoreDouble(long double value) {
  ClearPendingConditions();
  double stored;
  std::uint16_t status;
  asm volatile("fldt %2\n\tfstpl %0\n\tfnstsw %1" : "=m"(stored), "=a"(status) : "m"(value));
  SettleConditions(status);
  return stored;
}

namespace {

enum class Operation { Multiply, Divide };

// One x87 operation on two extended operands, checked as every operation here is.
template <Operation operation>
long double CheckedOperation(long double left, long double right) {
  ClearPendingConditions();
  long double result;
  std::uint16_t status;
  if constexpr (operation == Operation::Multiply) {
    asm volatile("fldt %2\n\tfldt %3\n\tfmulp\n\tfstpt %0\n\tfnstsw %1"
                 : "=m"(result), "=a"(status)
                 : "m"(left), "m"(right));
  } else {
    asm volatile("fldt %2\n\tfldt %3\n\tfdivrp\n\tfstpt %0\n\tfnstsw %1"
                 : "=m"(result), "=a"(status)
                 : "m"(left), "m"(right));
  }
  SettleConditions(status);
  return result;
}

}  // namespace

long double CheckedMultiply(long double factor, long double other) {
  return CheckedOperation<Operation::Multiply>(factor, other);
}

long double CheckedDivide(long double dividend, long double divisor) {
  return CheckedOperation<Operation::Divide>(dividend, divisor);
}

// fistp converts in the current rounding mode (nearest, ties to even); a value outside the
// signed 64-bit range or a NaN raises the invalid condition.
std::int64_t RoundToInteger(Extended value) {
  ClearPendingConditions();
  std::int64_t result;
  std::uint16_t status;
  asm volatile("fldt %2\n\tfistpll %0\n\tfnstsw %1" : "=m"(result), "=a"(status) : "m"(value));
  SettleConditions(status);
  return result;
}

}  // namespace zentarix
