#pragma once
#include <QWidget>

namespace orvik {

// The picture shown over the description box until the first page is read:
// drawn, not loaded, and scaled to the widget keeping its proportions.
class SplashPicture : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 609;
    static constexpr int kHeight = 169;

    explicit SplashPicture(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvik
