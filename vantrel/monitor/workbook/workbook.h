#pragma once
#include <optional>
#include <string>
#include <vector>

#include "cell_address.h"
#include "chart.h"
#include "worksheet.h"

namespace vantrel::workbook {

// Told of every change of a workbook, so that a view updates only what changed.
class IWorkbookListener {
public:
    virtual ~IWorkbookListener() = default;
    virtual void CellChanged(int sheet, CellAddress cell) = 0;
    virtual void ChartAdded(ChartId chart) = 0;
    // Titles, legend or source changed.
    virtual void ChartChanged(ChartId chart) = 0;
    // The workbook's own visibility, a sheet's visibility or the active sheet.
    virtual void ViewStateChanged() = 0;
};

// Three worksheets ("Sheet1" to "Sheet3", numbered from 1), their charts, and
// which of them the user sees. The model checks nothing of what callers pass
// beyond what keeps it consistent; the application refuses bad requests.
class Workbook {
public:
    static constexpr int kSheetCount = 3;

    Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    int SheetCount() const { return static_cast<int>(sheets_.size()); }
    bool HasSheet(int sheet) const { return sheet >= 1 && sheet <= SheetCount(); }
    // sheet from 1.
    const Worksheet& Sheet(int sheet) const { return sheets_.at(static_cast<std::size_t>(sheet - 1)); }
    void SetCell(int sheet, CellAddress cell, std::string text);

    ChartId AddChart(int sheet, const ChartPlacement& placement);
    // Null for an unknown id.
    const Chart* FindChart(ChartId chart) const;
    // Applies change to the chart and tells the listeners.
    template <class Change>
    void ChangeChart(ChartId chart, Change change) {
        change(charts_.at(static_cast<std::size_t>(chart - 1)));
        for (IWorkbookListener* listener : listeners_) listener->ChartChanged(chart);
    }

    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    void SetSheetVisible(int sheet, bool visible);
    int ActiveSheet() const { return activeSheet_; }
    void SetActiveSheet(int sheet);

    void AddListener(IWorkbookListener* listener) { listeners_.push_back(listener); }
    void RemoveListener(IWorkbookListener* listener);

private:
    void ViewStateChanged();

    std::vector<Worksheet> sheets_;
    std::vector<Chart> charts_;  // by id - 1
    bool visible_ = false;
    int activeSheet_ = 1;
    std::vector<IWorkbookListener*> listeners_;
};

}  // namespace vantrel::workbook
