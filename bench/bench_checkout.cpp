// Checkout booking of a 100-line cart on a large shop:
//   bench_checkout [folder with sydb.zdb from gen_shop] [runs]
//
// Works on a copy of the database (without a folder it builds a shop of 200,000 goods itself).
// Each run books one paid sale of 100 different goods with a member paying partly from stored
// value and earning points: the checks, the stock booking, header, lines, balance and points.
// Reports the median and p90 of the real booking (one transaction), next to the same statements
// run the naive way, each committed on its own.
#include "Checkout.h"
#include "Db.h"
#include "Format.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

constexpr int kLines = 100;
const QString kMember = QStringLiteral("BENCH-MEMBER");

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void buildShop(const QSqlDatabase& db)
{
    std::printf("building a shop of 200000 goods ...\n");
    std::fflush(stdout);
    gl::Transaction tx(db);
    QSqlQuery ins(db);
    ins.prepare(QStringLiteral("INSERT INTO sp (id, spmc, sj, hyj, kc, booljf, createtime) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    std::mt19937 rng(7);
    for (int n = 0; n < 200000; ++n) {
        ins.bindValue(0, QString::number(6900000000000LL + n));
        ins.bindValue(1, QStringLiteral("商品%1").arg(n));
        ins.bindValue(2, 1 + int(rng() % 200));
        ins.bindValue(3, 0);
        ins.bindValue(4, int(rng() % 500));
        ins.bindValue(5, rng() % 10 ? 1 : 0);
        ins.bindValue(6, gl::nowDb());
        ins.exec();
    }
    tx.commit();
}

// The same booking as bookCheckout, statement by statement, each one committed on its own.
void naiveBooking(const QSqlDatabase& db, const till::CheckoutRequest& r)
{
    gl::scalar(db, QStringLiteral("SELECT st FROM con WHERE conid = ?"), {r.conid});
    gl::scalar(db, QStringLiteral("SELECT ye FROM mber WHERE id = ?"), {r.mberId});
    till::stockShortages(db, r.lines);
    for (const till::SaleLine& l : r.lines)
        gl::run(db, QStringLiteral("UPDATE sp SET kc = kc - ?, sc = sc + ? WHERE id = ?"), {l.sl, l.sl, l.spid});
    gl::run(db, QStringLiteral("UPDATE mber SET ye = ye - ? WHERE id = ?"), {r.tenders.stored, r.mberId});
    const QString now = gl::nowDb();
    gl::run(db,
            QStringLiteral("INSERT INTO con (conid, xjfk, ylfk, czfk, mberid, mbername, czy, createtime, ysje, ssje, st)"
                           " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"),
            {r.conid, r.tenders.cash, r.tenders.card, r.tenders.stored, r.mberId, r.mberName, r.czy, now, r.zje, r.zje});
    for (const till::SaleLine& l : r.lines)
        gl::run(db,
                QStringLiteral("INSERT INTO xiangxi (conid, spid, spmc, dj, sl, zk, hyj, je, st, czy, createtime)"
                               " VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?)"),
                {r.conid, l.spid, l.spmc, l.dj, l.sl, l.zk, l.hyj, l.je, r.czy, now});
    double sum = 0;
    for (const till::SaleLine& l : r.lines)
        if (gl::scalar(db, QStringLiteral("SELECT booljf FROM sp WHERE id = ?"), {l.spid}).toInt() != 0)
            sum += l.je;
    gl::run(db, QStringLiteral("UPDATE mber SET jf = jf + ? WHERE id = ? AND st = 0"), {int(sum / 10), r.mberId});
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QString source = argc > 1 ? QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath("sydb.zdb") : QString();
    const int runs = argc > 2 ? std::max(5, QString::fromLocal8Bit(argv[2]).toInt()) : 60;

    QTemporaryDir work;
    if (!source.isEmpty()) {
        std::printf("copying %s ...\n", qPrintable(source));
        std::fflush(stdout);
        if (!QFile::copy(source, work.filePath(QStringLiteral("sydb.zdb")))) {
            std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
            return 1;
        }
    }
    QString error;
    if (!gl::openStore(gl::Store::Shop, work.path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    QSqlDatabase db = gl::shopDb();
    try {
        if (source.isEmpty())
            buildShop(db);
        gl::run(db, QStringLiteral("UPDATE sysinfo SET keyvalue = 'no' WHERE infokey = 'kcbz'"));
        gl::run(db, QStringLiteral("INSERT INTO mber (id, mbername, ye) VALUES (?, 'Bench', 1e12)"), {kMember});

        // Goods with stock for every run, in random order.
        std::vector<till::SaleLine> pool;
        QSqlQuery q = gl::run(db, QStringLiteral("SELECT id, spmc, sj FROM sp WHERE kc >= 300 ORDER BY RANDOM() LIMIT ?"),
                              {kLines * 20});
        while (q.next()) {
            till::SaleLine l;
            l.spid = q.value(0).toString();
            l.spmc = q.value(1).toString();
            l.dj = q.value(2).toDouble();
            l.sl = 1;
            l.hyj = l.dj;
            l.je = l.dj;
            pool.push_back(l);
        }
        q.finish();
        if (pool.size() < size_t(kLines)) {
            std::fprintf(stderr, "not enough goods in stock\n");
            return 1;
        }
        const qint64 goods = gl::scalar(db, QStringLiteral("SELECT COUNT(*) FROM sp")).toLongLong();
        const qint64 sales = gl::scalar(db, QStringLiteral("SELECT COUNT(*) FROM con")).toLongLong();
        std::printf("shop: %lld goods, %lld sales; cart of %d lines\n", goods, sales, kLines);

        std::mt19937 rng(11);
        auto cart = [&](const QString& conid) {
            till::CheckoutRequest r;
            r.conid = conid;
            r.mberId = kMember;
            r.mberName = QStringLiteral("Bench");
            r.czy = QStringLiteral("Admin");
            r.yuan = 10;
            std::vector<size_t> picks(pool.size());
            for (size_t i = 0; i < picks.size(); ++i)
                picks[i] = i;
            std::shuffle(picks.begin(), picks.end(), rng);
            for (int i = 0; i < kLines; ++i) {
                r.lines.push_back(pool[picks[i]]);
                r.zje += pool[picks[i]].je;
            }
            r.tenders.stored = 50;
            r.tenders.cash = r.zje - 50 + 0.5;
            return r;
        };

        std::vector<double> booked, naive;
        QElapsedTimer t;
        for (int i = 0; i < runs + 3; ++i) {
            const till::CheckoutRequest r = cart(QStringLiteral("BENCH-T%1").arg(i));
            t.start();
            const till::CheckoutResult res = till::bookCheckout(db, r);
            const double ms = double(t.nsecsElapsed()) / 1e6;
            if (res.status != till::CheckoutStatus::Paid || !res.stockBooked) {
                std::fprintf(stderr, "booking refused\n");
                return 1;
            }
            if (i >= 3)   // the first ones warm the cache
                booked.push_back(ms);
        }
        const int naiveRuns = std::max(5, runs / 6);
        for (int i = 0; i < naiveRuns; ++i) {
            const till::CheckoutRequest r = cart(QStringLiteral("BENCH-N%1").arg(i));
            t.start();
            naiveBooking(db, r);
            naive.push_back(double(t.nsecsElapsed()) / 1e6);
        }

        std::printf("checkout of %d lines, one transaction:  n=%3zu  median %8.2f ms  p90 %8.2f ms  max %8.2f ms"
                    "  (target < 30 ms)\n",
                    kLines, booked.size(), percentile(booked, 0.5), percentile(booked, 0.9),
                    percentile(booked, 1.0));
        std::printf("same statements, one commit each:     n=%3zu  median %8.2f ms  p90 %8.2f ms  max %8.2f ms\n",
                    naive.size(), percentile(naive, 0.5), percentile(naive, 0.9), percentile(naive, 1.0));
    } catch (const gl::DbError& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        return 1;
    }
    db = QSqlDatabase();
    gl::closeStore(gl::Store::Shop);
    return 0;
}
