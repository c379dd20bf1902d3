#include "Db.h"

#include "Schema.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlRecord>
#include <QUuid>

namespace gl {

namespace {

constexpr int kBusyTimeoutMs = 10000;

QString kindOf(Store store)
{
    return store == Store::Shop ? QStringLiteral("shop") : QStringLiteral("terminal");
}

QString storeTitle(Store store)
{
    return store == Store::Shop ? QStringLiteral("商店数据库") : QStringLiteral("收银端设置文件");
}

QSqlDatabase addConnection(const QString& name, const QString& path, bool readOnly)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setDatabaseName(path);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db.setConnectOptions(options);
    return db;
}

void dropConnection(const QString& name)
{
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        if (db.isOpen())
            db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool hasSqliteHeader(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    return f.read(16) == QByteArray("SQLite format 3\0", 16);
}

// Writes a complete new store to a temporary file and moves it into place, so that a
// failure part-way never leaves a half-made database where the programs look for one.
bool createStore(Store store, const QString& path, QString* error)
{
    const QString tmpPath = path + QStringLiteral(".new-") + QUuid::createUuid().toString(QUuid::Id128);
    const QString conn = QStringLiteral("create-") + QUuid::createUuid().toString(QUuid::Id128);
    bool ok = false;
    try {
        QSqlDatabase db = addConnection(conn, tmpPath, false);
        if (!db.open())
            throw DbError(db.lastError().text());
        run(db, QStringLiteral("PRAGMA application_id = %1").arg(kApplicationId));
        run(db, QStringLiteral("PRAGMA journal_mode = WAL"));
        {
            Transaction tx(db);
            const QStringList ddl = store == Store::Shop ? shopSchema() : terminalSchema();
            for (const QString& stmt : ddl)
                run(db, stmt);
            run(db, QStringLiteral("INSERT INTO meta (key, value) VALUES ('kind', ?)"), {kindOf(store)});
            run(db, QStringLiteral("INSERT INTO meta (key, value) VALUES ('version', ?)"),
                {QString::number(kSchemaVersion)});
            const KeyDefaults& keys = store == Store::Shop ? shopKeys() : terminalKeys();
            for (const auto& kv : keys)
                run(db, QStringLiteral("INSERT INTO sysinfo (infokey, keyvalue) VALUES (?, ?)"),
                    {kv.first, kv.second});
            if (store == Store::Shop)
                run(db, QStringLiteral("INSERT INTO czy (czyname, pwd, per) VALUES (?, ?, ?)"),
                    {QStringLiteral("Admin"), QStringLiteral("808642"), QStringLiteral("11111111111")});
            tx.commit();
        }
        ok = true;
    } catch (const DbError& e) {
        if (error)
            *error = QStringLiteral("无法创建%1 %2：%3").arg(storeTitle(store), path, e.message());
    }
    dropConnection(conn);
    if (ok && !QFile::rename(tmpPath, path) && !QFileInfo::exists(path)) {
        // Losing the race to another program that created it at the same moment is fine.
        ok = false;
        if (error)
            *error = QStringLiteral("无法创建%1 %2。").arg(storeTitle(store), path);
    }
    QFile::remove(tmpPath);
    QFile::remove(tmpPath + QStringLiteral("-wal"));
    QFile::remove(tmpPath + QStringLiteral("-shm"));
    return ok;
}

// Reads, without writing anything, whether the file at `path` is one of our stores.
// Returns the schema version, or -1 when it is not ours.
int ourVersion(Store store, const QString& path)
{
    if (!hasSqliteHeader(path))
        return -1;
    const QString conn = QStringLiteral("probe-") + QUuid::createUuid().toString(QUuid::Id128);
    int version = -1;
    {
        QSqlDatabase db = addConnection(conn, path, true);
        if (db.open()) {
            QSqlQuery q(db);
            if (q.exec(QStringLiteral("PRAGMA application_id")) && q.next()
                && q.value(0).toInt() == kApplicationId) {
                QSqlQuery m(db);
                if (m.exec(QStringLiteral("SELECT key, value FROM meta"))) {
                    QString kind;
                    int v = -1;
                    while (m.next()) {
                        if (m.value(0).toString() == QLatin1String("kind"))
                            kind = m.value(1).toString();
                        else if (m.value(0).toString() == QLatin1String("version"))
                            v = m.value(1).toString().toInt();
                    }
                    if (kind == kindOf(store) && v > 0)
                        version = v;
                }
            }
        }
    }
    dropConnection(conn);
    return version;
}

// Brings an older file up to the current schema. Version 1 is the first one, so there is
// nothing to do yet; later versions add their steps here, each run inside `tx`.
void upgrade(const QSqlDatabase& db, int fromVersion)
{
    Transaction tx(db);
    Q_UNUSED(fromVersion);
    run(db, QStringLiteral("UPDATE meta SET value = ? WHERE key = 'version'"), {QString::number(kSchemaVersion)});
    tx.commit();
}

} // namespace

DbError::DbError(const QString& message) : std::runtime_error(message.toStdString()) {}

QString storeFileName(Store store)
{
    return store == Store::Shop ? QStringLiteral("sydb.zdb") : QStringLiteral("sydconf.zdb");
}

QString connectionName(Store store)
{
    return store == Store::Shop ? QStringLiteral("sydb") : QStringLiteral("sydconf");
}

bool openStore(Store store, const QString& folder, QString* error)
{
    const QString path = QDir(folder).absoluteFilePath(storeFileName(store));
    closeStore(store);

    if (!QFileInfo::exists(path) && !createStore(store, path, error))
        return false;

    const int version = ourVersion(store, path);
    if (version < 0) {
        if (error)
            *error = QStringLiteral("文件 %1 不是本系统的%2，程序不能使用它。\n该文件没有被改动；"
                                    "请移走它或换回正确的文件后再启动。")
                         .arg(QDir::toNativeSeparators(path), storeTitle(store));
        return false;
    }
    if (version > kSchemaVersion) {
        if (error)
            *error = QStringLiteral("文件 %1 由更新版本的程序创建，请升级本程序。")
                         .arg(QDir::toNativeSeparators(path));
        return false;
    }

    QSqlDatabase db = addConnection(connectionName(store), path, false);
    if (!db.open()) {
        if (error)
            *error = QStringLiteral("无法打开%1 %2：%3").arg(storeTitle(store), path, db.lastError().text());
        closeStore(store);
        return false;
    }
    try {
        run(db, QStringLiteral("PRAGMA journal_mode = WAL"));
        run(db, QStringLiteral("PRAGMA synchronous = FULL"));
        if (version < kSchemaVersion)
            upgrade(db, version);
    } catch (const DbError& e) {
        if (error)
            *error = QStringLiteral("无法打开%1 %2：%3").arg(storeTitle(store), path, e.message());
        closeStore(store);
        return false;
    }
    return true;
}

void closeStore(Store store)
{
    const QString name = connectionName(store);
    if (QSqlDatabase::contains(name))
        dropConnection(name);
}

QSqlDatabase shopDb()
{
    return QSqlDatabase::database(connectionName(Store::Shop), false);
}

QSqlDatabase confDb()
{
    return QSqlDatabase::database(connectionName(Store::Terminal), false);
}

QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(q.lastError().text() + QStringLiteral("\n") + sql);
    for (const QVariant& p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DbError(q.lastError().text() + QStringLiteral("\n") + sql);
    return q;
}

QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    QSqlQuery q = run(db, sql, params);
    return q.next() ? q.value(0) : QVariant();
}

QStringList column(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
    QStringList values;
    QSqlQuery q = run(db, sql, params);
    while (q.next())
        values << q.value(0).toString();
    return values;
}

QString likeContains(const QString& text)
{
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('%') || c == QLatin1Char('_'))
            escaped += QLatin1Char('\\');
        escaped += c;
    }
    return QLatin1Char('%') + escaped + QLatin1Char('%');
}

Transaction::Transaction(const QSqlDatabase& db) : db_(db)
{
    run(db_, QStringLiteral("BEGIN IMMEDIATE"));
    open_ = true;
}

Transaction::~Transaction()
{
    if (open_) {
        QSqlQuery q(db_);
        q.exec(QStringLiteral("ROLLBACK"));
    }
}

void Transaction::commit()
{
    run(db_, QStringLiteral("COMMIT"));
    open_ = false;
}

} // namespace gl
