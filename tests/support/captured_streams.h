// Runs code that reads standard input and writes standard output and error through
// descriptors, with all three held in memory files.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <string>

namespace zentarix::test {

struct CapturedRun {
  int status;
  std::string out;
  std::string err;
};

inline int MemoryFile(const std::string& text) {
  const int fd = memfd_create("captured", MFD_CLOEXEC);
  if (!text.empty() && write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
    return -1;
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

inline std::string ReadAll(int fd) {
  std::string text;
  lseek(fd, 0, SEEK_SET);
  char block[4096];
  for (ssize_t count; (count = read(fd, block, sizeof block)) > 0;) {
    text.append(block, static_cast<std::size_t>(count));
  }
  close(fd);
  return text;
}

// run(in, out, err) returns the status; input may hold NUL bytes. With sameFile, standard
// output and error are one file, as with 2>&1, and out holds both.
template <typename Run>
CapturedRun RunWithStreams(const std::string& input, Run run, bool sameFile = false) {
  const int in = MemoryFile(input);
  const int out = MemoryFile("");
  const int err = sameFile ? out : MemoryFile("");
  const int status = run(in, out, err);
  close(in);
  std::string outText = ReadAll(out);
  return {status, std::move(outText), sameFile ? "" : ReadAll(err)};
}

}  // namespace zentarix::test
