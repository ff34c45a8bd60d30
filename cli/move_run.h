// One move through the calculation as the command line runs it: the three texts are read as
// the window reads its fields (a full stop in A and B is the locale's decimal mark, the noise
// as typed, nothing clamped), and the result is written as the listing or as one JSON object.
#pragma once

#include <string>
#include <string_view>

#include "text/listing.h"

namespace zentarix {

enum class MoveFormat { Listing, Json };

// Exit statuses, also of each move of a batch.
inline constexpr int StatusListing = 0;     // the 19 lines, or the JSON object of the levels
inline constexpr int StatusErrorLine = 1;   // a value below zero: the error line
inline constexpr int StatusArithmetic = 2;  // an arithmetic error (a result beyond a double)
inline constexpr int StatusUsage = 64;      // not three values

// Appends the move's standard output to out and its standard error to err, and returns its
// status. Listing: the 19 lines, each ending in a line break, or the error line and a line
// break; after an arithmetic error the lines written before it, and the message with a full
// stop on err. JSON: one object and a line break; an error is {"error":"<message>"}.
// texts are the listing's words in the interface language (the error line also in JSON).
int RunMove(std::string_view a, std::string_view b, std::string_view noise, MoveFormat format,
            std::string& out, std::string& err, const ListingTexts& texts = ListingTexts());

}  // namespace zentarix
