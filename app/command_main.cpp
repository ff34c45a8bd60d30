// zentarix: the command line alone, with the C++ runtime and no Qt, so that a script calling
// it once per move pays for no more than the calculation.
#include "app/process_start.h"
#include "cli/command_line.h"

int main(int argc, char** argv) {
  const zentarix::StandardStreams streams = zentarix::StartProcess();
  return *zentarix::RunCommandLine(argc, argv, streams, zentarix::WindowArguments::Refused);
}
