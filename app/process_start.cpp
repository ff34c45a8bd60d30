#include "app/process_start.h"

#include <array>

#include "calc/number_settings.h"
#include "calc/uFloatEnv.h"
#include "cli/std_descriptors.h"

namespace zentarix {

StandardStreams StartProcess() {
  const std::array<bool, 3> closed = FindClosedDescriptors();
  OpenStandardDescriptors();
  ResetFpu();
  LoadNumberSettings();
  return {closed[0] ? -1 : 0, closed[1] ? -1 : 1, closed[2] ? -1 : 2};
}

}  // namespace zentarix
