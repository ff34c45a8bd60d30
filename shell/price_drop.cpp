#include "shell/price_drop.h"

#include <fcntl.h>
#include <unistd.h>

#include <QList>
#include <QMimeData>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <limits>
#include <string_view>

#include "calc/number_render.h"
#include "calc/number_settings.h"
#include "calc/uFloatEnv.h"
#include "calc/utf8.h"
#include "history/swing_finder.h"
#include "text/field_readers.h"

namespace zentarix {

namespace {

// The rendering groups the digits; a field takes no group marks.
std::string WithoutGroupMarks(std::string text) {
  const EncodedCharacter group(GroupMark);
  if (group.Length == 0) return text;
  const std::string_view mark(group.Bytes, group.Length);
  for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.erase(at, mark.size());
  return text;
}

}  // namespace

QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return {};
  return urls.front().toLocalFile();
}

DroppedSwing ReadLastSwing(const std::string& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int error = errno;
    throw Exception("cannot open " + file + ": " + std::strerror(error));
  }
  const HistorySwings history = FindSwings(fd, DefaultSwingThreshold, true);
  close(fd);
  switch (history.Result) {
    case HistorySwings::Outcome::Read:
    case HistorySwings::Outcome::Stopped:  // never asked to stop
      break;
    case HistorySwings::Outcome::DataError:
      throw Exception(history.Error);
    case HistorySwings::Outcome::ReadError:
      throw Exception("cannot read " + file + ": " + history.Error);
  }
  if (history.Swings.empty()) {
    throw Exception("no swing: the prices never move by " + std::to_string(DefaultSwingThreshold) +
                    "%");
  }
  return {history.Swings.back(), history.Count};
}

std::string FieldTextOf(Extended value) {
  // A price read from a text of up to 18 significant digits comes back from its 18-digit form;
  // most need far fewer decimals than that.
  std::string text;
  for (int decimals = 0; decimals <= 18; ++decimals) {
    text = WithoutGroupMarks(RenderNumber(value, decimals));
    if (ReadAorBOr(text, std::numeric_limits<Extended>::quiet_NaN()) == value) break;
  }
  return text;
}

}  // namespace zentarix
