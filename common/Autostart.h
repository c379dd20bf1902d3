#pragma once

#include <QString>

namespace gl {

// Starting the till with the desktop session. On Linux an XDG autostart entry
// ($XDG_CONFIG_HOME/autostart/<title>.desktop); on Windows the Run value named after the title.
bool setAutostart(const QString& title, const QString& executable, bool on);
bool autostartEnabled(const QString& title);
QString autostartEntryPath(const QString& title);

} // namespace gl
