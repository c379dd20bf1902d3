#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

namespace gl {

// Marks a file as ours: SQLite's application id, plus the `meta` row "kind".
constexpr int kApplicationId = 0x564D5350;   // "VMSP"
constexpr int kSchemaVersion = 1;

using KeyDefaults = QList<QPair<QString, QString>>;

QStringList shopSchema();            // CREATE TABLE / INDEX statements of sydb.zdb
QStringList terminalSchema();        // the same for sydconf.zdb
const KeyDefaults& shopKeys();       // every shop setting with its first value
const KeyDefaults& terminalKeys();   // every terminal setting with its first value

} // namespace gl
