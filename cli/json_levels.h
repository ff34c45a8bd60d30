// The levels of a calculation as one JSON object on one line, for scripts and spreadsheets:
//   {"a":100,"b":110,"noise":0.03,"f3":106.18,"level50":105,"f5":103.82,"f3_1":105.88,...}
// Every number is the stored double written as the shortest text that reads back to the same
// double, whatever the locale.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/uCalcItem.h"
#include "calc/user_levels.h"

namespace zentarix {

// Appends the object and a line break: the members of lead first (written out, each followed
// by a comma, such as "\"line\":3,"; or empty), then a, b, noise (the fraction, not tenths),
// f3, level50, f5, the corridor bounds f3_1, f3_2, f5_1, f5_2 as the listing names them, and the
// six targets cop_f3, cop_f5, op_f3, op_f5, xop_f3, xop_f5; last, where the user has levels of
// his own, "levels":[{"ratio":0.236,"price":107.64},...], each ratio as its plain text.
void AppendLevelsJson(const TCalcItem& item, const std::array<double, 6>& targets,
                      const std::vector<UserLevel>& levels, std::string_view lead,
                      std::string& out);

// Appends {<lead>"error":"<code>","message":"<message>"} and a line break.
void AppendJsonError(std::string_view lead, std::string_view code, std::string_view message,
                     std::string& out);

// "\"line\":<line>,": the member that leads a batch result.
std::string LineMember(long line);

// A JSON string of text, quotes included.
void AppendJsonString(std::string_view text, std::string& out);

}  // namespace zentarix
