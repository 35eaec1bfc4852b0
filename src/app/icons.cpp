#include "icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kesp::app {

namespace {

const QColor kOutline(52, 64, 84);
const QColor kPaper(252, 252, 250);
const QColor kBlue(40, 110, 190);
const QColor kGreen(46, 150, 80);
const QColor kRed(200, 50, 50);
const QColor kAmber(226, 160, 40);

// A sheet with a folded corner, the base of several pictures.
void page(QPainter &p, const QRectF &r, const QColor &fold = QColor(210, 218, 228))
{
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - 3.5, r.top());
    sheet.lineTo(r.right(), r.top() + 3.5);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    p.setPen(QPen(kOutline, 0.9));
    p.setBrush(kPaper);
    p.drawPath(sheet);
    QPainterPath corner;
    corner.moveTo(r.right() - 3.5, r.top());
    corner.lineTo(r.right() - 3.5, r.top() + 3.5);
    corner.lineTo(r.right(), r.top() + 3.5);
    corner.closeSubpath();
    p.setBrush(fold);
    p.drawPath(corner);
}

void lines(QPainter &p, qreal left, qreal right, qreal top, int count, qreal step = 2.2)
{
    p.setPen(QPen(QColor(140, 150, 165), 0.9));
    for (int i = 0; i < count; ++i)
        p.drawLine(QPointF(left, top + i * step), QPointF(right, top + i * step));
}

void arrowRight(QPainter &p, const QPointF &from, qreal length, const QColor &colour)
{
    p.setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    const QPointF to(from.x() + length, from.y());
    p.drawLine(from, to);
    p.drawLine(to, to + QPointF(-2.8, -2.8));
    p.drawLine(to, to + QPointF(-2.8, 2.8));
}

void printer(QPainter &p)
{
    page(p, QRectF(4, 1.5, 8, 6));
    p.setPen(QPen(kOutline, 0.9));
    QLinearGradient body(0, 6, 0, 12);
    body.setColorAt(0, QColor(190, 198, 210));
    body.setColorAt(1, QColor(130, 140, 156));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1.2, 1.2);
    p.setBrush(kPaper);
    p.drawRect(QRectF(4, 10, 8, 4.5));
    lines(p, 5.2, 10.8, 11.6, 2, 1.6);
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(12.6, 7.8), 0.7, 0.7);
}

void paint(QPainter &p, IconKind kind)
{
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case IconKind::Exit: {
        p.setPen(QPen(kOutline, 0.9));
        p.setBrush(QColor(168, 112, 64));
        p.drawRect(QRectF(2, 1.5, 7, 13));
        p.setBrush(QColor(205, 150, 96));
        QPolygonF door;
        door << QPointF(2, 1.5) << QPointF(6.5, 3) << QPointF(6.5, 15.5) << QPointF(2, 14.5);
        p.drawPolygon(door);
        p.setPen(Qt::NoPen);
        p.setBrush(kAmber);
        p.drawEllipse(QPointF(5.6, 9), 0.6, 0.6);
        arrowRight(p, QPointF(8.5, 8), 6, kRed);
        break;
    }
    case IconKind::Activities: {
        p.setPen(QPen(kOutline, 0.9));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(5.5, 2.5, 5, 3), 1, 1);
        QLinearGradient leather(0, 4, 0, 14);
        leather.setColorAt(0, QColor(176, 120, 70));
        leather.setColorAt(1, QColor(128, 80, 42));
        p.setBrush(leather);
        p.drawRoundedRect(QRectF(1.5, 5, 13, 9), 1.5, 1.5);
        p.setPen(QPen(QColor(90, 56, 28), 0.9));
        p.drawLine(QPointF(1.5, 9), QPointF(14.5, 9));
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(kAmber);
        p.drawRect(QRectF(7, 8, 2, 2.2));
        break;
    }
    case IconKind::Chemicals: {
        QPainterPath flask;
        flask.moveTo(6, 1.5);
        flask.lineTo(10, 1.5);
        flask.lineTo(10, 6);
        flask.lineTo(14, 13);
        flask.quadTo(14.5, 14.5, 13, 14.5);
        flask.lineTo(3, 14.5);
        flask.quadTo(1.5, 14.5, 2, 13);
        flask.lineTo(6, 6);
        flask.closeSubpath();
        p.setPen(QPen(kOutline, 0.9));
        p.setBrush(QColor(236, 244, 250));
        p.drawPath(flask);
        QPainterPath liquid;
        liquid.moveTo(4.2, 9.5);
        liquid.lineTo(11.8, 9.5);
        liquid.lineTo(14, 13);
        liquid.quadTo(14.5, 14.5, 13, 14.5);
        liquid.lineTo(3, 14.5);
        liquid.quadTo(1.5, 14.5, 2, 13);
        liquid.closeSubpath();
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawPath(liquid);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(7, 12), 0.9, 0.9);
        p.drawEllipse(QPointF(9.8, 11), 0.6, 0.6);
        break;
    }
    case IconKind::Settlements: {
        p.setPen(QPen(kOutline, 0.9));
        p.setBrush(QColor(240, 232, 214));
        p.drawRect(QRectF(3, 7.5, 10, 7));
        QPolygonF roof;
        roof << QPointF(1.5, 8) << QPointF(8, 2) << QPointF(14.5, 8);
        p.setBrush(kRed);
        p.drawPolygon(roof);
        p.setBrush(kBlue.lighter(150));
        p.drawRect(QRectF(4.5, 9, 3, 2.6));
        p.setBrush(QColor(150, 98, 56));
        p.drawRect(QRectF(9, 10, 2.6, 4.5));
        break;
    }
    case IconKind::Sign: {
        page(p, QRectF(1.5, 1.5, 10, 13));
        lines(p, 3, 9, 4.5, 3);
        p.setPen(QPen(kBlue, 1.1, Qt::SolidLine, Qt::RoundCap));
        QPainterPath scribble;
        scribble.moveTo(3, 12);
        scribble.cubicTo(4, 9.5, 5, 13.5, 6.2, 11.2);
        scribble.cubicTo(7, 10, 7.6, 12.8, 8.8, 11.6);
        p.setBrush(Qt::NoBrush);
        p.drawPath(scribble);
        // The seal of the qualified signature.
        p.setPen(QPen(QColor(150, 30, 30), 0.8));
        p.setBrush(kRed);
        p.drawEllipse(QPointF(12, 11.5), 3, 3);
        p.setPen(QPen(Qt::white, 0.9));
        p.drawLine(QPointF(10.8, 11.6), QPointF(11.7, 12.5));
        p.drawLine(QPointF(11.7, 12.5), QPointF(13.3, 10.6));
        break;
    }
    case IconKind::BlankDeclaration:
    case IconKind::BlankNotification: {
        const bool declaration = kind == IconKind::BlankDeclaration;
        page(p, QRectF(3, 1, 10, 14), declaration ? kBlue.lighter(160) : kGreen.lighter(160));
        p.setPen(QPen(declaration ? kBlue : kGreen, 1.4));
        p.drawLine(QPointF(4.5, 3.2), QPointF(8.5, 3.2));
        p.setPen(QPen(QColor(190, 198, 210), 0.8, Qt::DotLine));
        for (int i = 0; i < 4; ++i)
            p.drawLine(QPointF(4.5, 6 + i * 2.2), QPointF(11.5, 6 + i * 2.2));
        break;
    }
    case IconKind::WorkingCopy: {
        page(p, QRectF(3, 1, 10, 14));
        lines(p, 4.5, 11.5, 3.5, 5);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(200, 50, 50, 190));
        QPolygonF stripe;
        stripe << QPointF(3, 12.5) << QPointF(11, 4.5) << QPointF(13, 4.5) << QPointF(13, 6.5)
               << QPointF(6.5, 13) << QPointF(3, 13);
        p.drawPolygon(stripe);
        break;
    }
    case IconKind::Import: {
        page(p, QRectF(5, 1, 9.5, 14));
        p.setPen(QPen(kOutline, 0.9));
        lines(p, 8.5, 13, 4, 4);
        arrowRight(p, QPointF(1, 10.5), 7, kGreen);
        break;
    }
    case IconKind::Directorates: {
        p.setPen(QPen(kOutline, 0.9));
        QPolygonF pediment;
        pediment << QPointF(1.5, 5.5) << QPointF(8, 1.5) << QPointF(14.5, 5.5);
        p.setBrush(QColor(226, 222, 210));
        p.drawPolygon(pediment);
        p.drawRect(QRectF(2, 5.5, 12, 1.5));
        for (int i = 0; i < 4; ++i)
            p.drawRect(QRectF(3 + i * 3, 7.5, 1.6, 5));
        p.setBrush(QColor(200, 194, 178));
        p.drawRect(QRectF(1.5, 13, 13, 1.8));
        break;
    }
    case IconKind::RemoteSupport: {
        p.setPen(QPen(kOutline, 0.9));
        p.setBrush(QColor(70, 80, 96));
        p.drawRoundedRect(QRectF(1, 2, 14, 9.5), 1, 1);
        QLinearGradient screen(0, 3, 0, 10);
        screen.setColorAt(0, QColor(120, 180, 235));
        screen.setColorAt(1, QColor(40, 110, 190));
        p.setBrush(screen);
        p.drawRect(QRectF(2.2, 3.2, 11.6, 7));
        p.setBrush(QColor(130, 140, 156));
        p.drawRect(QRectF(6.5, 11.5, 3, 2));
        p.drawRect(QRectF(4, 13.5, 8, 1.3));
        p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4.5, 5.5), QPointF(10.5, 5.5));
        p.drawLine(QPointF(10.5, 5.5), QPointF(9, 4.3));
        p.drawLine(QPointF(11.5, 8), QPointF(5.5, 8));
        p.drawLine(QPointF(5.5, 8), QPointF(7, 9.2));
        break;
    }
    case IconKind::About: {
        QRadialGradient ball(QPointF(6, 5), 9);
        ball.setColorAt(0, kBlue.lighter(150));
        ball.setColorAt(1, kBlue);
        p.setPen(QPen(kBlue.darker(130), 0.9));
        p.setBrush(ball);
        p.drawEllipse(QPointF(8, 8), 6.8, 6.8);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(8, 4.6), 1.1, 1.1);
        p.drawRoundedRect(QRectF(7, 6.6, 2, 6), 0.6, 0.6);
        break;
    }
    case IconKind::Add: {
        page(p, QRectF(1.5, 1, 10, 13.5));
        lines(p, 3, 9.5, 4, 3);
        p.setPen(QPen(kGreen.darker(120), 0.8));
        p.setBrush(kGreen);
        QPainterPath plus;
        plus.addRect(QRectF(10.8, 7.5, 2.4, 8));
        plus.addRect(QRectF(8, 10.3, 8, 2.4));
        plus.setFillRule(Qt::WindingFill);
        p.drawPath(plus.simplified());
        break;
    }
    case IconKind::Edit: {
        page(p, QRectF(1.5, 1, 10, 13.5));
        lines(p, 3, 9.5, 4, 4);
        p.save();
        p.translate(10.5, 9.5);
        p.rotate(45);
        p.setPen(QPen(kOutline, 0.8));
        p.setBrush(kAmber);
        p.drawRect(QRectF(-1.3, -6, 2.6, 8));
        p.setBrush(QColor(240, 200, 170));
        QPolygonF tip;
        tip << QPointF(-1.3, 2) << QPointF(1.3, 2) << QPointF(0, 4.5);
        p.drawPolygon(tip);
        p.setBrush(kRed);
        p.drawRect(QRectF(-1.3, -7.5, 2.6, 1.5));
        p.restore();
        break;
    }
    case IconKind::Delete: {
        p.setPen(QPen(kRed, 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    }
    case IconKind::Print:
        printer(p);
        break;
    case IconKind::Xml: {
        page(p, QRectF(2, 1, 12, 14), kAmber.lighter(140));
        p.setPen(QPen(kBlue, 1.3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPolyline(QPolygonF() << QPointF(6, 6) << QPointF(4, 8.5) << QPointF(6, 11));
        p.drawPolyline(QPolygonF() << QPointF(10, 6) << QPointF(12, 8.5) << QPointF(10, 11));
        p.setPen(QPen(kOutline, 1.1, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8.8, 5.5), QPointF(7.2, 11.5));
        break;
    }
    }
}

} // namespace

QIcon icon(IconKind kind)
{
    QIcon result;
    for (int px : {16, 24, 32, 48}) {
        QPixmap pixmap(px, px);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.scale(px / 16.0, px / 16.0);
        paint(p, kind);
        p.end();
        result.addPixmap(pixmap);
    }
    return result;
}

} // namespace kesp::app
