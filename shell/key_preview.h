// The window's key preview: the key releases of the whole application, seen before their
// receivers see them, and acted on only once they prove to be real releases.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

class QKeyEvent;

namespace zentarix {

// Installed on the application object, it hands every key release to one handler before the
// receiver sees it. The handler returns what to do about the release, or nothing when the
// release is none of its business. A release that a control ignores travels on to its
// parents, passing the filter again: once the handler has answered with an action, those
// later deliveries are not handed on.
//
// A held key repeats as pairs of release and press, and an X server stamps both of a pair
// with the same time. Qt marks such a release as a repeat only when it already holds the
// press, which it often does not. So the action waits: a press of the same key with the same
// time stamp that arrives within RepeatWait shows the release was a repeat and drops the
// action; otherwise the action runs when the wait ends (or at once when the next release
// comes first).
class KeyPreview : public QObject {
  Q_OBJECT

 public:
  using Action = std::function<void()>;
  using ReleaseHandler = std::function<Action(QObject* watched, const QKeyEvent& release)>;

  // Milliseconds a release waits for the press of an auto-repeat.
  static constexpr int RepeatWait = 50;

  explicit KeyPreview(ReleaseHandler onKeyRelease, QObject* parent = nullptr);
  bool eventFilter(QObject* watched, QEvent* event) override;

  // Runs while a release waits; its tick runs the release's action.
  QTimer* WaitTimer() { return &FWait; }

 private:
  void Hold(const QKeyEvent& release, Action action);
  void RunHeld();

  ReleaseHandler FOnKeyRelease;
  // The release the handler answered with an action, until any other event passes.
  const QEvent* FActedOn = nullptr;
  QTimer FWait;
  Action FHeld;
  int FHeldKey = 0;
  quint64 FHeldTime = 0;
};

}  // namespace zentarix
