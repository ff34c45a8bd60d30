// The listing's text sink on the read-only text box of the main window.
#pragma once

#include <QPlainTextEdit>

#include "shell/uListing.h"

namespace zentarix {

class TMemoSink : public TextSink {
 public:
  explicit TMemoSink(QPlainTextEdit& memo) : FMemo(memo) {}
  void SetText(const std::string& text) override;
  void AppendLine(const std::string& line) override;

 private:
  QPlainTextEdit& FMemo;
};

}  // namespace zentarix
