#include "app/LogoArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace {

// A flame in a 100x100 drawing: a round base rising to a tip bent to one side.
QPainterPath flame(double left, double top, double width, double height) {
    QPainterPath path;
    const double mid = left + width / 2;
    const double bottom = top + height;
    path.moveTo(mid + width * 0.12, top);
    path.cubicTo(mid + width * 0.05, top + height * 0.25, left + width, top + height * 0.35,
                 left + width, top + height * 0.68);
    path.cubicTo(left + width, bottom - height * 0.04, mid + width * 0.22, bottom, mid, bottom);
    path.cubicTo(mid - width * 0.22, bottom, left, bottom - height * 0.04, left,
                 top + height * 0.66);
    path.cubicTo(left, top + height * 0.48, left + width * 0.18, top + height * 0.40,
                 left + width * 0.24, top + height * 0.30);
    path.cubicTo(left + width * 0.28, top + height * 0.42, left + width * 0.36, top + height * 0.44,
                 left + width * 0.40, top + height * 0.40);
    path.cubicTo(left + width * 0.40, top + height * 0.22, mid, top + height * 0.10,
                 mid + width * 0.12, top);
    return path;
}

void paintBadge(QPainter& p) {
    QRadialGradient face(50, 42, 60);
    face.setColorAt(0, QColor(255, 255, 255));
    face.setColorAt(1, QColor(222, 230, 238));
    p.setPen(QPen(QColor(51, 51, 51), 3));
    p.setBrush(face);
    p.drawRoundedRect(QRectF(4, 4, 92, 92), 18, 18);
}

void paintFlame(QPainter& p) {
    QLinearGradient outer(0, 8, 0, 66);
    outer.setColorAt(0, QColor(255, 176, 32));
    outer.setColorAt(0.45, QColor(255, 128, 0));
    outer.setColorAt(1, QColor(40, 90, 200));
    p.setPen(Qt::NoPen);
    p.setBrush(outer);
    p.drawPath(flame(27, 8, 46, 58));

    QLinearGradient inner(0, 30, 0, 64);
    inner.setColorAt(0, QColor(150, 210, 255));
    inner.setColorAt(1, QColor(30, 70, 190));
    p.setBrush(inner);
    p.drawPath(flame(39, 30, 22, 32));
}

void paintCounter(QPainter& p) {
    p.setPen(QPen(QColor(51, 51, 51), 2));
    p.setBrush(QColor(51, 51, 51));
    p.drawRoundedRect(QRectF(16, 70, 68, 18), 4, 4);
    p.setPen(Qt::NoPen);
    for (int digit = 0; digit < 5; ++digit) {
        const bool last = digit == 4;
        p.setBrush(last ? QColor(255, 128, 0) : QColor(245, 245, 245));
        p.drawRect(QRectF(20 + digit * 12.6, 73, 9.5, 12));
        // A digit's stroke, so the counter reads as numbers without a font.
        p.setBrush(QColor(51, 51, 51));
        p.drawRect(QRectF(23.8 + digit * 12.6, 75, 2, 8));
    }
}

} // namespace

QImage DrawLogo(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 100.0, size / 100.0);
    paintBadge(p);
    paintFlame(p);
    paintCounter(p);
    p.end();
    return image;
}
