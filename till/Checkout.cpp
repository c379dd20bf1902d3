#include "Checkout.h"

#include "Db.h"
#include "Format.h"
#include "Settings.h"

#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace till {

namespace {

const QString kCrLf = QStringLiteral("\r\n");

// One prepared statement run many times (the lines of a cart).
class Prepared {
public:
    Prepared(const QSqlDatabase& db, const QString& sql) : q_(db), sql_(sql)
    {
        if (!q_.prepare(sql))
            throw gl::DbError(q_.lastError().text() + QStringLiteral("\n") + sql);
    }
    int exec(const QVariantList& params)
    {
        for (int i = 0; i < params.size(); ++i)
            q_.bindValue(i, params.at(i));
        if (!q_.exec())
            throw gl::DbError(q_.lastError().text() + QStringLiteral("\n") + sql_);
        return q_.numRowsAffected();
    }

private:
    QSqlQuery q_;
    QString sql_;
};

struct GoodsQty {
    QString id;
    double qty;
};

// Distinct goods in order of first appearance, each with the quantity of all its lines.
std::vector<GoodsQty> summedQuantities(const std::vector<SaleLine>& lines)
{
    std::vector<GoodsQty> out;
    for (const SaleLine& l : lines) {
        auto it = std::find_if(out.begin(), out.end(),
                               [&](const GoodsQty& g) { return g.id.compare(l.spid, Qt::CaseInsensitive) == 0; });
        if (it == out.end())
            out.push_back({l.spid, l.sl});
        else
            it->qty += l.sl;
    }
    return out;
}

// Points earned: one per `yuan` of spending on goods that earn points. The small allowance keeps
// a sum such as 33.3 + 66.7 from falling just short of a whole point.
int pointsFor(const QSqlDatabase& db, const std::vector<SaleLine>& lines, double yuan)
{
    double sum = 0;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT booljf FROM sp WHERE id = ?"));
    for (const SaleLine& l : lines) {
        q.bindValue(0, l.spid);
        if (!q.exec())
            throw gl::DbError(q.lastError().text());
        if (q.next() && q.value(0).toInt() != 0)
            sum += l.je;
        q.finish();
    }
    const double points = std::trunc(sum / yuan + (sum >= 0 ? 1e-9 : -1e-9));
    return points > 0 ? int(points) : 0;
}

} // namespace

bool parseTenders(const QString& cash, const QString& card, const QString& stored, Tenders* out)
{
    auto one = [](const QString& text, double* v) {
        const QString t = text.trimmed();
        if (t.isEmpty()) {
            *v = 0;
            return true;
        }
        return gl::parseNumber(t, v);
    };
    Tenders t;
    if (!one(cash, &t.cash) || !one(card, &t.card) || !one(stored, &t.stored))
        return false;
    *out = t;
    return true;
}

double changeOf(double tendered, double due)
{
    return gl::fmtMoney(tendered - due).toDouble();
}

QString checkoutMessage(CheckoutStatus status)
{
    switch (status) {
    case CheckoutStatus::Paid:
        return QString();
    case CheckoutStatus::Short:
        return QStringLiteral("付款不足！");
    case CheckoutStatus::AlreadyPaid:
        return QStringLiteral("此单已结账！");
    case CheckoutStatus::MemberMissing:
        return QStringLiteral("会员不存在！");
    case CheckoutStatus::BalanceShort:
        return QStringLiteral("会员余额不足！");
    case CheckoutStatus::StockShort:
        return QStringLiteral("库存不足！");
    }
    return QString();
}

QString stockShortages(const QSqlDatabase& db, const std::vector<SaleLine>& lines)
{
    QString message;
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT spmc, kc FROM sp WHERE id = ?"));
    for (const GoodsQty& g : summedQuantities(lines)) {
        q.bindValue(0, g.id);
        if (!q.exec())
            throw gl::DbError(q.lastError().text());
        if (!q.next())
            message += QStringLiteral("编号为[%1]的商品不存在。").arg(g.id) + kCrLf;
        else if (q.value(1).toDouble() < g.qty)
            message += QStringLiteral("编号为[%1]，商品名称为[%2]的库存不足。").arg(g.id, q.value(0).toString()) + kCrLf;
        q.finish();
    }
    return message;
}

void storeSaleLines(const QSqlDatabase& db, const QString& conid, const std::vector<SaleLine>& lines, bool paid,
                    const QString& czy, const QString& time)
{
    Prepared ins(db, QStringLiteral("INSERT INTO xiangxi (conid, spid, spmc, dj, sl, zk, hyj, je, st, czy, createtime)"
                                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    for (const SaleLine& l : lines)
        ins.exec({conid, l.spid, dbText(l.spmc), l.dj, l.sl, l.zk, l.hyj, l.je, paid ? 1 : 0, dbText(czy), time});
}

CheckoutResult bookCheckout(const QSqlDatabase& db, const CheckoutRequest& r)
{
    CheckoutResult result;
    auto refuse = [&](CheckoutStatus s) {
        result.status = s;
        return result;
    };
    const Tenders& t = r.tenders;
    if (t.sum() < r.zje)
        return refuse(CheckoutStatus::Short);

    // Everything below is read and written under the write lock, so what was checked still holds
    // when it is booked, even with other tills selling from the same goods and member.
    gl::Transaction tx(db);

    const QVariant st = gl::scalar(db, QStringLiteral("SELECT st FROM con WHERE conid = ?"), {r.conid});
    if (st.isValid()) {
        if (st.toInt() != 0)
            return refuse(CheckoutStatus::AlreadyPaid);
        result.heldOrder = true;
    }

    if (t.stored > 0) {
        const QVariant ye = gl::scalar(db, QStringLiteral("SELECT ye FROM mber WHERE id = ?"), {r.mberId});
        if (!ye.isValid())
            return refuse(CheckoutStatus::MemberMissing);
        if (t.stored > ye.toDouble())
            return refuse(CheckoutStatus::BalanceShort);
    }

    result.stockMessage = stockShortages(db, r.lines);
    const bool sellBelowStock = gl::isOn(
        gl::scalar(db, QStringLiteral("SELECT keyvalue FROM sysinfo WHERE infokey = 'kcbz'")).toString());
    if (!result.stockMessage.isEmpty() && !sellBelowStock)
        return refuse(CheckoutStatus::StockShort);

    if (result.stockMessage.isEmpty()) {
        // Guarded as well as checked: a booking never takes stock below what the check allowed.
        Prepared book(db, QStringLiteral("UPDATE sp SET kc = kc - ?, sc = sc + ? WHERE id = ? AND kc >= ?"));
        for (const GoodsQty& g : summedQuantities(r.lines)) {
            if (book.exec({g.qty, g.qty, g.id, g.qty}) != 1)
                throw gl::DbError(QStringLiteral("编号为[%1]的商品库存已被改变，请重新结账。").arg(g.id));
        }
        result.stockBooked = true;
    }

    if (t.stored > 0) {
        const int n = gl::run(db, QStringLiteral("UPDATE mber SET ye = ye - ? WHERE id = ? AND ye >= ?"),
                              {t.stored, r.mberId, t.stored})
                          .numRowsAffected();
        if (n != 1)
            return refuse(CheckoutStatus::BalanceShort);
    }

    const QString now = gl::nowDb();
    if (!result.heldOrder) {
        gl::run(db,
                QStringLiteral("INSERT INTO con (conid, xjfk, ylfk, czfk, mberid, mbername, czy, createtime, ysje, ssje, st)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"),
                {r.conid, t.cash, t.card, t.stored, dbText(r.mberId), dbText(r.mberName), dbText(r.czy), now, r.zje, r.zje});
    } else {
        // The held order is paid as the cart stands now: its tenders, its member (the one whose
        // stored value and points this payment moves) and its lines. Operator and time of holding stay.
        const int n = gl::run(db,
                              QStringLiteral("UPDATE con SET xjfk = ?, ylfk = ?, czfk = ?, ysje = ?, ssje = ?,"
                                             " mberid = ?, mbername = ?, st = 1 WHERE conid = ? AND st = 0"),
                              {t.cash, t.card, t.stored, r.zje, r.zje, dbText(r.mberId), dbText(r.mberName), r.conid})
                          .numRowsAffected();
        if (n != 1)
            return refuse(CheckoutStatus::AlreadyPaid);
        gl::run(db, QStringLiteral("DELETE FROM xiangxi WHERE conid = ?"), {r.conid});
    }
    storeSaleLines(db, r.conid, r.lines, true, r.czy, now);

    if (r.yuan > 0 && !r.mberId.isEmpty()) {
        const int points = pointsFor(db, r.lines, r.yuan);
        if (points > 0) {
            const int n = gl::run(db, QStringLiteral("UPDATE mber SET jf = jf + ? WHERE id = ? AND st = 0"),
                                  {points, r.mberId})
                              .numRowsAffected();
            result.points = n > 0 ? points : 0;
        }
    }

    tx.commit();
    result.status = CheckoutStatus::Paid;
    return result;
}

} // namespace till
