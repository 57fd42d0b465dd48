#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vantrel::workbook {

// The size of a worksheet, as spreadsheet files allow it.
inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;  // "XFD"

// A cell by its row and column, both counted from 1 (A1 is row 1, column 1).
struct CellAddress {
    int row = 1;
    int column = 1;

    auto operator<=>(const CellAddress&) const = default;
};

// The rectangle between two corner cells, whatever their order.
struct CellRect {
    int top = 1;
    int left = 1;
    int bottom = 1;
    int right = 1;

    bool operator==(const CellRect&) const = default;
    bool Contains(CellAddress cell) const {
        return cell.row >= top && cell.row <= bottom && cell.column >= left && cell.column <= right;
    }
    long long CellCount() const {
        return static_cast<long long>(bottom - top + 1) * static_cast<long long>(right - left + 1);
    }
};

// "A1", "d12", "XFD1048576"; nothing for any other text.
std::optional<CellAddress> ParseCellName(std::string_view name);
// "A" for 1, "Z" for 26, "AA" for 27.
std::string ColumnName(int column);
std::string CellName(CellAddress cell);
CellRect RectBetween(CellAddress a, CellAddress b);

}  // namespace vantrel::workbook
