// The chart window: the bars, the zigzag and the chosen swing's levels of a price file opened
// or dropped in the main window, with the swings as a list beside it. A swing chosen with the
// mouse on its leg, Page Up / Page Down or in the list goes into the main window's A and B,
// which calculate, and is told to a screen reader with its levels. The threshold reads the
// file again off the window's thread; the wheel and + / - zoom the time axis, a drag and the
// arrow keys pan it, Home shows the whole history. The levels use the main window's noise.
#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <optional>

#include "calc/extended.h"
#include "chart/chart_places.h"
#include "chart/held_chart.h"
#include "desktop/canvas_picture.h"

class QDoubleSpinBox;
class QLabel;
class QListView;
class QProgressBar;
class QSplitter;

namespace zentarix {

class Announcer;
class DropReading;
class PaintBox;
class PictureMenu;
class SwingListModel;
class TForm1;
struct DropRead;

class ChartWindow : public QWidget {
  Q_OBJECT

 public:
  // form: the main window, which outlives this one.
  explicit ChartWindow(TForm1& form);
  ~ChartWindow() override;

  // The history read from file; its last swing is chosen, the main window having taken it.
  void ShowHistory(const QString& file, const DropRead& read);
  // The threshold the window reads files at, in percent.
  Extended Percent() const;
  // The main window's noise changed: the levels are drawn again.
  void NoiseChanged();

  // Chooses held swing index: shows it, and puts it into the main window.
  void SelectSwing(long index);
  std::optional<long> Selected() const { return FSelected; }

  PaintBox* Area() const { return FArea; }
  QDoubleSpinBox* Threshold() const { return FThreshold; }
  QListView* SwingList() const { return FList; }
  QLabel* Status() const { return FStatus; }
  PictureMenu& Pictures() { return *FPictures; }
  // The reading at a new threshold.
  DropReading& Reading() { return *FReading; }
  // The view: the first place shown and how many.
  long FirstPlace() const { return FFirst; }
  long PlaceCount() const { return FCount; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  CanvasPicture Picture();
  void Paint();
  void TakeRead(const QString& file, const DropRead& read);
  void Hold(const QString& file, const DropRead& read);
  void SetView(long first, long count);
  void Zoom(double factor, std::optional<long> anchor);
  void Pan(long places);
  void ShowSwing(long index);
  void Step(int by);
  std::optional<long> PlaceUnder(int x) const;
  bool TakeKey(int key);

  TForm1& FForm;
  QDoubleSpinBox* FThreshold;
  QLabel* FStatus;
  PaintBox* FArea;
  QListView* FList;
  QSplitter* FSplitter;
  QProgressBar* FProgress;
  Announcer* FAnnouncer;
  SwingListModel* FModel;
  PictureMenu* FPictures;
  std::unique_ptr<DropReading> FReading;
  QString FFile;
  std::shared_ptr<HeldChart> FChart;
  Extended FPercent = 5;  // the threshold FChart was read at
  Extended FTenths = 30;  // the main window's last valid noise
  long FFirst = 0;
  long FCount = 0;
  std::optional<long> FSelected;
  std::optional<PlaceAxis> FAxis;  // of the last paint
  // A press on the chart: where, and the view's first place then; a drag pans from it.
  std::optional<QPoint> FPressAt;
  long FPressFirst = 0;
  bool FDragged = false;
  bool FListing = false;  // the list's current row is being set from the chart
};

}  // namespace zentarix
