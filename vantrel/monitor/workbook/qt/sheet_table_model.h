#pragma once
#include <QAbstractTableModel>

#include "vantrel/monitor/workbook/workbook.h"

namespace vantrel::workbook {

// One worksheet's grid as a table: columns A.., rows 1.., each cell showing
// its value (a formula's result). The grid always shows some empty rows and
// columns beyond the last cell, grown in steps, and reports only the cells
// that changed.
class SheetTableModel final : public QAbstractTableModel {
public:
    static constexpr int kRowStep = 100;
    static constexpr int kColumnStep = 26;

    SheetTableModel(const Workbook& workbook, int sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The workbook changed this sheet's cell.
    void CellChanged(CellAddress cell);

private:
    const Workbook& workbook_;
    int sheet_;
    int rows_ = kRowStep;
    int columns_ = kColumnStep;
};

}  // namespace vantrel::workbook
