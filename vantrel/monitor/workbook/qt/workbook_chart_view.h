#pragma once
#include <QChartView>
#include <vector>

#include "vantrel/monitor/workbook/chart_lines.h"

class QLineSeries;
class QValueAxis;

namespace vantrel::workbook {

// Draws one chart of the workbook as ChartLines follows it: titled and with
// the legend as the chart says, each line given only the points that changed.
class WorkbookChartView final : public QChartView {
public:
    static constexpr std::size_t kMaxLinePoints = ChartLines::kMaxLinePoints;

    WorkbookChartView(const Workbook& workbook, ChartId chart, QWidget* parent = nullptr);

    ChartId Id() const { return id_; }
    // The workbook changed a cell or the chart; Refresh brings the drawing up to date.
    void NoteCellChanged(int sheet, CellAddress cell) { lines_.NoteCellChanged(sheet, cell); }
    void NoteChartChanged() { lines_.NoteChartChanged(); }
    bool NeedsRefresh() const { return lines_.NeedsRefresh(); }
    void Refresh();

    const std::vector<QLineSeries*>& Lines() const { return series_; }
    QValueAxis* CategoryAxis() const { return categoryAxis_; }
    QValueAxis* ValueAxis() const { return valueAxis_; }

private:
    void ApplyFormat(const Chart& chart);
    void Rebuild();
    void ApplyBounds();

    ChartId id_;
    ChartLines lines_;
    QValueAxis* categoryAxis_;
    QValueAxis* valueAxis_;
    std::vector<QLineSeries*> series_;  // one per line of lines_
    ChartLines::Bounds shown_;          // the axes' ranges
};

}  // namespace vantrel::workbook
