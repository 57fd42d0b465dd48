#include "chart.h"

namespace vantrel::workbook {

std::optional<SeriesLayout> LayoutOf(const Chart& chart) {
    if (!chart.source) return std::nullopt;
    const CellRect& source = *chart.source;
    SeriesLayout layout;
    layout.sheet = chart.sourceSheet;
    layout.nameRow = chart.seriesNameRows > 0 ? source.top : 0;
    layout.categoryColumn = chart.categoryColumns > 0 ? source.left : 0;
    layout.firstRow = source.top + (chart.seriesNameRows > 0 ? 1 : 0);
    layout.lastRow = source.bottom;
    for (int column = source.left + (chart.categoryColumns > 0 ? 1 : 0); column <= source.right; ++column) {
        layout.valueColumns.push_back(column);
    }
    return layout;
}

}  // namespace vantrel::workbook
