#pragma once
#include <QWidget>
#include <vector>

#include "vantrel/editors/rows/row_table.h"
#include "vantrel/editors/rows/row_table_view.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace vantrel {

// Renders any RowTable: a grid of (enable box,) control, unit label and
// description under the column headings, then the progress bar and the buttons.
class QtRowTableView : public QWidget, public IRowTableView {
public:
    explicit QtRowTableView(const RowTable& table, QWidget* parent = nullptr);

    RowTableHandlers handlers;

    void SetRowText(int row, const std::string& text) override;
    std::string RowText(int row) const override;
    void SetRowChecked(int row, bool checked) override;
    bool RowChecked(int row) const override;
    void SetEnableBox(int row, bool checked) override;
    bool EnableBox(int row) const override;
    void SetRowEnabled(int row, bool enabled) override;
    void SetRowReadOnly(int row, bool readOnly) override;
    void SetControlEnabled(int row, bool enabled) override;
    void SetUnitLabel(int row, const std::string& text) override;
    void SetDescription(int row, const std::string& text) override;
    void SetButtonEnabled(int button, bool enabled) override;
    void SetProgressRange(int low, int high) override;
    void SetProgressPosition(int position) override;
    void StepProgress() override;

    // The widgets, for layouts that add to them and for tests (null where the row has none).
    QLineEdit* Edit(int row) const { return At(row).edit; }
    QCheckBox* Check(int row) const { return At(row).check; }
    QPushButton* RowButton(int row) const { return At(row).button; }
    QCheckBox* EnableBoxWidget(int row) const { return At(row).enable; }
    QLabel* UnitLabel(int row) const { return At(row).unit; }
    QLabel* Description(int row) const { return At(row).description; }
    QPushButton* Button(int button) const;
    QProgressBar* Progress() const { return progress_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }

private:
    struct RowWidgets {
        QCheckBox* enable = nullptr;
        QLineEdit* edit = nullptr;
        QCheckBox* check = nullptr;
        QPushButton* button = nullptr;
        QLabel* unit = nullptr;
        QLabel* description = nullptr;
    };
    const RowWidgets& At(int row) const { return rows_.at(static_cast<std::size_t>(row)); }
    void BuildRow(QGridLayout& grid, int gridRow, int row, const RowSpec& rowSpec, int firstColumn);

    std::vector<RowWidgets> rows_;
    std::vector<QPushButton*> buttons_;
    QProgressBar* progress_ = nullptr;
};

}  // namespace vantrel
