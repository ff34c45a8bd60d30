#include "shell/price_drop.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>
#include <string_view>

#include "calc/number_render.h"
#include "calc/number_settings.h"
#include "calc/utf8.h"
#include "desktop/interface_language.h"
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

class Descriptor {
 public:
  explicit Descriptor(int fd) : FFd(fd) {}
  ~Descriptor() { close(FFd); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

 private:
  int FFd;
};

DropRead Outcome(DropOutcome outcome, int error = 0) {
  DropRead read;
  read.Outcome = outcome;
  read.Errno = error;
  return read;
}

}  // namespace

QString DroppedFile(const QMimeData* data) {
  if (data == nullptr || !data->hasUrls()) return {};
  const QList<QUrl> urls = data->urls();
  if (urls.isEmpty() || !urls.front().isLocalFile()) return {};
  return urls.front().toLocalFile();
}

DropRead ReadPriceFile(const std::string& path, Extended percent, const HistoryProgress& progress) {
  // Without O_NONBLOCK, opening a FIFO waits for a writer; O_NONBLOCK does nothing to the reads
  // of a regular file.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return Outcome(DropOutcome::CannotOpen, errno);
  const Descriptor closer(fd);
  struct stat status = {};
  if (fstat(fd, &status) != 0) return Outcome(DropOutcome::CannotOpen, errno);
  // A FIFO or a terminal can keep a read waiting for input where no cancel reaches it, and the
  // window would wait for that read when it closes.
  if (!S_ISREG(status.st_mode)) return Outcome(DropOutcome::NotAFile);
  HistoryFile history(fd, percent);
  const HistoryCheck& check = history.Check(progress);
  std::optional<Swing> last;
  long count = 0;
  HistoryOutcome outcome = check.Result == HistoryOutcome::Read
                               ? history.LastSwing(last, count, progress)
                               : check.Result;
  // The count tells the chart which swings it has room for.
  std::shared_ptr<HeldChart> chart;
  if (outcome == HistoryOutcome::Read) {
    chart = std::make_shared<HeldChart>(count);
    // Zoomed in, the window draws candles.
    history.ReadOpenAndClose();
    outcome = history.Replay([&chart](const Bar& bar) { chart->AddBar(bar); },
                             [&chart](const Swing& swing) {
                               chart->AddSwing(swing);
                               return true;
                             },
                             progress);
  }
  // After the last pass, which records its own read error or changed row in the check.
  DropRead read;
  read.Check = check;
  read.Percent = percent;
  switch (outcome) {
    case HistoryOutcome::Read:
      read.Outcome = last ? DropOutcome::Read : DropOutcome::NoSwing;
      if (last) read.Swing = {*last, count};
      read.Chart = std::move(chart);
      break;
    case HistoryOutcome::DataError:
      read.Outcome = DropOutcome::DataError;
      break;
    case HistoryOutcome::ReadError:
      read.Outcome = DropOutcome::CannotRead;
      break;
    case HistoryOutcome::Stopped:
      read.Outcome = DropOutcome::Stopped;
      break;
  }
  return read;
}

std::string DropFailureText(const DropRead& read, const std::string& file,
                            const TranslateHistory& translate) {
  switch (read.Outcome) {
    case DropOutcome::Read:
    case DropOutcome::Stopped:
      break;
    case DropOutcome::CannotOpen:
      return CannotOpenNote(file, std::strerror(read.Errno), translate);
    case DropOutcome::NotAFile:
      return CannotOpenNote(
          file, QCoreApplication::translate("Main", "это не обычный файл").toStdString(),
          translate);
    case DropOutcome::DataError:
      return DescribeHistoryError(read.Check.Error, translate);
    case DropOutcome::CannotRead:
      return CannotReadNote(file, read.Check, std::strerror(read.Check.ReadErrno), translate);
    case DropOutcome::NoSwing:
      return NoSwingNote(FieldTextOf(read.Percent), translate);
    case DropOutcome::Failed:
      if (read.Failure) std::rethrow_exception(read.Failure);
      break;
  }
  return {};
}

std::string TranslateHistoryInApplication(const char* source) {
  return TranslateInApplication(HistoryContext, source).toStdString();
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
