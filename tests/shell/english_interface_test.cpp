// The window in English: with the program's English catalogue installed before it is created,
// no text a user sees or hears is left in Russian.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <memory>

#include "desktop/interface_language.h"
#include "shell/paint_box.h"
#include "shell/uAbout.h"
#include "shell/uMain.h"
#include "spin/field_edit.h"

namespace zentarix {
namespace {

// Installs the English catalogue for one test and takes it away again.
class EnglishGuard {
 public:
  EnglishGuard() : FCatalogue(LoadEnglishCatalogue()) {
    if (FCatalogue != nullptr) QCoreApplication::installTranslator(FCatalogue.get());
  }
  ~EnglishGuard() {
    if (FCatalogue != nullptr) QCoreApplication::removeTranslator(FCatalogue.get());
  }
  EnglishGuard(const EnglishGuard&) = delete;
  EnglishGuard& operator=(const EnglishGuard&) = delete;
  bool Loaded() const { return FCatalogue != nullptr; }

 private:
  std::unique_ptr<QTranslator> FCatalogue;
};

bool HasCyrillic(const QString& text) {
  static const QRegularExpression cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));
  return text.contains(cyrillic);
}

// Every text of window and its children that is shown or read out.
void ExpectNoRussian(const QWidget& window) {
  QList<const QWidget*> widgets{&window};
  for (const QWidget* child : window.findChildren<QWidget*>()) widgets << child;
  for (const QWidget* widget : widgets) {
    const std::string name = widget->objectName().toStdString();
    EXPECT_FALSE(HasCyrillic(widget->windowTitle())) << name;
    EXPECT_FALSE(HasCyrillic(widget->accessibleName())) << name;
    EXPECT_FALSE(HasCyrillic(widget->accessibleDescription())) << name;
    EXPECT_FALSE(HasCyrillic(widget->toolTip())) << name;
    if (const auto* label = qobject_cast<const QLabel*>(widget)) {
      EXPECT_FALSE(HasCyrillic(label->text())) << name;
    }
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
      EXPECT_FALSE(HasCyrillic(button->text())) << name;
    }
    for (const QAction* action : widget->actions()) {
      EXPECT_FALSE(HasCyrillic(action->text())) << name << " action";
    }
  }
}

TEST(EnglishInterface, NoTextOfTheWindowsIsLeftInRussian) {
  const EnglishGuard english;
  ASSERT_TRUE(english.Loaded());
  TForm1 form;
  TAboutBox about;
  ExpectNoRussian(form);
  ExpectNoRussian(about);
  EXPECT_EQ(form.Button1()->text(), "Calculate");
  // What the window writes: a check's message, the error line, the listing and the diagram's
  // description.
  form.Edit1()->setText(QStringLiteral("-1"));
  form.Edit1Exit();
  EXPECT_EQ(form.Memo1()->toPlainText(), "Error in value A!");
  form.aCalc()->trigger();
  EXPECT_EQ(form.Memo1()->toPlainText(), "Error in the noise value!");
  form.Edit1()->setText(QStringLiteral("100"));
  form.aCalc()->trigger();
  EXPECT_FALSE(HasCyrillic(form.Memo1()->toPlainText()))
      << form.Memo1()->toPlainText().toStdString();
  EXPECT_FALSE(HasCyrillic(form.pnb()->accessibleDescription()));
}

}  // namespace
}  // namespace zentarix
