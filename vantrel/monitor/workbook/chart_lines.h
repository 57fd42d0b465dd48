#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "workbook.h"

namespace vantrel::workbook {

// What one chart of the workbook shows: a line per value column against the
// category column's numbers. It follows the workbook incrementally: rows below
// the ones drawn add their points only; a change inside the drawn rows or of
// the chart's columns redraws it whole. A chart view lays out all the points
// of a line whenever one is added, so a line keeps at most kMaxLinePoints:
// beyond that it shows every second row (then every fourth, ...) and always
// the newest one.
class ChartLines {
public:
    // Four points for each pixel of a chart as wide as polling makes it.
    static constexpr std::size_t kMaxLinePoints = 2000;

    struct Point {
        double x = 0;
        double y = 0;
    };
    struct Bounds {
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
        bool empty = true;
        void Take(double x, double y);
    };
    // How a line's drawing changed in the last refresh.
    enum class Change {
        None,
        AppendOne,      // one point after the others
        ReplaceNewest,  // the newest point, off the stride, gave way to a newer one
        ReplaceAll,     // several points arrived: take the whole list
    };
    struct Line {
        std::string name;
        std::vector<Point> shown;
        Change change = Change::None;
    };
    // What a refresh changed.
    struct Refreshed {
        bool format = false;        // titles or legend
        bool rebuilt = false;       // the lines are new: names and points
        bool namesChanged = false;  // the lines' names, when not rebuilt
        bool pointsChanged = false; // some line's points
    };

    ChartLines(const Workbook& workbook, ChartId chart) : workbook_(workbook), id_(chart) {}

    const Chart& Source() const { return *workbook_.FindChart(id_); }
    // The workbook changed a cell or the chart; Refresh brings the lines up to date.
    void NoteCellChanged(int sheet, CellAddress cell);
    void NoteChartChanged() { chartChanged_ = true; }
    bool NeedsRefresh() const { return chartChanged_ || redraw_ || namesChanged_ || rowsAdded_; }
    Refreshed Refresh();

    const std::vector<Line>& Lines() const { return lines_; }
    // The range of every point drawn since the last rebuild.
    const Bounds& DataBounds() const { return bounds_; }

private:
    struct RowPoint {
        int row = 0;
        Point point;
    };
    // How a line shows its rows: the ones on the stride, and the newest row
    // after them when it is off the stride (the tail).
    struct LineState {
        std::size_t kept = 0;
        bool tail = false;
    };

    void Rebuild(const SeriesLayout& layout);
    // The points of the rows after the ones drawn, up to the source's last row, by line.
    std::vector<std::vector<RowPoint>> CollectNewPoints();
    // Adds them to the lines, or rebuilds them with a wider stride.
    void AppendNewRows(Refreshed& refreshed);
    bool OnStride(int row) const { return (row - drawn_->firstRow) % stride_ == 0; }
    bool SameSeries(const SeriesLayout& layout) const;
    std::string HeaderText(int column) const;

    const Workbook& workbook_;
    ChartId id_;
    std::vector<Line> lines_;              // one per value column of drawn_
    std::vector<LineState> lineStates_;    // by line
    int stride_ = 1;                       // the lines show every stride-th row
    std::optional<SeriesLayout> drawn_;    // the series the lines show
    int drawnUntil_ = 0;                   // the last row whose points are drawn
    bool chartChanged_ = true;
    bool redraw_ = false;                  // a drawn cell changed
    bool namesChanged_ = false;
    bool rowsAdded_ = false;
    Bounds bounds_;
};

}  // namespace vantrel::workbook
