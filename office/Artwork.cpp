#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

// The pictures are compiled into the library; a static library must register them itself.
static void initOfficeResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(office);
        done = true;
    }
}

namespace office::artwork
{

namespace
{
QString path(const QString& name)
{
    return QStringLiteral(":/office/res/") + name + QStringLiteral(".svg");
}
} // namespace

QPixmap picture(const QString& name, const QSize& size)
{
    initOfficeResources();
    QSvgRenderer svg(path(name));
    QPixmap pm(size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    svg.render(&p);
    return pm;
}

QIcon moduleIcon(const QString& buttonPicture)
{
    initOfficeResources();
    QSvgRenderer svg(path(buttonPicture));
    svg.setViewBox(QRectF(8, 8, 48, 48)); // where the button pictures draw their symbol
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    svg.render(&p);
    return QIcon(pm);
}

QSize naturalSize(const QString& name)
{
    initOfficeResources();
    return QSvgRenderer(path(name)).defaultSize();
}

} // namespace office::artwork
