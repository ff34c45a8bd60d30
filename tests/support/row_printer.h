// Table rows print as their name. A failure then names its row, and no test prints the raw
// bytes of a row, whose padding is never initialised (memory checkers rightly object).
// A test file brings it in with `using zentarix::test::PrintTo;` inside its own namespace,
// where the test framework's lookup finds it.
#pragma once

#include <ostream>

namespace zentarix::test {

template <typename Row>
requires requires(const Row& row) { *static_cast<std::ostream*>(nullptr) << row.name; }
void PrintTo(const Row& row, std::ostream* out) { *out << row.name; }

}  // namespace zentarix::test
