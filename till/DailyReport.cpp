#include "DailyReport.h"

#include "Db.h"
#include "Format.h"

#include <QSqlQuery>
#include <QVariant>

namespace till {

namespace {

// The day as a half-open range of createtime, so the createtime indexes serve every query.
struct DayFilter {
    QString where;   // " createtime >= ? AND createtime < ? AND st = 1 [AND czy = ?]"
    QVariantList params;
};

DayFilter dayFilter(const QDate& day, const QString& czy, const QString& prefix = QString())
{
    DayFilter f;
    f.where = QStringLiteral(" %1createtime >= ? AND %1createtime < ? AND %1st = 1").arg(prefix);
    f.params = {gl::toDbDate(day), gl::toDbDate(day.addDays(1))};
    if (!czy.isEmpty()) {
        f.where += QStringLiteral(" AND %1czy = ?").arg(prefix);
        f.params << czy;
    }
    return f;
}

} // namespace

DailyReport loadDailyReport(const QDate& day, const QString& czy)
{
    const QSqlDatabase db = gl::shopDb();
    DailyReport report;

    const DayFilter f = dayFilter(day, czy);
    QSqlQuery q = gl::run(db,
                          QStringLiteral("SELECT conid, ssje, ylfk, czfk, mberid, czy FROM con WHERE")
                              + f.where + QStringLiteral(" ORDER BY createtime DESC"),
                          f.params);
    while (q.next()) {
        DailyReceipt r;
        r.conid = q.value(0).toString();
        r.ssje = q.value(1).toDouble();
        r.ylfk = q.value(2).toDouble();
        r.czfk = q.value(3).toDouble();
        r.cash = r.ssje - r.ylfk - r.czfk;
        r.mberid = q.value(4).toString();
        r.czy = q.value(5).toString();
        report.receipts << r;
    }

    // Names and categories come with the grouping in one statement; a goods id that has left
    // the catalogue keeps its row with an empty name and category.
    const DayFilter lf = dayFilter(day, czy, QStringLiteral("x."));
    q = gl::run(db,
                QStringLiteral("SELECT g.spid, COALESCE(s.spmc, ''), COALESCE(s.splb, ''), g.spsl, g.spje FROM"
                               " (SELECT x.spid AS spid, SUM(x.sl) AS spsl, SUM(x.je) AS spje FROM xiangxi x WHERE")
                    + lf.where
                    + QStringLiteral(" GROUP BY x.spid) g LEFT JOIN sp s ON s.id = g.spid ORDER BY g.spid"),
                lf.params);
    while (q.next()) {
        DailyGoods g;
        g.spid = q.value(0).toString();
        g.spmc = q.value(1).toString();
        g.splb = q.value(2).toString();
        g.sl = q.value(3).toDouble();
        g.je = q.value(4).toDouble();
        report.goods << g;
    }

    q = gl::run(db, QStringLiteral("SELECT COUNT(*), SUM(ssje), SUM(ylfk), SUM(czfk) FROM con WHERE") + f.where,
                f.params);
    if (q.next() && q.value(0).toInt() > 0) {
        report.totals.anySale = true;
        report.totals.count = q.value(0).toInt();
        report.totals.xse = q.value(1).toDouble();
        report.totals.yl = q.value(2).toDouble();
        report.totals.cz = q.value(3).toDouble();
    }

    const QVariant qty = gl::scalar(db, QStringLiteral("SELECT SUM(sl) FROM xiangxi WHERE") + f.where, f.params);
    if (!qty.isNull()) {
        report.totals.anyLine = true;
        report.totals.quantity = qty.toDouble();
    }
    return report;
}

} // namespace till
