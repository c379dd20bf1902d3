#include "Settings.h"

#include "Db.h"

namespace gl {

namespace {

QString readFrom(const QSqlDatabase& db, const QString& key)
{
    return scalar(db, QStringLiteral("SELECT keyvalue FROM sysinfo WHERE infokey = ?"), {key}).toString();
}

void writeTo(const QSqlDatabase& db, const QString& key, const QString& value)
{
    run(db, QStringLiteral("UPDATE sysinfo SET keyvalue = ? WHERE infokey = ?"), {value, key});
}

} // namespace

QString readShopSetting(const QString& key)
{
    return readFrom(shopDb(), key);
}

void writeShopSetting(const QString& key, const QString& value)
{
    writeTo(shopDb(), key, value);
}

QString readTermSetting(const QString& key)
{
    return readFrom(confDb(), key);
}

void writeTermSetting(const QString& key, const QString& value)
{
    writeTo(confDb(), key, value);
}

} // namespace gl
