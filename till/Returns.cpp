#include "Returns.h"

#include "Checkout.h"
#include "Db.h"
#include "Format.h"

#include <QSqlQuery>

namespace till {

namespace {

SaleLine lineFrom(const QSqlQuery& q, int first)
{
    SaleLine s;
    s.spid = q.value(first).toString();
    s.spmc = q.value(first + 1).toString();
    s.dj = q.value(first + 2).toDouble();
    s.sl = q.value(first + 3).toDouble();
    s.zk = q.value(first + 4).toDouble();
    s.hyj = q.value(first + 5).toDouble();
    s.je = q.value(first + 6).toDouble();
    return s;
}

} // namespace

ReceiptLookup lookupReceipt(const QSqlDatabase& db, const QString& conid)
{
    ReceiptLookup out;
    QSqlQuery head = gl::run(db, QStringLiteral("SELECT st, mberid FROM con WHERE conid = ?"), {conid});
    if (!head.next())
        return out;
    if (head.value(0).toInt() == 0) {
        out.status = LookupStatus::Held;
        return out;
    }
    out.status = LookupStatus::Found;
    out.mberId = head.value(1).toString();
    QSqlQuery q = gl::run(db,
                          QStringLiteral("SELECT id, spid, spmc, dj, sl, zk, hyj, je FROM xiangxi"
                                         " WHERE conid = ? AND st = 1 ORDER BY id"),
                          {conid});
    while (q.next())
        out.lines.push_back({q.value(0).toLongLong(), lineFrom(q, 1)});
    return out;
}

ReturnResult bookReturn(const QSqlDatabase& db, const ReturnRequest& r)
{
    ReturnResult result;
    gl::Transaction tx(db);
    if (!gl::scalar(db, QStringLiteral("SELECT 1 FROM con WHERE conid = ? AND st = 1"), {r.conid}).isValid()) {
        result.receiptFound = false;
        return result;
    }

    // The line's own stored figures count, read under the write lock just before it is removed.
    std::vector<SaleLine> booked;
    for (qint64 id : r.lineIds) {
        QSqlQuery q = gl::run(db,
                              QStringLiteral("SELECT spid, spmc, dj, sl, zk, hyj, je FROM xiangxi"
                                             " WHERE id = ? AND conid = ? AND st = 1"),
                              {id, r.conid});
        if (!q.next()) {
            result.alreadyReturned.push_back(id);
            continue;
        }
        const SaleLine line = lineFrom(q, 0);
        q.finish();
        gl::run(db, QStringLiteral("DELETE FROM xiangxi WHERE id = ?"), {id});
        result.returned.push_back(id);
        result.refund += line.je;
        booked.push_back(line);
    }

    if (!booked.empty()) {
        gl::run(db, QStringLiteral("UPDATE con SET ssje = ssje - ? WHERE conid = ?"), {result.refund, r.conid});
        if (r.restock) {
            // Goods deleted from the catalogue since the sale have no stock to put back.
            for (const SaleLine& l : booked)
                gl::run(db, QStringLiteral("UPDATE sp SET kc = kc + ?, sc = sc - ? WHERE id = ?"), {l.sl, l.sl, l.spid});
        }
        if (r.refundToCard && !r.mberId.isEmpty()) {
            const int n = gl::run(db, QStringLiteral("UPDATE mber SET ye = ye + ? WHERE id = ?"), {result.refund, r.mberId})
                              .numRowsAffected();
            result.memberMissing = n < 1;
        }
        const QString now = gl::nowDb();
        for (const SaleLine& l : booked)
            gl::run(db,
                    QStringLiteral("INSERT INTO thjl (conid, spid, spmc, dj, sl, zk, hyj, je, czy, createtime)"
                                   " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                    {r.conid, l.spid, dbText(l.spmc), l.dj, l.sl, l.zk, l.hyj, l.je, dbText(r.czy), now});
    }
    tx.commit();
    return result;
}

} // namespace till
