#include "RowReader.h"

#include "Db.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#ifdef VM_HAVE_SQLITE3
#include <sqlite3.h>
#endif

namespace office
{

struct RowReader::Impl {
    virtual ~Impl() = default;
    virtual bool next() = 0;
    virtual QString text(int column) const = 0;
    virtual double number(int column) const = 0;
    virtual qint64 integer(int column) const = 0;
    virtual qsizetype appendUtf8(int column, QByteArray& out) const
    {
        const QByteArray b = text(column).toUtf8();
        out.append(b);
        return b.size();
    }
};

namespace
{

bool g_engineReader = true;

class QueryImpl final : public RowReader::Impl
{
public:
    QueryImpl(const QSqlDatabase& db, const QString& sql, const QVariantList& params) : q_(db)
    {
        q_.setForwardOnly(true);
        if (!q_.prepare(sql))
            throw gl::DbError(q_.lastError().text());
        for (const QVariant& v : params)
            q_.addBindValue(v);
        if (!q_.exec())
            throw gl::DbError(q_.lastError().text());
    }
    bool next() override { return q_.next(); }
    QString text(int column) const override { return q_.value(column).toString(); }
    double number(int column) const override { return q_.value(column).toDouble(); }
    qint64 integer(int column) const override { return q_.value(column).toLongLong(); }

private:
    QSqlQuery q_;
};

#ifdef VM_HAVE_SQLITE3
class SqliteImpl final : public RowReader::Impl
{
public:
    SqliteImpl(sqlite3* db, const QString& sql, const QVariantList& params) : db_(db)
    {
        const QByteArray text = sql.toUtf8();
        if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &stmt_, nullptr) != SQLITE_OK)
            fail();
        int i = 1;
        for (const QVariant& v : params) {
            int rc = SQLITE_OK;
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::Bool:
            case QMetaType::UInt:
                rc = sqlite3_bind_int64(stmt_, i, v.toLongLong());
                break;
            case QMetaType::Double:
                rc = sqlite3_bind_double(stmt_, i, v.toDouble());
                break;
            default:
                if (v.isNull()) {
                    rc = sqlite3_bind_null(stmt_, i);
                } else {
                    const QByteArray s = v.toString().toUtf8();
                    rc = sqlite3_bind_text(stmt_, i, s.constData(), int(s.size()), SQLITE_TRANSIENT);
                }
            }
            if (rc != SQLITE_OK)
                fail();
            ++i;
        }
    }
    ~SqliteImpl() override { sqlite3_finalize(stmt_); }

    bool next() override
    {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return true;
        if (rc != SQLITE_DONE)
            fail();
        return false;
    }
    QString text(int column) const override
    {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        if (!p)
            return QString();
        return QString::fromUtf8(p, sqlite3_column_bytes(stmt_, column));
    }
    qsizetype appendUtf8(int column, QByteArray& out) const override
    {
        const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
        const int n = p ? sqlite3_column_bytes(stmt_, column) : 0;
        out.append(p, n);
        return n;
    }
    double number(int column) const override { return sqlite3_column_double(stmt_, column); }
    qint64 integer(int column) const override { return sqlite3_column_int64(stmt_, column); }

private:
    [[noreturn]] void fail() { throw gl::DbError(QString::fromUtf8(sqlite3_errmsg(db_))); }
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

sqlite3* sqliteHandle(const QSqlDatabase& db)
{
    const QVariant h = db.driver() ? db.driver()->handle() : QVariant();
    if (!h.isValid() || qstrcmp(h.typeName(), "sqlite3*") != 0)
        return nullptr;
    return *static_cast<sqlite3* const*>(h.constData());
}
#endif

} // namespace

void tuneForLongLists(const QSqlDatabase& db)
{
    if (db.driverName() == QLatin1String("QSQLITE"))
        gl::run(db, QStringLiteral("PRAGMA cache_size = -65536")); // 64 MB
}

RowReader::RowReader(const QSqlDatabase& db, const QString& sql, const QVariantList& params)
{
#ifdef VM_HAVE_SQLITE3
    if (sqlite3* handle = g_engineReader ? sqliteHandle(db) : nullptr) {
        d = std::make_unique<SqliteImpl>(handle, sql, params);
        return;
    }
#endif
    d = std::make_unique<QueryImpl>(db, sql, params);
}

RowReader::~RowReader() = default;

void RowReader::setEngineReaderEnabled(bool enabled)
{
    g_engineReader = enabled;
}

bool RowReader::next()
{
    return d->next();
}

QString RowReader::text(int column) const
{
    return d->text(column);
}

QByteArray RowReader::utf8(int column) const
{
    QByteArray out;
    d->appendUtf8(column, out);
    return out;
}

qsizetype RowReader::appendUtf8(int column, QByteArray& out) const
{
    return d->appendUtf8(column, out);
}

double RowReader::number(int column) const
{
    return d->number(column);
}

qint64 RowReader::integer(int column) const
{
    return d->integer(column);
}

} // namespace office
