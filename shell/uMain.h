// The main window: the three input fields with their exit checks, the calculate button, the
// results listing and the level diagram, wired to the one calculation record it owns.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "calc/uCalcItem.h"
#include "calc/user_levels.h"
#include "diagram/diagram_summary.h"
#include "text/listing.h"

namespace Ui {
class TForm1;
}

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace zentarix {

class Announcer;
class ChartWindow;
class FieldEdit;
class KeyPreview;
class TAboutBox;
class PictureMenu;
class DropReading;
class PaintBox;
class TSpinEdit;
struct DropRead;
struct DroppedSwing;

class TForm1 : public QWidget {
  Q_OBJECT

 public:
  // Creates the window from its layout; the controls get their initial values before any
  // event is connected, so creating the window runs no calculation. FormCreate runs last.
  explicit TForm1(QWidget* parent = nullptr);
  ~TForm1() override;

  // Runs when F1 is released anywhere in the window: the window's own About box, shown
  // modally, unless a test puts another action here.
  std::function<void()> ShowAbout;

  // The event handlers, in their declared order.
  void Edit1Exit();
  void FormCreate();
  void FormDestroy();
  void Edit2Exit();
  void SpinEdit1Exit();
  void pnbPaint();
  void aCalcExecute();
  void FormKeyUp(int key);
  // A price file dropped anywhere in the window, read on a thread of its own: once it has been
  // read, A and B from its last swing, calculated as the button does, and the title names the
  // swing. A file that cannot be read, holds a data error or has no swing reports its message
  // and changes nothing; so does a read cancelled with Escape, by a new drop or by typing over A
  // or B.
  void FormDropFile(const QString& file);
  // Ctrl+O: a price file chosen in a file dialog, read as a dropped one is.
  void OpenPriceFile();
  // A swing of file put into A and B, calculated as the button does, and named by the title
  // until A or B is edited; returns the levels as a screen reader hears them, which the window
  // tells it itself when announce is set.
  QString TakeSwing(const QString& file, const DroppedSwing& swing, bool announce);

  const TCalcItem& CalcItem() const { return FCalcItem; }

  // The controls, by their names.
  QFrame* Panel2() const;
  QFrame* Panel3() const;
  QLabel* Label1() const;
  QLabel* Label2() const;
  QLabel* Label3() const;
  FieldEdit* Edit1() const;
  FieldEdit* Edit2() const;
  TSpinEdit* SpinEdit1() const;
  QPlainTextEdit* Memo1() const;
  QPushButton* Button1() const;
  PaintBox* pnb() const;
  QAction* aCalc() const;
  // Puts the listing's whole text on the clipboard (Ctrl+Shift+C anywhere in the window);
  // disabled while the listing is empty.
  QAction* aCopyListing() const;

  // The listing's context menu: the copy of the whole listing first, then the text box's
  // own entries. The caller owns it.
  QMenu* CreateListingMenu(QPoint position);

  // The diagram's context menu: its picture copied or saved.
  PictureMenu& DiagramPictureMenu() { return *FDiagramMenu; }

  // The read of a dropped file, with its progress bar below the listing.
  DropReading& DroppedFileReading() { return *FDropReading; }

  // "Открыть файл цен…" (Ctrl+O).
  QAction* aOpen() const { return FOpen; }
  // "Свои уровни…" in the listing's menu: the dialog that edits the user's own ratios.
  QAction* aOwnLevels() const { return FOwnLevels; }
  void EditOwnLevels();

  // The user's own ratios, restored from the settings at start-up: each adds a line after the
  // listing's 19 and a line to the chart. A new set is stored, and a listing on show is written
  // again with it.
  const std::vector<UserRatio>& Ratios() const { return FRatios; }
  void SetRatios(std::vector<UserRatio> ratios);
  // The chart of the last file read, once there is one.
  ChartWindow* Chart() const { return FChartWindow.get(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void ApplyWindowFont();
  void ApplyFonts();
  void AnchorListing();
  void ApplyListingPalette();
  void FitListingToRatios();
  void CopyListing();
  void NameSpinArrows();
  void ConnectEvents();
  // The diagram's accessible description follows the record: set whenever the diagram is
  // invalidated for a new picture.
  void DescribeDiagram();
  // What the window does about a key release, for the key preview.
  std::function<void()> HandleKeyRelease(QObject* watched, const QKeyEvent& key);
  // The exit check shared by the three fields: a value below zero (passed false) replaces the
  // listing with message and gives the focus back to field.
  void CheckField(QWidget* field, bool passed, const QString& message);
  void ReturnFocusTo(QWidget* field);
  void ShowAboutBox();
  // A drag that brings a local file belongs to the window wherever it is dropped, the fields
  // and the listing included (they would take the file's name as text): taken as a copy, and
  // the file read when it is dropped. Returns whether the event was such a drag.
  bool TakeFileDrag(QDropEvent* event);
  // What the read of a dropped file came to: the swing taken and the chart shown, or its
  // message raised.
  void TakeDroppedSwing(const QString& file, const DropRead& read);
  // The calculation of the button, and what a screen reader hears of it: F3, 50% and F5, or
  // after a new noise the two corridors it changes. Returns those words.
  enum class Spoken { Levels, Noise };
  // F6 and Shift+F6: to the listing and back to the control that had the focus.
  void EnterListing();
  void LeaveListing();
  QString Calculate(bool announce, Spoken spoken = Spoken::Levels);

  std::unique_ptr<Ui::TForm1> FUi;
  TCalcItem FCalcItem;
  // The window's own title, and whether the title names a dropped file's swing instead: it
  // does until A or B is edited.
  QString FTitle;
  bool FTitleNamesSwing = false;
  // The words of the listing and of the diagram's description in the interface language, as
  // the translators installed when the window was created give them.
  const ListingTexts FListingTexts;
  const SummaryTexts FSummaryTexts;
  // The control the focus was moving to when an exit check took it back: it never got the
  // focus, so the focus-out that the return sends it is not an exit.
  QPointer<QWidget> FFocusTakenFrom;
  QPointer<QWidget> FFocusBeforeListing;  // where Shift+F6 and Tab return from the listing
  // An exit check took the focus back from the button while a mouse press was giving it to
  // it: the button does not see that press.
  bool FInterruptedPress = false;
  bool FApplyingPalette = false;
  std::unique_ptr<KeyPreview> FKeyPreview;
  // Made when first asked for: at start-up it would cost an X window that nobody sees yet.
  std::unique_ptr<TAboutBox> FAboutBox;
  PictureMenu* FDiagramMenu = nullptr;    // owned by the diagram area
  QProgressBar* FDropProgress = nullptr;  // owned by Panel2
  // Waits for its reading threads when it goes, before the controls it updates go.
  std::unique_ptr<DropReading> FDropReading;
  QAction* FOpen = nullptr;       // owned by the window
  QAction* FOwnLevels = nullptr;  // owned by the window
  std::vector<UserRatio> FRatios;
  bool FListingShowsLevels = false;  // the listing holds a calculation's levels, written again
                                     // for a new set of ratios
  // Made when the first file has been read; goes before the reading whose results it shows.
  std::unique_ptr<ChartWindow> FChartWindow;
  // Tells a screen reader the message of a failed exit check and the levels of each
  // calculation; owned by the window.
  Announcer* FAnnouncer = nullptr;
};

}  // namespace zentarix
