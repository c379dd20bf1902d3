#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace gl {

// General number format of every list cell: shortest text, up to 15 significant digits,
// no trailing zeros (12.5, 3, 0.1).
QString fmtNum(double value);
// Totals: two decimals.
QString fmtMoney(double value);

// Strict conversion of typed or stored decimal text; blanks around it are allowed.
bool parseNumber(const QString& text, double* value);
bool parseInt(const QString& text, int* value);
bool parseInt64(const QString& text, qint64* value);

// Date-times are stored as sortable text; a day or month is selected as a range of it.
QString toDbTime(const QDateTime& t);
QString toDbDate(const QDate& d);   // start of that day: "yyyy-MM-dd 00:00:00"
QDateTime fromDbTime(const QString& text);
QString nowDb();

// Sets the default locale for dates on screen (called once at program start).
void initLocale();

// On screen: the system's short date, and short date plus long time.
QString fmtDate(const QDate& d);
QString fmtDateTime(const QDateTime& t);

} // namespace gl
