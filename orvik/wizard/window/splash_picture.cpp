#include "orvik/wizard/window/splash_picture.h"

#include <algorithm>

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace orvik {
namespace {

void DrawBattery(QPainter& painter, const QRectF& body) {
    painter.setPen(QPen(QColor(230, 236, 245), 4));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(body, 8, 8);
    const QRectF terminal(body.right(), body.center().y() - body.height() / 6, body.width() / 14, body.height() / 3);
    painter.setBrush(QColor(230, 236, 245));
    painter.drawRect(terminal);

    // Four charge bars, the last one still filling.
    const qreal gap = body.width() / 24;
    const qreal barWidth = (body.width() - 5 * gap) / 4;
    for (int bar = 0; bar < 4; ++bar) {
        const QRectF cell(body.left() + gap + bar * (barWidth + gap), body.top() + gap, barWidth,
                          body.height() - 2 * gap);
        QColor fill = bar < 3 ? QColor(120, 210, 110) : QColor(250, 200, 70);
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawRoundedRect(bar < 3 ? cell : cell.adjusted(0, cell.height() / 2, 0, 0), 3, 3);
    }
}

void DrawBolt(QPainter& painter, const QRectF& box) {
    QPainterPath bolt;
    bolt.moveTo(box.left() + box.width() * 0.60, box.top());
    bolt.lineTo(box.left() + box.width() * 0.15, box.top() + box.height() * 0.55);
    bolt.lineTo(box.left() + box.width() * 0.48, box.top() + box.height() * 0.55);
    bolt.lineTo(box.left() + box.width() * 0.35, box.bottom());
    bolt.lineTo(box.left() + box.width() * 0.85, box.top() + box.height() * 0.40);
    bolt.lineTo(box.left() + box.width() * 0.52, box.top() + box.height() * 0.40);
    bolt.closeSubpath();
    painter.setPen(QPen(QColor(60, 40, 0), 1.5));
    painter.setBrush(QColor(255, 214, 60));
    painter.drawPath(bolt);
}

}  // namespace

SplashPicture::SplashPicture(QWidget* parent) : QWidget(parent) { resize(kWidth, kHeight); }

void SplashPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The picture keeps its proportions inside whatever size the window gives it.
    const qreal scale = std::min(width() / qreal(kWidth), height() / qreal(kHeight));
    const qreal w = kWidth * scale;
    const qreal h = kHeight * scale;
    painter.translate((width() - w) / 2, (height() - h) / 2);
    painter.scale(scale, scale);

    QLinearGradient sky(0, 0, 0, kHeight);
    sky.setColorAt(0, QColor(24, 52, 96));
    sky.setColorAt(1, QColor(10, 22, 44));
    painter.setPen(Qt::NoPen);
    painter.setBrush(sky);
    painter.drawRoundedRect(QRectF(0, 0, kWidth, kHeight), 10, 10);

    DrawBattery(painter, QRectF(28, 42, 150, 86));
    DrawBolt(painter, QRectF(82, 30, 46, 110));

    painter.setPen(QColor(240, 244, 250));
    QFont title("Sans Serif");
    title.setPixelSize(54);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRectF(215, 22, 380, 70), Qt::AlignLeft | Qt::AlignVCenter, "Orvik");

    QFont subtitle("Sans Serif");
    subtitle.setPixelSize(19);
    painter.setFont(subtitle);
    painter.setPen(QColor(170, 196, 230));
    painter.drawText(QRectF(217, 92, 380, 28), Qt::AlignLeft | Qt::AlignVCenter, "Charger profile wizard");
    subtitle.setPixelSize(14);
    painter.setFont(subtitle);
    painter.drawText(QRectF(217, 120, 380, 24), Qt::AlignLeft | Qt::AlignVCenter,
                     "for IXEN smart battery charger boards");
}

}  // namespace orvik
