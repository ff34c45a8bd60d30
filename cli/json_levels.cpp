#include "cli/json_levels.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <string>

namespace zentarix {

namespace {

// The shortest round-trip form (std::to_chars without a format) never needs more than 24
// characters for a double: a sign, 17 digits, a point and an exponent of up to "e-308".
constexpr std::size_t NumberRoom = 32;

void AppendMember(std::string& out, const char* key, double value) {
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
                      std::string_view lead, std::string& out) {
  const struct {
    const char* key;
    double value;
  } members[] = {
      {"a", item.ValueA},     {"b", item.ValueB},        {"noise", item.Noise},
      {"f3", item.F3},        {"level50", item.Level50}, {"f5", item.F5},
      {"f3_1", item.F3Minus}, {"f3_2", item.F3Plus},     {"f5_1", item.F5Minus},
      {"f5_2", item.F5Plus},  {"cop_f3", targets[0]},    {"cop_f5", targets[1]},
      {"op_f3", targets[2]},  {"op_f5", targets[3]},     {"xop_f3", targets[4]},
      {"xop_f5", targets[5]},
  };
  out += '{';
  out += lead;
  for (const auto& member : members) {
    if (&member != members) out += ',';
    AppendMember(out, member.key, member.value);
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
