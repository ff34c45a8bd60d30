#include "cli/move_run.h"

#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "cli/json_levels.h"
#include "text/field_readers.h"
#include "text/listing.h"

namespace zentarix {

namespace {

// The listing written straight into the output: SetText replaces what this move wrote so far.
class AppendingSink : public TextSink {
 public:
  explicit AppendingSink(std::string& out) : FOut(out), FStart(out.size()) {}
  void SetText(const std::string& text) override {
    FOut.resize(FStart);
    FOut += text;
  }
  void AppendLine(const std::string& line) override {
    FOut += line;
    FOut += '\n';
  }

 private:
  std::string& FOut;
  std::size_t FStart;
};

int WriteListingOf(const TCalcItem& item, bool passed, const ListingTexts& texts,
                   std::string& out) {
  AppendingSink sink(out);
  WriteListing(item, passed, sink, texts);
  if (passed) return StatusListing;
  out += '\n';  // the error line ends in a line break here, as every line of a terminal does
  return StatusErrorLine;
}

int WriteJsonOf(const TCalcItem& item, bool passed, const ListingTexts& texts, std::string& out) {
  if (!passed) {
    AppendJsonError(texts.ErrorLine, out);
    return StatusErrorLine;
  }
  // The targets come first: an overflow among them leaves nothing half written.
  AppendLevelsJson(item, TargetPoints(item), out);
  return StatusListing;
}

}  // namespace

int RunMove(std::string_view a, std::string_view b, std::string_view noise, MoveFormat format,
            std::string& out, std::string& err, const ListingTexts& texts) {
  const std::size_t start = out.size();
  TCalcItem item;
  try {
    const bool passed = CalculateLevels(item, ReadAorB(a), ReadAorB(b), ReadNoise(noise));
    return format == MoveFormat::Json ? WriteJsonOf(item, passed, texts, out)
                                      : WriteListingOf(item, passed, texts, out);
  } catch (const EMathError& error) {
    // The next move starts with an empty register stack, clear flags and the default word.
    ResetFpu();
    if (format == MoveFormat::Json) {
      out.resize(start);
      AppendJsonError(error.Message(), out);
    } else {
      err += error.Message();
      err += ".\n";
    }
    return StatusArithmetic;
  }
}

}  // namespace zentarix
