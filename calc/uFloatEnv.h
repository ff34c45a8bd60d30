// The floating-point environment of the calculation: the x87 control word policy and the
// error objects that an unmasked condition turns into.
//
// The hardware always runs with all six exception masks set, because an unmasked x87
// exception traps at a later instruction and cannot become a C++ exception safely.
// DefaultFpuControlWord is the policy: its precision and rounding bits are loaded into the
// x87 for real, its mask bits say which conditions the system reports. A checked operation
// clears the status flags, forces its result to memory, and then turns any flag whose policy
// bit is clear into the matching error object (RaiseFpuErrors).
#pragma once

#include <cstdint>
#include <exception>
#include <string>
#include <utility>

#include "calc/extended.h"
#include "calc/x87.h"

namespace zentarix {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : FMessage(std::move(message)) {}
  const std::string& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  std::string FMessage;
};

class EExternal : public Exception {
 public:
  using Exception::Exception;
};

class EMathError : public EExternal {
 public:
  using EExternal::EExternal;
};

class EInvalidOp : public EMathError {
 public:
  EInvalidOp() : EMathError("Invalid floating point operation") {}
};

class EZeroDivide : public EMathError {
 public:
  EZeroDivide() : EMathError("Floating point division by zero") {}
};

class EOverflow : public EMathError {
 public:
  EOverflow() : EMathError("Floating point overflow") {}
};

class EUnderflow : public EMathError {
 public:
  EUnderflow() : EMathError("Floating point underflow") {}
};

// fpu::StartWord (0x1332) at start: invalid operation, zero-divide and overflow reported;
// denormal, underflow and inexact silent; 64-bit significand; round to nearest, ties to even.
extern std::uint16_t DefaultFpuControlWord;

// Empties the x87 register stack, clears all condition flags and loads DefaultFpuControlWord.
void ResetFpu();
// Makes word the new DefaultFpuControlWord, clears the flags and loads it.
void SetFpuControlWord(std::uint16_t word);

// The policy word currently in force (what the last load asked for, masks included).
std::uint16_t CurrentFpuControlWord();
// Loads word as the policy in force: precision and rounding go to the hardware, the hardware
// masks stay set.
void LoadFpuControlWord(std::uint16_t word);
void ClearFpuFlags();

// Runs a stretch of code under the precision, rounding and masks of another word and puts the
// caller's hardware word back afterwards. The policy in force is left alone: code under it
// must not use the checked operations. Nothing is loaded when the modes already agree
// (fpu::ComputesAs). Inline, so that an extended result computed inside can stay in its
// register across the exit.
class ScopedHardwareWord {
 public:
  explicit ScopedHardwareWord(std::uint16_t word) : FSaved(fpu::ReadControlWord()) {
    FChanged = !fpu::ComputesAs(FSaved, word);
    if (FChanged) fpu::LoadControlWord(static_cast<std::uint16_t>(word | fpu::AllMasks));
  }
  ~ScopedHardwareWord() {
    if (FChanged) fpu::LoadControlWord(FSaved);
  }
  ScopedHardwareWord(const ScopedHardwareWord&) = delete;
  ScopedHardwareWord& operator=(const ScopedHardwareWord&) = delete;

 private:
  std::uint16_t FSaved;
  bool FChanged;
};

// Throws the error of the first raised condition (invalid, zero-divide, overflow, underflow)
// whose mask bit is clear in DefaultFpuControlWord, after clearing the flags. Returns quietly
// when no reported condition is pending.
void RaiseFpuErrors();

// Checked operations: each clears the flags, performs one operation with its result forced to
// memory, and raises as RaiseFpuErrors says.
double StoreDouble(long double value);
long double CheckedMultiply(long double factor, long double other);
long double CheckedDivide(long double dividend, long double divisor);
// Rounds to nearest, ties to even; EInvalidOp outside the signed 64-bit range or for NaN.
std::int64_t RoundToInteger(Extended x);
// The x87 status word as it stands (condition flags in bits 0 to 5).
std::uint16_t ReadFpuStatus();

}  // namespace zentarix
