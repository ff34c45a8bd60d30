#include "shell/uAbout.h"

#include <QKeyEvent>

#include "desktop/centre_on_screen.h"
#include "desktop/fixed_size_box.h"
#include "shell/enter_key.h"
#include "ui_uAbout.h"

namespace zentarix {

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FUi(std::make_unique<Ui::TAboutBox>()) {
  FUi->setupUi(this);
  setFixedSize(298, 198);
  PrepareFixedSizeBox(*this);
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPixelSize(11);
  setFont(font);
  connect(FUi->OKButton, &QPushButton::clicked, this, &QDialog::accept);
  // The focused OK button would take a modified Enter as well.
  FUi->OKButton->installEventFilter(new PlainEnterOnly(FUi->OKButton));
}

TAboutBox::~TAboutBox() = default;

int TAboutBox::ShowModal() {
  CentreOnScreen(*this);
  return exec();
}

void TAboutBox::keyPressEvent(QKeyEvent* event) {
  // No control is a cancel button, so Escape does nothing here; Enter goes to the default
  // button as in any dialog (the dialog itself requires no Shift, Ctrl or Alt).
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace zentarix
