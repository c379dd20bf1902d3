#pragma once

#include <QSqlDatabase>
#include <QString>

namespace till {

// prefix + counter, the counter padded on the left with "0" to `width` digits when it is shorter
// and used whole when it is longer.
QString formatReceiptNo(const QString& prefix, qint64 counter, int width);

// Takes the next receipt number: reads the counter `lsh`, stores lsh + 1 and builds the number
// from it with `lsqz` and `lsws`, all in one transaction, so two programs taking numbers at the
// same moment never get the same one. The number is used up even if the sale is never paid.
// Throws gl::DbError when the database fails or `lsh`/`lsws` do not hold whole numbers; then
// no number is taken.
QString takeNextReceiptNo(const QSqlDatabase& db);

} // namespace till
