#include "worksheet.h"

#include <algorithm>

namespace vantrel::workbook {

const Cell* Worksheet::Find(CellAddress cell) const {
    const auto row = rows_.find(cell.row);
    if (row == rows_.end()) return nullptr;
    const auto found = row->second.find(cell.column);
    return found == row->second.end() ? nullptr : &found->second;
}

void Worksheet::Set(CellAddress cell, std::string text) {
    if (text.empty()) {
        const auto row = rows_.find(cell.row);
        if (row == rows_.end()) return;
        row->second.erase(cell.column);
        if (row->second.empty()) rows_.erase(row);
        return;
    }
    CellValue value = ValueOfCellText(text);
    // Rows arrive in order: hinting the end keeps an appended row's insertion constant.
    auto row = rows_.empty() || rows_.rbegin()->first < cell.row ? rows_.try_emplace(rows_.end(), cell.row)
                                                                   : rows_.try_emplace(cell.row).first;
    Cell& target = row->second[cell.column];
    target.text = std::move(text);
    target.value = std::move(value);
}

int Worksheet::LastColumn() const {
    int last = 0;
    for (const auto& [number, row] : rows_) last = std::max(last, row.rbegin()->first);
    return last;
}

}  // namespace vantrel::workbook
