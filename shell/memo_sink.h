// The listing's text sink on the read-only text box of the main window. It gathers what the
// listing writes and puts it into the box in one piece when it goes out of scope, also when
// an error ends the writing early (the box then keeps the lines written before it): one
// replacement of the box's text costs about half of nineteen insertions.
#pragma once

#include <QPlainTextEdit>
#include <string>

#include "text/listing.h"

namespace zentarix {

class MemoSink : public TextSink {
 public:
  explicit MemoSink(QPlainTextEdit& memo) : FMemo(memo) {}
  ~MemoSink() override;
  MemoSink(const MemoSink&) = delete;
  MemoSink& operator=(const MemoSink&) = delete;

  void SetText(const std::string& text) override;
  void AppendLine(const std::string& line) override;

 private:
  QPlainTextEdit& FMemo;
  std::string FText;
  bool FWritten = false;  // FText holds the box's whole new text
};

}  // namespace zentarix
