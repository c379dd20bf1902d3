#include "HeldOrders.h"

#include "Checkout.h"
#include "Db.h"
#include "Format.h"

#include <QSqlQuery>

namespace till {

HoldStatus holdOrder(const QSqlDatabase& db, const HoldRequest& r)
{
    gl::Transaction tx(db);
    const QVariant st = gl::scalar(db, QStringLiteral("SELECT st FROM con WHERE conid = ?"), {r.conid});
    if (st.isValid() && st.toInt() != 0)
        return HoldStatus::AlreadyPaid;

    const QString now = gl::nowDb();
    if (st.isValid()) {
        gl::run(db,
                QStringLiteral("UPDATE con SET xjfk = 0, ylfk = 0, czfk = 0, ysje = ?, ssje = ?, mberid = ?,"
                               " mbername = ?, czy = ?, createtime = ?, st = 0 WHERE conid = ?"),
                {r.zje, r.zje, dbText(r.mberId), dbText(r.mberName), dbText(r.czy), now, r.conid});
        gl::run(db, QStringLiteral("DELETE FROM xiangxi WHERE conid = ?"), {r.conid});
    } else {
        gl::run(db,
                QStringLiteral("INSERT INTO con (conid, xjfk, ylfk, czfk, ysje, ssje, mberid, mbername, czy,"
                               " createtime, st) VALUES (?, 0, 0, 0, ?, ?, ?, ?, ?, ?, 0)"),
                {r.conid, r.zje, r.zje, dbText(r.mberId), dbText(r.mberName), dbText(r.czy), now});
    }
    storeSaleLines(db, r.conid, r.lines, false, r.czy, now);
    tx.commit();
    return HoldStatus::Held;
}

std::vector<HeldOrder> heldOrders(const QSqlDatabase& db)
{
    std::vector<HeldOrder> out;
    QSqlQuery q = gl::run(db, QStringLiteral("SELECT conid, ssje, mberid, mbername, czy, createtime FROM con"
                                             " WHERE st = 0 ORDER BY createtime, rowid"));
    while (q.next())
        out.push_back({q.value(0).toString(), q.value(1).toDouble(), q.value(2).toString(), q.value(3).toString(),
                       q.value(4).toString(), q.value(5).toString()});
    return out;
}

std::optional<HeldOrder> loadHeldOrder(const QSqlDatabase& db, const QString& conid, std::vector<SaleLine>* lines)
{
    QSqlQuery q = gl::run(db,
                          QStringLiteral("SELECT conid, ssje, mberid, mbername, czy, createtime FROM con"
                                         " WHERE conid = ? AND st = 0"),
                          {conid});
    if (!q.next())
        return std::nullopt;
    HeldOrder h{q.value(0).toString(), q.value(1).toDouble(), q.value(2).toString(), q.value(3).toString(),
                q.value(4).toString(), q.value(5).toString()};
    if (lines) {
        lines->clear();
        QSqlQuery l = gl::run(db,
                              QStringLiteral("SELECT spid, spmc, dj, sl, zk, hyj, je FROM xiangxi WHERE conid = ?"
                                             " ORDER BY id"),
                              {h.conid});
        while (l.next()) {
            SaleLine s;
            s.spid = l.value(0).toString();
            s.spmc = l.value(1).toString();
            s.dj = l.value(2).toDouble();
            s.sl = l.value(3).toDouble();
            s.zk = l.value(4).toDouble();
            s.hyj = l.value(5).toDouble();
            s.je = l.value(6).toDouble();
            lines->push_back(s);
        }
    }
    return h;
}

bool deleteHeldOrder(const QSqlDatabase& db, const QString& conid)
{
    gl::Transaction tx(db);
    const int n =
        gl::run(db, QStringLiteral("DELETE FROM con WHERE conid = ? AND st = 0"), {conid}).numRowsAffected();
    if (n < 1)
        return false;
    gl::run(db, QStringLiteral("DELETE FROM xiangxi WHERE conid = ?"), {conid});
    tx.commit();
    return true;
}

} // namespace till
