#include "workbook_chart_view.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>

namespace vantrel::workbook {
namespace {

constexpr double kPointsToPixels = 4.0 / 3.0;
constexpr double kNoMargin = 0;
constexpr double kValueMargin = 0.05;

// Sets the axis to cover low to high with round tick values, never empty; a
// margin keeps a line off the frame.
void CoverRange(QValueAxis* axis, double low, double high, double marginShare) {
    if (low == high) {
        low -= 1;
        high += 1;
    }
    const double margin = (high - low) * marginShare;
    axis->setRange(low - margin, high + margin);
    axis->applyNiceNumbers();
}

QPointF ToQt(const ChartLines::Point& point) { return {point.x, point.y}; }

QList<QPointF> ToQt(const std::vector<ChartLines::Point>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartLines::Point& point : points) list.append(ToQt(point));
    return list;
}

}  // namespace

// The view owns its chart (a view made without one would make and then drop
// its own), the chart its axes and lines.
WorkbookChartView::WorkbookChartView(const Workbook& workbook, ChartId chart, QWidget* parent)
    : QChartView(new QChart, parent),
      id_(chart),
      lines_(workbook, chart),
      categoryAxis_(new QValueAxis),
      valueAxis_(new QValueAxis) {
    QChart* drawing = this->chart();
    drawing->setAnimationOptions(QChart::NoAnimation);
    categoryAxis_->setLabelFormat("%g");
    valueAxis_->setLabelFormat("%g");
    drawing->addAxis(categoryAxis_, Qt::AlignBottom);
    drawing->addAxis(valueAxis_, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);
    const ChartPlacement& place = lines_.Source().placement;
    resize(static_cast<int>(place.width * kPointsToPixels), static_cast<int>(place.height * kPointsToPixels));
}

void WorkbookChartView::Refresh() {
    const ChartLines::Refreshed refreshed = lines_.Refresh();
    if (refreshed.format) ApplyFormat(lines_.Source());
    if (refreshed.rebuilt) {
        Rebuild();
        return;
    }
    const std::vector<ChartLines::Line>& lines = lines_.Lines();
    for (std::size_t i = 0; i < series_.size(); ++i) {
        QLineSeries* series = series_[i];
        const ChartLines::Line& line = lines[i];
        if (refreshed.namesChanged) series->setName(QString::fromStdString(line.name));
        // The chart lays a line out again for every point it is given.
        switch (line.change) {
            case ChartLines::Change::None: break;
            case ChartLines::Change::AppendOne: series->append(ToQt(line.shown.back())); break;
            case ChartLines::Change::ReplaceNewest:
                series->replace(static_cast<int>(series->count() - 1), ToQt(line.shown.back()));
                break;
            case ChartLines::Change::ReplaceAll: series->replace(ToQt(line.shown)); break;
        }
    }
    if (refreshed.pointsChanged) ApplyBounds();
}

void WorkbookChartView::ApplyFormat(const Chart& chart) {
    QChart* drawing = this->chart();
    drawing->setTitle(QString::fromStdString(chart.title));
    drawing->legend()->setVisible(chart.hasLegend);
    categoryAxis_->setTitleText(QString::fromStdString(chart.categoryTitle));
    valueAxis_->setTitleText(QString::fromStdString(chart.valueTitle));
}

void WorkbookChartView::Rebuild() {
    QChart* drawing = chart();
    for (QLineSeries* series : series_) {
        drawing->removeSeries(series);
        delete series;
    }
    series_.clear();
    shown_ = {};
    for (const ChartLines::Line& line : lines_.Lines()) {
        auto* series = new QLineSeries;
        series->setName(QString::fromStdString(line.name));
        drawing->addSeries(series);
        series->attachAxis(categoryAxis_);
        series->attachAxis(valueAxis_);
        series->replace(ToQt(line.shown));
        series_.push_back(series);
    }
    ApplyBounds();
}

void WorkbookChartView::ApplyBounds() {
    const ChartLines::Bounds& bounds = lines_.DataBounds();
    if (bounds.empty) {
        categoryAxis_->setRange(0, 1);
        valueAxis_->setRange(0, 1);
        shown_ = bounds;
        return;
    }
    // The axes change only when a point falls outside them.
    if (shown_.empty || bounds.minX < shown_.minX || bounds.maxX > shown_.maxX) {
        CoverRange(categoryAxis_, bounds.minX, bounds.maxX, kNoMargin);
        shown_.minX = categoryAxis_->min();
        shown_.maxX = categoryAxis_->max();
    }
    if (shown_.empty || bounds.minY < shown_.minY || bounds.maxY > shown_.maxY) {
        CoverRange(valueAxis_, bounds.minY, bounds.maxY, kValueMargin);
        shown_.minY = valueAxis_->min();
        shown_.maxY = valueAxis_->max();
    }
    shown_.empty = false;
}

}  // namespace vantrel::workbook
