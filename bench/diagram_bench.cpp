// One paint of the level diagram on a 1920 x 1080 image: building the operation list,
// replaying it, and the whole paint beside the cost of only filling the image, which every
// paint of the host panel pays anyway.
#include <benchmark/benchmark.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <cstdlib>
#include <vector>

#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "desktop/canvas_picture.h"
#include "diagram/named_colors.h"
#include "diagram/uDiagram.h"

using namespace zentarix;

namespace {

constexpr int Width = 1920;
constexpr int Height = 1080;

TCalcItem WorkedExample() {
  ResetFpu();
  TCalcItem item;
  CalculateLevels(item, 100, 110, 30);
  return item;
}

QFont AreaFont() {
  QFont font("MS Sans Serif");
  font.setPixelSize(11);
  return font;
}

void FillWhite(QPainter& painter, const QImage& image) {
  painter.fillRect(image.rect(), QColor(255, 255, 255));
}

void BM_FillImageOnly(benchmark::State& state) {
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    FillWhite(painter, image);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillImageOnly)->Unit(benchmark::kMicrosecond);

void BM_BuildDiagramOps(benchmark::State& state) {
  const TCalcItem item = WorkedExample();
  for (auto _ : state) {
    benchmark::DoNotOptimize(BuildDiagramOps(Width, Height, item, clWhite, clWindowText));
  }
}
BENCHMARK(BM_BuildDiagramOps)->Unit(benchmark::kMicrosecond);

void BM_ReplayOnly(benchmark::State& state) {
  const TCalcItem item = WorkedExample();
  const auto ops = BuildDiagramOps(Width, Height, item, clWhite, clWindowText);
  const QFont font = AreaFont();
  const QPalette palette;
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    CanvasReplay canvas(painter, image.size(), font, palette, clWhite, clWindowText);
    canvas.Replay(ops);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ReplayOnly)->Unit(benchmark::kMicrosecond);

// What the paint handler costs with the host panel's fill in front of it.
void BM_FillAndPaint(benchmark::State& state) {
  const TCalcItem item = WorkedExample();
  const QFont font = AreaFont();
  QImage image(Width, Height, QImage::Format_RGB32);
  for (auto _ : state) {
    QPainter painter(&image);
    FillWhite(painter, image);
    CanvasPicture picture;
    picture.Area = image.size();
    picture.Font = font;
    picture.Ops = BuildDiagramOps(Width, Height, item, clWhite, clWindowText);
    PaintCanvasPicture(painter, picture);
    painter.end();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_FillAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Fonts need a GUI application; no display is needed to paint into an image.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QGuiApplication app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
