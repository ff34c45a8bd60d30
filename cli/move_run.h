// One move through the calculation as the command line runs it: the three texts are read as
// the window reads its fields (a full stop in any of them is the locale's decimal mark, the
// noise as typed, nothing clamped), and the result is written as the listing or as one JSON
// object.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calc/extended.h"
#include "calc/user_levels.h"
#include "cli/exit_status.h"
#include "text/listing.h"

namespace zentarix {

enum class MoveFormat { Listing, Json };

// How a run writes its moves: the format, the listing's words and the user's own ratios (none:
// the output of the levels alone).
struct MoveWriting {
  MoveFormat Format = MoveFormat::Listing;
  ListingTexts Texts;
  std::vector<UserRatio> Ratios;
};

// How a move ended: its status, the stable code of its error for scripts ("not_a_number",
// "below_zero", "overflow", ...; empty for the levels) and the error's message in the
// interface language.
struct MoveOutcome {
  int Status = StatusListing;
  std::string Code;
  std::string Message;
};

// The three values of a move, as read from its texts or from a price history.
struct MoveValues {
  Extended A = 0;
  Extended B = 0;
  Extended Tenths = 0;
  bool NotANumber = false;  // one of the texts held no number (and reads as below zero)
};

// The three texts read as the window reads its fields.
MoveValues ReadMove(std::string_view a, std::string_view b, std::string_view noise);

// The three values once read, NaN where a text held no number: such a value reads as below zero
// (BadField), and the flag tells the two apart for the error's code.
MoveValues MoveOfReadValues(Extended a, Extended b, Extended tenths);

// Every code a move's outcome may carry, the error line's first, then the arithmetic errors'.
inline constexpr std::array<std::string_view, 7> MoveErrorCodes{
    "not_a_number",      "below_zero", "overflow",        "division_by_zero",
    "invalid_operation", "underflow",  "arithmetic_error"};

// A move's levels as values, for callers that write them their own way.
struct MoveLevels {
  TCalcItem Item;
  std::array<double, 6> Targets{};
  std::vector<UserLevel> Levels;  // the user's own, pointing into the ratios given
};

// Calculates the move's record, target points and the levels of ratios into levels and says
// how it ended; levels are complete only for an outcome without a code. An arithmetic error
// leaves the x87 reset to the default word.
MoveOutcome CalculateMove(const MoveValues& values, const std::vector<UserRatio>& ratios,
                          const ListingTexts& texts, MoveLevels& levels);

// Appends the levels of values to out and says how it ended, as RunMove does; jsonLead holds
// the members that open the JSON object, each followed by a comma.
MoveOutcome RunLevels(const MoveValues& values, const MoveWriting& writing, std::string& out,
                      std::string_view jsonLead);

// Appends the move's result to out and says how it ended. Listing: the 19 lines, each ending
// in a line break, then the block of the user's levels, or the error line and a line break;
// after an arithmetic error the lines written before it (the message is then the caller's to
// report). JSON: one object and a line break, with the user's levels as its last member
// "levels", or {"error":"<code>","message":"<message>"} for an error. line, when not 0, is the
// input line the move came from, and leads the JSON object as "line".
MoveOutcome RunMove(std::string_view a, std::string_view b, std::string_view noise,
                    const MoveWriting& writing, std::string& out, long line = 0);

}  // namespace zentarix
