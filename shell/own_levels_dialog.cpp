#include "shell/own_levels_dialog.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <string>

#include "text/ratio_reader.h"

namespace zentarix {

namespace {

QString Tr(const char* source) { return QCoreApplication::translate("OwnLevels", source); }

}  // namespace

OwnLevelsDialog::OwnLevelsDialog(const std::vector<UserRatio>& ratios, QWidget* parent)
    : QDialog(parent), FLines(new QPlainTextEdit(this)), FProblem(new QLabel(this)) {
  setWindowTitle(Tr("Свои уровни"));
  auto* hint = new QLabel(
      Tr("Один коэффициент в строке: 0,236 — между B и F3, 1,618 — за A, -0,618 — за B."), this);
  hint->setWordWrap(true);
  hint->setBuddy(FLines);
  QStringList lines;
  for (const UserRatio& ratio : ratios) lines.append(QString::fromStdString(ratio.Text));
  FLines->setPlainText(lines.join(QLatin1Char('\n')));
  FLines->setAccessibleName(Tr("Коэффициенты"));
  FLines->setTabChangesFocus(true);
  FProblem->setWordWrap(true);
  FProblem->hide();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(hint);
  layout->addWidget(FLines);
  layout->addWidget(FProblem);
  layout->addWidget(buttons);
  resize(360, 300);
}

void OwnLevelsDialog::accept() {
  // Blank lines separate nothing and are passed over; a bad line is named by its own number.
  const QStringList lines = FLines->toPlainText().split(QLatin1Char('\n'));
  std::vector<std::string> texts;
  std::vector<int> lineNumbers;
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed().isEmpty()) continue;
    texts.push_back(lines[i].toStdString());
    lineNumbers.push_back(i + 1);
  }
  RatioList list = ReadRatioList(texts);
  QString problem;
  if (list.BadText != RatioList::NoBadText) {
    problem = Tr("Строка %1: «%2» — не коэффициент.")
                  .arg(lineNumbers[list.BadText])
                  .arg(lines[lineNumbers[list.BadText] - 1].trimmed());
  } else if (list.TooMany) {
    problem = Tr("Не больше %1 разных коэффициентов.").arg(MaxUserRatios);
  }
  if (!problem.isEmpty()) {
    FProblem->setText(problem);
    FProblem->show();
    FLines->setFocus(Qt::OtherFocusReason);
    // Heard at once, as an error box would be, although the dialog stays as it is.
    QAccessibleEvent alert(FProblem, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
    return;
  }
  FRatios = std::move(list.Ratios);
  QDialog::accept();
}

}  // namespace zentarix
