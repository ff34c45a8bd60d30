// The standard descriptors at start-up. A program started with one of them closed would hand
// that number to the next file it opens (the display connection, say), and whatever is then
// written to "standard error" would land in that file.
#pragma once

#include <array>

namespace zentarix {

// Which of descriptors 0, 1 and 2 are closed: asked before OpenStandardDescriptors, so that a
// command asked to write its results to a closed standard output can fail instead of writing
// them to /dev/null.
std::array<bool, 3> FindClosedDescriptors();

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed; open ones are left as
// they are. Returns false when one of them could not be opened.
bool OpenStandardDescriptors();

}  // namespace zentarix
