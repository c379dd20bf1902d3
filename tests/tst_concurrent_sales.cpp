// Two tills in two processes sell from one member balance and one goods stock at the same time.
#include "Db.h"
#include "Settings.h"
#include "TestDb.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QtTest>
#include <memory>

class TestConcurrentSales : public QObject {
    Q_OBJECT
private slots:
    void twoTillsOneBalanceOneStock();
};

namespace {

double num(const QString& sql)
{
    return TestDb::value(sql).toDouble();
}

} // namespace

void TestConcurrentSales::twoTillsOneBalanceOneStock()
{
    TestDb t;
    gl::writeShopSetting("kcbz", "no");
    gl::writeShopSetting("yuan", "0");
    TestDb::exec("INSERT INTO sp (id, spmc, sj, kc) VALUES ('G', 'Goods', 1, 50)");
    TestDb::exec("INSERT INTO mber (id, mbername, ye) VALUES ('M', 'Member', 30)");

    // Between them the tills want 108 units and 53 from stored value: both run out part-way.
    const QString helper = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("sellhelper");
    std::vector<std::unique_ptr<QProcess>> tills;
    for (const char* prefix : {"A", "B"}) {
        auto p = std::make_unique<QProcess>();
        p->start(helper, {t.folder(), prefix, "40"});
        QVERIFY(p->waitForStarted());
        QVERIFY(p->waitForReadyRead(30000));
        QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
        tills.push_back(std::move(p));
    }
    QFile go(QDir(t.folder()).absoluteFilePath("go"));
    QVERIFY(go.open(QIODevice::WriteOnly));
    go.close();

    int paid = 0;
    for (auto& p : tills) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitCode(), 0);
        const QList<QByteArray> f = p->readAllStandardOutput().trimmed().split(' ');
        QCOMPARE(f.size(), 6);
        QCOMPARE(f[5], QByteArray("0"));   // no database errors: the tills waited for each other
        paid += f[1].toInt();
        QVERIFY(f[3].toInt() > 0);           // each till was refused some sales
    }

    // The two tills really sold at the same time: their sales are interleaved.
    QSqlQuery order = gl::run(gl::shopDb(), "SELECT czy FROM con ORDER BY rowid");
    QString last;
    int switches = 0;
    while (order.next()) {
        const QString czy = order.value(0).toString();
        switches += !last.isEmpty() && czy != last;
        last = czy;
    }
    QVERIFY2(switches >= 2, qPrintable(QString::number(switches)));

    // Every figure agrees exactly with the paid sales, and nothing went below zero.
    const double sold = num("SELECT SUM(sl) FROM xiangxi WHERE st = 1");
    const double storedPaid = num("SELECT SUM(czfk) FROM con WHERE st = 1");
    QCOMPARE(int(num("SELECT COUNT(*) FROM con WHERE st = 1")), paid);
    QCOMPARE(int(num("SELECT COUNT(*) FROM xiangxi")), paid);
    QCOMPARE(num("SELECT kc FROM sp"), 50 - sold);
    QCOMPARE(num("SELECT sc FROM sp"), sold);
    QCOMPARE(num("SELECT ye FROM mber"), 30 - storedPaid);
    QVERIFY(num("SELECT kc FROM sp") >= 0);
    QVERIFY(num("SELECT ye FROM mber") >= 0);
    QVERIFY(storedPaid > 0 && storedPaid <= 30);
    QCOMPARE(num("SELECT SUM(xjfk + czfk) FROM con"), sold);
}

QTEST_MAIN(TestConcurrentSales)
#include "tst_concurrent_sales.moc"
