// The parts of the module zentarix._core, each adding its functions.
#pragma once

#include <pybind11/pybind11.h>

namespace zentarix::python {

void BindLevels(pybind11::module_& module);
void BindSwings(pybind11::module_& module);

}  // namespace zentarix::python
