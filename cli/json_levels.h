// The levels of a calculation as one JSON object on one line, for scripts and spreadsheets:
//   {"a":100,"b":110,"noise":0.03,"f3":106.18,"level50":105,"f5":103.82,"f3_1":105.88,...}
// Every number is the stored double written as the shortest text that reads back to the same
// double, whatever the locale.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/uCalcItem.h"

namespace zentarix {

// Appends the object and a line break: line (the input line of a batch; left out when 0), a,
// b, noise (the fraction, not tenths), f3, level50, f5, the corridor bounds f3_1, f3_2, f5_1,
// f5_2 as the listing names them, then the six targets cop_f3, cop_f5, op_f3, op_f5, xop_f3,
// xop_f5.
void AppendLevelsJson(const TCalcItem& item, const std::array<double, 6>& targets, long line,
                      std::string& out);

// Appends {"line":<line>,"error":"<code>","message":"<message>"} and a line break; line is
// left out when 0.
void AppendJsonError(long line, std::string_view code, std::string_view message, std::string& out);

}  // namespace zentarix
