// Sets the decimal and group marks for one test and restores them afterwards.
#pragma once

#include "calc/uNumberText.h"

class LocaleMarks {
 public:
  LocaleMarks(char32_t decimal, char32_t group)
      : FDecimal(zentarix::DecimalMark), FGroup(zentarix::GroupMark) {
    zentarix::DecimalMark = decimal;
    zentarix::GroupMark = group;
  }
  ~LocaleMarks() {
    zentarix::DecimalMark = FDecimal;
    zentarix::GroupMark = FGroup;
  }
  LocaleMarks(const LocaleMarks&) = delete;
  LocaleMarks& operator=(const LocaleMarks&) = delete;

 private:
  char32_t FDecimal;
  char32_t FGroup;
};
