#include "workbook.h"

#include <algorithm>

namespace vantrel::workbook {

Workbook::Workbook() {
    for (int sheet = 1; sheet <= kSheetCount; ++sheet) sheets_.emplace_back("Sheet" + std::to_string(sheet));
}

void Workbook::SetCell(int sheet, CellAddress cell, std::string text) {
    sheets_.at(static_cast<std::size_t>(sheet - 1)).Set(cell, std::move(text));
    for (IWorkbookListener* listener : listeners_) listener->CellChanged(sheet, cell);
}

ChartId Workbook::AddChart(int sheet, const ChartPlacement& placement) {
    Chart chart;
    chart.id = static_cast<ChartId>(charts_.size()) + 1;
    chart.sheet = sheet;
    chart.sourceSheet = sheet;
    chart.placement = placement;
    charts_.push_back(chart);
    sheets_.at(static_cast<std::size_t>(sheet - 1)).AddChart(chart.id);
    for (IWorkbookListener* listener : listeners_) listener->ChartAdded(chart.id);
    return chart.id;
}

const Chart* Workbook::FindChart(ChartId chart) const {
    if (chart < 1 || chart > static_cast<ChartId>(charts_.size())) return nullptr;
    return &charts_[static_cast<std::size_t>(chart - 1)];
}

void Workbook::SetVisible(bool visible) {
    visible_ = visible;
    ViewStateChanged();
}

void Workbook::SetSheetVisible(int sheet, bool visible) {
    sheets_.at(static_cast<std::size_t>(sheet - 1)).SetVisible(visible);
    ViewStateChanged();
}

void Workbook::SetActiveSheet(int sheet) {
    activeSheet_ = sheet;
    ViewStateChanged();
}

void Workbook::RemoveListener(IWorkbookListener* listener) { std::erase(listeners_, listener); }

void Workbook::ViewStateChanged() {
    for (IWorkbookListener* listener : listeners_) listener->ViewStateChanged();
}

}  // namespace vantrel::workbook
