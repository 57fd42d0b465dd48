#pragma once
#include <QChartView>
#include <QPointF>
#include <optional>
#include <vector>

#include "vantrel/monitor/workbook/workbook.h"

class QLineSeries;
class QValueAxis;

namespace vantrel::workbook {

// Draws one chart of the workbook: a line per value column against the
// category column's numbers, titled and with the legend as the chart says.
// It follows the workbook incrementally: rows below the ones drawn add their
// points only; a change inside the drawn rows or of the chart's columns
// redraws it whole. The chart lays out all the points of a line whenever one
// is added, so a line keeps at most kMaxLinePoints: beyond that it shows
// every second row (then every fourth, ...) and always the newest one.
class WorkbookChartView final : public QChartView {
public:
    // Four points for each pixel of a chart as wide as polling makes it.
    static constexpr qsizetype kMaxLinePoints = 2000;

    WorkbookChartView(const Workbook& workbook, ChartId chart, QWidget* parent = nullptr);

    ChartId Id() const { return id_; }
    // The workbook changed a cell or the chart; Refresh brings the drawing up to date.
    void NoteCellChanged(int sheet, CellAddress cell);
    void NoteChartChanged() { chartChanged_ = true; }
    bool NeedsRefresh() const;
    void Refresh();

    const std::vector<QLineSeries*>& Lines() const { return lines_; }
    QValueAxis* CategoryAxis() const { return categoryAxis_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }

private:
    struct Bounds {
        double minX = 0, maxX = 0, minY = 0, maxY = 0;
        bool empty = true;
        void Take(double x, double y);
    };

    struct RowPoint {
        int row = 0;
        QPointF point;
    };
    // How a line shows its rows: the ones on the stride, and the newest row
    // after them when it is off the stride (the tail).
    struct LineState {
        int kept = 0;
        bool tail = false;
    };

    void ApplyFormat(const Chart& chart);
    void Rebuild(const SeriesLayout& layout);
    // The points of the rows after the ones drawn, up to the source's last row, by line.
    std::vector<std::vector<RowPoint>> CollectNewPoints();
    // Adds them to the lines.
    void AppendNewRows();
    bool OnStride(int row) const;
    void ApplyBounds();
    bool SameSeries(const SeriesLayout& layout) const;
    QString HeaderText(int column) const;

    const Workbook& workbook_;
    ChartId id_;
    QValueAxis* categoryAxis_;
    QValueAxis* valueAxis_;
    std::vector<QLineSeries*> lines_;      // one per value column of drawn_
    std::vector<LineState> lineStates_;    // by line
    int stride_ = 1;                       // the lines show every stride-th row
    std::optional<SeriesLayout> drawn_;    // the series the lines show
    int drawnUntil_ = 0;                   // the last row whose points are drawn
    bool chartChanged_ = true;
    bool redraw_ = false;                  // a drawn cell changed
    bool namesChanged_ = false;
    bool rowsAdded_ = false;
    Bounds bounds_;
    Bounds shown_;                         // the axes' ranges
};

}  // namespace vantrel::workbook
