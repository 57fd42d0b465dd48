#include "sheet_table_model.h"

#include <algorithm>

namespace vantrel::workbook {
namespace {

// The first step boundary above count: the grid keeps empty cells below and right of the last one.
int Stepped(int count, int step) { return (count / step + 1) * step; }

}  // namespace

SheetTableModel::SheetTableModel(const Workbook& workbook, int sheet, QObject* parent)
    : QAbstractTableModel(parent), workbook_(workbook), sheet_(sheet) {
    const Worksheet& worksheet = workbook_.Sheet(sheet_);
    rows_ = std::min(Stepped(worksheet.LastRow(), kRowStep), kMaxRows);
    columns_ = std::min(Stepped(worksheet.LastColumn(), kColumnStep), kMaxColumns);
}

int SheetTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int SheetTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : columns_; }

QVariant SheetTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != Qt::ToolTipRole)) {
        return {};
    }
    const Cell* cell = workbook_.Sheet(sheet_).Find({index.row() + 1, index.column() + 1});
    if (cell == nullptr) return {};
    switch (role) {
        case Qt::DisplayRole: return QString::fromStdString(DisplayText(cell->value));
        // Numbers line up on the right as in any spreadsheet; texts and errors on the left.
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignVCenter | (cell->value.IsNumber() ? Qt::AlignRight : Qt::AlignLeft));
        default: return cell->IsFormula() ? QString::fromStdString(cell->text) : QVariant();  // the formula itself
    }
}

QVariant SheetTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Horizontal) return QString::fromStdString(ColumnName(section + 1));
    return section + 1;
}

void SheetTableModel::CellChanged(CellAddress cell) {
    if (cell.row > rows_) {
        const int grown = std::min(Stepped(cell.row, kRowStep), kMaxRows);
        beginInsertRows({}, rows_, grown - 1);
        rows_ = grown;
        endInsertRows();
    }
    if (cell.column > columns_) {
        const int grown = std::min(Stepped(cell.column, kColumnStep), kMaxColumns);
        beginInsertColumns({}, columns_, grown - 1);
        columns_ = grown;
        endInsertColumns();
    }
    const QModelIndex changed = index(cell.row - 1, cell.column - 1);
    Q_EMIT dataChanged(changed, changed, {Qt::DisplayRole, Qt::TextAlignmentRole, Qt::ToolTipRole});
}

}  // namespace vantrel::workbook
