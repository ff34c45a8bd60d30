// The yardstick of the start-up goal: the main window's controls at the main window's places,
// in the fonts it shows, with its title and icon, and none of its behaviour. No calculation,
// no exit checks, no key preview, no translations, no About box, no error report: what
// Zentarix spends before its first paint beyond this program is the price of its own work.
//
// The fields are the program's own entry field and spin edit, since their flat frames and
// arrow glyphs are part of the picture; nothing is connected to their events.
#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>
#include <algorithm>

#include "desktop/centre_on_screen.h"
#include "desktop/startup_probe.h"
#include "desktop/window_icon.h"
#include "spin/field_edit.h"
#include "spin/spin_edit.h"

using namespace zentarix;

namespace {

// The faces the main window ends up showing where its named faces are missing, asked for
// directly: the substitution is part of the program's work, not of the picture.
QFont Face(const char* family, int pixels) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixels);
  return font;
}

QHBoxLayout* BareRow(QWidget* owner) {
  auto* row = new QHBoxLayout(owner);
  row->setSpacing(0);
  row->setContentsMargins(0, 0, 0, 0);
  return row;
}

QLabel* Caption(QWidget* panel, const char* text, QRect place) {
  auto* label = new QLabel(QString::fromUtf8(text), panel);
  label->setGeometry(place);
  label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  return label;
}

FieldEdit* FlatField(QWidget* panel, const char* text, QRect place) {
  auto* field = new FieldEdit(panel);
  field->setGeometry(place);
  field->setText(QString::fromLatin1(text));
  field->setCtl3D(false);
  return field;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setWindowIcon(IconOfEverySize(QStringLiteral(":/icons")));

  QWidget window;
  window.setWindowTitle(QStringLiteral("Zentarix 0.0.2"));
  window.setMinimumSize(622, 433);
  window.resize(656, 433);
  window.setFont(Face("Liberation Sans", 11));
  auto* panel1 = new QFrame(&window);
  BareRow(&window)->addWidget(panel1);
  auto* panel2 = new QFrame(panel1);
  panel2->setFixedWidth(193);
  auto* panel3 = new QFrame(panel1);
  panel3->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel3->setAutoFillBackground(true);
  QPalette white = panel3->palette();
  white.setColor(QPalette::Window, Qt::white);
  panel3->setPalette(white);
  QHBoxLayout* panels = BareRow(panel1);
  panels->addWidget(panel2);
  panels->addWidget(panel3);
  auto* diagram = new QWidget(panel3);
  diagram->setFont(Face("Liberation Sans", 8));
  BareRow(panel3)->addWidget(diagram);

  Caption(panel2, "Значение А", QRect(8, 4, 58, 13));
  Caption(panel2, "Значение В", QRect(8, 44, 58, 13));
  Caption(panel2, "Шум (x 0,1%)", QRect(12, 88, 62, 13));
  FieldEdit* edit1 = FlatField(panel2, "100", QRect(8, 20, 173, 19));
  FlatField(panel2, "110", QRect(8, 60, 173, 19));
  auto* spin = new TSpinEdit(panel2);
  spin->setGeometry(88, 84, 93, 22);
  spin->setCtl3D(false);
  spin->setMaxValue(100);
  spin->setValue(30);
  auto* button = new QPushButton(QString::fromUtf8("Расчет"), panel2);
  button->setGeometry(12, 108, 173, 25);

  auto* memo = new QPlainTextEdit(panel2);
  memo->setFont(Face("Liberation Mono", 11));
  memo->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->setReadOnly(true);
  QPalette face = panel2->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  memo->setPalette(face);
  memo->setGeometry(1, 136, 191, 296);

  // The main window opens with the first field's value selected, which shows in its paint.
  edit1->setFocus(Qt::OtherFocusReason);
  edit1->selectAll();
  CentreOnScreen(window);
  InstallStartupProbe(window);
  window.show();
  return application.exec();
}
