// Number texts under the user's locale: the input grammar, the four-decimal grouped rendering,
// and the two locale marks both directions use. All arithmetic is in the x87 extended format.
// Each part has a header of its own; this one gathers them for code that deals in number
// texts as a whole. Code that needs one part includes that part's header.
#pragma once

#include "calc/decimal_digits.h"   // ToDecimalDigits: the digits every text is written from
#include "calc/extended.h"         // Extended
#include "calc/number_parse.h"     // TryParseNumber, ParseOrNaN, ParseNumberOr
#include "calc/number_render.h"    // RenderNumber, FormatNumber
#include "calc/number_settings.h"  // DecimalMark, GroupMark, LoadNumberSettings
#include "calc/powers_of_ten.h"    // ScaleByTen
#include "calc/uFloatEnv.h"        // RoundToInteger
