#include "shell/uAbout.h"

#include <QKeyEvent>

#include "desktop/centre_on_screen.h"
#include "desktop/fixed_size_box.h"
#include "shell/enter_key.h"
#include "ui_uAbout.h"

namespace zentarix {

namespace {

bool IsCyrillic(QChar ch) { return ch.unicode() >= 0x0400 && ch.unicode() <= 0x04FF; }

// The notice as speech should read it: its word "соглаcны" is written with a Latin "c", which a
// speech synthesizer spells out. A Latin c or C between Cyrillic letters becomes the Cyrillic
// letter it looks like; the visible text stays as it is.
QString Speakable(QString text) {
  for (qsizetype i = 1; i + 1 < text.size(); ++i) {
    if (!IsCyrillic(text[i - 1]) || !IsCyrillic(text[i + 1])) continue;
    if (text[i] == u'c') text[i] = QChar(0x0441);
    if (text[i] == u'C') text[i] = QChar(0x0421);
  }
  return text;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      FUi(std::make_unique<Ui::TAboutBox>()) {
  FUi->setupUi(this);
  FUi->Label1->setAccessibleName(Speakable(FUi->Label1->text()));
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
