#include "button_column_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantrel {

void PlaceBesideButtonColumn(QDialog& dialog, QWidget* group, std::initializer_list<QPushButton*> buttons) {
    auto* column = new QVBoxLayout;
    for (QPushButton* button : buttons) column->addWidget(button);
    column->addStretch();
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(group);
    layout->addLayout(column);
}

}  // namespace vantrel
