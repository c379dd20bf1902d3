#include "Session.h"

#include "Db.h"

#include <QStringList>

namespace gl {

namespace {
QString g_operator;
}

QString currentOperator()
{
    return g_operator;
}

void setCurrentOperator(const QString& name)
{
    g_operator = name;
}

bool hasPermission(int position)
{
    const QVariant per =
        scalar(shopDb(), QStringLiteral("SELECT per FROM czy WHERE czyname = ?"), {g_operator});
    if (!per.isValid() || position < 1)
        return false;
    const QString s = per.toString();
    return position <= s.size() && s.at(position - 1) == QLatin1Char('1');
}

bool operatorMatches(const QString& name, const QString& password)
{
    return scalar(shopDb(), QStringLiteral("SELECT 1 FROM czy WHERE czyname = ? AND pwd = ?"), {name, password})
        .isValid();
}

QStringList operatorNames()
{
    return column(shopDb(), QStringLiteral("SELECT czyname FROM czy"));
}

} // namespace gl
