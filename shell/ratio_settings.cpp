#include "shell/ratio_settings.h"

#include <QSettings>
#include <QStringList>

#include "text/ratio_reader.h"

namespace zentarix {

namespace {

const QString RatiosKey = QStringLiteral("levels/ratios");

QSettings UserSettings() {
  return QSettings(QStringLiteral("zentarix"), QStringLiteral("zentarix"));
}

}  // namespace

std::vector<UserRatio> LoadUserRatios() {
  std::vector<UserRatio> ratios;
  for (const QString& text : UserSettings().value(RatiosKey).toStringList()) {
    if (std::optional<UserRatio> ratio = ReadRatio(text.toStdString())) {
      AddRatio(ratios, std::move(*ratio));
    }
  }
  return ratios;
}

void SaveUserRatios(const std::vector<UserRatio>& ratios) {
  QStringList texts;
  for (const UserRatio& ratio : ratios) texts.append(QString::fromStdString(ratio.Text));
  QSettings settings = UserSettings();
  if (texts.isEmpty()) {
    settings.remove(RatiosKey);
  } else {
    settings.setValue(RatiosKey, texts);
  }
}

}  // namespace zentarix
