// What a screen reader learns of the main window: every input is named by its label (or its
// caption), the listing and the diagram are described, and the diagram's description follows
// each calculation as the picture does.
#include <QAccessible>
#include <QLabel>
#include <QPushButton>

#include "shell/paint_box.h"
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
                 [](const TForm1& f) { return f.Label3(); }, nullptr, QAccessible::EditableText},
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

struct SummaryCase {
  const char* name;
  const char* a;
  const char* b;
  const char* laterA;  // nullptr: one run only
  const char* description;
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

TEST_P(MainWindowDiagramDescription, SaysWhatThePictureShows) {
  const SummaryCase& c = GetParam();
  if (c.a != nullptr) Run(c.a, c.b);
  if (c.laterA != nullptr) Run(c.laterA, c.b);
  EXPECT_EQ(Accessible(Form->pnb())->text(QAccessible::Description).toStdString(), c.description)
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, MainWindowDiagramDescription,
    ::testing::Values(
        SummaryCase{"BeforeAnyRun", nullptr, nullptr, nullptr, "Диаграмма пуста: A и B равны."},
        SummaryCase{"Rising", "100", "110", nullptr,
                    "Рост: A = 100.0000, B = 110.0000; +F3 = 106.4800, F3 = 106.1800, "
                    "-F3 = 105.8800; 50% = 105.0000; +F5 = 104.1200, F5 = 103.8200, "
                    "-F5 = 103.5200."},
        SummaryCase{"Falling", "100", "10", nullptr,
                    "Падение: A = 100.0000, B = 10.0000; +F3 = 47.0800, F3 = 44.3800, "
                    "-F3 = 41.6800; 50% = 55.0000; +F5 = 68.3200, F5 = 65.6200, "
                    "-F5 = 62.9200."},
        SummaryCase{"Flat", "100", "100", nullptr, "Диаграмма пуста: A и B равны."},
        // The picture shows the rejected A with the levels of the last successful run.
        SummaryCase{"RejectedAfterARun", "100", "110", "-1",
                    "Рост: A = -1.0000, B = 110.0000; +F3 = 106.4800, F3 = 106.1800, "
                    "-F3 = 105.8800; 50% = 105.0000; +F5 = 104.1200, F5 = 103.8200, "
                    "-F5 = 103.5200."}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
