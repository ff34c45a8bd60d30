// Runs code that reads standard input and writes standard output and error through FILE
// pointers, with all three held in memory.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace zentarix::test {

struct CapturedRun {
  int status;
  std::string out;
  std::string err;
};

// run(in, out, err) returns the status; input may hold NUL bytes.
template <typename Run>
CapturedRun RunWithStreams(const std::string& input, Run run) {
  std::string buffer = input;
  // fmemopen refuses an empty buffer.
  std::FILE* in =
      buffer.empty() ? std::fopen("/dev/null", "r") : fmemopen(buffer.data(), buffer.size(), "r");
  char* outText = nullptr;
  char* errText = nullptr;
  std::size_t outSize = 0;
  std::size_t errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  const int status = run(in, out, err);
  std::fclose(in);
  std::fclose(out);
  std::fclose(err);
  CapturedRun result{status, std::string(outText, outSize), std::string(errText, errSize)};
  std::free(outText);
  std::free(errText);
  return result;
}

}  // namespace zentarix::test
