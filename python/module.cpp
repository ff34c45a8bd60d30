// zentarix._core: the exact core for Python. The package zentarix (zentarix/__init__.py) is
// its public face: the pandas forms, the warnings' class and the documentation.
#include <pybind11/pybind11.h>

#include "python/bindings.h"

PYBIND11_MODULE(_core, module) {
  module.doc() = "The exact core of Zentarix; use the package zentarix.";
  zentarix::python::BindLevels(module);
  zentarix::python::BindSwings(module);
}
