#include "ReceiptNumber.h"

#include "Db.h"
#include "Format.h"

#include <limits>

namespace till {

namespace {

QString readKey(const QSqlDatabase& db, const QString& key)
{
    return gl::scalar(db, QStringLiteral("SELECT keyvalue FROM sysinfo WHERE infokey = ?"), {key}).toString();
}

} // namespace

QString formatReceiptNo(const QString& prefix, qint64 counter, int width)
{
    // The setting allows 5 to 18 digits; anything wilder must not allocate a screenful of zeros.
    const int w = qBound(0, width, 64);
    return prefix + QString::number(counter).rightJustified(w, QLatin1Char('0'));
}

QString takeNextReceiptNo(const QSqlDatabase& db)
{
    gl::Transaction tx(db);
    const QString lshText = readKey(db, QStringLiteral("lsh"));
    qint64 c = 0;
    if (!gl::parseInt64(lshText, &c) || c == std::numeric_limits<qint64>::max())
        throw gl::DbError(QStringLiteral("流水号计数器（lsh）的值“%1”不是有效的整数，无法取得流水号。").arg(lshText));
    const QString lswsText = readKey(db, QStringLiteral("lsws"));
    int width = 0;
    if (!gl::parseInt(lswsText, &width))
        throw gl::DbError(QStringLiteral("流水号位数（lsws）的值“%1”不是有效的整数，无法取得流水号。").arg(lswsText));
    const qint64 n = c + 1;
    const QString number = formatReceiptNo(readKey(db, QStringLiteral("lsqz")), n, width);
    gl::run(db, QStringLiteral("UPDATE sysinfo SET keyvalue = ? WHERE infokey = 'lsh'"), {QString::number(n)});
    tx.commit();
    return number;
}

} // namespace till
