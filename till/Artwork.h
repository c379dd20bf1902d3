#pragma once

#include <QPixmap>

namespace till::artwork {

// The picture on the left of the login window, drawn for this program.
QPixmap loginPicture(const QSize& size);

} // namespace till::artwork
