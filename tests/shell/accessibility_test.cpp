// What a screen reader learns of the main window: every input is named by its label (or its
// caption), the listing and the diagram are described, and the diagram's description follows
// each calculation as the picture does. The levels of each calculation and the message of a
// failed exit check are announced.
#include <QAccessible>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>

#include "shell/paint_box.h"
#include "shell/window_accessibility.h"
#include "spin/spin_button.h"
#include "spin/timer_speed_button.h"
#include "tests/shell/main_window_fixture.h"

using namespace zentarix;

namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
  return QAccessible::queryAccessibleInterface(widget);
}

struct NameCase {
  const char* name;
  QWidget* (*control)(const TForm1&);
  QLabel* (*label)(const TForm1&);  // the label that names it; nullptr: its caption
  const char* caption;
  QAccessible::Role role;
};

void PrintTo(const NameCase& c, std::ostream* os) { *os << c.name; }

class MainWindowAccessibleNames : public MainWindowTest,
                                  public ::testing::WithParamInterface<NameCase> {};

TEST_P(MainWindowAccessibleNames, EveryInputIsNamedByItsLabelOrCaption) {
  const NameCase& c = GetParam();
  QAccessibleInterface* control = Accessible(c.control(*Form));
  ASSERT_NE(control, nullptr) << c.name;
  EXPECT_EQ(control->role(), c.role) << c.name;
  const QString expected =
      c.label != nullptr ? c.label(*Form)->text() : QString::fromUtf8(c.caption);
  EXPECT_EQ(control->text(QAccessible::Name), expected) << c.name;
  if (c.label == nullptr) return;
  // The label is announced as the one that labels the field.
  bool labelled = false;
  for (const auto& relation : control->relations(QAccessible::Label)) {
    labelled = labelled || relation.first->object() == c.label(*Form);
  }
  EXPECT_TRUE(labelled) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, MainWindowAccessibleNames,
    ::testing::Values(
        NameCase{"Edit1", [](const TForm1& f) -> QWidget* { return f.Edit1(); },
                 [](const TForm1& f) { return f.Label1(); }, nullptr, QAccessible::EditableText},
        NameCase{"Edit2", [](const TForm1& f) -> QWidget* { return f.Edit2(); },
                 [](const TForm1& f) { return f.Label2(); }, nullptr, QAccessible::EditableText},
        NameCase{"SpinEdit1", [](const TForm1& f) -> QWidget* { return f.SpinEdit1(); },
                 [](const TForm1& f) { return f.Label3(); }, nullptr, QAccessible::SpinBox},
        NameCase{"Button1", [](const TForm1& f) -> QWidget* { return f.Button1(); }, nullptr,
                 "Расчет", QAccessible::Button},
        NameCase{"UpArrow",
                 [](const TForm1& f) -> QWidget* { return f.SpinEdit1()->SpinButton()->UpArrow(); },
                 nullptr, "Увеличить шум", QAccessible::Button},
        NameCase{
            "DownArrow",
            [](const TForm1& f) -> QWidget* { return f.SpinEdit1()->SpinButton()->DownArrow(); },
            nullptr, "Уменьшить шум", QAccessible::Button}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ListingAndDiagramAreNamedAndDescribed) {
  for (QWidget* widget :
       {static_cast<QWidget*>(Form->Memo1()), static_cast<QWidget*>(Form->pnb())}) {
    QAccessibleInterface* shown = Accessible(widget);
    ASSERT_NE(shown, nullptr);
    EXPECT_FALSE(shown->text(QAccessible::Name).isEmpty()) << widget->objectName().toStdString();
    EXPECT_FALSE(shown->text(QAccessible::Description).isEmpty())
        << widget->objectName().toStdString();
  }
}

// Qt gives a plain QFrame the role of a top-level window: Orca took the unnamed panels for
// inactive windows and dropped every focus event inside them.
TEST_F(MainWindowTest, PanelsArePanelsAndTheDiagramIsAGraphic) {
  for (QFrame* panel : {Form->Panel2(), Form->Panel3()}) {
    EXPECT_EQ(Accessible(panel)->role(), QAccessible::Pane) << panel->objectName().toStdString();
  }
  EXPECT_EQ(Accessible(Form->pnb())->role(), QAccessible::Graphic);
}

// Orca reads a field's text within the run of text attributes at the caret: runs shorter than
// the text made it read "100" as "10".
TEST_F(MainWindowTest, FieldsGiveTheirWholeTextAndTheNoiseItsValue) {
  for (QLineEdit* field :
       {static_cast<QLineEdit*>(Form->Edit1()), static_cast<QLineEdit*>(Form->Edit2()),
        static_cast<QLineEdit*>(Form->SpinEdit1())}) {
    QAccessibleTextInterface* text = Accessible(field)->textInterface();
    ASSERT_NE(text, nullptr) << field->objectName().toStdString();
    int start = -1;
    int end = -1;
    text->attributes(text->cursorPosition(), &start, &end);
    EXPECT_EQ(text->text(start, end), field->text()) << field->objectName().toStdString();
  }
  // A range from inside the text, and a field made read-only, which is no longer editable.
  Form->Edit1()->setText("123456");
  EXPECT_EQ(Accessible(Form->Edit1())->textInterface()->text(1, 3), "23");
  Form->Edit1()->setReadOnly(true);
  EXPECT_FALSE(Accessible(Form->Edit1())->state().editable);
  EXPECT_TRUE(Accessible(Form->Edit1())->state().readOnly);
  Form->Edit1()->setReadOnly(false);
  Form->Edit1()->setText("100");
  QAccessibleValueInterface* value = Accessible(Form->SpinEdit1())->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->currentValue().toInt(), 30);
  EXPECT_EQ(value->minimumValue().toInt(), 0);
  EXPECT_EQ(value->maximumValue().toInt(), 100);
}

// The message is said once the focus is back in the field, after the focus move that ran the
// check is over.
TEST_F(MainWindowTest, AFailedExitCheckIsAnnounced) {
  TypeInto(Form->Edit1(), QStringLiteral("abc"));
  PressTab();
  QCoreApplication::sendPostedEvents();
  QAccessibleInterface* announcer = Accessible(Form->findChild<Announcer*>());
  EXPECT_EQ(announcer->role(), QAccessible::Notification);
  EXPECT_EQ(announcer->text(QAccessible::Name).toStdString(), "Ошибка в значении А!");
  EXPECT_TRUE(Form->Edit1()->hasFocus());
}

// A noise step is heard as the two corridors it moves, not as the unchanged levels; a copy of
// the listing, which changes nothing on the screen, is said in words of its own.
TEST_F(MainWindowTest, ANoiseStepAndACopyAreHeardAsWhatTheyChange) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  Form->SpinEdit1()->StepUp(Form->SpinEdit1());
  QAccessibleInterface* announcer = Accessible(Form->findChild<Announcer*>());
  EXPECT_EQ(announcer->text(QAccessible::Name).toStdString(),
            "Шум 3.1%: коридор F3 105.87 – 106.49, коридор F5 103.51 – 104.13");
  Form->aCopyListing()->trigger();
  EXPECT_EQ(announcer->text(QAccessible::Name).toStdString(), "Расчёт скопирован");
}

// F6 takes the focus to the listing, where the arrow keys go from line to line; Shift+F6 and
// Tab give it back to the field that had it. Tab from a field still skips the listing.
TEST_F(MainWindowTest, F6ReachesTheListingAndGivesTheFocusBack) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  for (const Qt::KeyboardModifiers back : {Qt::ShiftModifier, Qt::NoModifier}) {
    Form->SpinEdit1()->setFocus();
    QTest::keyClick(Form->SpinEdit1(), Qt::Key_F6);
    ASSERT_TRUE(Form->Memo1()->hasFocus());
    QTest::keyClick(Form->Memo1(), Qt::Key_Down);
    EXPECT_EQ(Form->Memo1()->textCursor().blockNumber(), 1);
    EXPECT_EQ(Form->Memo1()->textCursor().block().text(), "B = 110.0000");
    QTest::keyClick(Form->Memo1(), back == Qt::ShiftModifier ? Qt::Key_F6 : Qt::Key_Tab, back);
    EXPECT_TRUE(Form->SpinEdit1()->hasFocus()) << (back == Qt::ShiftModifier ? "Shift+F6" : "Tab");
  }
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_Tab);
  EXPECT_TRUE(Form->Button1()->hasFocus());
}

// A reader that asks where a character of the listing stands, at any offset, gets an answer
// and Qt no complaint: its own interface asked the text cursor for the position after the end.
TEST_F(MainWindowTest, TheListingAnswersForEveryOffsetWithoutAWarning) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  static int warnings = 0;
  const QtMessageHandler previous = qInstallMessageHandler(
      [](QtMsgType, const QMessageLogContext&, const QString&) { ++warnings; });
  QAccessibleTextInterface* text = Accessible(Form->Memo1())->textInterface();
  ASSERT_NE(text, nullptr);
  const int count = text->characterCount();
  EXPECT_EQ(count, Form->Memo1()->toPlainText().size());
  for (int offset = -1; offset <= count + 1; ++offset) {
    int start = 0;
    int end = 0;
    text->textAtOffset(offset, QAccessible::LineBoundary, &start, &end);
    text->characterRect(offset);
    text->attributes(offset, &start, &end);
  }
  qInstallMessageHandler(previous);
  EXPECT_EQ(warnings, 0);
  EXPECT_TRUE(text->characterRect(count).isEmpty());
  EXPECT_FALSE(text->characterRect(0).isEmpty());
  int start = 0;
  int end = 0;
  EXPECT_EQ(text->textAtOffset(14, QAccessible::LineBoundary, &start, &end).trimmed(),
            "B = 110.0000");
  EXPECT_TRUE(Accessible(Form->Memo1())->state().readOnly);
}

struct SummaryCase {
  const char* name;
  const char* a;
  const char* b;
  const char* laterA;  // nullptr: one run only
  const char* description;
  const char* spoken;  // what the window announced last
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << c.name; }

class MainWindowDiagramDescription : public MainWindowTest,
                                     public ::testing::WithParamInterface<SummaryCase> {
 protected:
  void Run(const char* a, const char* b) {
    Form->Edit1()->setText(QString::fromUtf8(a));
    Form->Edit2()->setText(QString::fromUtf8(b));
    QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  }
};

TEST_P(MainWindowDiagramDescription, SaysWhatThePictureShowsAndAnnouncesTheLevels) {
  const SummaryCase& c = GetParam();
  if (c.a != nullptr) Run(c.a, c.b);
  if (c.laterA != nullptr) Run(c.laterA, c.b);
  EXPECT_EQ(Accessible(Form->pnb())->text(QAccessible::Description).toStdString(), c.description)
      << c.name;
  EXPECT_EQ(Accessible(Form->findChild<Announcer*>())->text(QAccessible::Name).toStdString(),
            c.spoken)
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, MainWindowDiagramDescription,
    ::testing::Values(
        SummaryCase{"BeforeAnyRun", nullptr, nullptr, nullptr, "Диаграмма пуста: A и B равны.", ""},
        SummaryCase{"Rising", "100", "110", nullptr,
                    "Рост: A = 100.0000, B = 110.0000; +F3 = 106.4800, F3 = 106.1800, "
                    "-F3 = 105.8800; 50% = 105.0000; +F5 = 104.1200, F5 = 103.8200, "
                    "-F5 = 103.5200.",
                    "F3 106.18, 50% 105, F5 103.82"},
        SummaryCase{"Falling", "100", "10", nullptr,
                    "Падение: A = 100.0000, B = 10.0000; +F3 = 47.0800, F3 = 44.3800, "
                    "-F3 = 41.6800; 50% = 55.0000; +F5 = 68.3200, F5 = 65.6200, "
                    "-F5 = 62.9200.",
                    "F3 44.38, 50% 55, F5 65.62"},
        SummaryCase{"Flat", "100", "100", nullptr, "Диаграмма пуста: A и B равны.",
                    "F3 100, 50% 100, F5 100"},
        // The scientific form keeps the zeros that end its exponent.
        SummaryCase{"Huge", "1e20", "2e20", nullptr,
                    "Рост: A = 1E0020, B = 2E0020; +F3 = 1.648E0020, F3 = 1.618E0020, "
                    "-F3 = 1.588E0020; 50% = 1.5E0020; +F5 = 1.412E0020, F5 = 1.382E0020, "
                    "-F5 = 1.352E0020.",
                    "F3 1.618E0020, 50% 1.5E0020, F5 1.382E0020"},
        // The picture shows the rejected A with the levels of the last successful run.
        SummaryCase{"RejectedAfterARun", "100", "110", "-1",
                    "Рост: A = -1.0000, B = 110.0000; +F3 = 106.4800, F3 = 106.1800, "
                    "-F3 = 105.8800; 50% = 105.0000; +F5 = 104.1200, F5 = 103.8200, "
                    "-F5 = 103.5200.",
                    "Ошибка в значении шума!"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
