// What both programs do first, in the order the rest relies on.
#pragma once

#include "cli/standard_streams.h"

namespace zentarix {

// Makes descriptors 0 to 2 valid (a closed standard error would otherwise become the next file
// opened, the display connection say, and warnings would be written into it), puts the control
// word and the locale's number marks in force, and returns the standard streams for a command:
// one that was closed stays closed for it.
StandardStreams StartProcess();

}  // namespace zentarix
