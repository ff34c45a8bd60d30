#include "cli/json_levels.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <string>

#include "calc/level_table.h"

namespace zentarix {

namespace {

// The shortest round-trip form (std::to_chars without a format) never needs more than 24
// characters for a double: a sign, 17 digits, a point and an exponent of up to "e-308".
constexpr std::size_t NumberRoom = 32;

void AppendMember(std::string& out, std::string_view key, double value) {
  // A stored double is always finite: an overflowing store raises instead.
  assert(std::isfinite(value));
  out += '"';
  out += key;
  out += "\":";
  char digits[NumberRoom];
  const auto result = std::to_chars(digits, digits + NumberRoom, value);
  out.append(digits, result.ptr);
}

}  // namespace

// A string must stay a string whatever it holds: a quote, a backslash, a control character.
void AppendJsonString(std::string_view text, std::string& out) {
  out += '"';
  for (const char ch : text) {
    if (ch == '"' || ch == '\\') out += '\\';
    if (static_cast<unsigned char>(ch) < 0x20) {
      static constexpr char Hex[] = "0123456789abcdef";
      out += "\\u00";
      out += Hex[(ch >> 4) & 0xF];
      out += Hex[ch & 0xF];
      continue;
    }
    out += ch;
  }
  out += '"';
}

std::string LineMember(long line) { return "\"line\":" + std::to_string(line) + ","; }

void AppendLevelsJson(const TCalcItem& item, const std::array<double, 6>& targets,
                      const std::vector<UserLevel>& levels, std::string_view lead,
                      std::string& out) {
  out += '{';
  out += lead;
  for (const SpecifiedLevel& level : SpecifiedLevels) {
    if (&level != &SpecifiedLevels.front()) out += ',';
    AppendMember(out, level.Key, LevelValue(level, item, targets));
  }
  if (!levels.empty()) {
    out += ",\"levels\":[";
    for (const UserLevel& level : levels) {
      if (&level != &levels.front()) out += ',';
      // The ratio's text is plain decimal digits: a JSON number as it stands.
      out += "{\"ratio\":" + level.Ratio->Text + ',';
      AppendMember(out, "price", level.Price);
      out += '}';
    }
    out += ']';
  }
  out += "}\n";
}

void AppendJsonError(std::string_view lead, std::string_view code, std::string_view message,
                     std::string& out) {
  out += '{';
  out += lead;
  out += "\"error\":";
  AppendJsonString(code, out);
  out += ",\"message\":";
  AppendJsonString(message, out);
  out += "}\n";
}

}  // namespace zentarix
