// "Свои уровни": the user's own ratios edited one a line ("0.236" or "0,236", "-0.618"; not
// percentages). OK takes the set only when every line that is not blank is a ratio; otherwise
// the first bad line is named below the text and the dialog stays open.
#pragma once

#include <QDialog>
#include <vector>

#include "calc/user_levels.h"

class QLabel;
class QPlainTextEdit;

namespace zentarix {

class OwnLevelsDialog : public QDialog {
  Q_OBJECT

 public:
  OwnLevelsDialog(const std::vector<UserRatio>& ratios, QWidget* parent);

  // The set as accepted: the ratios in the order of their lines, each value once.
  const std::vector<UserRatio>& Ratios() const { return FRatios; }

  QPlainTextEdit* Lines() const { return FLines; }
  QLabel* Problem() const { return FProblem; }

  void accept() override;

 private:
  QPlainTextEdit* FLines;
  QLabel* FProblem;
  std::vector<UserRatio> FRatios;
};

}  // namespace zentarix
