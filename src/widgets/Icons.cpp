#include "widgets/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace lum::icons {

namespace {

QPixmap canvas(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    return pm;
}

QIcon person(const QColor& body, bool crossed) {
    QPixmap pm = canvas(16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(body.darker(150));
    p.setBrush(body);
    p.drawEllipse(QRectF(5, 1, 6, 6));
    p.drawRoundedRect(QRectF(2.5, 8, 11, 7), 3, 3);
    if (crossed) {
        p.setPen(QPen(QColor(200, 0, 0), 2));
        p.drawLine(2, 2, 14, 14);
    }
    return QIcon(pm);
}

QIcon server() {
    QPixmap pm = canvas(16);
    QPainter p(&pm);
    p.setPen(QColor(60, 60, 60));
    p.setBrush(QColor(170, 180, 200));
    p.drawRect(3, 1, 10, 14);
    p.setBrush(QColor(0, 160, 0));
    p.drawRect(5, 3, 2, 2);
    p.setPen(QColor(60, 60, 60));
    p.drawLine(5, 8, 11, 8);
    p.drawLine(5, 10, 11, 10);
    return QIcon(pm);
}

QIcon folder() {
    QPixmap pm = canvas(16);
    QPainter p(&pm);
    p.setPen(QColor(150, 110, 20));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(1, 4, 14, 10);
    p.drawRect(1, 2, 6, 2);
    return QIcon(pm);
}

QIcon dot(const QColor& c) {
    QPixmap pm = canvas(16);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(c.darker(160));
    p.setBrush(c);
    p.drawEllipse(QRectF(2, 2, 12, 12));
    return QIcon(pm);
}

}  // namespace

QList<QIcon> accountPictures() {
    return {server(), folder(), person(QColor(150, 150, 150), false),
            person(QColor(150, 150, 150), true), person(QColor(40, 170, 40), false)};
}

QList<QIcon> onlinePictures() { return {dot(QColor(40, 190, 40)), dot(QColor(160, 160, 160))}; }

QIcon serverState(bool online, int pane) {
    if (!online) return pane == 0 ? dot(QColor(160, 160, 160)) : dot(QColor(200, 40, 40));
    return pane == 0 ? dot(QColor(40, 190, 40)) : dot(QColor(160, 160, 160));
}

QIcon tile(const QString& glyph, const QColor& colour) {
    QPixmap pm = canvas(32);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 6, 6);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(glyph.size() > 2 ? 11 : 15);
    p.setFont(f);
    p.drawText(QRectF(2, 2, 28, 28), Qt::AlignCenter, glyph);
    return QIcon(pm);
}

QIcon application() {
    // Rendered from the same drawing as the icon the package installs in the icon theme.
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/lum.png").arg(size), QSize(size, size));
    return icon;
}

}  // namespace lum::icons
