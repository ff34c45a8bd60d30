#include "shell/memo_sink.h"

namespace zentarix {

MemoSink::~MemoSink() {
  if (FWritten) FMemo.setPlainText(QString::fromStdString(FText));
}

void MemoSink::SetText(const std::string& text) {
  FText = text;
  FWritten = true;
}

// The line and its line break go at the very end, so that the text of a full listing ends in
// a line break.
void MemoSink::AppendLine(const std::string& line) {
  if (!FWritten) FText = FMemo.toPlainText().toStdString();
  FWritten = true;
  FText += line;
  FText += '\n';
}

}  // namespace zentarix
