// A keystroke in the noise field of the real main window (offscreen platform) until the frame
// that shows its result is painted: the key goes to the field, the field's change recalculates
// and writes the listing, and the window paints the listing and the diagram. Each keystroke is
// timed on its own; the median and the 99th percentile are reported.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <vector>

#include "calc/number_settings.h"
#include "calc/uFloatEnv.h"
#include "shell/paint_box.h"
#include "shell/uMain.h"
#include "spin/spin_edit.h"

using namespace zentarix;

namespace {

void BM_KeystrokeToPaintedFrame(benchmark::State& state) {
  ResetFpu();
  TForm1 form;
  form.show();
  QApplication::setActiveWindow(&form);
  QApplication::processEvents();
  form.SpinEdit1()->setFocus(Qt::OtherFocusReason);
  // Counts the diagram's paints: one per keystroke shows that each frame was painted inside
  // the measured time.
  int frames = 0;
  const auto paint = form.pnb()->OnPaint;
  form.pnb()->OnPaint = [&frames, paint] {
    ++frames;
    paint();
  };
  constexpr int Keystrokes = 2000;
  std::vector<double> milliseconds;
  milliseconds.reserve(Keystrokes);
  for (auto _ : state) {
    milliseconds.clear();
    for (int i = 0; i < Keystrokes; ++i) {
      // Up and Down in turn: every keystroke changes the text, so every one recalculates.
      const Qt::Key key = i % 2 == 0 ? Qt::Key_Up : Qt::Key_Down;
      const auto start = std::chrono::steady_clock::now();
      QTest::keyClick(form.SpinEdit1(), key);
      QApplication::processEvents();  // the update request: the frame is painted here
      const auto end = std::chrono::steady_clock::now();
      milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
  }
  std::sort(milliseconds.begin(), milliseconds.end());
  state.counters["frames_per_keystroke"] = static_cast<double>(frames) / Keystrokes;
  state.counters["median_ms"] = milliseconds[milliseconds.size() / 2];
  state.counters["p99_ms"] = milliseconds[milliseconds.size() * 99 / 100];
}
BENCHMARK(BM_KeystrokeToPaintedFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  LoadNumberSettings();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
