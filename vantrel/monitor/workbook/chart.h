#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cell_address.h"
#include "vantrel/monitor/spreadsheet.h"

namespace vantrel::workbook {

// A chart object of a worksheet: where it sits, how it is titled and which
// cells it plots. Series are the source's columns: the first column holds the
// categories (the time), the first row the series' names.
struct Chart {
    ChartId id = 0;
    int sheet = 1;  // the worksheet the chart sits on
    ChartPlacement placement;
    std::string title;
    std::string categoryTitle;
    std::string valueTitle;
    bool hasLegend = false;
    std::optional<int16_t> gallery;  // kept as given; every chart is drawn as a line chart
    std::optional<int16_t> format;
    int categoryColumns = 1;  // 0 or 1
    int seriesNameRows = 1;   // 0 or 1
    int sourceSheet = 1;
    std::optional<CellRect> source;  // nothing until the wizard or SetSourceData gives one
};

// The cells a chart's series are read from.
struct SeriesLayout {
    int sheet = 1;
    int nameRow = 0;         // 0: the series have no names
    int categoryColumn = 0;  // 0: the categories are the point numbers
    int firstRow = 1;        // the first row of values
    int lastRow = 0;         // the source's last row (before any trimming)
    std::vector<int> valueColumns;
};

// The series of a chart with a source; nothing without one.
std::optional<SeriesLayout> LayoutOf(const Chart& chart);

}  // namespace vantrel::workbook
