#include "shell/chart_window.h"

#include <QAbstractListModel>
#include <QAction>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QSplitter>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "desktop/chart_picture.h"
#include "desktop/interface_language.h"
#include "shell/drop_reading.h"
#include "shell/paint_box.h"
#include "shell/picture_menu.h"
#include "shell/price_drop.h"
#include "shell/uMain.h"
#include "shell/window_accessibility.h"
#include "spin/error_report.h"
#include "spin/spin_edit.h"
#include "text/field_readers.h"

namespace zentarix {

namespace {

QString Tr(const char* source) { return QCoreApplication::translate("ChartWindow", source); }

// The words the main window's title names a swing with.
QString MainTr(const char* source) { return QCoreApplication::translate("Main", source); }

// A swing as the list shows it and a screen reader reads it: its number, its direction, its
// prices and where it starts and ends (the bars' times as the file wrote them, else their
// lines).
QString SwingText(const Swing& swing, long number) {
  const auto place = [](const Bar& bar) {
    return bar.Time.empty() ? MainTr("строка %1").arg(bar.Line) : QString::fromStdString(bar.Time);
  };
  const auto price = [](Extended value) { return QString::fromStdString(FieldTextOf(value)); };
  const QString text = (swing.Rising ? Tr("волна %1, вверх, %2 – %3, %4 – %5")
                                     : Tr("волна %1, вниз, %2 – %3, %4 – %5"))
                           .arg(QString::number(number), price(swing.A()), price(swing.B()),
                                place(swing.Start), place(swing.End));
  return swing.Confirmed ? text : text + MainTr(", не подтверждена");
}

// What QDoubleSpinBox holds, as the threshold the command line reads from the same text: a
// tenth of a percent is no binary fraction.
Extended PercentOf(double value) { return static_cast<Extended>(std::lround(value * 10)) / 10; }

constexpr double ZoomStep = 1.25;

}  // namespace

// The held swings, each made into words only when the list shows it.
class SwingListModel : public QAbstractListModel {
 public:
  using QAbstractListModel::QAbstractListModel;

  void Reset(std::shared_ptr<HeldChart> chart) {
    beginResetModel();
    FChart = std::move(chart);
    endResetModel();
  }

  int rowCount(const QModelIndex& parent) const override {
    return parent.isValid() || FChart == nullptr ? 0 : static_cast<int>(FChart->Swings());
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (FChart == nullptr || !index.isValid() || index.row() >= rowCount({})) return {};
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    return SwingText(FChart->SwingAt(index.row()), FChart->FirstNumber() + index.row());
  }

 private:
  std::shared_ptr<HeldChart> FChart;
};

ChartWindow::ChartWindow(TForm1& form) : QWidget(nullptr, Qt::Window), FForm(form) {
  setWindowTitle(Tr("График"));
  // The main window is the program: closing it ends the program whatever this one does.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(1100, 620);

  auto* thresholdLabel = new QLabel(Tr("Порог разворота, %"), this);
  FThreshold = new QDoubleSpinBox(this);
  FThreshold->setRange(0.1, 99.9);
  FThreshold->setSingleStep(0.1);
  FThreshold->setDecimals(1);
  FThreshold->setValue(DefaultSwingThreshold);
  // Read once the value is typed whole, not at each of its digits.
  FThreshold->setKeyboardTracking(false);
  thresholdLabel->setBuddy(FThreshold);
  FStatus = new QLabel(this);
  auto* top = new QHBoxLayout;
  top->addWidget(thresholdLabel);
  top->addWidget(FThreshold);
  top->addSpacing(12);
  top->addWidget(FStatus, 1);

  FArea = new PaintBox(this);
  FArea->setMinimumSize(480, 270);
  FArea->setFocusPolicy(Qt::StrongFocus);
  FArea->setAccessibleName(Tr("График"));
  FArea->OnPaint = [this] { Paint(); };
  FArea->installEventFilter(this);
  FArea->setMouseTracking(false);
  FPictures = new PictureMenu(
      *FArea, [this] { return Picture(); }, QStringLiteral("chart.png"));

  FModel = new SwingListModel(this);
  FList = new QListView(this);
  FList->setModel(FModel);
  FList->setAccessibleName(Tr("Волны"));
  FList->setUniformItemSizes(true);
  connect(FList->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (FListing || !current.isValid()) return;
            GuardEntry([&] { SelectSwing(current.row()); });
          });
  // The list's words are long; a user may give it more room than it starts with.
  FSplitter = new QSplitter(this);
  FSplitter->addWidget(FArea);
  FSplitter->addWidget(FList);
  FSplitter->setStretchFactor(0, 1);
  FSplitter->setChildrenCollapsible(false);
  FSplitter->setSizes({width() * 7 / 10, width() * 3 / 10});

  FProgress = new QProgressBar(this);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(FSplitter, 1);
  layout->addWidget(FProgress);
  FAnnouncer = new Announcer(this);

  FReading = std::make_unique<DropReading>(*this, *FProgress);
  FReading->OnRead = [this](const QString& file, const DropRead& read) {
    GuardEntry([&] { TakeRead(file, read); });
  };
  // Escape leaves the chart as it was: the box goes back to the threshold it was read at.
  connect(FReading->CancelAction(), &QAction::triggered, this, [this] {
    const QSignalBlocker quiet(FThreshold);
    FThreshold->setValue(static_cast<double>(FPercent));
  });
  connect(FThreshold, &QDoubleSpinBox::valueChanged, this, [this](double value) {
    GuardEntry([&] {
      if (!FFile.isEmpty()) FReading->Start(FFile, PercentOf(value));
    });
  });
  // A price file is opened or dropped here as in the main window.
  addAction(FForm.aOpen());
  setAcceptDrops(true);
  setTabOrder(FThreshold, FArea);
  setTabOrder(FArea, FList);
  FArea->setFocus(Qt::OtherFocusReason);
  NoiseChanged();
}

ChartWindow::~ChartWindow() = default;

void ChartWindow::hideEvent(QHideEvent* event) {
  // A closed chart changes nothing in the main window when a read at a new threshold ends.
  FReading->Cancel();
  QWidget::hideEvent(event);
}

void ChartWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ChartWindow::dropEvent(QDropEvent* event) {
  const QString file = DroppedFile(event->mimeData());
  if (file.isEmpty()) return;
  event->acceptProposedAction();
  // Read once the drop has returned, so that the source of the drag is never kept waiting.
  QMetaObject::invokeMethod(
      this, [this, file] { GuardEntry([this, &file] { FForm.FormDropFile(file); }); },
      Qt::QueuedConnection);
}

Extended ChartWindow::Percent() const { return PercentOf(FThreshold->value()); }

void ChartWindow::NoiseChanged() {
  const Extended tenths = ReadNoise(FForm.SpinEdit1()->text().toStdString());
  // A noise the main window refuses draws no levels, and the legend keeps the last one.
  if (tenths >= 0) FTenths = tenths;
  FArea->update();
}

void ChartWindow::ShowHistory(const QString& file, const DropRead& read) {
  FReading->Cancel();
  // The file was read at this threshold: the box says so without reading it again.
  const QSignalBlocker quiet(FThreshold);
  FThreshold->setValue(static_cast<double>(read.Percent));
  Hold(file, read);
  FStatus->clear();
  if (FChart->Swings() > 0) ShowSwing(FChart->Swings() - 1);
}

void ChartWindow::Hold(const QString& file, const DropRead& read) {
  FFile = file;
  FChart = read.Chart;
  FPercent = read.Percent;
  FSelected.reset();
  FAxis.reset();
  FModel->Reset(FChart);
  FPictures->DefaultName = QFileInfo(file).completeBaseName() + QStringLiteral(".png");
  const long first = FChart->DefaultViewStart();
  SetView(first, FChart->Bars() - first);
}

void ChartWindow::TakeRead(const QString& file, const DropRead& read) {
  switch (read.Outcome) {
    case DropOutcome::Stopped:
      return;
    case DropOutcome::Read:
      Hold(file, read);
      FStatus->clear();
      SelectSwing(FChart->Swings() - 1);
      return;
    case DropOutcome::NoSwing:
      // The bars without a swing, and why there is none.
      Hold(file, read);
      break;
    default:
      // The file changed since it was read: what was drawn is no longer its history.
      FChart.reset();
      FSelected.reset();
      FModel->Reset(nullptr);
      FArea->update();
      break;
  }
  const QString message = QString::fromStdString(
      DropFailureText(read, file.toStdString(), TranslateHistoryInApplication));
  FStatus->setText(message);
  FAnnouncer->Announce(message);
}

void ChartWindow::ShowSwing(long index) {
  FSelected = index;
  const Swing swing = FChart->SwingAt(index);
  const long span = swing.End.Place - swing.Start.Place + 1;
  if (swing.Start.Place < FFirst || swing.End.Place >= FFirst + FCount) {
    const long count = std::max(FCount, span + span / 4 + 2);
    SetView(swing.Start.Place - (count - span) / 2, count);
  }
  FListing = true;
  FList->setCurrentIndex(FModel->index(static_cast<int>(index)));
  FListing = false;
  FArea->update();
}

void ChartWindow::SelectSwing(long index) {
  if (FChart == nullptr || index < 0 || index >= FChart->Swings()) return;
  ShowSwing(index);
  const Swing swing = FChart->SwingAt(index);
  const long number = FChart->FirstNumber() + index;
  const QString levels = FForm.TakeSwing(FFile, DroppedSwing{swing, number}, false);
  FAnnouncer->Announce(SwingText(swing, number) + QStringLiteral(". ") + levels);
}

void ChartWindow::Step(int by) {
  if (FChart == nullptr || FChart->Swings() == 0) return;
  const long from = FSelected.value_or(by < 0 ? FChart->Swings() : -1);
  SelectSwing(std::clamp(from + by, 0L, FChart->Swings() - 1));
}

void ChartWindow::SetView(long first, long count) {
  if (FChart == nullptr) return;
  const long bars = FChart->Bars();
  FCount = std::clamp(count, std::min(bars, FChart->MinViewPlaces()), bars);
  FFirst = std::clamp(first, 0L, bars - FCount);
  FArea->update();
}

void ChartWindow::Zoom(double factor, std::optional<long> anchor) {
  if (FChart == nullptr) return;
  const long at = anchor.value_or(FFirst + FCount / 2);
  const long count = std::lround(static_cast<double>(FCount) * factor);
  // The anchor stays where it is on the screen.
  const long first =
      at - std::lround(static_cast<double>(at - FFirst) * count / std::max(FCount, 1L));
  SetView(first, count);
}

void ChartWindow::Pan(long places) { SetView(FFirst + places, FCount); }

std::optional<long> ChartWindow::PlaceUnder(int x) const {
  return FAxis ? PlaceAt(*FAxis, x) : std::nullopt;
}

bool ChartWindow::TakeKey(int key) {
  switch (key) {
    case Qt::Key_PageUp:
      Step(-1);
      return true;
    case Qt::Key_PageDown:
      Step(1);
      return true;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
      Zoom(1 / ZoomStep, std::nullopt);
      return true;
    case Qt::Key_Minus:
      Zoom(ZoomStep, std::nullopt);
      return true;
    case Qt::Key_Left:
      Pan(-std::max(1L, FCount / 10));
      return true;
    case Qt::Key_Right:
      Pan(std::max(1L, FCount / 10));
      return true;
    case Qt::Key_Home:
      SetView(0, FChart ? FChart->Bars() : 0);
      return true;
    default:
      return false;
  }
}

bool ChartWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != FArea) return false;
  bool taken = false;
  GuardEntry([&] {
    switch (event->type()) {
      case QEvent::KeyPress:
        taken = TakeKey(static_cast<QKeyEvent*>(event)->key());
        break;
      case QEvent::Wheel: {
        const auto* wheel = static_cast<QWheelEvent*>(event);
        // A notch is 120; a touchpad's smaller steps zoom by as much less.
        const int angle = wheel->angleDelta().y();
        if (angle != 0) {
          Zoom(std::pow(ZoomStep, -angle / 120.0),
               PlaceUnder(static_cast<int>(std::lround(wheel->position().x()))));
        }
        taken = true;
        break;
      }
      case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton) break;
        FPressAt = mouse->position().toPoint();
        FPressFirst = FFirst;
        FDragged = false;
        taken = true;
        break;
      }
      case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (!FPressAt || !FAxis) break;
        const int dx = mouse->position().toPoint().x() - FPressAt->x();
        FDragged = FDragged || std::abs(dx) > 3;
        if (FDragged) {
          const long width = std::max(FAxis->Right - FAxis->Left, 1);
          SetView(FPressFirst - static_cast<long>(static_cast<long long>(dx) * FCount / width),
                  FCount);
        }
        taken = true;
        break;
      }
      case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !FPressAt) break;
        FPressAt.reset();
        if (!FDragged && FChart != nullptr) {
          if (const std::optional<long> place = PlaceUnder(mouse->position().toPoint().x())) {
            if (const std::optional<long> swing = FChart->SwingOf(*place)) SelectSwing(*swing);
          }
        }
        taken = true;
        break;
      }
      default:
        break;
    }
  });
  return taken;
}

CanvasPicture ChartWindow::Picture() {
  ChartView view;
  view.Width = std::max(FArea->width(), 1);
  view.Height = std::max(FArea->height(), 1);
  PriceChart chart;
  chart.View = view;
  if (FChart != nullptr) chart = FChart->View(view, FFirst, FCount, FSelected);
  chart.FileName = QFileInfo(FFile).fileName().toStdString();
  chart.Percent = FPercent;
  chart.Tenths = FTenths;
  if (chart.Selected) {
    const Extended tenths = ReadNoise(FForm.SpinEdit1()->text().toStdString());
    if (tenths >= 0) chart.Levels = SwingLevels(*chart.Selected, tenths);
    chart.Ratios = FForm.Ratios();
  }
  chart.Translate = [](const char* source) {
    return TranslateInApplication(ChartContext, source).toStdString();
  };
  CanvasPicture picture = PriceChartPicture(chart);
  FAxis = PriceChartAxis(chart);
  return picture;
}

void ChartWindow::Paint() {
  QPainter painter(FArea);
  painter.fillRect(FArea->rect(), Qt::white);
  PaintCanvasPicture(painter, Picture());
}

}  // namespace zentarix
