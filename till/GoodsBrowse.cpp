#include "GoodsBrowse.h"

#include "Db.h"

#include <QSqlQuery>

namespace till {

namespace {

std::vector<BrowseRow> goodsWhere(const QString& where, const QVariantList& params)
{
    QString sql = QStringLiteral("SELECT id, spmc, huohao, splb, sj, hyj, kc, guige, booldz, booljf, ps FROM sp");
    if (!where.isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    std::vector<BrowseRow> rows;
    QSqlQuery q = gl::run(gl::shopDb(), sql, params);
    while (q.next()) {
        BrowseRow r;
        r.id = q.value(0).toString();
        r.spmc = q.value(1).toString();
        r.huohao = q.value(2).toString();
        r.splb = q.value(3).toString();
        r.sj = q.value(4).toDouble();
        r.hyj = q.value(5).toDouble();
        r.kc = q.value(6).toDouble();
        r.guige = q.value(7).toString();
        r.booldz = q.value(8).toInt() != 0;
        r.booljf = q.value(9).toInt() != 0;
        r.ps = q.value(10).toString();
        rows.push_back(std::move(r));
    }
    return rows;
}

} // namespace

QStringList browseCategories()
{
    return gl::column(gl::shopDb(), QStringLiteral("SELECT lbmc FROM splb"));
}

std::vector<BrowseRow> browseAllGoods()
{
    return goodsWhere(QString(), {});
}

std::vector<BrowseRow> browseCategory(const QString& category)
{
    return goodsWhere(QStringLiteral("splb = ?"), {category});
}

std::vector<BrowseRow> browseSearch(const QString& text)
{
    return goodsWhere(QStringLiteral("id = ? OR spmc LIKE ? ESCAPE '\\'"), {text, gl::likeContains(text)});
}

} // namespace till
