#include "shell/uMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QVBoxLayout>
#include <algorithm>

#include "calc/extended.h"
#include "calc/uFloatEnv.h"
#include "desktop/interface_language.h"
#include "desktop/native_window.h"
#include "diagram/diagram_summary.h"
#include "shell/chart_window.h"
#include "shell/diagram_picture.h"
#include "shell/drop_reading.h"
#include "shell/enter_key.h"
#include "shell/key_preview.h"
#include "shell/memo_sink.h"
#include "shell/own_levels_dialog.h"
#include "shell/paint_box.h"
#include "shell/picture_menu.h"
#include "shell/price_drop.h"
#include "shell/ratio_settings.h"
#include "shell/uAbout.h"
#include "shell/window_accessibility.h"
#include "spin/error_report.h"
#include "spin/focus_move.h"
#include "spin/spin_button.h"
#include "spin/spin_edit.h"
#include "spin/timer_speed_button.h"
#include "text/field_readers.h"
#include "text/listing.h"
#include "text/user_level_listing.h"
#include "ui_uMain.h"

namespace zentarix {

namespace {

std::string TextOf(const QLineEdit& field) { return field.text().toStdString(); }

// A face the window asks for by name, and the metric-compatible face of the Liberation family
// that stands in where it is missing rather than whatever the system picks.
struct FontFace {
  const char* Family;
  const char* StandIn;
};

constexpr FontFace SansSerifFace{"MS Sans Serif", "Liberation Sans"};
constexpr FontFace MonospaceFace{"Courier New", "Liberation Mono"};

QFont FontOfPixels(FontFace face, int pixels) {
  // Asking for a missing face by its own name ends in the same stand-in, but Qt first sorts
  // every installed font by its likeness to the missing one, for each script it shapes
  // (fontconfig's FcFontSort, some 2.5 million instructions each time). Where neither face is
  // installed the request stays as it was, for Qt's own substitution.
  const QString family = QString::fromLatin1(face.Family);
  const QString standIn = QString::fromLatin1(face.StandIn);
  const QStringList installed = QFontDatabase::families();
  const bool useStandIn = !installed.contains(family, Qt::CaseInsensitive) &&
                          installed.contains(standIn, Qt::CaseInsensitive);
  QFont font(useStandIn ? standIn : family);
  font.setPixelSize(pixels);
  return font;
}

// The swing a dropped file gave, as the title names it: the file, the swing's number and
// direction, where it starts and ends (the bars' dates, or their lines in a file without), and
// whether the price has yet turned after its end (the last swing of a history may still grow).
QString SwingCaption(const QString& file, const DroppedSwing& dropped) {
  const auto place = [](const Bar& bar) {
    return bar.Time.empty() ? QCoreApplication::translate("Main", "строка %1").arg(bar.Line)
                            : QString::fromStdString(bar.Time);
  };
  const QString caption =
      dropped.Last.Rising ? QCoreApplication::translate("Main", "%1, волна %2 (вверх, %3 – %4%5)")
                          : QCoreApplication::translate("Main", "%1, волна %2 (вниз, %3 – %4%5)");
  const QString unconfirmed =
      dropped.Last.Confirmed ? QString() : QCoreApplication::translate("Main", ", не подтверждена");
  return caption.arg(QFileInfo(file).fileName(), QString::number(dropped.Number),
                     place(dropped.Last.Start), place(dropped.Last.End), unconfirmed);
}

// The memo's place inside Panel2: below the button, one pixel in from the other three sides,
// growing and shrinking with the window.
constexpr int MemoTop = 136;
constexpr int MemoSideMargin = 1;

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent),
      FUi(std::make_unique<Ui::TForm1>()),
      FListingTexts(MakeListingTexts(TranslateInApplication)),
      FSummaryTexts(MakeSummaryTexts(TranslateInApplication)) {
  // In place before the controls exist, since Qt makes a control's interface once, when first
  // asked for it (installed once per process).
  QAccessible::installFactory(WindowAccessibleFactory);
  // The window's face is in force before its controls exist: created in the default face, the
  // fields would lay out their texts in a face that is loaded only to be dropped again.
  ApplyWindowFont();
  // The layout sets every initial value, the noise field's 30 among them, before any handler
  // is attached: creating the window runs no calculation.
  FUi->setupUi(this);
  FTitle = windowTitle();
  FAnnouncer = new Announcer(this);
  ApplyFonts();
  AnchorListing();
  ApplyListingPalette();
  NameSpinArrows();
  Button1()->setText(aCalc()->text());
  ShowAbout = [this] { ShowAboutBox(); };
  ConnectEvents();
  // The first field is ready for typing over its value.
  Edit1()->setFocus(Qt::OtherFocusReason);
  Edit1()->selectAll();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

QFrame* TForm1::Panel2() const { return FUi->Panel2; }
QFrame* TForm1::Panel3() const { return FUi->Panel3; }
QLabel* TForm1::Label1() const { return FUi->Label1; }
QLabel* TForm1::Label2() const { return FUi->Label2; }
QLabel* TForm1::Label3() const { return FUi->Label3; }
FieldEdit* TForm1::Edit1() const { return FUi->Edit1; }
FieldEdit* TForm1::Edit2() const { return FUi->Edit2; }
TSpinEdit* TForm1::SpinEdit1() const { return FUi->SpinEdit1; }
QPlainTextEdit* TForm1::Memo1() const { return FUi->Memo1; }
QPushButton* TForm1::Button1() const { return FUi->Button1; }
PaintBox* TForm1::pnb() const { return FUi->pnb; }
QAction* TForm1::aCalc() const { return FUi->aCalc; }
QAction* TForm1::aCopyListing() const { return FUi->aCopyListing; }

void TForm1::ApplyWindowFont() {
  // For every font of the program that names these faces, the About box's among them.
  for (const FontFace face : {SansSerifFace, MonospaceFace}) {
    QFont::insertSubstitution(QString::fromLatin1(face.Family), QString::fromLatin1(face.StandIn));
  }
  // Character heights in pixels, which a layout file cannot state.
  setFont(FontOfPixels(SansSerifFace, 11));
}

void TForm1::ApplyFonts() {
  Memo1()->setFont(FontOfPixels(MonospaceFace, 11));
  pnb()->setFont(FontOfPixels(SansSerifFace, 8));
  // A substituted face may be wider than the one the labels were sized for: a label grows to
  // the right rather than cut its text.
  for (QLabel* label : {Label1(), Label2(), Label3()}) {
    label->resize(std::max(label->width(), label->sizeHint().width()), label->height());
  }
  QPalette hostPalette = Panel3()->palette();
  hostPalette.setColor(QPalette::Window, Qt::white);
  Panel3()->setPalette(hostPalette);
}

// The memo alone is laid out in Panel2, anchored to its four sides; the other controls keep
// their fixed places.
void TForm1::AnchorListing() {
  auto* memoLayout = new QVBoxLayout(Panel2());
  memoLayout->setContentsMargins(MemoSideMargin, MemoTop, MemoSideMargin, MemoSideMargin);
  memoLayout->addWidget(Memo1());
  // Below the listing, shown only while a dropped file takes long to read.
  FDropProgress = new QProgressBar(Panel2());
  FDropProgress->hide();
  memoLayout->addWidget(FDropProgress);
}

// The listing lies on the button face, and shows its selection only while it has the focus
// (a selection left behind would read as a marked result). Derived from its panel's palette
// whenever its own changes, so that it follows the desktop's colours.
void TForm1::ApplyListingPalette() {
  QPalette memoPalette = Panel2()->palette();
  const QColor face = memoPalette.color(QPalette::Button);
  memoPalette.setColor(QPalette::Base, face);
  memoPalette.setColor(QPalette::Inactive, QPalette::Highlight, face);
  memoPalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                       memoPalette.color(QPalette::Inactive, QPalette::Text));
  Memo1()->setPalette(memoPalette);
}

QMenu* TForm1::CreateListingMenu(QPoint position) {
  QMenu* menu = Memo1()->createStandardContextMenu(position);
  QAction* first = menu->actions().value(0);
  menu->insertAction(first, aCopyListing());
  menu->insertAction(first, aOwnLevels());
  menu->insertSeparator(first);
  return menu;
}

// A copy makes no change a screen reader would hear of: it is told.
void TForm1::CopyListing() {
  QGuiApplication::clipboard()->setText(Memo1()->toPlainText());
  FAnnouncer->Announce(QCoreApplication::translate("Main", "Расчёт скопирован"));
}

void TForm1::ConnectEvents() {
  connect(aCalc(), &QAction::triggered, this, [this] { GuardEntry([this] { aCalcExecute(); }); });
  connect(Button1(), &QPushButton::clicked, aCalc(), &QAction::trigger);
  // Enter on the focused button runs it, as Space does (unless Shift, Ctrl or Alt is held).
  Button1()->setAutoDefault(true);
  Button1()->installEventFilter(new PlainEnterOnly(Button1()));
  // A new noise changes the corridors alone: they are what a screen reader hears.
  SpinEdit1()->OnChange = [this](QObject*) { Calculate(true, Spoken::Noise); };
  Edit1()->OnExit = [this](QObject*) { Edit1Exit(); };
  Edit2()->OnExit = [this](QObject*) { Edit2Exit(); };
  SpinEdit1()->OnExit = [this](QObject*) { SpinEdit1Exit(); };
  pnb()->OnPaint = [this] { pnbPaint(); };
  FDiagramMenu = new PictureMenu(
      *pnb(), [this] { return LevelDiagramPicture(pnb()->size(), pnb()->font(), FCalcItem); },
      QStringLiteral("zentarix.png"));
  FDropReading = std::make_unique<DropReading>(*this, *FDropProgress);
  FDropReading->OnRead = [this](const QString& file, const DropRead& read) {
    GuardEntry([&] { TakeDroppedSwing(file, read); });
  };
  // A value typed or pasted over one a dropped file gave is no longer that file's swing, and
  // one typed while a file is read must not be overwritten by it.
  for (QLineEdit* field : {static_cast<QLineEdit*>(Edit1()), static_cast<QLineEdit*>(Edit2())}) {
    connect(field, &QLineEdit::textChanged, this, [this] {
      FDropReading->Cancel();
      if (FTitleNamesSwing) setWindowTitle(FTitle);
      FTitleNamesSwing = false;
    });
  }
  // A price file opened from anywhere in the window.
  FOpen = new QAction(QCoreApplication::translate("ChartWindow", "Открыть файл цен…"), this);
  FOpen->setShortcut(QKeySequence::Open);
  FOpen->setShortcutContext(Qt::WindowShortcut);
  addAction(FOpen);
  connect(FOpen, &QAction::triggered, this, [this] { GuardEntry([this] { OpenPriceFile(); }); });
  // Copying the listing works from anywhere in the window and from the listing's own menu,
  // while there is a listing: a copy of nothing would only empty the clipboard.
  addAction(aCopyListing());
  connect(aCopyListing(), &QAction::triggered, this, [this] { CopyListing(); });
  const auto enableCopy = [this] { aCopyListing()->setEnabled(!Memo1()->document()->isEmpty()); };
  connect(Memo1(), &QPlainTextEdit::textChanged, this, enableCopy);
  enableCopy();
  FOwnLevels = new QAction(QCoreApplication::translate("Main", "Свои уровни…"), this);
  connect(FOwnLevels, &QAction::triggered, this, [this] { EditOwnLevels(); });
  Memo1()->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(Memo1(), &QWidget::customContextMenuRequested, this, [this](QPoint position) {
    QMenu* menu = CreateListingMenu(position);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(Memo1()->viewport()->mapToGlobal(position));
  });
  // F6 takes the focus to the listing, whose lines a screen reader reads there with the arrow
  // keys; Shift+F6 or Tab gives it back to the control that had it. The Tab order still skips
  // the listing.
  Memo1()->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  for (const auto& [key, enter] : {std::pair{QKeySequence(Qt::Key_F6), true},
                                   std::pair{QKeySequence(Qt::SHIFT | Qt::Key_F6), false}}) {
    auto* move = new QAction(this);
    move->setShortcut(key);
    move->setShortcutContext(Qt::WindowShortcut);
    addAction(move);
    connect(move, &QAction::triggered, this, [this, toListing = enter] {
      if (toListing) {
        EnterListing();
      } else {
        LeaveListing();
      }
    });
  }
  for (QWidget* control : {static_cast<QWidget*>(Edit1()), static_cast<QWidget*>(Edit2()),
                           static_cast<QWidget*>(SpinEdit1()), static_cast<QWidget*>(Memo1()),
                           static_cast<QWidget*>(Button1())}) {
    control->installEventFilter(this);
  }
  // Price files are dropped onto the window; the controls that take drops of their own are
  // the ones filtered above, where a file's drag is taken from them.
  setAcceptDrops(true);
  // Key preview: the window sees every key release of its controls before they do.
  FKeyPreview = std::make_unique<KeyPreview>(
      [this](QObject* watched, const QKeyEvent& key) { return HandleKeyRelease(watched, key); },
      this);
  qApp->installEventFilter(FKeyPreview.get());
}

void TForm1::Edit1Exit() {
  CheckField(Edit1(), ReadAorB(TextOf(*Edit1())) >= 0,
             QCoreApplication::translate("Main", "Ошибка в значении А!"));
}

void TForm1::FormCreate() {
  FCalcItem = TCalcItem{};
  FRatios = LoadUserRatios();
  FitListingToRatios();
  // Panel3 and Memo1 paint double-buffered: every Qt widget paints into the window's backing
  // store, which reaches the screen as one picture.
  DescribeDiagram();
}

// The record is a member of the window and goes with it.
void TForm1::FormDestroy() {}

void TForm1::Edit2Exit() {
  CheckField(Edit2(), ReadAorB(TextOf(*Edit2())) >= 0,
             QCoreApplication::translate("Main", "Ошибка в значении B!"));
}

void TForm1::SpinEdit1Exit() {
  CheckField(SpinEdit1(), ReadNoise(TextOf(*SpinEdit1())) >= 0,
             QString::fromStdString(FListingTexts.ErrorLine));
}

void TForm1::pnbPaint() {
  QPainter painter(pnb());
  PaintCanvasPicture(painter, LevelDiagramPicture(pnb()->size(), pnb()->font(), FCalcItem));
}

void TForm1::aCalcExecute() { Calculate(true); }

QString TForm1::Calculate(bool announce, Spoken spoken) {
  const Extended a = ReadAorB(TextOf(*Edit1()));
  const Extended b = ReadAorB(TextOf(*Edit2()));
  const Extended tenths = ReadNoise(TextOf(*SpinEdit1()));
  const bool passed = CalculateLevels(FCalcItem, a, b, tenths);
  {
    MemoSink memo(*Memo1());
    // Until every line stands: an arithmetic error leaves a listing cut short.
    FListingShowsLevels = false;
    WriteListing(FCalcItem, passed, memo, FListingTexts);
    if (passed) AppendUserLevels(UserLevels(FCalcItem, FRatios), memo, FListingTexts);
    FListingShowsLevels = passed;
  }
  DescribeDiagram();
  pnb()->update();
  if (FChartWindow != nullptr) FChartWindow->NoiseChanged();
  const QString words = QString::fromStdString(
      spoken == Spoken::Noise ? SpokenNoiseResult(FCalcItem, passed, FListingTexts)
                              : SpokenResult(FCalcItem, passed, FListingTexts));
  if (announce) FAnnouncer->Announce(words);
  return words;
}

void TForm1::EditOwnLevels() {
  auto* dialog = new OwnLevelsDialog(FRatios, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QDialog::accepted, this, [this, dialog] { SetRatios(dialog->Ratios()); });
  dialog->open();
}

// The 19 lines fit the box at its least size; the block of own levels may not, and then a
// scroll bar reaches it. Without a set the box is as it always was.
void TForm1::FitListingToRatios() {
  Memo1()->setVerticalScrollBarPolicy(FRatios.empty() ? Qt::ScrollBarAlwaysOff
                                                      : Qt::ScrollBarAsNeeded);
}

void TForm1::SetRatios(std::vector<UserRatio> ratios) {
  FRatios = std::move(ratios);
  SaveUserRatios(FRatios);
  FitListingToRatios();
  if (FListingShowsLevels) GuardEntry([this] { Calculate(false); });
  if (FChartWindow != nullptr) FChartWindow->NoiseChanged();
}

void TForm1::FormKeyUp(int key) {
  if (key == Qt::Key_F1 && ShowAbout) ShowAbout();
}

void TForm1::FormDropFile(const QString& file) {
  // At the chart's threshold; a new file replaces what the chart was reading again.
  if (FChartWindow != nullptr) FChartWindow->Reading().Cancel();
  FDropReading->Start(file, FChartWindow != nullptr ? FChartWindow->Percent()
                                                    : static_cast<Extended>(DefaultSwingThreshold));
}

void TForm1::OpenPriceFile() {
  const QString file = QFileDialog::getOpenFileName(
      this, QCoreApplication::translate("ChartWindow", "Открыть файл цен"), QString(),
      QCoreApplication::translate("ChartWindow", "Файлы цен (*.csv *.txt);;Все файлы (*)"));
  if (!file.isEmpty()) FormDropFile(file);
}

QString TForm1::TakeSwing(const QString& file, const DroppedSwing& swing, bool announce) {
  Edit1()->setText(QString::fromStdString(FieldTextOf(swing.Last.A())));
  Edit2()->setText(QString::fromStdString(FieldTextOf(swing.Last.B())));
  const QString spoken = Calculate(announce);
  setWindowTitle(FTitle + QStringLiteral(" — ") + SwingCaption(file, swing));
  FTitleNamesSwing = true;
  return spoken;
}

void TForm1::TakeDroppedSwing(const QString& file, const DropRead& read) {
  // The file was read whole before anything changes: one that raises leaves the window as it
  // was.
  if (read.Outcome != DropOutcome::Read) {
    const std::string message =
        DropFailureText(read, file.toStdString(), TranslateHistoryInApplication);
    if (!message.empty()) throw Exception(message);
    return;
  }
  TakeSwing(file, read.Swing, true);
  if (FChartWindow == nullptr) FChartWindow = std::make_unique<ChartWindow>(*this);
  FChartWindow->ShowHistory(file, read);
  FChartWindow->show();
  FChartWindow->raise();
}

bool TForm1::TakeFileDrag(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty() || !event->possibleActions().testFlag(Qt::CopyAction)) return false;
  // A copy, never a move: a source that offers to move the file must not delete it.
  event->setDropAction(Qt::CopyAction);
  event->accept();
  // Read once the drop has returned, so that the source of the drag is never kept waiting by
  // a long file or by the error box.
  if (event->type() == QEvent::Drop) {
    QMetaObject::invokeMethod(
        this, [this, file] { GuardEntry([this, &file] { FormDropFile(file); }); },
        Qt::QueuedConnection);
  }
  return true;
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) { TakeFileDrag(event); }
void TForm1::dragMoveEvent(QDragMoveEvent* event) { TakeFileDrag(event); }
void TForm1::dropEvent(QDropEvent* event) { TakeFileDrag(event); }

void TForm1::ShowAboutBox() {
  if (FAboutBox == nullptr) {
    // The box belongs to the window: when it closes, the desktop gives the window the keyboard
    // focus back.
    FAboutBox = std::make_unique<TAboutBox>(this);
    CreateNativeWindow(*FAboutBox);
  }
  FAboutBox->ShowModal();
}

void TForm1::DescribeDiagram() {
  pnb()->setAccessibleDescription(QString::fromStdString(DiagramSummary(FCalcItem, FSummaryTexts)));
}

void TForm1::NameSpinArrows() {
  // The arrows have no text of their own for a screen reader to announce.
  SpinEdit1()->SpinButton()->UpArrow()->setAccessibleName(
      QCoreApplication::translate("Main", "Увеличить шум"));
  SpinEdit1()->SpinButton()->DownArrow()->setAccessibleName(
      QCoreApplication::translate("Main", "Уменьшить шум"));
}

void TForm1::CheckField(QWidget* field, bool passed, const QString& message) {
  if (passed) return;
  FListingShowsLevels = false;
  MemoSink(*Memo1()).SetText(message.toStdString());
  ReturnFocusTo(field);
  // Qt tells screen readers of the focus move that ran the check only after the check has
  // taken the focus back: the last focus they heard of is the control the move was heading
  // for. Once that is done, the field is named as focused again, then the message is said.
  QMetaObject::invokeMethod(
      this,
      [this, field = QPointer<QWidget>(field), message] {
        if (field != nullptr && field->hasFocus() && QAccessible::isActive()) {
          QAccessibleEvent focus(field, QAccessible::Focus);
          QAccessible::updateAccessibility(&focus);
        }
        FAnnouncer->Announce(message);
      },
      Qt::QueuedConnection);
}

void TForm1::ReturnFocusTo(QWidget* field) {
  // During the exit the focus already belongs to the control it was moving to. Taking it back
  // sends that control a focus-out although it never had the focus: that one is swallowed.
  QWidget* moving = QApplication::focusWidget();
  if (moving == field) return;
  FFocusTakenFrom = moving;
  field->setFocus(Qt::OtherFocusReason);
  FFocusTakenFrom = nullptr;
  // Typing replaces the value the check refused.
  if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
  // A press on the button moved the focus before the button saw it: that press must not
  // go on to click it, or the calculation's line would replace the check's message at once.
  if (moving == Button1() && QGuiApplication::mouseButtons() != Qt::NoButton) {
    FInterruptedPress = true;
  }
}

std::function<void()> TForm1::HandleKeyRelease(QObject* watched, const QKeyEvent& key) {
  // Holding F1 shows the box once, on the real release; the key preview lets a release run
  // its action only when no press of the same auto-repeat follows it.
  if (key.isAutoRepeat()) return {};
  // A key event travels from the focused control up to the window, passing every filter on
  // the way; the window acts on its first delivery only.
  QWidget* first = QApplication::focusWidget();
  if (first == nullptr) first = this;
  if (watched != first || first->window() != this) return {};
  return [this, code = key.key()] { GuardEntry([this, code] { FormKeyUp(code); }); };
}

void TForm1::EnterListing() {
  if (Memo1()->hasFocus()) return;
  FFocusBeforeListing = focusWidget();
  // From its first line, which a screen reader says as the focus arrives.
  Memo1()->moveCursor(QTextCursor::Start);
  Memo1()->setFocus(Qt::ShortcutFocusReason);
}

void TForm1::LeaveListing() {
  if (!Memo1()->hasFocus()) return;
  QWidget* back = FFocusBeforeListing != nullptr ? FFocusBeforeListing.data() : Edit1();
  back->setFocus(Qt::ShortcutFocusReason);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      // Tab leaves the listing the way it came, not to the control after it in the chain.
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (watched != Memo1() || (key != Qt::Key_Tab && key != Qt::Key_Backtab)) return false;
      LeaveListing();
      return true;
    }
    case QEvent::FocusOut:
      return watched == FFocusTakenFrom;
    case QEvent::PaletteChange:
      // Setting the listing's palette sends it one more change, with nothing left to do.
      if (watched == Memo1() && !FApplyingPalette) {
        FApplyingPalette = true;
        ApplyListingPalette();
        FApplyingPalette = false;
      }
      return false;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      return TakeFileDrag(static_cast<QDropEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      if (watched != Button1() || !FInterruptedPress) return false;
      FInterruptedPress = false;
      return true;
    default:
      return false;
  }
}

}  // namespace zentarix
