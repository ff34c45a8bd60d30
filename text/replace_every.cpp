#include "text/replace_every.h"

namespace zentarix {

std::string ReplaceEvery(std::string_view text, std::string_view pattern,
                         std::string_view replacement) {
  if (pattern.empty()) return std::string(text);
  std::string result;
  result.reserve(text.size());
  std::size_t start = 0;
  for (std::size_t found; (found = text.find(pattern, start)) != std::string_view::npos;
       start = found + pattern.size()) {
    result.append(text.substr(start, found - start));
    result.append(replacement);
  }
  result.append(text.substr(start));
  return result;
}

}  // namespace zentarix
