#pragma once
#include <map>
#include <string>
#include <vector>

#include "cell_address.h"
#include "cell_value.h"
#include "vantrel/monitor/spreadsheet.h"

namespace vantrel::workbook {

// A cell: the text put into it and what that text shows.
struct Cell {
    std::string text;
    CellValue value;

    bool IsFormula() const { return !text.empty() && text.front() == '='; }
};

// A worksheet: a sparse grid of cells by row and column, and its charts.
class Worksheet {
public:
    using Row = std::map<int, Cell>;  // by column

    explicit Worksheet(std::string name) : name_(std::move(name)) {}

    const std::string& Name() const { return name_; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Null for an empty cell.
    const Cell* Find(CellAddress cell) const;
    // Sets the cell's text; an empty text empties the cell.
    void Set(CellAddress cell, std::string text);

    // The rows holding cells, by row number, each ordered by column.
    const std::map<int, Row>& Rows() const { return rows_; }
    // The lowest row and the rightmost column holding a cell; 0 when empty.
    int LastRow() const { return rows_.empty() ? 0 : rows_.rbegin()->first; }
    int LastColumn() const;

    const std::vector<ChartId>& Charts() const { return charts_; }
    void AddChart(ChartId chart) { charts_.push_back(chart); }

private:
    std::string name_;
    bool visible_ = true;
    std::map<int, Row> rows_;
    std::vector<ChartId> charts_;  // in the order they were added: later ones on top
};

}  // namespace vantrel::workbook
