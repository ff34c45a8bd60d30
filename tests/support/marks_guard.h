// Sets the two locale marks for one test and restores them afterwards.
#pragma once

#include "calc/number_settings.h"

class MarksGuard {
 public:
  MarksGuard(char32_t decimal, char32_t group)
      : FDecimal(zentarix::DecimalMark), FGroup(zentarix::GroupMark) {
    zentarix::DecimalMark = decimal;
    zentarix::GroupMark = group;
  }
  ~MarksGuard() {
    zentarix::DecimalMark = FDecimal;
    zentarix::GroupMark = FGroup;
  }
  MarksGuard(const MarksGuard&) = delete;
  MarksGuard& operator=(const MarksGuard&) = delete;

 private:
  char32_t FDecimal;
  char32_t FGroup;
};
