// Text replacement used on the A and B fields before they are parsed.
#pragma once

#include <string>
#include <string_view>

namespace zentarix {

// text with every occurrence of pattern replaced by replacement, scanning left to right
// without overlaps; an empty pattern replaces nothing.
std::string ReplaceEvery(std::string_view text, std::string_view pattern,
                         std::string_view replacement);

}  // namespace zentarix
