#include "chart/price_chart.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPolygon>
#include <QSaveFile>
#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <exception>
#include <optional>
#include <vector>

#include "calc/number_render.h"
#include "calc/uCalcItem.h"
#include "calc/uFloatEnv.h"
#include "desktop/svg_device.h"
#include "diagram/uDiagram.h"

namespace zentarix {

namespace {

// Fixed colours on a white ground: the desktop's palette, which may be a dark one, is never
// asked.
constexpr QRgb GroundColor = qRgb(255, 255, 255);
constexpr QRgb InkColor = qRgb(0, 0, 0);
constexpr QRgb BarColor = qRgb(96, 96, 96);
constexpr QRgb GridColor = qRgb(232, 232, 232);
constexpr QRgb FrameColor = qRgb(160, 160, 160);
constexpr QRgb ZigZagColor = qRgb(0, 64, 160);

// The diagram's explicit colours: red in the low byte, then green and blue.
QColor DiagramColor(TColor color) {
  const auto bits = static_cast<std::uint32_t>(color);
  return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                static_cast<int>((bits >> 16) & 0xFF));
}

QFont ChartFont(int pixels, bool bold) {
  // The face the program's package brings, so that every machine draws the same letters.
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The last swing's levels as the window calculates them; none when its values give the error
// line (a noise below zero) or an arithmetic error.
std::optional<TCalcItem> LevelsOf(const PriceChart& chart) {
  if (chart.Swings.empty()) return std::nullopt;
  const Swing& last = chart.Swings.back();
  TCalcItem item;
  try {
    if (!CalculateLevels(item, last.A(), last.B(), chart.Tenths)) return std::nullopt;
  } catch (const EMathError&) {
    ResetFpu();
    return std::nullopt;
  }
  return item;
}

class PriceScale {
 public:
  PriceScale(const ChartFrame& frame, Extended low, Extended high)
      : FTop(frame.TopRow), FBottom(frame.BottomRow), FLow(low), FHigh(high) {
    // One price alone still needs a span: it is drawn in the middle.
    if (!(FHigh > FLow)) {
      const Extended half = FLow != 0 ? std::fabs(FLow) / 100 : 1;
      FLow -= half;
      FHigh += half;
    }
  }

  int Row(Extended price) const {
    const Extended place = FTop + (FHigh - price) / (FHigh - FLow) * (FBottom - FTop);
    // Far outside the picture a row only has to stay far outside it.
    return static_cast<int>(std::llround(std::clamp<Extended>(place, -1e6L, 1e6L)));
  }
  Extended Low() const { return FLow; }
  Extended High() const { return FHigh; }

 private:
  int FTop;
  int FBottom;
  Extended FLow;
  Extended FHigh;
};

PriceScale ScaleOf(const ChartFrame& frame, const PriceChart& chart,
                   const std::optional<TCalcItem>& levels) {
  Extended low = chart.Columns.front().Low;
  Extended high = chart.Columns.front().High;
  for (const Bar& column : chart.Columns) {
    low = std::min(low, column.Low);
    high = std::max(high, column.High);
  }
  if (levels) {
    for (const double bound : {levels->F3Minus, levels->F3Plus, levels->F5Minus, levels->F5Plus}) {
      low = std::min<Extended>(low, bound);
      high = std::max<Extended>(high, bound);
    }
  }
  return PriceScale(frame, low, high);
}

// Where the bars stand: column i of n in the middle of its share of the bars' width.
class ColumnPlaces {
 public:
  ColumnPlaces(const ChartFrame& frame, std::span<const Bar> columns)
      : FLeft(frame.Plot.left()),
        FWidth(std::max(frame.BarsRight - frame.Plot.left(), 1)),
        FColumns(columns) {}

  int X(std::size_t i) const {
    const auto n = static_cast<long long>(FColumns.size());
    return FLeft + static_cast<int>((2 * static_cast<long long>(i) + 1) * FWidth / (2 * n));
  }
  // The column that holds the bar of a given place in time order.
  int XOfPlace(long place) const {
    const auto after = std::upper_bound(FColumns.begin(), FColumns.end(), place,
                                        [](long p, const Bar& column) { return p < column.Place; });
    const std::size_t i = after == FColumns.begin() ? 0 : after - FColumns.begin() - 1;
    return X(i);
  }

 private:
  int FLeft;
  int FWidth;
  std::span<const Bar> FColumns;
};

void PaintTitle(QPainter& painter, const ChartFrame& frame, QSize size, const QString& title) {
  painter.setFont(ChartFont(16, true));
  painter.setPen(QColor(InkColor));
  const QRect band(frame.Plot.left(), 0, size.width() - frame.Plot.left(), frame.Plot.top());
  painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter,
                   painter.fontMetrics().elidedText(title, Qt::ElideRight, band.width()));
}

// Grid lines at a round step (1, 2 or 5 times a power of ten) about every 60 rows, labelled
// on the right with as many decimals as the step needs.
void PaintPriceAxis(QPainter& painter, const ChartFrame& frame, const PriceScale& scale) {
  const int wanted = std::max(2, (frame.BottomRow - frame.TopRow) / 60);
  const Extended raw = (scale.High() - scale.Low()) / wanted;
  if (!(raw > 0) || !std::isfinite(raw)) return;
  const Extended magnitude = std::pow(10.0L, std::floor(std::log10(raw)));
  const Extended multiple = raw / magnitude;
  const Extended step = magnitude * (multiple < 1.5L ? 1
                                     : multiple < 3  ? 2
                                     : multiple < 7  ? 5
                                                     : 10);
  const int decimals = std::clamp(-static_cast<int>(std::floor(std::log10(step))), 0, 18);
  const Extended first = std::ceil(scale.Low() / step);
  const Extended last = std::floor(scale.High() / step);
  const QFontMetrics metrics = painter.fontMetrics();
  for (Extended k = first; k <= last && k - first < 100; ++k) {
    const int row = scale.Row(k * step);
    painter.setPen(QColor(GridColor));
    painter.drawLine(frame.Plot.left(), row, frame.Plot.right(), row);
    painter.setPen(QColor(InkColor));
    painter.drawLine(frame.Plot.right() + 1, row, frame.Plot.right() + 4, row);
    painter.drawText(frame.Plot.right() + 7, row + (metrics.ascent() - metrics.descent()) / 2,
                     Text(RenderNumber(k * step, decimals)));
  }
}

// A few of the columns' dates below the plot, evenly spread, none over another.
void PaintDates(QPainter& painter, const ChartFrame& frame, QSize size,
                std::span<const Bar> columns, const ColumnPlaces& places) {
  const QFontMetrics metrics = painter.fontMetrics();
  const std::size_t wanted =
      static_cast<std::size_t>(std::clamp((frame.BarsRight - frame.Plot.left()) / 160, 2, 8));
  const std::size_t n = columns.size();
  int freeFrom = INT_MIN;
  painter.setPen(QColor(InkColor));
  for (std::size_t k = 0; k < wanted; ++k) {
    const std::size_t i = n == 1 ? 0 : (k * (n - 1) + (wanted - 1) / 2) / (wanted - 1);
    if (columns[i].Time.empty()) continue;
    const QString text = Text(columns[i].Time);
    const int x = places.X(i);
    const int width = metrics.horizontalAdvance(text);
    const int left = std::clamp(x - width / 2, 0, std::max(0, size.width() - width));
    if (left < freeFrom) continue;
    painter.drawLine(x, frame.Plot.bottom() + 1, x, frame.Plot.bottom() + 4);
    painter.drawText(left, frame.Plot.bottom() + 6 + metrics.ascent(), text);
    freeFrom = left + width + 12;
  }
}

void PaintBars(QPainter& painter, const PriceChart& chart, const PriceScale& scale,
               const ColumnPlaces& places) {
  painter.setPen(QPen(QColor(BarColor), 0));
  if (chart.ClosesOnly) {
    QPolygon line;
    for (std::size_t i = 0; i < chart.Columns.size(); ++i) {
      const Bar& column = chart.Columns[i];
      line << QPoint(places.X(i), scale.Row(column.High));
      // A column that merged several closes spans their range.
      if (column.Low != column.High) line << QPoint(places.X(i), scale.Row(column.Low));
    }
    painter.drawPolyline(line);
    return;
  }
  for (std::size_t i = 0; i < chart.Columns.size(); ++i) {
    const Bar& column = chart.Columns[i];
    const int x = places.X(i);
    painter.drawLine(x, scale.Row(column.High), x, scale.Row(column.Low));
  }
}

// Through each swing's start and end prices.
void PaintZigZag(QPainter& painter, std::span<const Swing> swings, const PriceScale& scale,
                 const ColumnPlaces& places) {
  QPolygon zigzag;
  for (const Swing& swing : swings) {
    const QPoint start(places.XOfPlace(swing.Start.Place), scale.Row(swing.A()));
    if (zigzag.isEmpty() || zigzag.back() != start) zigzag << start;
    zigzag << QPoint(places.XOfPlace(swing.End.Place), scale.Row(swing.B()));
  }
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(QColor(ZigZagColor), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPolyline(zigzag);
  painter.restore();
}

struct LevelLine {
  double Level;
  double Bound1;  // the corridor's bounds, in either order (a falling swing's noise is negative)
  double Bound2;
  QColor Color;
  std::string Label;
};

std::string CorridorLabel(const char* pattern, double level, double bound1, double bound2) {
  return FormatNumber(pattern, static_cast<Extended>(level)) + " (" +
         RenderNumber(std::min(bound1, bound2), 4) + " \u2013 " +
         RenderNumber(std::max(bound1, bound2), 4) + ")";
}

std::array<LevelLine, 3> LevelLines(const TCalcItem& item) {
  return {{
      {item.F3, item.F3Minus, item.F3Plus, DiagramColor(DiagramBlack),
       CorridorLabel("F3 = %.4n", item.F3, item.F3Minus, item.F3Plus)},
      {item.F5, item.F5Minus, item.F5Plus, DiagramColor(DiagramBlack),
       CorridorLabel("F5 = %.4n", item.F5, item.F5Minus, item.F5Plus)},
      {item.Level50, item.Level50, item.Level50, DiagramColor(DiagramRed),
       Level50Text(item.Level50)},
  }};
}

// The levels run from the last swing's start to the plot's right edge. Their corridor bands
// lie under the bars and the zigzag.
void PaintBands(QPainter& painter, const ChartFrame& frame, const TCalcItem& item, int startX,
                const PriceScale& scale) {
  for (const LevelLine& line : LevelLines(item)) {
    if (line.Bound1 == line.Bound2) continue;
    const int top = scale.Row(std::max(line.Bound1, line.Bound2));
    const int bottom = scale.Row(std::min(line.Bound1, line.Bound2));
    painter.fillRect(QRect(QPoint(startX, top), QPoint(frame.Plot.right(), bottom)),
                     DiagramColor(BandColor));
  }
}

// The F3 and F5 lines and the red 50% line over everything else, each labelled above its band
// at the plot's right edge; labels that would overlap, for levels close together, are moved
// down just enough to stand apart.
void PaintLevelLines(QPainter& painter, const ChartFrame& frame, const TCalcItem& item, int startX,
                     const PriceScale& scale) {
  const QFontMetrics metrics = painter.fontMetrics();
  const int right = frame.Plot.right();
  struct Label {
    int Baseline;
    QString Text;
  };
  std::vector<Label> labels;
  for (const LevelLine& line : LevelLines(item)) {
    const int row = scale.Row(line.Level);
    painter.setPen(QPen(line.Color, 0));
    painter.drawLine(startX, row, right, row);
    const int bandTop = scale.Row(std::max(line.Bound1, line.Bound2));
    labels.push_back({bandTop - 2 - metrics.descent(), Text(line.Label)});
  }
  std::sort(labels.begin(), labels.end(),
            [](const Label& a, const Label& b) { return a.Baseline < b.Baseline; });
  painter.setPen(QColor(InkColor));
  for (std::size_t i = 0; i < labels.size(); ++i) {
    if (i > 0) {
      labels[i].Baseline = std::max(labels[i].Baseline, labels[i - 1].Baseline + metrics.height());
    }
    painter.drawText(right - 4 - metrics.horizontalAdvance(labels[i].Text), labels[i].Baseline,
                     labels[i].Text);
  }
}

// A short write (a file size limit reached part-way, say) leaves no reason behind: the write
// that follows it fails outright and records the system's reason.
bool WriteWhole(QSaveFile& out, const QByteArray& bytes) {
  qint64 written = 0;
  while (written < bytes.size()) {
    const qint64 count = out.write(bytes.constData() + written, bytes.size() - written);
    if (count <= 0) return false;
    written += count;
  }
  return out.flush();
}

}  // namespace

ChartFrame FrameOfChart(QSize size) {
  const int width = std::max(size.width(), 1);
  const int height = std::max(size.height(), 1);
  // The margins shrink with a small picture, so that the plot keeps its share of it.
  const int left = std::min(12, width / 16);
  const int axis = std::min(100, width / 4);   // the prices, right of the plot
  const int top = std::min(40, height / 6);    // the title
  const int below = std::min(40, height / 6);  // the dates
  ChartFrame frame;
  frame.Plot = QRect(QPoint(left, top),
                     QPoint(std::max(left, width - 1 - axis), std::max(top, height - 1 - below)));
  // The extreme prices stay clear of the plot's edges.
  const int pad = std::min(10, frame.Plot.height() / 8);
  frame.TopRow = frame.Plot.top() + pad;
  frame.BottomRow = frame.Plot.bottom() - pad;
  frame.BarsRight = frame.Plot.left() + frame.Plot.width() * 4 / 5;
  return frame;
}

void PaintPriceChart(QPainter& painter, const PriceChart& chart) {
  const ChartFrame frame = FrameOfChart(chart.Size);
  painter.fillRect(QRect(QPoint(0, 0), chart.Size), QColor(GroundColor));
  PaintTitle(painter, frame, chart.Size, chart.Title);
  painter.setFont(ChartFont(12, false));
  if (!chart.Columns.empty()) {
    const std::optional<TCalcItem> levels = LevelsOf(chart);
    const PriceScale scale = ScaleOf(frame, chart, levels);
    const ColumnPlaces places(frame, chart.Columns);
    PaintPriceAxis(painter, frame, scale);
    PaintDates(painter, frame, chart.Size, chart.Columns, places);
    painter.save();
    painter.setClipRect(frame.Plot);
    const int startX = chart.Swings.empty() ? 0 : places.XOfPlace(chart.Swings.back().Start.Place);
    if (levels) PaintBands(painter, frame, *levels, startX, scale);
    PaintBars(painter, chart, scale, places);
    PaintZigZag(painter, chart.Swings, scale, places);
    if (levels) PaintLevelLines(painter, frame, *levels, startX, scale);
    painter.restore();
  }
  painter.setPen(QColor(FrameColor));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame.Plot.adjusted(0, 0, -1, -1));
}

std::string WritePriceChart(const std::string& file, const PriceChart& chart) {
  try {
    // Drawn in memory first: the file then sees one write, whose failure Qt reports with the
    // system's reason (an encoder writing to a failing file would print its own complaints).
    QByteArray picture;
    QBuffer buffer(&picture);
    buffer.open(QIODevice::WriteOnly);
    const QString name = Text(file);
    if (name.endsWith(QLatin1String(".svg"))) {
      QString problem;
      // At 96 dots an inch the picture's stated size is its size in CSS pixels.
      const std::unique_ptr<QPaintDevice> svg =
          OpenSvgDevice(buffer, SvgPage{chart.Size, 96, chart.Title}, problem);
      if (!svg) return "cannot draw " + file + ": " + problem.toStdString();
      QPainter painter(svg.get());
      PaintPriceChart(painter, chart);
    } else {
      QImage image(chart.Size, QImage::Format_RGB32);
      if (image.isNull()) {
        return "cannot draw " + file + ": no memory for " + std::to_string(chart.Size.width()) +
               "x" + std::to_string(chart.Size.height()) + " pixels";
      }
      {
        QPainter painter(&image);
        PaintPriceChart(painter, chart);
      }
      image.save(&buffer, "PNG");
    }
    // Written whole and synced under a temporary name, then renamed into place; on a failure
    // the temporary file is removed. A failed write shows before commit, whose closing of the
    // file would forget the reason.
    QSaveFile out(name);
    if (!out.open(QIODevice::WriteOnly) || !WriteWhole(out, picture) || !out.commit()) {
      return "cannot write " + file + ": " + out.errorString().toStdString();
    }
  } catch (const std::exception& error) {
    return "cannot draw " + file + ": " + error.what();
  }
  return {};
}

}  // namespace zentarix
