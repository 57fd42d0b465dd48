#pragma once
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

namespace vantrel {

// The foot of a console window: a progress bar, then a right-aligned row of
// buttons in the order of their texts.
template <std::size_t N>
struct ProgressAndButtons {
    QProgressBar* progress = nullptr;
    std::array<QPushButton*, N> buttons{};

    ProgressAndButtons(QVBoxLayout& layout, QWidget* parent, const std::array<const char*, N>& texts) {
        progress = new QProgressBar(parent);
        progress->setTextVisible(false);
        layout.addWidget(progress);
        auto* row = new QHBoxLayout();
        row->addStretch(1);
        for (std::size_t i = 0; i < N; ++i) {
            buttons[i] = new QPushButton(texts[i], parent);
            buttons[i]->setAutoDefault(false);
            row->addWidget(buttons[i]);
        }
        layout.addLayout(row);
    }
};

// Like the row tables' bars: a position outside the range shows its nearest end.
inline void ShowProgressPosition(QProgressBar& bar, int position) {
    bar.setValue(std::clamp(position, bar.minimum(), bar.maximum()));
}

}  // namespace vantrel
