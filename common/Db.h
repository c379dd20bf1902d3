#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <stdexcept>

namespace gl {

// The two database files: the shop's, shared by every program, and the till's own settings.
enum class Store { Shop, Terminal };

QString storeFileName(Store store);   // "sydb.zdb" / "sydconf.zdb"
QString connectionName(Store store);

// Opens (and on first use creates) a store in `folder` and registers its named connection.
// A file that is not a database of this system is refused and left exactly as it was;
// `error` then holds a message for the user.
bool openStore(Store store, const QString& folder, QString* error);
void closeStore(Store store);

QSqlDatabase shopDb();
QSqlDatabase confDb();

// A failed statement. Handlers catch it and tell the user; nothing half-done stays behind
// because every multi-statement change runs inside a Transaction.
class DbError : public std::runtime_error {
public:
    explicit DbError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

// Runs one statement with bound parameters; throws DbError on failure.
QSqlQuery run(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});

// First column of the first row, or an invalid QVariant when there is no row.
QVariant scalar(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});

// The first column of every row, as text.
QStringList column(const QSqlDatabase& db, const QString& sql, const QVariantList& params = {});

// A pattern for "LIKE ? ESCAPE '\'" that finds `text` anywhere, its own %, _ and \ taken literally.
QString likeContains(const QString& text);

// BEGIN IMMEDIATE ... COMMIT; rolled back when it goes out of scope uncommitted, so an
// exception part-way leaves nothing written.
class Transaction {
public:
    explicit Transaction(const QSqlDatabase& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    QSqlDatabase db_;
    bool open_ = false;
};

} // namespace gl
