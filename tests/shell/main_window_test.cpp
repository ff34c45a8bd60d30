// The main window driven as a user drives it: typing, Tab, the button, the spin arrows and
// keys, F1, and what the listing and the diagram show afterwards.
#include <sys/stat.h>

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QImage>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QTranslator>
#include <QUrl>
#include <atomic>
#include <cstring>
#include <memory>

#include "desktop/interface_language.h"
#include "shell/drop_reading.h"
#include "shell/own_levels_dialog.h"
#include "shell/paint_box.h"
#include "shell/picture_menu.h"
#include "shell/ratio_settings.h"
#include "shell/uAbout.h"
#include "spin/field_edit.h"
#include "spin/spin_button.h"
#include "spin/timer_speed_button.h"
#include "tests/shell/main_window_fixture.h"
#include "tests/support/example_listings.h"
#include "tests/support/row_printer.h"

using namespace zentarix;

namespace {

using zentarix::test::PrintTo;

const std::string RisingListing = RisingExampleListing;

// The eighth line of a full listing: the lower F3 corridor bound, which shows the noise used.
std::string CorridorLine(const std::string& listing) {
  std::size_t start = 0;
  for (int line = 1; line < 8; ++line) start = listing.find('\n', start) + 1;
  return listing.substr(start, listing.find('\n', start) - start);
}

bool IsWhite(QRgb pixel) {
  return qRed(pixel) == 255 && qGreen(pixel) == 255 && qBlue(pixel) == 255;
}

TEST_F(MainWindowTest, StartsWithItsValuesAnEmptyListingAndABlankDiagram) {
  EXPECT_EQ(Form->Edit1()->text(), "100");
  EXPECT_EQ(Form->Edit2()->text(), "110");
  EXPECT_EQ(Form->SpinEdit1()->text(), "30");
  EXPECT_EQ(QApplication::focusWidget(), Form->Edit1());
  EXPECT_EQ(Form->Edit1()->selectedText(), "100");
  EXPECT_EQ(Listing(), "");
  EXPECT_EQ(Form->CalcItem().ValueA, 0.0);
  EXPECT_EQ(Form->CalcItem().ValueB, 0.0);
  const QImage diagram = Form->pnb()->grab().toImage();
  EXPECT_EQ(diagram.size(), QSize(461, 431));
  for (int y = 0; y < diagram.height(); y += 5) {
    for (int x = 0; x < diagram.width(); x += 5) {
      ASSERT_TRUE(IsWhite(diagram.pixel(x, y))) << "at " << x << "," << y;
    }
  }
}

TEST_F(MainWindowTest, WindowHasItsCaptionSizesAndReadOnlyListing) {
  EXPECT_TRUE(Form->windowTitle().contains("Zentarix"));
  EXPECT_TRUE(Form->windowTitle().contains("0.0.2"));
  EXPECT_EQ(Form->size(), QSize(656, 433));
  EXPECT_EQ(Form->minimumSize(), QSize(622, 433));
  EXPECT_TRUE(Form->Memo1()->isReadOnly());
  EXPECT_EQ(Form->Memo1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(Form->Memo1()->geometry(), QRect(1, 136, 191, 296));
  EXPECT_EQ(Form->Button1()->text(), "Расчет");
  EXPECT_EQ(Form->SpinEdit1()->geometry(), QRect(88, 84, 93, 22));
}

TEST_F(MainWindowTest, ListingAndDiagramGrowWithTheWindow) {
  Form->resize(800, 600);
  QApplication::processEvents();
  EXPECT_EQ(Form->Memo1()->geometry(), QRect(1, 136, 191, 463));
  EXPECT_EQ(Form->pnb()->size(), QSize(800 - 193 - 2, 598));
}

TEST_F(MainWindowTest, TabVisitsTheFieldsAndTheButtonButNotTheListing) {
  Form->Edit1()->setFocus(Qt::OtherFocusReason);
  const QWidget* expected[] = {Form->Edit2(), Form->SpinEdit1(), Form->Button1(), Form->Edit1()};
  for (const QWidget* next : expected) {
    PressTab();
    EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
  }
  EXPECT_TRUE(Errors.empty());
}

TEST_F(MainWindowTest, ButtonWritesTheWholeListing) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing(), RisingListing);
  EXPECT_EQ(Form->CalcItem().ValueB, 110.0);
}

struct ButtonKeyCase {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  bool runs;
};

class MainWindowButtonKeys : public MainWindowTest,
                             public ::testing::WithParamInterface<ButtonKeyCase> {};

TEST_P(MainWindowButtonKeys, SpaceAndPlainEnterRunTheButton) {
  const ButtonKeyCase& c = GetParam();
  Form->Button1()->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Form->Button1(), c.key, c.modifiers);
  EXPECT_EQ(Listing() == RisingListing, c.runs) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MainWindowButtonKeys,
    ::testing::Values(ButtonKeyCase{"Space", Qt::Key_Space, Qt::NoModifier, true},
                      ButtonKeyCase{"Enter", Qt::Key_Return, Qt::NoModifier, true},
                      ButtonKeyCase{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, true},
                      ButtonKeyCase{"ShiftEnter", Qt::Key_Return, Qt::ShiftModifier, false},
                      ButtonKeyCase{"CtrlEnter", Qt::Key_Return, Qt::ControlModifier, false},
                      ButtonKeyCase{"AltEnter", Qt::Key_Return, Qt::AltModifier, false},
                      ButtonKeyCase{"Letter", Qt::Key_A, Qt::NoModifier, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, ARunAfterAnErrorLineReplacesIt) {
  // A calculation run while A is still being typed (the noise field's change runs one).
  Form->Edit1()->setText("-1");
  Form->aCalc()->trigger();
  EXPECT_EQ(Listing(), "Ошибка в значении шума!");
  TypeInto(Form->Edit1(), "100");
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing(), RisingListing);
}

// A click that moves the focus out of A while A is below zero: the check's message stays and
// the focus goes back to A. A click on the button does not calculate, one on a noise arrow
// does not step; a click on another control leaves nothing behind that would swallow the
// button's next click.
struct InterruptedClickCase {
  const char* name;
  QWidget* (*control)(const TForm1&);
};

class MainWindowInterruptedClick : public MainWindowTest,
                                   public ::testing::WithParamInterface<InterruptedClickCase> {};

TEST_P(MainWindowInterruptedClick, DoesNotCalculateAndTheNextClickDoes) {
  const InterruptedClickCase& c = GetParam();
  TypeInto(Form->Edit1(), "-1");
  QTest::mouseClick(c.control(*Form), Qt::LeftButton);
  EXPECT_EQ(Listing(), "Ошибка в значении А!") << c.name;
  EXPECT_EQ(QApplication::focusWidget(), Form->Edit1()) << c.name;
  // The next click, with A mended, calculates.
  QTest::keyClicks(Form->Edit1(), "100");
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing(), RisingListing) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainWindowInterruptedClick,
    ::testing::Values(InterruptedClickCase{"OnTheButton",
                                           [](const TForm1& f) -> QWidget* { return f.Button1(); }},
                      InterruptedClickCase{"OnFieldB",
                                           [](const TForm1& f) -> QWidget* { return f.Edit2(); }},
                      InterruptedClickCase{"OnANoiseArrow",
                                           [](const TForm1& f) -> QWidget* {
                                             return f.SpinEdit1()->SpinButton()->UpArrow();
                                           }}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExitCase {
  const char* name;
  int field;  // 1: Edit1, 2: Edit2, 3: SpinEdit1
  const char* text;
  char32_t decimalMark;
  const char* message;  // nullptr: the check passes
};

class MainWindowExitChecks : public MainWindowTest, public ::testing::WithParamInterface<ExitCase> {
 protected:
  QLineEdit* Field(int number) const {
    if (number == 1) return Form->Edit1();
    if (number == 2) return Form->Edit2();
    return Form->SpinEdit1();
  }
};

TEST_P(MainWindowExitChecks, ReportBelowZeroAndReturnTheFocus) {
  const ExitCase& c = GetParam();
  DecimalMark = c.decimalMark;
  QLineEdit* field = Field(c.field);
  TypeInto(field, QString::fromUtf8(c.text));
  const std::string before = Listing();
  PressTab();
  if (c.message == nullptr) {
    EXPECT_EQ(Listing(), before) << c.name;
    EXPECT_NE(QApplication::focusWidget(), field) << c.name;
  } else {
    EXPECT_EQ(Listing(), c.message) << c.name;
    EXPECT_EQ(QApplication::focusWidget(), field) << c.name;
    EXPECT_EQ(field->selectedText(), field->text()) << c.name << ": typing replaces the value";
  }
  EXPECT_EQ(field->text().toStdString(), c.text) << c.name << ": the field keeps its text";
}

INSTANTIATE_TEST_SUITE_P(
    Fields, MainWindowExitChecks,
    ::testing::Values(ExitCase{"EmptyA", 1, "", U',', "Ошибка в значении А!"},
                      ExitCase{"NegativeA", 1, "-1", U',', "Ошибка в значении А!"},
                      ExitCase{"LetterInA", 1, "12a", U',', "Ошибка в значении А!"},
                      ExitCase{"FullStopInAUnderCommaLocale", 1, "100.5", U',', nullptr},
                      ExitCase{"FullStopInAUnderFullStopLocale", 1, "100.5", U'.', nullptr},
                      ExitCase{"LoneFullStopInAIsZero", 1, ".", U',', nullptr},
                      ExitCase{"NegativeZeroA", 1, "-0", U',', nullptr},
                      ExitCase{"ABeyondDoubleRangePasses", 1, "1e400", U',', nullptr},
                      ExitCase{"NegativeB", 2, "-0,5", U',', "Ошибка в значении B!"},
                      ExitCase{"FractionalB", 2, "0,5", U',', nullptr},
                      ExitCase{"EmptyNoise", 3, "", U',', "Ошибка в значении шума!"},
                      ExitCase{"FractionalNoise", 3, "2,5", U',', nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, EachKeystrokeInTheNoiseFieldRecalculates) {
  Form->SpinEdit1()->setFocus(Qt::MouseFocusReason);
  Form->SpinEdit1()->end(false);
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_Backspace);  // "3"
  EXPECT_EQ(CorridorLine(Listing()), "  F3(1) = 106.1500");
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_Backspace);  // ""
  EXPECT_EQ(Listing(), "Ошибка в значении шума!");
}

// Under a "," locale the noise field reads a full stop as the mark, as A and B do, typed or
// pasted; the text stays as it was entered.
struct NoiseFractionCase {
  const char* name;
  const char* text;
  bool pasted;
};

class MainWindowNoiseFraction : public MainWindowTest,
                                public ::testing::WithParamInterface<NoiseFractionCase> {};

TEST_P(MainWindowNoiseFraction, IsUsedAsEntered) {
  const NoiseFractionCase& c = GetParam();
  DecimalMark = U',';
  if (c.pasted) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(c.text));
    TypeInto(Form->SpinEdit1(), "");
    QTest::keyClick(Form->SpinEdit1(), Qt::Key_V, Qt::ControlModifier);
  } else {
    TypeInto(Form->SpinEdit1(), QString::fromUtf8(c.text));
  }
  PressTab();
  EXPECT_EQ(Form->SpinEdit1()->text().toStdString(), c.text) << c.name;
  EXPECT_EQ(CorridorLine(Listing()), "  F3(1) = 106,1550") << c.name;
}

INSTANTIATE_TEST_SUITE_P(Texts, MainWindowNoiseFraction,
                         ::testing::Values(NoiseFractionCase{"TypedMark", "2,5", false},
                                           NoiseFractionCase{"TypedFullStop", "2.5", false},
                                           NoiseFractionCase{"PastedFullStop", "2.5", true}),
                         [](const auto& info) { return std::string(info.param.name); });

struct NoiseExitCase {
  const char* name;
  const char* typed;
  const char* corrected;
  const char* corridorLine;
};

class MainWindowNoiseExit : public MainWindowTest,
                            public ::testing::WithParamInterface<NoiseExitCase> {};

TEST_P(MainWindowNoiseExit, RangeCorrectionRecalculatesAfterTheCheck) {
  const NoiseExitCase& c = GetParam();
  TypeInto(Form->SpinEdit1(), c.typed);
  PressTab();
  EXPECT_EQ(Form->SpinEdit1()->text().toStdString(), c.corrected) << c.name;
  EXPECT_EQ(CorridorLine(Listing()), c.corridorLine) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Values, MainWindowNoiseExit,
    ::testing::Values(NoiseExitCase{"AboveRangeBecomesHundred", "150", "100", "  F3(1) = 105.1800"},
                      NoiseExitCase{"BelowRangeBecomesZero", "-5", "0", "  F3(1) = 106.1800"},
                      NoiseExitCase{"InRangeStays", "7", "7", "  F3(1) = 106.1100"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, NegativeNoiseShowsTheMessageThenTheCorrectedListingKeepingTheFocus) {
  TypeInto(Form->SpinEdit1(), "-5");
  PressTab();
  EXPECT_EQ(QApplication::focusWidget(), Form->SpinEdit1());
  EXPECT_EQ(Form->SpinEdit1()->text(), "0");
}

TEST_F(MainWindowTest, SpinArrowsAndKeysStepAndRecalculate) {
  QTest::mouseClick(Form->SpinEdit1()->SpinButton()->UpArrow(), Qt::LeftButton);
  EXPECT_EQ(Form->SpinEdit1()->text(), "31");
  EXPECT_EQ(CorridorLine(Listing()), "  F3(1) = 105.8700");
  EXPECT_EQ(QApplication::focusWidget(), Form->SpinEdit1());
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_Down);
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_Down);
  EXPECT_EQ(Form->SpinEdit1()->text(), "29");
  EXPECT_EQ(CorridorLine(Listing()), "  F3(1) = 105.8900");
}

struct F1Case {
  const char* name;
  Qt::KeyboardModifiers modifiers;
};

class MainWindowHelpKey : public MainWindowTest, public ::testing::WithParamInterface<F1Case> {};

TEST_P(MainWindowHelpKey, OpensTheAboutBoxOnReleaseWhateverTheModifiers) {
  QWidget* focused = Form->Edit2();
  focused->setFocus(Qt::OtherFocusReason);
  int releasesSeenByTheField = 0;
  struct Spy : QObject {
    int& count;
    explicit Spy(int& c) : count(c) {}
    bool eventFilter(QObject*, QEvent* event) override {
      if (event->type() == QEvent::KeyRelease &&
          static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        ++count;
      }
      return false;
    }
  } spy(releasesSeenByTheField);
  focused->installEventFilter(&spy);
  QTest::keyPress(focused, Qt::Key_F1, GetParam().modifiers);
  EXPECT_EQ(AboutShown, 0) << GetParam().name << ": nothing on key-down";
  QTest::keyRelease(focused, Qt::Key_F1, GetParam().modifiers);
  EndReleaseWait(*Form);
  EXPECT_EQ(AboutShown, 1) << GetParam().name;
  EXPECT_EQ(releasesSeenByTheField, 1) << GetParam().name << ": the key is not consumed";
  focused->removeEventFilter(&spy);
}

INSTANTIATE_TEST_SUITE_P(Modifiers, MainWindowHelpKey,
                         ::testing::Values(F1Case{"Plain", Qt::NoModifier},
                                           F1Case{"Shift", Qt::ShiftModifier},
                                           F1Case{"Ctrl", Qt::ControlModifier},
                                           F1Case{"Alt", Qt::AltModifier}),
                         [](const auto& info) { return std::string(info.param.name); });

struct HelpFocusCase {
  const char* name;
  int control;  // 1: Edit1, 2: Edit2, 3: SpinEdit1, 4: Button1, 5: Memo1
};

class MainWindowHelpKeyFocus : public MainWindowTest,
                               public ::testing::WithParamInterface<HelpFocusCase> {
 protected:
  QWidget* Control(int number) const {
    switch (number) {
      case 1:
        return Form->Edit1();
      case 2:
        return Form->Edit2();
      case 3:
        return Form->SpinEdit1();
      case 4:
        return Form->Button1();
      default:
        return Form->Memo1();
    }
  }
};

// The real About box takes the focus while it is open and leaves none behind when it closes.
// A release that the focused control ignores travels on to its parents: it opens the box
// once, and the next release once more.
TEST_P(MainWindowHelpKeyFocus, EachReleaseShowsTheAboutBoxOnce) {
  TAboutBox box;
  Form->ShowAbout = [this, &box] {
    ++AboutShown;
    QTimer::singleShot(0, &box, &QDialog::accept);
    box.ShowModal();
  };
  QWidget* focused = Control(GetParam().control);
  focused->setFocus(Qt::OtherFocusReason);
  QTest::keyClick(focused, Qt::Key_F1);
  EndReleaseWait(*Form);
  EXPECT_EQ(AboutShown, 1) << GetParam().name;
  // The desktop gives the main window back its activation, and with it the focus.
  QApplication::setActiveWindow(Form.get());
  ASSERT_EQ(QApplication::focusWidget(), focused) << GetParam().name;
  QTest::keyClick(focused, Qt::Key_F1);
  EndReleaseWait(*Form);
  EXPECT_EQ(AboutShown, 2) << GetParam().name << ": the next release";
}

INSTANTIATE_TEST_SUITE_P(Controls, MainWindowHelpKeyFocus,
                         ::testing::Values(HelpFocusCase{"Edit1", 1}, HelpFocusCase{"Edit2", 2},
                                           HelpFocusCase{"SpinEdit1", 3},
                                           HelpFocusCase{"Button1", 4}, HelpFocusCase{"Memo1", 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, OtherKeysAndRepeatedReleasesOpenNothing) {
  QWidget* focused = Form->Edit1();
  focused->setFocus(Qt::OtherFocusReason);
  QTest::keyRelease(focused, Qt::Key_F2);
  QKeyEvent repeated(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier, QString(), true);
  QApplication::sendEvent(focused, &repeated);
  // The window acts on the focused control's own delivery of a release, not on one that
  // reaches another control.
  QKeyEvent elsewhere(QEvent::KeyRelease, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(Form->Button1(), &elsewhere);
  EndReleaseWait(*Form);
  EXPECT_EQ(AboutShown, 0);
}

// On an X server a held key repeats as a release and a press with one time stamp, and Qt
// often marks neither as a repeat. Only the release that no such press follows is real.
struct KeyStep {
  QEvent::Type type;
  Qt::Key key;
  quint64 time;
};

struct HeldHelpKeyCase {
  const char* name;
  std::vector<KeyStep> steps;
  int shown;  // About boxes after the last step and the end of the release's wait
};

class MainWindowHeldHelpKey : public MainWindowTest,
                              public ::testing::WithParamInterface<HeldHelpKeyCase> {};

TEST_P(MainWindowHeldHelpKey, OnlyARealReleaseOpensTheAboutBox) {
  const HeldHelpKeyCase& c = GetParam();
  QWidget* focused = Form->Edit1();
  focused->setFocus(Qt::OtherFocusReason);
  for (const KeyStep& step : c.steps) {
    QKeyEvent event(step.type, step.key, Qt::NoModifier);
    event.setTimestamp(step.time);
    QApplication::sendEvent(focused, &event);
  }
  EndReleaseWait(*Form);
  EXPECT_EQ(AboutShown, c.shown) << c.name;
}

constexpr QEvent::Type Down = QEvent::KeyPress;
constexpr QEvent::Type Up = QEvent::KeyRelease;

INSTANTIATE_TEST_SUITE_P(Sequences, MainWindowHeldHelpKey,
                         ::testing::Values(HeldHelpKeyCase{"HeldWithUnmarkedRepeats",
                                                           {{Down, Qt::Key_F1, 100},
                                                            {Up, Qt::Key_F1, 760},
                                                            {Down, Qt::Key_F1, 760},
                                                            {Up, Qt::Key_F1, 800},
                                                            {Down, Qt::Key_F1, 800}},
                                                           0},
                                           HeldHelpKeyCase{"HeldThenReleased",
                                                           {{Down, Qt::Key_F1, 100},
                                                            {Up, Qt::Key_F1, 760},
                                                            {Down, Qt::Key_F1, 760},
                                                            {Up, Qt::Key_F1, 900}},
                                                           1},
                                           HeldHelpKeyCase{"TwoQuickTaps",
                                                           {{Down, Qt::Key_F1, 100},
                                                            {Up, Qt::Key_F1, 150},
                                                            {Down, Qt::Key_F1, 151},
                                                            {Up, Qt::Key_F1, 200}},
                                                           2},
                                           HeldHelpKeyCase{"AnotherKeyPressedWithTheRelease",
                                                           {{Down, Qt::Key_F1, 100},
                                                            {Up, Qt::Key_F1, 150},
                                                            {Down, Qt::Key_F2, 150}},
                                                           1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainWindowTest, DiagramShowsTheBandsAndTheRedLineAtTheDefaultSize) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  const QImage diagram = Form->pnb()->grab().toImage();
  ASSERT_EQ(diagram.size(), QSize(461, 431));
  const QRgb band = qRgb(200, 200, 255);
  // The rising F3 band covers rows 161 to 182 from column 106; the F5 band rows 248 to 269
  // from column 258. Column 120 and 400 are clear of labels and lines there.
  for (int y = 161; y <= 182; ++y) EXPECT_EQ(diagram.pixel(120, y), band) << "row " << y;
  EXPECT_NE(diagram.pixel(120, 160), band);
  EXPECT_NE(diagram.pixel(120, 183), band);
  for (int y = 248; y <= 269; ++y) EXPECT_EQ(diagram.pixel(400, y), band) << "row " << y;
  EXPECT_NE(diagram.pixel(400, 247), band);
  EXPECT_NE(diagram.pixel(400, 270), band);
  EXPECT_EQ(diagram.pixel(300, 216), qRgb(255, 0, 0));
  EXPECT_TRUE(IsWhite(diagram.pixel(300, 215)));
  EXPECT_TRUE(IsWhite(diagram.pixel(300, 217)));
}

TEST_F(MainWindowTest, OverflowLeavesTheListingAndTheRecordOfTheLastRun) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  TypeInto(Form->Edit1(), "1e400");
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  ASSERT_EQ(Errors, std::vector<std::string>{"Floating point overflow"});
  EXPECT_EQ(Listing(), RisingListing);
  EXPECT_EQ(Form->CalcItem().ValueA, 100.0);
  // The window goes on working.
  Errors.clear();
  TypeInto(Form->Edit1(), "100");
  TypeInto(Form->Edit2(), "10");
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing().substr(0, 25), "A = 100.0000\nB = 10.0000\n");
  EXPECT_TRUE(Errors.empty());
}

// ---- Desktop palettes, the listing's selection and its copy --------------------------------

// Sets the application's palette for one test and restores the previous one afterwards. The
// widgets take a new application palette from a posted event.
class AppPaletteGuard {
 public:
  explicit AppPaletteGuard(const QPalette& palette) : FPrevious(QApplication::palette()) {
    QApplication::setPalette(palette);
    QApplication::processEvents();
  }
  ~AppPaletteGuard() {
    QApplication::setPalette(FPrevious);
    QApplication::processEvents();
  }
  AppPaletteGuard(const AppPaletteGuard&) = delete;
  AppPaletteGuard& operator=(const AppPaletteGuard&) = delete;

 private:
  QPalette FPrevious;
};

// A dark scheme in the manner of KDE's Breeze Dark.
QPalette DarkPalette() {
  QPalette dark(QColor(49, 54, 59), QColor(32, 35, 38));
  dark.setColor(QPalette::WindowText, QColor(239, 240, 241));
  dark.setColor(QPalette::Text, QColor(239, 240, 241));
  dark.setColor(QPalette::ButtonText, QColor(239, 240, 241));
  dark.setColor(QPalette::Base, QColor(27, 30, 32));
  dark.setColor(QPalette::Highlight, QColor(61, 174, 233));
  return dark;
}

TEST_F(MainWindowTest, UnderADarkPaletteTheDiagramKeepsItsInkAndTheFieldsFollowThePalette) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  const QImage light = Form->pnb()->grab().toImage();
  const AppPaletteGuard dark(DarkPalette());
  EXPECT_EQ(Form->pnb()->grab().toImage(), light) << "the diagram is drawn for its white ground";
  Form->Edit2()->setFocus(Qt::TabFocusReason);
  const QPalette palette = QApplication::palette();
  for (QLineEdit* field :
       {static_cast<QLineEdit*>(Form->Edit1()), static_cast<QLineEdit*>(Form->Edit2()),
        static_cast<QLineEdit*>(Form->SpinEdit1())}) {
    const QImage look = field->grab().toImage();
    const std::string name = field->objectName().toStdString();
    const bool focused = field == Form->Edit2();
    const QColor frame =
        focused ? palette.color(QPalette::Highlight) : FieldFrameColor(palette, false);
    EXPECT_EQ(look.pixelColor(0, field->height() / 2), frame) << name;
    EXPECT_EQ(look.pixelColor(1, 1), palette.color(QPalette::Base)) << name;
    EXPECT_EQ(field->palette().color(QPalette::Base), palette.color(QPalette::Base)) << name;
  }
  // The arrows are drawn in the scheme's button text, as the button's caption is.
  const QImage arrow = Form->SpinEdit1()->SpinButton()->UpArrow()->grab().toImage();
  EXPECT_EQ(arrow.pixelColor(arrow.width() / 2, arrow.height() / 2 + 1),
            palette.color(QPalette::ButtonText));
  const QImage listing = Form->Memo1()->grab().toImage();
  EXPECT_EQ(listing.pixelColor(listing.width() - 3, listing.height() - 3),
            palette.color(QPalette::Button));
}

TEST_F(MainWindowTest, TheListingHidesItsSelectionWithoutTheFocus) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  const QImage plain = Form->Memo1()->grab().toImage();
  Form->Memo1()->setFocus(Qt::MouseFocusReason);
  Form->Memo1()->selectAll();
  ASSERT_NE(Form->Memo1()->grab().toImage(), plain) << "the focused listing shows its selection";
  Form->Edit1()->setFocus(Qt::MouseFocusReason);
  EXPECT_TRUE(Form->Memo1()->textCursor().hasSelection());
  EXPECT_EQ(Form->Memo1()->grab().toImage(), plain);
}

TEST_F(MainWindowTest, TheListingIsCopiedByItsShortcutAndFromItsMenu) {
  // An empty listing has nothing to copy: the entry is greyed, the shortcut idle, and the
  // clipboard keeps what it holds.
  QGuiApplication::clipboard()->setText("kept");
  Form->SpinEdit1()->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "kept");
  EXPECT_FALSE(Form->aCopyListing()->isEnabled());
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_TRUE(Form->aCopyListing()->isEnabled());
  QGuiApplication::clipboard()->clear();
  Form->SpinEdit1()->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(Form->SpinEdit1(), Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), RisingListing);
  EXPECT_EQ(Form->SpinEdit1()->text(), "30");
  Form->Edit1()->setText("-1");
  Form->aCalc()->trigger();
  const std::unique_ptr<QMenu> menu(Form->CreateListingMenu(QPoint(5, 5)));
  ASSERT_FALSE(menu->actions().isEmpty());
  QAction* first = menu->actions().first();
  EXPECT_EQ(first->text(), "Копировать расчёт");
  first->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "Ошибка в значении шума!");
}

// The user's own levels: edited in their dialog from the listing's menu (a bad line is named and
// nothing taken), added after the 19 lines, kept in the settings for the next window, and gone
// again with an empty set.
TEST_F(MainWindowTest, OwnLevelsAreEditedShownAndKept) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  {
    const std::unique_ptr<QMenu> menu(Form->CreateListingMenu(QPoint(5, 5)));
    ASSERT_GE(menu->actions().size(), 2);
    menu->actions()[1]->trigger();
  }
  auto* dialog = Form->findChild<OwnLevelsDialog*>();
  ASSERT_NE(dialog, nullptr);
  dialog->Lines()->setPlainText("0.236\n\n23.6%\n-0.618");
  dialog->accept();
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->Problem()->text().toStdString(), "Строка 3: «23.6%» — не коэффициент.");
  EXPECT_EQ(Listing(), RisingListing);
  dialog->Lines()->setPlainText("0.236\n\n1.618\n-0.618\n0.2360");
  dialog->accept();
  QApplication::processEvents();
  const std::string block =
      "Свои уровни\n  23.6% = 107.6400\n 161.8% = 93.8200\n -61.8% = 116.1800\n";
  EXPECT_EQ(Listing(), RisingListing + block);
  EXPECT_EQ(Form->Memo1()->verticalScrollBarPolicy(), Qt::ScrollBarAsNeeded);
  // The next window restores the set.
  Form = std::make_unique<TForm1>();
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing(), RisingListing + block);
  Form->SetRatios({});
  EXPECT_EQ(Listing(), RisingListing);
  EXPECT_EQ(Form->Memo1()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_TRUE(LoadUserRatios().empty());
}

// The picture copied (Ctrl+Shift+D from a field) or saved is the diagram the window shows,
// pixel for pixel; a save that cannot be written leaves nothing behind.
TEST_F(MainWindowTest, TheDiagramIsCopiedAndSavedAsTheWindowShowsIt) {
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  const QImage shown = Form->pnb()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QGuiApplication::clipboard()->clear();
  Form->Edit1()->setFocus();
  QTest::keyClick(Form->Edit1(), Qt::Key_D, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Form->DiagramPictureMenu().SavePicture()->shortcut(),
            QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
  EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), shown);
  QTemporaryDir folder;
  const QString png = folder.filePath("levels.png");
  EXPECT_EQ(Form->DiagramPictureMenu().SaveTo(png).toStdString(), "");
  EXPECT_EQ(QImage(png).convertToFormat(QImage::Format_RGB32), shown);
  const QString svg = folder.filePath("levels.svg");
  EXPECT_EQ(Form->DiagramPictureMenu().SaveTo(svg).toStdString(), "");
  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QByteArray text = svgFile.readAll();
  EXPECT_TRUE(text.contains("<svg") && text.contains("106.1800")) << text.left(200).data();
  const QString nowhere = folder.filePath("missing/levels.png");
  EXPECT_NE(Form->DiagramPictureMenu().SaveTo(nowhere).toStdString(), "");
  EXPECT_FALSE(QFile::exists(nowhere));
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2) << "no temporary file stays";
}

TEST_F(MainWindowTest, ALongPasteReachesTheCalculationWhole) {
  // Beyond the 32,767 characters at which Qt's line edit cuts a text by default.
  QGuiApplication::clipboard()->setText(QString(40000, u'0') + u'5');
  Form->Edit2()->setFocus(Qt::MouseFocusReason);
  Form->Edit2()->selectAll();
  QTest::keyClick(Form->Edit2(), Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Form->Edit2()->text().size(), 40001);
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Listing().substr(0, 24), "A = 100.0000\nB = 5.0000\n");
}

// Lets the read a drop started run to its end and delivers its outcome, as the window's event
// loop would: the drop's queued start, then the end of the reading thread.
void EndDropRead(TForm1& form) {
  QCoreApplication::sendPostedEvents();
  if (QThread* reader = form.DroppedFileReading().Reader()) reader->wait();
  QCoreApplication::sendPostedEvents();
}

std::string UnconfirmedSwingTitle(const char* swing) {
  return std::string(" — prices.csv, ") + swing + ", не подтверждена)";
}

// A price file dropped onto the window, or onto field A or the listing, which would otherwise
// take its name as text: A and B from its last swing at 5%, calculated, and the title names
// the swing until A or B is typed over. A file that cannot be used reports its message in the
// interface language and changes nothing.
enum class DropFile { Prices, Missing, Fifo };

struct DropCase {
  const char* name;
  DropFile kind;
  const char* prices;
  int onto;  // 0 the window, 1 field A, 2 the listing
  char32_t decimalMark;
  bool english;
  const char* a;
  const char* b;
  const char* listingStart;
  std::string titleEnd;  // after the window's own title
  const char* error;     // "%1" is the file's path; empty for none
};

class MainWindowDrop : public MainWindowTest, public ::testing::WithParamInterface<DropCase> {};

TEST_P(MainWindowDrop, TakesTheLastSwingOrChangesNothing) {
  const DropCase& c = GetParam();
  MarksGuard marks(c.decimalMark, c.decimalMark == U',' ? U' ' : U',');
  // Taken away again when it goes.
  const std::unique_ptr<QTranslator> english = c.english ? LoadEnglishCatalogue() : nullptr;
  if (c.english) {
    ASSERT_TRUE(english && QCoreApplication::installTranslator(english.get()));
  }
  QTemporaryDir folder;
  const QString file = folder.filePath("prices.csv");
  if (QFile prices(file); c.kind == DropFile::Prices) {
    ASSERT_TRUE(prices.open(QIODevice::WriteOnly) && prices.write(c.prices) > 0);
  }
  // Nobody writes to it: a read would wait for ever.
  if (c.kind == DropFile::Fifo) {
    ASSERT_EQ(mkfifo(QFile::encodeName(file).constData(), 0600), 0);
  }
  // As file managers offer a file: its URL, and as text too.
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(file)});
  data.setText(QUrl::fromLocalFile(file).toString());
  QWidget* const targets[] = {Form.get(), Form->Edit1(), Form->Memo1()->viewport()};
  QWidget* target = targets[c.onto];
  const QString title = Form->windowTitle();
  const Qt::DropActions offered = Qt::CopyAction | Qt::MoveAction;
  QDragEnterEvent enter(QPoint(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &enter);
  EXPECT_TRUE(enter.isAccepted()) << c.name;
  EXPECT_EQ(enter.dropAction(), Qt::CopyAction) << c.name;
  QDropEvent drop(QPointF(5, 5), offered, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target, &drop);
  EndDropRead(*Form);

  EXPECT_EQ(Form->Edit1()->text().toStdString(), c.a) << c.name;
  EXPECT_EQ(Form->Edit2()->text().toStdString(), c.b) << c.name;
  EXPECT_EQ(Listing().substr(0, std::strlen(c.listingStart)), c.listingStart) << c.name;
  EXPECT_EQ(Form->windowTitle().toStdString(), title.toStdString() + c.titleEnd) << c.name;
  const std::string error = QString::fromUtf8(c.error).replace("%1", file).toStdString();
  EXPECT_EQ(Errors, error.empty() ? std::vector<std::string>{} : std::vector{error}) << c.name;
  QTest::keyClick(Form->Edit2(), Qt::Key_0);
  EXPECT_EQ(Form->windowTitle().toStdString(), title.toStdString()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Files, MainWindowDrop,
    ::testing::Values(
        DropCase{"RisingOntoFieldA", DropFile::Prices,
                 "Date,Open,High,Low,Close,Adj Close,Volume\n"
                 "2024-01-02,101,102,100,101,101,1000\n"
                 "2024-01-03,104,110,103,109,109,1000\n"
                 "2024-01-04,109,109.5,108,108.5,108.5,1000\n",
                 1, U'.', false, "100", "110", RisingExampleListing,
                 UnconfirmedSwingTitle("волна 1 (вверх, 2024-01-02 – 2024-01-03"), ""},
        // Under a "," mark, with values of four digits that the listing groups and the
        // fields must not.
        DropCase{"FallingClosesOntoTheListing", DropFile::Prices,
                 "Date,Close\n2024-01-02,1000.25\n2024-01-03,1100.5\n2024-01-04,1040\n"
                 "2024-01-05,1030.75\n",
                 2, U',', false, "1100,5", "1030,75", "A = 1 100,5000\nB = 1 030,7500\n",
                 UnconfirmedSwingTitle("волна 2 (вниз, 2024-01-03 – 2024-01-05"), ""},
        DropCase{"DataErrorInEnglish", DropFile::Prices,
                 "Date,High,Low\n2024-01-02,102,100\n2024-01-03,abc,103\n", 0, U'.', true, "100",
                 "110", "", "", "line 3, column High: \"abc\" is not a number"},
        DropCase{"NoSwing", DropFile::Prices, "Date,Close\n2024-01-02,100\n2024-01-03,101\n", 1,
                 U'.', false, "100", "110", "", "", "нет волны: цены ни разу не сдвигаются на 5%"},
        DropCase{"NoSuchFile", DropFile::Missing, nullptr, 0, U'.', false, "100", "110", "", "",
                 "не удаётся открыть %1: No such file or directory"},
        DropCase{"FifoWithoutWriter", DropFile::Fifo, nullptr, 0, U'.', false, "100", "110", "", "",
                 "не удаётся открыть %1: это не обычный файл"}),
    [](const auto& info) { return std::string(info.param.name); });

// Escape while a dropped file is read: the bar that showed goes, and when the reading thread
// goes on, nothing it read reaches the window.
TEST_F(MainWindowTest, EscapeCancelsTheReadOfADroppedFile) {
  QTemporaryDir folder;
  const QString file = folder.filePath("prices.csv");
  QFile prices(file);
  ASSERT_TRUE(prices.open(QIODevice::WriteOnly) &&
              prices.write("Date,Close\n2024-01-02,100\n2024-01-03,120\n") > 0);
  prices.close();
  DropReading& reading = Form->DroppedFileReading();
  // The read holds at its first block until the test lets it go on, whatever becomes of it.
  QSemaphore reached;
  QSemaphore resume;
  std::atomic<bool> held = false;
  const std::shared_ptr<void> letGo(nullptr, [&resume](void*) { resume.release(); });
  reading.ReadingHook = [&] {
    if (held.exchange(true)) return;
    reached.release();
    resume.acquire();
  };
  const QString title = Form->windowTitle();
  Form->FormDropFile(file);
  reached.acquire();
  QTimer* delay = reading.ProgressTimer();
  ASSERT_TRUE(delay->isActive());
  QTimerEvent tick(delay->timerId());
  QCoreApplication::sendEvent(delay, &tick);
  auto* bar = Form->findChild<QProgressBar*>();
  EXPECT_TRUE(bar->isVisible());
  EXPECT_EQ(bar->value(), bar->maximum()) << "the first pass read the whole file";
  const QPointer<QThread> reader = reading.Reader();
  QTest::keyClick(Form->Edit1(), Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  resume.release();
  reader->wait();
  QCoreApplication::sendPostedEvents();

  EXPECT_EQ(Form->Edit1()->text().toStdString(), "100");
  EXPECT_EQ(Form->Edit2()->text().toStdString(), "110");
  EXPECT_EQ(Listing(), "");
  EXPECT_EQ(Form->windowTitle(), title);
  EXPECT_EQ(Errors, std::vector<std::string>{});
}

}  // namespace
