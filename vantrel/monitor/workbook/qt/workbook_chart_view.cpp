#include "workbook_chart_view.h"

#include <QChart>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace vantrel::workbook {
namespace {

constexpr double kPointsToPixels = 4.0 / 3.0;

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

constexpr double kNoMargin = 0;
constexpr double kValueMargin = 0.05;

std::optional<double> NumberAt(const Worksheet& sheet, int row, int column) {
    const Cell* cell = sheet.Find({row, column});
    if (cell == nullptr || !cell->value.IsNumber()) return std::nullopt;
    return cell->value.number;
}

}  // namespace

void WorkbookChartView::Bounds::Take(double x, double y) {
    if (empty) {
        minX = maxX = x;
        minY = maxY = y;
        empty = false;
        return;
    }
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
}

// The view owns its chart (a view made without one would make and then drop
// its own), the chart its axes and lines.
WorkbookChartView::WorkbookChartView(const Workbook& workbook, ChartId chart, QWidget* parent)
    : QChartView(new QChart, parent),
      workbook_(workbook),
      id_(chart),
      categoryAxis_(new QValueAxis),
      valueAxis_(new QValueAxis) {
    QChart* drawing = this->chart();
    drawing->setAnimationOptions(QChart::NoAnimation);
    categoryAxis_->setLabelFormat("%g");
    valueAxis_->setLabelFormat("%g");
    drawing->addAxis(categoryAxis_, Qt::AlignBottom);
    drawing->addAxis(valueAxis_, Qt::AlignLeft);
    setRenderHint(QPainter::Antialiasing);
    const ChartPlacement& place = workbook_.FindChart(id_)->placement;
    resize(static_cast<int>(place.width * kPointsToPixels), static_cast<int>(place.height * kPointsToPixels));
}

void WorkbookChartView::NoteCellChanged(int sheet, CellAddress cell) {
    if (!drawn_ || sheet != drawn_->sheet) return;
    const bool inColumns = cell.column == drawn_->categoryColumn ||
                           std::find(drawn_->valueColumns.begin(), drawn_->valueColumns.end(), cell.column) !=
                               drawn_->valueColumns.end();
    if (!inColumns) return;
    if (cell.row == drawn_->nameRow) {
        namesChanged_ = true;
    } else if (cell.row >= drawn_->firstRow && cell.row <= drawnUntil_) {
        redraw_ = true;
    } else if (cell.row > drawnUntil_ && cell.row <= drawn_->lastRow) {
        rowsAdded_ = true;
    }
}

bool WorkbookChartView::NeedsRefresh() const { return chartChanged_ || redraw_ || namesChanged_ || rowsAdded_; }

void WorkbookChartView::Refresh() {
    const Chart& chart = *workbook_.FindChart(id_);
    if (chartChanged_) {
        chartChanged_ = false;
        ApplyFormat(chart);
        const auto layout = LayoutOf(chart);
        if (!layout) {
            Rebuild(SeriesLayout{});
            drawn_.reset();
            return;
        }
        // The source grew or shrank below the drawn rows: the same lines go on.
        if (!redraw_ && drawn_ && SameSeries(*layout) && layout->lastRow >= drawnUntil_) {
            drawn_->lastRow = layout->lastRow;
            rowsAdded_ = true;
        } else {
            redraw_ = true;
            drawn_ = layout;
        }
    }
    if (!drawn_) return;
    if (redraw_) {
        Rebuild(*drawn_);
    } else {
        if (namesChanged_) {
            for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i]->setName(HeaderText(drawn_->valueColumns[i]));
        }
        if (rowsAdded_) AppendNewRows();
    }
    redraw_ = namesChanged_ = rowsAdded_ = false;
}

void WorkbookChartView::ApplyFormat(const Chart& chart) {
    QChart* drawing = this->chart();
    drawing->setTitle(QString::fromStdString(chart.title));
    drawing->legend()->setVisible(chart.hasLegend);
    categoryAxis_->setTitleText(QString::fromStdString(chart.categoryTitle));
    valueAxis_->setTitleText(QString::fromStdString(chart.valueTitle));
}

bool WorkbookChartView::SameSeries(const SeriesLayout& layout) const {
    return drawn_->sheet == layout.sheet && drawn_->nameRow == layout.nameRow &&
           drawn_->categoryColumn == layout.categoryColumn && drawn_->firstRow == layout.firstRow &&
           drawn_->valueColumns == layout.valueColumns;
}

QString WorkbookChartView::HeaderText(int column) const {
    if (drawn_->nameRow == 0) return QStringLiteral("Series %1").arg(column);
    const Cell* cell = workbook_.Sheet(drawn_->sheet).Find({drawn_->nameRow, column});
    return cell ? QString::fromStdString(DisplayText(cell->value)) : QString();
}

void WorkbookChartView::Rebuild(const SeriesLayout& layout) {
    QChart* drawing = chart();
    for (QLineSeries* line : lines_) {
        drawing->removeSeries(line);
        delete line;
    }
    lines_.clear();
    lineStates_.clear();
    bounds_ = {};
    shown_ = {};
    drawnUntil_ = layout.firstRow - 1;
    if (layout.valueColumns.empty()) {
        ApplyBounds();
        return;
    }
    drawn_ = layout;
    for (const int column : layout.valueColumns) {
        auto* line = new QLineSeries;
        line->setName(HeaderText(column));
        drawing->addSeries(line);
        line->attachAxis(categoryAxis_);
        line->attachAxis(valueAxis_);
        lines_.push_back(line);
    }
    lineStates_.resize(lines_.size());
    const std::vector<std::vector<RowPoint>> points = CollectNewPoints();
    std::size_t most = 0;
    for (const auto& linePoints : points) most = std::max(most, linePoints.size());
    stride_ = 1;
    while ((most + static_cast<std::size_t>(stride_) - 1) / static_cast<std::size_t>(stride_) > kMaxLinePoints) {
        stride_ *= 2;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        QList<QPointF> shown;
        bool tail = false;
        for (const RowPoint& point : points[i]) {
            if (tail) shown.removeLast();
            shown.append(point.point);
            tail = !OnStride(point.row);
        }
        lines_[i]->replace(shown);
        lineStates_[i] = {static_cast<int>(shown.size()) - (tail ? 1 : 0), tail};
    }
    ApplyBounds();
}

bool WorkbookChartView::OnStride(int row) const { return (row - drawn_->firstRow) % stride_ == 0; }

std::vector<std::vector<WorkbookChartView::RowPoint>> WorkbookChartView::CollectNewPoints() {
    const Worksheet& sheet = workbook_.Sheet(drawn_->sheet);
    const auto& rows = sheet.Rows();
    std::vector<std::vector<RowPoint>> points(lines_.size());
    for (auto row = rows.upper_bound(drawnUntil_); row != rows.end() && row->first <= drawn_->lastRow; ++row) {
        const int number = row->first;
        if (number < drawn_->firstRow) continue;
        const std::optional<double> x = drawn_->categoryColumn > 0 ? NumberAt(sheet, number, drawn_->categoryColumn)
                                                                    : std::optional<double>(number - drawn_->firstRow + 1);
        bool any = x.has_value();
        for (std::size_t i = 0; i < lines_.size(); ++i) {
            const std::optional<double> y = NumberAt(sheet, number, drawn_->valueColumns[i]);
            if (y) any = true;
            if (!x || !y) continue;
            points[i].push_back({number, QPointF(*x, *y)});
            bounds_.Take(*x, *y);
        }
        // A row counts as drawn once it holds anything; a later change to it redraws.
        if (any) drawnUntil_ = number;
    }
    return points;
}

void WorkbookChartView::AppendNewRows() {
    const std::vector<std::vector<RowPoint>> points = CollectNewPoints();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (points[i].empty()) continue;
        LineState& state = lineStates_[i];
        QList<QPointF> kept;  // the new rows on the stride
        std::optional<QPointF> tail;
        for (const RowPoint& point : points[i]) {
            if (OnStride(point.row)) {
                kept.append(point.point);
                tail.reset();
            } else {
                tail = point.point;
            }
        }
        if (state.kept + kept.size() > kMaxLinePoints) {
            // Too many points to lay out per row: draw every other row from now on.
            Rebuild(*drawn_);
            return;
        }
        const qsizetype arriving = kept.size() + (tail ? 1 : 0);
        const QPointF last = tail ? *tail : kept.back();
        // The chart lays a line out again for every point it is given: a
        // single new point is appended (or replaces the newest row that is
        // off the stride), several arrive in one go.
        if (arriving == 1 && !state.tail) {
            lines_[i]->append(last);
        } else if (arriving == 1) {
            lines_[i]->replace(static_cast<int>(lines_[i]->count() - 1), last);
        } else {
            QList<QPointF> shown = lines_[i]->points();
            if (state.tail) shown.removeLast();
            shown += kept;
            if (tail) shown.append(*tail);
            lines_[i]->replace(shown);
        }
        state.kept += static_cast<int>(kept.size());
        state.tail = tail.has_value();
    }
    ApplyBounds();
}

void WorkbookChartView::ApplyBounds() {
    if (bounds_.empty) {
        categoryAxis_->setRange(0, 1);
        valueAxis_->setRange(0, 1);
        shown_ = bounds_;
        return;
    }
    // The axes change only when a point falls outside them.
    if (shown_.empty || bounds_.minX < shown_.minX || bounds_.maxX > shown_.maxX) {
        CoverRange(categoryAxis_, bounds_.minX, bounds_.maxX, kNoMargin);
        shown_.minX = categoryAxis_->min();
        shown_.maxX = categoryAxis_->max();
    }
    if (shown_.empty || bounds_.minY < shown_.minY || bounds_.maxY > shown_.maxY) {
        CoverRange(valueAxis_, bounds_.minY, bounds_.maxY, kValueMargin);
        shown_.minY = valueAxis_->min();
        shown_.maxY = valueAxis_->max();
    }
    shown_.empty = false;
}

}  // namespace vantrel::workbook
