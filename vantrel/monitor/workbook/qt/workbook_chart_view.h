#pragma once
#include <QChartView>
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
// redraws it whole.
class WorkbookChartView final : public QChartView {
public:
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

    void ApplyFormat(const Chart& chart);
    void Rebuild(const SeriesLayout& layout);
    // Adds the points of the rows after the ones drawn, up to the source's last row.
    void AppendNewRows();
    void ApplyBounds();
    bool SameSeries(const SeriesLayout& layout) const;
    QString HeaderText(int column) const;

    const Workbook& workbook_;
    ChartId id_;
    QValueAxis* categoryAxis_;
    QValueAxis* valueAxis_;
    std::vector<QLineSeries*> lines_;      // one per value column of drawn_
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
