#include "Format.h"

#include <QLocale>
#include <cmath>

namespace gl {

namespace {
const QString kDbFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss");
}

QString fmtNum(double value)
{
    if (value == 0.0 || !std::isfinite(value))
        return value == 0.0 ? QStringLiteral("0") : QString::number(value);
    return QString::number(value, 'g', 15);
}

QString fmtMoney(double value)
{
    const QString s = QString::number(value, 'f', 2);
    return s == QLatin1String("-0.00") ? QStringLiteral("0.00") : s;
}

bool parseNumber(const QString& text, double* value)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (ok && std::isfinite(v)) {
        *value = v;
        return true;
    }
    return false;
}

bool parseInt(const QString& text, int* value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (ok)
        *value = v;
    return ok;
}

bool parseInt64(const QString& text, qint64* value)
{
    bool ok = false;
    const qint64 v = text.trimmed().toLongLong(&ok);
    if (ok)
        *value = v;
    return ok;
}

QString toDbTime(const QDateTime& t)
{
    return t.toString(kDbFormat);
}

QString toDbDate(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(" 00:00:00");
}

QDateTime fromDbTime(const QString& text)
{
    QDateTime t = QDateTime::fromString(text, kDbFormat);
    if (!t.isValid())
        t = QDateTime(QDate::fromString(text.left(10), QStringLiteral("yyyy-MM-dd")), QTime(0, 0));
    return t;
}

QString nowDb()
{
    return toDbTime(QDateTime::currentDateTime());
}

void initLocale()
{
    // A machine left on the C locale still shows dates the way a Chinese shop expects.
    const QLocale sys = QLocale::system();
    QLocale::setDefault(sys.language() == QLocale::C ? QLocale(QLocale::Chinese, QLocale::China) : sys);
}

QString fmtDate(const QDate& d)
{
    return QLocale().toString(d, QLocale::ShortFormat);
}

QString fmtDateTime(const QDateTime& t)
{
    return fmtDate(t.date()) + QLatin1Char(' ') + t.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace gl
