#include "shell/uMemoSink.h"

#include <QTextCursor>

namespace zentarix {

void TMemoSink::SetText(const std::string& text) {
  FMemo.setPlainText(QString::fromStdString(text));
}

void TMemoSink::AppendLine(const std::string& line) {
  // The line and its line break go at the very end, so that the text of a full listing ends
  // in a line break (appendPlainText would start a paragraph instead).
  QTextCursor cursor(FMemo.document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString::fromStdString(line) + u'\n');
}

}  // namespace zentarix
