#include "desktop/chart_picture.h"

#include "desktop/font_text_measure.h"

namespace zentarix {

QFont ChartFont() {
  QFont font(QStringLiteral("Liberation Sans"));
  font.setPixelSize(12);
  return font;
}

CanvasPicture PriceChartPicture(const PriceChart& chart) {
  CanvasPicture picture;
  picture.Area = QSize(chart.View.Width, chart.View.Height);
  picture.Font = ChartFont();
  picture.Ops = BuildChartOps(chart, FontTextMeasure(picture.Font));
  picture.Title = QString::fromStdString(chart.FileName);
  return picture;
}

PlaceAxis PriceChartAxis(const PriceChart& chart) {
  return PlaceAxisOfChart(chart, FontTextMeasure(ChartFont()));
}

}  // namespace zentarix
