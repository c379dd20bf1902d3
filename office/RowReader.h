#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantList>
#include <memory>

class QSqlDatabase;

namespace office
{

// Reads the rows of one statement, column by position. On a SQLite connection it steps the
// engine's own statement, which is several times faster than going through a value object
// per cell; on any other connection it goes through QSqlQuery. Throws gl::DbError.
class RowReader
{
public:
    RowReader(const QSqlDatabase& db, const QString& sql, const QVariantList& params);
    ~RowReader();
    RowReader(const RowReader&) = delete;
    RowReader& operator=(const RowReader&) = delete;

    // The engine's own reader can be switched off, so that both paths are tested alike.
    static void setEngineReaderEnabled(bool enabled);

    bool next();
    QString text(int column) const; // null text for a null cell
    // The cell's text as UTF-8, valid until the next call of next().
    QByteArray utf8(int column) const;
    // Appends the cell's text as UTF-8 to `out` (no copy of its own on SQLite); returns its length.
    qsizetype appendUtf8(int column, QByteArray& out) const;
    double number(int column) const;
    qint64 integer(int column) const;

    struct Impl;

private:
    std::unique_ptr<Impl> d;
};

// Gives the connection room to keep a whole catalogue's pages in memory, so that sorting and
// reloading long lists does not go back to the file for every page (SQLite only; others keep
// their own settings).
void tuneForLongLists(const QSqlDatabase& db);

} // namespace office
