#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

namespace office::artwork
{

// One of the back office's own drawn pictures (res/<name>.svg), rendered at the given size.
QPixmap picture(const QString& name, const QSize& size);
// The symbol square at the left of a module button's picture, as a small window icon.
QIcon moduleIcon(const QString& buttonPicture);
// The picture's own size as drawn.
QSize naturalSize(const QString& name);

} // namespace office::artwork
