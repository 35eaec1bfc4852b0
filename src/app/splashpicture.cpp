#include "splashpicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace kesp::app {

namespace {

QFont font(int pixelSize, int weight, bool serif = false)
{
    QFont f(serif ? QStringLiteral("Liberation Serif") : QStringLiteral("Liberation Sans"));
    f.setStyleHint(serif ? QFont::Serif : QFont::SansSerif);
    f.setPixelSize(pixelSize);
    f.setWeight(static_cast<QFont::Weight>(weight));
    return f;
}

// A shield with a cross on it: protection at work.
void paintEmblem(QPainter &p, const QPointF &centre, qreal size)
{
    const qreal w = size * 0.82;
    const qreal h = size;
    const qreal x = centre.x() - w / 2;
    const qreal y = centre.y() - h / 2;

    QPainterPath shield;
    shield.moveTo(centre.x(), y);
    shield.cubicTo(x + w * 0.72, y + h * 0.08, x + w, y + h * 0.06, x + w, y + h * 0.10);
    shield.lineTo(x + w, y + h * 0.45);
    shield.cubicTo(x + w, y + h * 0.75, centre.x() + w * 0.18, y + h * 0.92, centre.x(), y + h);
    shield.cubicTo(centre.x() - w * 0.18, y + h * 0.92, x, y + h * 0.75, x, y + h * 0.45);
    shield.lineTo(x, y + h * 0.10);
    shield.cubicTo(x, y + h * 0.06, x + w * 0.28, y + h * 0.08, centre.x(), y);
    shield.closeSubpath();

    QLinearGradient fill(x, y, x + w, y + h);
    fill.setColorAt(0, QColor(255, 255, 255, 235));
    fill.setColorAt(1, QColor(214, 230, 240, 235));
    p.setPen(QPen(QColor(255, 255, 255, 120), 3));
    p.setBrush(fill);
    p.drawPath(shield);

    // The green cross, the "+" of the program's name.
    const qreal arm = w * 0.20;
    const qreal len = w * 0.62;
    const QPointF c(centre.x(), y + h * 0.47);
    QPainterPath cross;
    cross.addRoundedRect(QRectF(c.x() - arm / 2, c.y() - len / 2, arm, len), 3, 3);
    cross.addRoundedRect(QRectF(c.x() - len / 2, c.y() - arm / 2, len, arm), 3, 3);
    cross.setFillRule(Qt::WindingFill);
    QLinearGradient green(c.x(), c.y() - len / 2, c.x(), c.y() + len / 2);
    green.setColorAt(0, QColor(92, 196, 112));
    green.setColorAt(1, QColor(38, 140, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(green);
    p.drawPath(cross.simplified());
}

} // namespace

QImage splashPicture(const QString &version)
{
    const QSize size(306, 458);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    const QRectF card(0.5, 0.5, size.width() - 1, size.height() - 1);
    QPainterPath shape;
    shape.addRoundedRect(card, 22, 22);

    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(14, 44, 86));
    sky.setColorAt(0.55, QColor(22, 84, 128));
    sky.setColorAt(1.0, QColor(20, 112, 136));
    p.fillPath(shape, sky);

    p.save();
    p.setClipPath(shape);
    // A soft light behind the emblem.
    QRadialGradient glow(QPointF(size.width() / 2.0, 150), 150);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(card, glow);
    // Two gentle bands across the foot of the card.
    for (int i = 0; i < 2; ++i) {
        QPainterPath band;
        const qreal top = 372 + i * 22;
        band.moveTo(0, top + 20);
        band.cubicTo(90, top - 18, 200, top + 42, size.width(), top);
        band.lineTo(size.width(), size.height());
        band.lineTo(0, size.height());
        band.closeSubpath();
        p.fillPath(band, QColor(255, 255, 255, i == 0 ? 22 : 30));
    }
    p.restore();

    paintEmblem(p, QPointF(size.width() / 2.0, 138), 128);

    p.setPen(Qt::white);
    p.setFont(font(56, QFont::Bold));
    p.drawText(QRectF(0, 222, size.width(), 70), Qt::AlignCenter, QStringLiteral("КЕСП+"));

    p.setPen(QColor(255, 255, 255, 90));
    p.drawLine(QPointF(60, 300), QPointF(size.width() - 60, 300));

    p.setPen(QColor(226, 238, 246));
    p.setFont(font(15, QFont::Normal, true));
    p.drawText(QRectF(16, 308, size.width() - 32, 48),
               Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
               QStringLiteral("Декларация по чл. 15 от ЗКЕСП"));

    if (!version.isEmpty()) {
        p.setPen(QColor(255, 255, 255, 220));
        p.setFont(font(13, QFont::Normal));
        p.drawText(QRectF(0, 414, size.width(), 24),
                   Qt::AlignCenter,
                   QStringLiteral("Версия %1").arg(version));
    }

    // A fine rim so the shape reads on any desktop.
    p.setPen(QPen(QColor(255, 255, 255, 70), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return image;
}

} // namespace kesp::app
