#pragma once

#include <QString>

namespace gl {

// Shop settings (sysinfo of sydb.zdb) and terminal settings (sysinfo of sydconf.zdb).
// A key without a row, or with a null value, reads as empty text; writing such a key
// changes nothing: keys are only ever created together with the file.
QString readShopSetting(const QString& key);
void writeShopSetting(const QString& key, const QString& value);
QString readTermSetting(const QString& key);
void writeTermSetting(const QString& key, const QString& value);

// A switch is on only for the exact text "yes".
inline bool isOn(const QString& value) { return value == QLatin1String("yes"); }
inline QString switchText(bool on) { return on ? QStringLiteral("yes") : QStringLiteral("no"); }

} // namespace gl
