// The main window under a long seeded stream of random user events: typing (any characters,
// long pastes), Tab, arrows, the spin arrows, the button, clicks, F1 with the About box closed
// again, and resizes down to the minimum size. After every event: no error escaped to the
// report, the listing holds one of its allowed contents, and the diagram paints.
//
// An overflow report is allowed only while the inputs the run read lie beyond the double
// range or so near its top that a level or target point does (the calculation must refuse to
// store them); any other report fails the storm. The alphabet is not restricted to keep the
// inputs representable, since typing "1e400" is something users do.
//
// The diagram is grabbed and checked whenever the record or the drawing area's size changed,
// and every 25 events besides; every event's own repaint goes through the paint handler, whose
// errors reach the report.
//
// ZENTARIX_STORM_SEED replays one seed; ZENTARIX_STORM_EVENTS raises the event count.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cfloat>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <iostream>
#include <memory>

#include "calc/number_settings.h"
#include "calc/uFloatEnv.h"
#include "shell/paint_box.h"
#include "shell/uAbout.h"
#include "shell/uMain.h"
#include "spin/beep.h"
#include "spin/error_report.h"
#include "spin/spin_button.h"
#include "spin/spin_edit.h"
#include "spin/timer_speed_button.h"
#include "tests/shell/diagram_pixels.h"
#include "tests/shell/listing_shape.h"
#include "tests/shell/storm_events.h"
#include "tests/support/marks_guard.h"
#include "tests/support/release_wait.h"
#include "text/field_readers.h"

using namespace zentarix;
using namespace zentarix::test;

namespace {

// A seed whose stream reaches every kind of listing, the one cut after the levels included.
constexpr std::uint64_t DefaultSeed = 3;
constexpr long MinimumEvents = 20000;

std::uint64_t StormSeed() {
  const char* text = std::getenv("ZENTARIX_STORM_SEED");
  return text != nullptr ? std::strtoull(text, nullptr, 0) : DefaultSeed;
}

long StormEvents() {
  const char* text = std::getenv("ZENTARIX_STORM_EVENTS");
  const long asked = text != nullptr ? std::strtol(text, nullptr, 0) : 0;
  return std::max(asked, MinimumEvents);
}

// Whether the inputs as the window parses them lie beyond what a double holds, or so close
// to its top that a level or a target point does: the only case in which a run may overflow.
// The levels and targets stay below 5 max(|A|, |B|) plus twice the corridor offset.
bool InputsNearDoubleRange(const TForm1& form) {
  const Extended a = std::fabs(ReadAorB(form.Edit1()->text().toStdString()));
  const Extended b = std::fabs(ReadAorB(form.Edit2()->text().toStdString()));
  const Extended noise = std::fabs(ReadNoise(form.SpinEdit1()->text().toStdString()));
  const Extended fraction = noise / 1000;
  if (fraction > DBL_MAX / 2) return true;
  return std::max(a, b) > DBL_MAX / (8 + 4 * fraction);
}

// Qt's warnings during the storm (a painter without a device, a recursive repaint, ...) are
// errors that escaped too. QTest's own note about a key nobody accepted is not.
std::vector<std::string>* QtWarnings = nullptr;

void RecordQtWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || QtWarnings == nullptr) return;
  if (message.contains(QLatin1String("not accepted by receiving widget"))) return;
  QtWarnings->push_back("Qt: " + message.toStdString());
}

class EventStorm : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFpu();
    // A paste before the stream's first copy must find the same clipboard on every run.
    QGuiApplication::clipboard()->clear();
    Problems.clear();
    FListingShown = false;
    FLastListing.clear();
    FCheckedSize = QSize();
    FPreviousReport = SetErrorReportHook([this](std::exception_ptr error) { Report(error); });
    FPreviousBeep = SetBeepHook([this] { ++Beeps; });
    QtWarnings = &Problems;
    FPreviousMessageHandler = qInstallMessageHandler(RecordQtWarning);
    Form = std::make_unique<TForm1>();
    About = std::make_unique<TAboutBox>();
    Form->ShowAbout = [this] { ShowAboutAndCloseIt(); };
    Form->show();
    QApplication::setActiveWindow(Form.get());
  }

  void TearDown() override {
    Form.reset();
    About.reset();
    qInstallMessageHandler(FPreviousMessageHandler);
    QtWarnings = nullptr;
    SetBeepHook(FPreviousBeep);
    SetErrorReportHook(FPreviousReport);
  }

  void Report(std::exception_ptr error) {
    const std::string message = ErrorMessageOf(error);
    if (message == "Floating point overflow" && InputsNearDoubleRange(*Form)) {
      ++AllowedOverflows;
      FOverflowInEvent = true;
      return;
    }
    Problems.push_back("error report \"" + message + "\" with A \"" +
                       Form->Edit1()->text().left(40).toStdString() + "\", B \"" +
                       Form->Edit2()->text().left(40).toStdString() + "\", noise \"" +
                       Form->SpinEdit1()->text().left(40).toStdString() + "\"");
  }

  // The About box as the program shows it, closed again from inside its modal loop: Escape
  // first, which must leave it open, then the way the event chose.
  void ShowAboutAndCloseIt() {
    ++AboutShown;
    QTimer::singleShot(0, About.get(), [this] { CloseAbout(); });
    About->ShowModal();
  }

  void CloseAbout() {
    auto* ok = About->findChild<QPushButton*>(QStringLiteral("OKButton"));
    QTest::keyClick(ok, Qt::Key_Escape);
    if (!About->isVisible()) Problems.push_back("Escape closed the About box");
    switch (FCloseBy) {
      case CloseByClick:
        QTest::mouseClick(ok, Qt::LeftButton);
        break;
      case CloseByEnter:
        QTest::keyClick(ok, Qt::Key_Return);
        break;
      case CloseBySpace:
        QTest::keyClick(ok, Qt::Key_Space);
        break;
      default:
        About->close();
        break;
    }
    if (About->isVisible()) {
      Problems.push_back("the About box stayed open");
      About->reject();
    }
  }

  static void SendAutoRepeat(QWidget* receiver, QEvent::Type type,
                             Qt::KeyboardModifiers modifiers) {
    QKeyEvent repeated(type, Qt::Key_F1, modifiers, QString(), true);
    QApplication::sendEvent(receiver, &repeated);
  }

  // Keys go where the keyboard focus is, as they do from a keyboard.
  QWidget* KeyReceiver() const {
    QWidget* focused = QApplication::focusWidget();
    return focused != nullptr ? focused : Form.get();
  }

  QWidget* ClickTargetWidget(int target) const {
    switch (target) {
      case ClickEdit1:
        return Form->Edit1();
      case ClickEdit2:
        return Form->Edit2();
      case ClickSpinEdit1:
        return Form->SpinEdit1();
      case ClickMemo1:
        return Form->Memo1();
      case ClickPnb:
        return Form->pnb();
      case ClickLabel1:
        return Form->Label1();
      default:
        return Form->Panel2();
    }
  }

  void Perform(const StormEvent& event) {
    switch (event.Action) {
      case StormAction::Type:
        QTest::sendKeyEvent(QTest::Click, KeyReceiver(), static_cast<Qt::Key>(event.Key),
                            event.Text, event.Modifiers);
        break;
      case StormAction::Key:
        QTest::keyClick(KeyReceiver(), static_cast<Qt::Key>(event.Key), event.Modifiers);
        break;
      case StormAction::Paste:
        QGuiApplication::clipboard()->setText(event.Text);
        if (event.Target == PasteOver)
          QTest::keyClick(KeyReceiver(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(KeyReceiver(), Qt::Key_V, Qt::ControlModifier);
        break;
      case StormAction::ClickArrow: {
        const TSpinButton* pair = Form->SpinEdit1()->SpinButton();
        QTest::mouseClick(event.Target == 0 ? pair->UpArrow() : pair->DownArrow(), event.Button);
        break;
      }
      case StormAction::ClickButton:
        QTest::mouseClick(Form->Button1(), Qt::LeftButton);
        break;
      case StormAction::ClickControl: {
        QWidget* target = ClickTargetWidget(event.Target);
        const QPoint at(target->width() * event.Point.x() / 1000,
                        target->height() * event.Point.y() / 1000);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
        break;
      }
      case StormAction::HelpKey: {
        FCloseBy = event.Target;
        const int before = AboutShown;
        QWidget* receiver = KeyReceiver();
        QTest::keyPress(receiver, Qt::Key_F1, event.Modifiers);
        // A held key repeats as pairs of auto-repeated release and press.
        for (int repeat = 0; repeat < event.Repeats; ++repeat) {
          SendAutoRepeat(receiver, QEvent::KeyRelease, event.Modifiers);
          SendAutoRepeat(receiver, QEvent::KeyPress, event.Modifiers);
        }
        QTest::keyRelease(receiver, Qt::Key_F1, event.Modifiers);
        EndReleaseWait(*Form);
        if (AboutShown != before + 1) {
          Problems.push_back(std::string("F1 on ") + receiver->metaObject()->className() + " " +
                             receiver->objectName().toStdString() + " showed the About box " +
                             std::to_string(AboutShown - before) + " times");
        }
        break;
      }
      case StormAction::Resize:
        Form->resize(event.Size);
        break;
    }
    QApplication::processEvents();
  }

  std::string CheckListing() {
    const std::string text = Form->Memo1()->toPlainText().toStdString();
    const MemoVerdict verdict = ClassifyMemo(text, DecimalMark, GroupMark);
    std::string problem;
    if (verdict.Shape == MemoShape::Invalid) problem = "listing: " + verdict.Problem;
    if (verdict.Shape == MemoShape::Empty && FListingShown) problem = "the listing emptied";
    if (verdict.Shape == MemoShape::ListingCutAfterLevels && text != FLastListing &&
        !FOverflowInEvent) {
      problem = "twelve lines without an overflow";
    }
    ++Shapes[static_cast<int>(verdict.Shape)];
    FListingShown = FListingShown || !text.empty();
    FLastListing = text;
    return problem;
  }

  // A paint depends on the record and the area's size alone: an event that changed neither
  // repaints the picture already checked, which is checked again only now and then.
  bool DiagramMayHaveChanged(long event) {
    const TCalcItem& item = Form->CalcItem();
    const QSize size = Form->pnb()->size();
    const bool same = std::memcmp(&item, &FCheckedItem, sizeof item) == 0 && size == FCheckedSize &&
                      event % FullCheckEvery != 0;
    std::memcpy(&FCheckedItem, &item, sizeof item);
    FCheckedSize = size;
    return !same;
  }

  std::string CheckDiagram() const {
    const QImage image = Form->pnb()->grab().toImage();
    if (image.size() != Form->pnb()->size()) return "diagram grab of the wrong size";
    const TCalcItem& item = Form->CalcItem();
    const std::string problem = CheckDiagramPixels(image, item.ValueA != item.ValueB);
    return problem.empty() ? "" : "diagram: " + problem;
  }

  std::string CheckWindow() const {
    const QSize size = Form->size();
    if (size.width() < 622 || size.height() < 433) return "window below its minimum size";
    return "";
  }

  // The first problem the event left behind, or empty.
  std::string Check(long event) {
    // A paint error reaches the report first.
    std::string problem = DiagramMayHaveChanged(event) ? CheckDiagram() : "";
    if (problem.empty() && !Problems.empty()) problem = Problems.front();
    if (problem.empty()) problem = CheckListing();
    if (problem.empty()) problem = CheckWindow();
    return problem;
  }

  // Runs count events from seed; returns the failure message, or empty when all passed.
  std::string RunStorm(std::uint64_t seed, long count) {
    StormRandom random(seed);
    std::deque<std::string> recent;
    for (long i = 0; i < count; ++i) {
      const StormEvent event = NextStormEvent(random);
      recent.push_back(Describe(event));
      if (recent.size() > 12) recent.pop_front();
      FOverflowInEvent = false;
      Perform(event);
      ++Performed;
      // The desktop gives the main window back its activation when the About box closes.
      if (QApplication::activeWindow() != Form.get()) QApplication::setActiveWindow(Form.get());
      const std::string problem = Check(i);
      if (problem.empty()) continue;
      std::string message = "seed " + std::to_string(seed) +
                            " (ZENTARIX_STORM_SEED=" + std::to_string(seed) + "), event " +
                            std::to_string(i + 1) + " of " + std::to_string(count) + ": " +
                            problem + "\nlast events:";
      for (const std::string& line : recent) message += "\n  " + line;
      return message;
    }
    return "";
  }

  // What the user sees of the window's state, for comparing two runs.
  std::string Fingerprint() const {
    return Form->Edit1()->text().toStdString() + "|" + Form->Edit2()->text().toStdString() + "|" +
           Form->SpinEdit1()->text().toStdString() + "|" +
           Form->Memo1()->toPlainText().toStdString() + "|" + std::to_string(Form->width()) + "x" +
           std::to_string(Form->height()) + "|" +
           (QApplication::focusWidget() ? QApplication::focusWidget()->objectName().toStdString()
                                        : std::string("none"));
  }

  MarksGuard Marks{U',', U'\u202F'};
  std::unique_ptr<TForm1> Form;
  std::unique_ptr<TAboutBox> About;
  std::vector<std::string> Problems;
  long Performed = 0;
  long Shapes[5] = {};  // events after which the listing had each MemoShape
  int AboutShown = 0;
  int AllowedOverflows = 0;
  int Beeps = 0;

 private:
  ErrorReportHook FPreviousReport;
  BeepHook FPreviousBeep;
  QtMessageHandler FPreviousMessageHandler = nullptr;
  static constexpr long FullCheckEvery = 25;
  TCalcItem FCheckedItem;
  QSize FCheckedSize;
  int FCloseBy = CloseByClick;
  bool FOverflowInEvent = false;
  bool FListingShown = false;
  std::string FLastListing;
};

TEST_F(EventStorm, WindowSurvivesTwentyThousandRandomEvents) {
  const std::uint64_t seed = StormSeed();
  const long count = StormEvents();
  const auto start = std::chrono::steady_clock::now();
  const std::string failure = RunStorm(seed, count);
  const auto seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  ASSERT_EQ(failure, "");
  EXPECT_EQ(Performed, count);
  std::cout << "storm seed " << seed << ": " << Performed << " events in " << seconds
            << " s, About box " << AboutShown << " times, " << AllowedOverflows
            << " overflows of out-of-range inputs, " << Beeps << " beeps; listing after "
            << Shapes[static_cast<int>(MemoShape::Listing)] << " events, error line after "
            << Shapes[static_cast<int>(MemoShape::ErrorLine)] << ", cut after the levels after "
            << Shapes[static_cast<int>(MemoShape::ListingCutAfterLevels)] << "\n";
}

TEST_F(EventStorm, SameSeedGivesTheSameWindowEveryTime) {
  constexpr long Events = 1500;
  const std::uint64_t seed = StormSeed() + 1;
  ASSERT_EQ(RunStorm(seed, Events), "");
  const std::string first = Fingerprint();
  TearDown();
  SetUp();
  ASSERT_EQ(RunStorm(seed, Events), "");
  EXPECT_EQ(Fingerprint(), first) << "seed " << seed;
}

struct OverflowCase {
  const char* name;
  const char* a;
  const char* b;
  int allowedOverflows;
  MemoShape listing;
};

// Test names show the row name, not the bytes of the row.
void PrintTo(const OverflowCase& c, std::ostream* os) { *os << c.name; }

class EventStormOverflow : public EventStorm, public ::testing::WithParamInterface<OverflowCase> {};

// The storm lets an overflow report pass only for inputs at the top of the double range or
// beyond it; these are the runs it must let pass, and the one it must see run cleanly.
TEST_P(EventStormOverflow, ReportsOnlyForInputsAtTheTopOfTheRange) {
  const OverflowCase& c = GetParam();
  Form->Edit1()->setText(QString::fromUtf8(c.a));
  Form->Edit2()->setText(QString::fromUtf8(c.b));
  QTest::mouseClick(Form->Button1(), Qt::LeftButton);
  EXPECT_EQ(Problems, std::vector<std::string>{}) << c.name;
  EXPECT_EQ(AllowedOverflows, c.allowedOverflows) << c.name;
  EXPECT_EQ(ClassifyMemo(Form->Memo1()->toPlainText().toStdString(), DecimalMark, GroupMark).Shape,
            c.listing)
      << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, EventStormOverflow,
    ::testing::Values(OverflowCase{"ABeyondTheRange", "1e400", "110", 1, MemoShape::Empty},
                      OverflowCase{"TargetBeyondTheRange", "0", "1e308", 1,
                                   MemoShape::ListingCutAfterLevels},
                      OverflowCase{"FallingFromTheTop", "1e308", "0", 0, MemoShape::Listing},
                      OverflowCase{"TenTimesBelowTheTop", "0", "1e307", 0, MemoShape::Listing}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
