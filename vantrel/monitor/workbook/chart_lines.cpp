#include "chart_lines.h"

#include <algorithm>

namespace vantrel::workbook {
namespace {

std::optional<double> NumberAt(const Worksheet& sheet, int row, int column) {
    const Cell* cell = sheet.Find({row, column});
    if (cell == nullptr || !cell->value.IsNumber()) return std::nullopt;
    return cell->value.number;
}

}  // namespace

void ChartLines::Bounds::Take(double x, double y) {
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

void ChartLines::NoteCellChanged(int sheet, CellAddress cell) {
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

ChartLines::Refreshed ChartLines::Refresh() {
    Refreshed refreshed;
    for (Line& line : lines_) line.change = Change::None;
    if (chartChanged_) {
        chartChanged_ = false;
        refreshed.format = true;
        const auto layout = LayoutOf(Source());
        if (!layout) {
            Rebuild(SeriesLayout{});
            drawn_.reset();
            refreshed.rebuilt = true;
            return refreshed;
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
    if (!drawn_) return refreshed;
    if (redraw_) {
        Rebuild(*drawn_);
        refreshed.rebuilt = true;
    } else {
        if (namesChanged_) {
            for (std::size_t i = 0; i < lines_.size(); ++i) lines_[i].name = HeaderText(drawn_->valueColumns[i]);
            refreshed.namesChanged = true;
        }
        if (rowsAdded_) AppendNewRows(refreshed);
    }
    redraw_ = namesChanged_ = rowsAdded_ = false;
    return refreshed;
}

bool ChartLines::SameSeries(const SeriesLayout& layout) const {
    return drawn_->sheet == layout.sheet && drawn_->nameRow == layout.nameRow &&
           drawn_->categoryColumn == layout.categoryColumn && drawn_->firstRow == layout.firstRow &&
           drawn_->valueColumns == layout.valueColumns;
}

std::string ChartLines::HeaderText(int column) const {
    if (drawn_->nameRow == 0) return "Series " + std::to_string(column);
    const Cell* cell = workbook_.Sheet(drawn_->sheet).Find({drawn_->nameRow, column});
    return cell ? DisplayText(cell->value) : std::string();
}

void ChartLines::Rebuild(const SeriesLayout& layout) {
    lines_.clear();
    lineStates_.clear();
    bounds_ = {};
    drawnUntil_ = layout.firstRow - 1;
    if (layout.valueColumns.empty()) return;
    drawn_ = layout;
    for (const int column : layout.valueColumns) lines_.push_back({HeaderText(column), {}, Change::ReplaceAll});
    lineStates_.resize(lines_.size());
    const std::vector<std::vector<RowPoint>> points = CollectNewPoints();
    std::size_t most = 0;
    for (const auto& linePoints : points) most = std::max(most, linePoints.size());
    stride_ = 1;
    while ((most + static_cast<std::size_t>(stride_) - 1) / static_cast<std::size_t>(stride_) > kMaxLinePoints) {
        stride_ *= 2;
    }
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::vector<Point>& shown = lines_[i].shown;
        bool tail = false;
        for (const RowPoint& point : points[i]) {
            if (tail) shown.pop_back();
            shown.push_back(point.point);
            tail = !OnStride(point.row);
        }
        lineStates_[i] = {shown.size() - (tail ? 1 : 0), tail};
    }
}

std::vector<std::vector<ChartLines::RowPoint>> ChartLines::CollectNewPoints() {
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
            points[i].push_back({number, {*x, *y}});
            bounds_.Take(*x, *y);
        }
        // A row counts as drawn once it holds anything; a later change to it redraws.
        if (any) drawnUntil_ = number;
    }
    return points;
}

void ChartLines::AppendNewRows(Refreshed& refreshed) {
    const std::vector<std::vector<RowPoint>> points = CollectNewPoints();
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (points[i].empty()) continue;
        LineState& state = lineStates_[i];
        std::vector<Point> kept;  // the new rows on the stride
        std::optional<Point> tail;
        for (const RowPoint& point : points[i]) {
            if (OnStride(point.row)) {
                kept.push_back(point.point);
                tail.reset();
            } else {
                tail = point.point;
            }
        }
        if (state.kept + kept.size() > kMaxLinePoints) {
            // Too many points to lay out per row: draw every other row from now on.
            Rebuild(*drawn_);
            refreshed.rebuilt = true;
            return;
        }
        Line& line = lines_[i];
        const std::size_t arriving = kept.size() + (tail ? 1 : 0);
        if (state.tail) line.shown.pop_back();
        line.shown.insert(line.shown.end(), kept.begin(), kept.end());
        if (tail) line.shown.push_back(*tail);
        // A single new point is appended, or replaces the newest row that is
        // off the stride; several arrive in one go.
        line.change = arriving > 1 ? Change::ReplaceAll : state.tail ? Change::ReplaceNewest : Change::AppendOne;
        refreshed.pointsChanged = true;
        state.kept += kept.size();
        state.tail = tail.has_value();
    }
}

}  // namespace vantrel::workbook
