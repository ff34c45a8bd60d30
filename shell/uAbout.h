// The About box: a fixed-size modal dialog naming the product and its version, with the
// author's no-liability notice. It closes by its OK button (click, Space, or Enter without
// modifiers from any control) or its close box; Escape leaves it open.
#pragma once

#include <QDialog>
#include <memory>

namespace Ui {
class TAboutBox;
}

namespace zentarix {

class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
  ~TAboutBox() override;

  // Shows the box modally, centred on the screen; returns the modal result.
  int ShowModal();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  std::unique_ptr<Ui::TAboutBox> FUi;
};

}  // namespace zentarix
