// The user events of the event storm: what a user can do to the main window with keyboard and
// mouse, drawn at random from one seed. The stream depends on the seed alone, so a failing
// seed replays the same events on every build.
#pragma once

#include <QPoint>
#include <QSize>
#include <QString>
#include <cstdint>
#include <random>
#include <string>

namespace zentarix::test {

// A 64-bit Mersenne twister with its own range reduction: the standard distributions may
// differ between library versions, the engine's output does not.
class StormRandom {
 public:
  explicit StormRandom(std::uint64_t seed) : FEngine(seed) {}
  // A number in [0, n).
  std::uint32_t Below(std::uint32_t n) { return static_cast<std::uint32_t>(FEngine() % n); }
  // A number in [low, high].
  int Between(int low, int high) {
    return low + static_cast<int>(Below(static_cast<std::uint32_t>(high - low + 1)));
  }
  bool OneIn(std::uint32_t n) { return Below(n) == 0; }

 private:
  std::mt19937_64 FEngine;
};

enum class StormAction {
  Type,          // one character, possibly outside the BMP
  Key,           // an editing, navigation or command key with its modifiers
  Paste,         // Text on the clipboard, then Ctrl+V; Target PasteOver: Ctrl+A before it
  ClickArrow,    // Target 0: the up arrow, 1: the down arrow
  ClickButton,   // the calculate button
  ClickControl,  // Target: one of ClickTargets, at Point (per mille of its width and height)
  HelpKey,       // F1 pressed, held for Repeats auto-repeats, released; Target says how the
                 // About box is closed again
  Resize,        // the window to Size; Qt holds it at its minimum size
};

// The controls a plain click may land on, by index.
enum ClickTarget {
  ClickEdit1,
  ClickEdit2,
  ClickSpinEdit1,
  ClickMemo1,
  ClickPnb,
  ClickLabel1,
  ClickPanel2,
  ClickTargetCount
};

enum PasteMode { PasteAtCursor, PasteOver };

// How the About box is closed: its OK button clicked, Enter or Space on it, or its close box.
enum AboutClose { CloseByClick, CloseByEnter, CloseBySpace, CloseByCloseBox, AboutCloseCount };

struct StormEvent {
  StormAction Action = StormAction::Type;
  QString Text;
  int Key = 0;
  Qt::KeyboardModifiers Modifiers;
  Qt::MouseButton Button = Qt::LeftButton;
  int Target = 0;
  QPoint Point;
  QSize Size;
  int Repeats = 0;
};

StormEvent NextStormEvent(StormRandom& random);

// One line that names the event, clipped for long texts, for failure messages.
std::string Describe(const StormEvent& event);

}  // namespace zentarix::test
