#include "Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace till::artwork {

QPixmap loginPicture(const QSize& size)
{
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, size.width(), size.height());

    QLinearGradient bg(r.topLeft(), r.bottomRight());
    bg.setColorAt(0, QColor(24, 72, 140));
    bg.setColorAt(1, QColor(10, 28, 60));
    p.setPen(Qt::NoPen);
    p.setBrush(bg);
    p.drawRoundedRect(r, 10, 10);

    // A till: display on a stand, body with keys, cash drawer.
    const double w = r.width(), h = r.height();
    p.setBrush(QColor(230, 236, 245));
    p.drawRoundedRect(QRectF(w * 0.30, h * 0.22, w * 0.40, h * 0.16), 4, 4);
    p.setBrush(QColor(40, 200, 120));
    p.drawRect(QRectF(w * 0.34, h * 0.255, w * 0.32, h * 0.09));
    p.setBrush(QColor(200, 210, 225));
    p.drawRect(QRectF(w * 0.47, h * 0.38, w * 0.06, h * 0.08));
    p.setBrush(QColor(245, 248, 252));
    QPainterPath body;
    body.moveTo(w * 0.18, h * 0.62);
    body.lineTo(w * 0.26, h * 0.46);
    body.lineTo(w * 0.74, h * 0.46);
    body.lineTo(w * 0.82, h * 0.62);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(24, 72, 140));
    for (int row = 0; row < 3; ++row)
        for (int col = 0; col < 5; ++col)
            p.drawRoundedRect(QRectF(w * (0.29 + col * 0.088) - row * w * 0.018, h * (0.485 + row * 0.04),
                                     w * 0.06, h * 0.026),
                              2, 2);
    p.setBrush(QColor(210, 218, 230));
    p.drawRoundedRect(QRectF(w * 0.14, h * 0.62, w * 0.72, h * 0.12), 3, 3);
    p.setBrush(QColor(120, 130, 150));
    p.drawRect(QRectF(w * 0.42, h * 0.665, w * 0.16, h * 0.025));

    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(qRound(h * 0.085));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, h * 0.05, w, h * 0.14), Qt::AlignCenter, QStringLiteral("Velmora"));
    f.setBold(false);
    f.setPixelSize(qRound(h * 0.06));
    p.setFont(f);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRectF(0, h * 0.80, w, h * 0.12), Qt::AlignCenter, QStringLiteral("收银系统"));
    return pm;
}

} // namespace till::artwork
