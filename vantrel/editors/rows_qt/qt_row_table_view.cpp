#include "qt_row_table_view.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

namespace vantrel {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

QLabel* Heading(const std::string& text, QWidget* parent) {
    auto* label = new QLabel(Q(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

}  // namespace

QtRowTableView::QtRowTableView(const RowTable& table, QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    outer->addLayout(grid);

    const bool enableColumn = table.HasEnableBoxes();
    const int firstColumn = enableColumn ? 1 : 0;
    if (enableColumn) grid->addWidget(Heading(table.enableHeading, this), 0, 0);
    grid->addWidget(Heading(table.controlHeading, this), 0, firstColumn);
    grid->addWidget(Heading(table.unitHeading, this), 0, firstColumn + 1);
    grid->addWidget(Heading(table.descriptionHeading, this), 0, firstColumn + 2);
    grid->setColumnStretch(firstColumn + 2, 1);

    rows_.resize(table.rows.size());
    for (std::size_t i = 0; i < table.rows.size(); ++i) {
        BuildRow(*grid, static_cast<int>(i) + 1, static_cast<int>(i), table.rows[i], firstColumn);
    }

    if (table.progress) {
        auto* progressRow = new QHBoxLayout();
        progressRow->addWidget(new QLabel(Q(table.progressLabel), this));
        progress_ = new QProgressBar(this);
        progress_->setTextVisible(false);
        progress_->setRange(1, 1);
        progress_->setValue(1);
        progressRow->addWidget(progress_, 1);
        outer->addLayout(progressRow);
    }

    if (!table.buttons.empty()) {
        auto* buttonRow = new QHBoxLayout();
        buttonRow->addStretch(1);
        for (std::size_t i = 0; i < table.buttons.size(); ++i) {
            auto* button = new QPushButton(Q(table.buttons[i]), this);
            button->setAutoDefault(false);
            const int index = static_cast<int>(i);
            connect(button, &QPushButton::clicked, this, [this, index] {
                if (handlers.button) handlers.button(index);
            });
            buttonRow->addWidget(button);
            buttons_.push_back(button);
        }
        outer->addLayout(buttonRow);
    }
}

void QtRowTableView::BuildRow(QGridLayout& grid, int gridRow, int row, const RowSpec& rowSpec, int firstColumn) {
    RowWidgets& w = rows_[static_cast<std::size_t>(row)];
    if (rowSpec.control == RowControl::GroupTitle) {
        w.description = Heading(rowSpec.description, this);
        grid.addWidget(w.description, gridRow, 0, 1, firstColumn + 3);
        w.description->setVisible(rowSpec.visible);
        return;
    }

    if (rowSpec.enableBox) {
        w.enable = new QCheckBox(this);
        connect(w.enable, &QCheckBox::clicked, this, [this, row](bool checked) {
            if (handlers.enableToggled) handlers.enableToggled(row, checked);
        });
        grid.addWidget(w.enable, gridRow, 0);
    }

    auto* cell = new QWidget(this);
    auto* cellLayout = new QHBoxLayout(cell);
    cellLayout->setContentsMargins(0, 0, 0, 0);
    if (rowSpec.control == RowControl::Edit) {
        w.edit = new QLineEdit(cell);
        if (rowSpec.digitsOnly) {
            w.edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), w.edit));
        }
        if (rowSpec.maxLength > 0) w.edit->setMaxLength(rowSpec.maxLength);
        connect(w.edit, &QLineEdit::textEdited, this, [this, row](const QString& text) {
            if (handlers.textEdited) handlers.textEdited(row, text.toStdString());
        });
        connect(w.edit, &QLineEdit::editingFinished, this, [this, row] {
            if (handlers.editFinished) handlers.editFinished(row);
        });
        cellLayout->addWidget(w.edit);
    }
    if (rowSpec.control == RowControl::CheckBox || rowSpec.control == RowControl::CheckAndButton) {
        w.check = new QCheckBox(Q(rowSpec.control == RowControl::CheckBox ? rowSpec.controlText : std::string()), cell);
        connect(w.check, &QCheckBox::clicked, this, [this, row](bool checked) {
            if (handlers.checkToggled) handlers.checkToggled(row, checked);
        });
        cellLayout->addWidget(w.check);
    }
    if (rowSpec.control == RowControl::Button || rowSpec.control == RowControl::CheckAndButton) {
        w.button = new QPushButton(Q(rowSpec.controlText), cell);
        w.button->setAutoDefault(false);
        connect(w.button, &QPushButton::clicked, this, [this, row] {
            if (handlers.rowButton) handlers.rowButton(row);
        });
        cellLayout->addWidget(w.button);
    }
    grid.addWidget(cell, gridRow, firstColumn);

    w.unit = new QLabel(Q(rowSpec.unitLabel), this);
    w.description = new QLabel(Q(rowSpec.description), this);
    grid.addWidget(w.unit, gridRow, firstColumn + 1);
    grid.addWidget(w.description, gridRow, firstColumn + 2);

    for (QWidget* widget : {static_cast<QWidget*>(w.enable), cell, static_cast<QWidget*>(w.unit),
                            static_cast<QWidget*>(w.description)}) {
        if (widget != nullptr) widget->setVisible(rowSpec.visible);
    }
    SetRowEnabled(row, rowSpec.enabled);
}

void QtRowTableView::SetRowText(int row, const std::string& text) {
    if (QLineEdit* edit = At(row).edit) edit->setText(Q(text));
}

std::string QtRowTableView::RowText(int row) const {
    const QLineEdit* edit = At(row).edit;
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

void QtRowTableView::SetRowChecked(int row, bool checked) {
    if (QCheckBox* check = At(row).check) check->setChecked(checked);
}

bool QtRowTableView::RowChecked(int row) const {
    const QCheckBox* check = At(row).check;
    return check != nullptr && check->isChecked();
}

void QtRowTableView::SetEnableBox(int row, bool checked) {
    if (QCheckBox* box = At(row).enable) box->setChecked(checked);
}

bool QtRowTableView::EnableBox(int row) const {
    const QCheckBox* box = At(row).enable;
    return box != nullptr && box->isChecked();
}

void QtRowTableView::SetRowEnabled(int row, bool enabled) {
    const RowWidgets& w = At(row);
    for (QWidget* widget : {static_cast<QWidget*>(w.edit), static_cast<QWidget*>(w.check),
                            static_cast<QWidget*>(w.button), static_cast<QWidget*>(w.unit),
                            static_cast<QWidget*>(w.description)}) {
        if (widget != nullptr) widget->setEnabled(enabled);
    }
}

void QtRowTableView::SetRowReadOnly(int row, bool readOnly) {
    if (QLineEdit* edit = At(row).edit) edit->setReadOnly(readOnly);
}

void QtRowTableView::SetControlEnabled(int row, bool enabled) {
    const RowWidgets& w = At(row);
    if (w.button != nullptr) {
        w.button->setEnabled(enabled);
    } else if (w.edit != nullptr) {
        w.edit->setEnabled(enabled);
    } else if (w.check != nullptr) {
        w.check->setEnabled(enabled);
    }
}

void QtRowTableView::SetUnitLabel(int row, const std::string& text) {
    if (QLabel* label = At(row).unit) label->setText(Q(text));
}

void QtRowTableView::SetDescription(int row, const std::string& text) {
    if (QLabel* label = At(row).description) label->setText(Q(text));
}

QPushButton* QtRowTableView::Button(int button) const { return buttons_.at(static_cast<std::size_t>(button)); }

void QtRowTableView::SetButtonEnabled(int button, bool enabled) { Button(button)->setEnabled(enabled); }

void QtRowTableView::SetProgressRange(int low, int high) {
    if (progress_ != nullptr) progress_->setRange(low, std::max(low, high));
}

void QtRowTableView::SetProgressPosition(int position) {
    if (progress_ != nullptr) progress_->setValue(std::clamp(position, progress_->minimum(), progress_->maximum()));
}

void QtRowTableView::StepProgress() {
    if (progress_ != nullptr) progress_->setValue(std::min(progress_->value() + 1, progress_->maximum()));
}

}  // namespace vantrel
