// The database files: what a new file holds, and what happens to a file that is not ours.
#include "Db.h"
#include "Schema.h"
#include "Settings.h"
#include "TestDb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlRecord>
#include <QtTest>

namespace {

QByteArray fileHash(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

QStringList columnsOf(const QSqlDatabase& db, const QString& table)
{
    QStringList cols;
    const QSqlRecord rec = db.record(table);
    for (int i = 0; i < rec.count(); ++i)
        cols << rec.fieldName(i);
    return cols;
}

} // namespace

class TestDatabase : public QObject {
    Q_OBJECT
private slots:
    void newShopFileHasEveryTableAndColumn_data();
    void newShopFileHasEveryTableAndColumn();
    void newFilesHoldEveryKeyAndTheAdmin();
    void numericKeysHoldNumbers();
    void indexesServeTheLookups_data();
    void indexesServeTheLookups();
    void textComparesWithoutCase();
    void quotesAndWildcardsAreStoredAsTyped();
    void existingFileIsKeptOnReopen();
    void foreignFileIsRefusedAndUntouched_data();
    void foreignFileIsRefusedAndUntouched();
    void transactionRollsBackOnError();
    void runsInWalMode();
};

void TestDatabase::newShopFileHasEveryTableAndColumn_data()
{
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("columns");
    QTest::newRow("czy") << "czy" << QStringList{"czyname", "pwd", "per"};
    QTest::newRow("sysinfo") << "sysinfo" << QStringList{"infokey", "keyvalue"};
    QTest::newRow("splb") << "splb" << QStringList{"lbmc"};
    QTest::newRow("sp") << "sp"
                        << QStringList{"id", "spmc", "huohao", "splb", "jj", "sj", "hyj", "kc", "guige",
                                       "booldz", "booljf", "sc", "createtime", "lastjh", "ps"};
    QTest::newRow("ghs") << "ghs" << QStringList{"ghsname", "lxr", "tel", "email", "website", "addr", "zhxx", "ps"};
    QTest::newRow("jthjl") << "jthjl"
                           << QStringList{"id", "jhpc", "ghs", "spid", "spmc", "guige", "huohao", "jj", "xz",
                                          "sl", "createtime", "czy", "ps"};
    QTest::newRow("kcyd") << "kcyd" << QStringList{"id", "spid", "spname", "sl", "yy", "ydrq", "ps"};
    QTest::newRow("spdz") << "spdz" << QStringList{"spid", "sl", "dj"};
    QTest::newRow("pandian") << "pandian" << QStringList{"id", "spmc", "splb", "pdkc"};
    QTest::newRow("mber") << "mber"
                          << QStringList{"id",   "mbername", "tel",       "email", "addr", "sryue",
                                         "srri", "srlx",     "xfcs",      "jf",    "ydhjf", "ljcz",
                                         "ye",   "boolguoqi", "gqrq",     "zk",    "ps",    "createtime", "st"};
    QTest::newRow("czjl") << "czjl" << QStringList{"mberid", "mbername", "je", "czy", "createtime", "ps"};
    QTest::newRow("jfdhjl") << "jfdhjl"
                            << QStringList{"id", "mberid", "mbername", "jf", "sp", "czy", "createtime", "ps"};
    QTest::newRow("con") << "con"
                         << QStringList{"conid", "xjfk", "ylfk", "czfk", "mberid", "mbername", "czy",
                                        "createtime", "ysje", "ssje", "st"};
    QTest::newRow("xiangxi") << "xiangxi"
                             << QStringList{"id", "conid", "spid", "spmc", "dj", "sl", "zk", "hyj", "je", "st",
                                            "czy", "createtime"};
    QTest::newRow("thjl") << "thjl"
                          << QStringList{"conid", "spid", "spmc", "dj", "sl", "zk", "hyj", "je", "czy",
                                         "createtime"};
}

void TestDatabase::newShopFileHasEveryTableAndColumn()
{
    QFETCH(QString, table);
    QFETCH(QStringList, columns);
    TestDb t;
    QVERIFY(t.ok());
    QCOMPARE(columnsOf(gl::shopDb(), table), columns);
}

void TestDatabase::newFilesHoldEveryKeyAndTheAdmin()
{
    TestDb t;
    QVERIFY(t.ok());
    for (const auto& kv : gl::shopKeys())
        QCOMPARE(gl::scalar(gl::shopDb(), "SELECT count(*) FROM sysinfo WHERE infokey = ?", {kv.first}).toInt(), 1);
    for (const auto& kv : gl::terminalKeys())
        QCOMPARE(gl::scalar(gl::confDb(), "SELECT count(*) FROM sysinfo WHERE infokey = ?", {kv.first}).toInt(), 1);
    QCOMPARE(columnsOf(gl::confDb(), "sysinfo"), (QStringList{"infokey", "keyvalue"}));
    QCOMPARE(gl::scalar(gl::shopDb(), "SELECT count(*) FROM sysinfo").toInt(), 18);
    QCOMPARE(gl::scalar(gl::confDb(), "SELECT count(*) FROM sysinfo").toInt(), 8);

    QSqlQuery q = gl::run(gl::shopDb(), "SELECT czyname, pwd, per FROM czy");
    QVERIFY(q.next());
    QCOMPARE(q.value(0).toString(), QString("Admin"));
    QCOMPARE(q.value(1).toString(), QString("808642"));
    QCOMPARE(q.value(2).toString(), QString("11111111111"));
    QVERIFY(!q.next());

    QCOMPARE(gl::readTermSetting("dyfs"), QString("1"));
    QCOMPARE(gl::readTermSetting("xbj"), QString("3"));
    for (const char* sw : {"yl", "gx", "astart", "print"})
        QCOMPARE(gl::readTermSetting(sw), QString("no"));
}

void TestDatabase::numericKeysHoldNumbers()
{
    // The till converts these strictly when its sale screen opens.
    TestDb t;
    for (const char* key : {"yuan", "lsh", "lsws", "dzc", "dzc_spbm1", "dzc_spbm2", "dzc_zsm1", "dzc_zsm2",
                            "dzc_xsm1", "dzc_xsm2", "txsl"}) {
        bool ok = false;
        gl::readShopSetting(key).toDouble(&ok);
        QVERIFY2(ok, key);
    }
    QCOMPARE(gl::readShopSetting("lsh"), QString("10000000"));
    QCOMPARE(gl::readShopSetting("lsws"), QString("8"));
    QCOMPARE(gl::readShopSetting("dzc"), QString("0"));
}

void TestDatabase::indexesServeTheLookups_data()
{
    QTest::addColumn<QString>("sql");
    QTest::newRow("goods by id") << "SELECT * FROM sp WHERE id = 'x'";
    QTest::newRow("goods by name") << "SELECT * FROM sp WHERE spmc = 'x'";
    QTest::newRow("breaks") << "SELECT dj FROM spdz WHERE spid = 'x' AND sl = 2";
    QTest::newRow("member") << "SELECT * FROM mber WHERE id = 'x'";
    QTest::newRow("sale by number") << "SELECT * FROM con WHERE conid = 'x'";
    QTest::newRow("sales by time") << "SELECT * FROM con WHERE createtime >= 'a' AND createtime < 'b'";
    QTest::newRow("lines by number") << "SELECT * FROM xiangxi WHERE conid = 'x'";
    QTest::newRow("lines by time") << "SELECT * FROM xiangxi WHERE createtime >= 'a' AND createtime < 'b'";
    QTest::newRow("operator") << "SELECT * FROM czy WHERE czyname = 'x'";
    QTest::newRow("setting") << "SELECT * FROM sysinfo WHERE infokey = 'x'";
}

void TestDatabase::indexesServeTheLookups()
{
    QFETCH(QString, sql);
    TestDb t;
    QSqlQuery q = gl::run(gl::shopDb(), "EXPLAIN QUERY PLAN " + sql);
    QString plan;
    while (q.next())
        plan += q.value(3).toString() + '\n';
    QVERIFY2(plan.contains("USING INDEX") || plan.contains("USING COVERING INDEX"), qPrintable(plan));
}

void TestDatabase::textComparesWithoutCase()
{
    TestDb t;
    QCOMPARE(TestDb::value("SELECT count(*) FROM czy WHERE czyname = ?", {"ADMIN"}).toInt(), 1);
    TestDb::exec("INSERT INTO sp (id, spmc) VALUES ('AbC1', 'Cola')");
    QCOMPARE(TestDb::value("SELECT spmc FROM sp WHERE id = ?", {"abc1"}).toString(), QString("Cola"));
}

void TestDatabase::quotesAndWildcardsAreStoredAsTyped()
{
    TestDb t;
    const QString odd = QStringLiteral("O'Brien \\ 100% \"x\" '; DROP TABLE sp; --");
    TestDb::exec("INSERT INTO sp (id, spmc) VALUES (?, ?)", {odd, odd});
    QCOMPARE(TestDb::value("SELECT spmc FROM sp WHERE id = ?", {odd}).toString(), odd);
    QCOMPARE(TestDb::value("SELECT count(*) FROM sp").toInt(), 1);
}

void TestDatabase::existingFileIsKeptOnReopen()
{
    TestDb t;
    gl::writeShopSetting("shopname", QStringLiteral("小店"));
    TestDb::addOperator("zhang", "1", "10000000000");
    QString error;
    QVERIFY(gl::openStore(gl::Store::Shop, t.folder(), &error));
    QCOMPARE(gl::readShopSetting("shopname"), QStringLiteral("小店"));
    QCOMPARE(TestDb::value("SELECT count(*) FROM czy").toInt(), 2);

    // After a clean close the WAL side files are gone; the file still opens as ours.
    gl::closeStore(gl::Store::Shop);
    QVERIFY(!QFile::exists(t.shopPath() + "-wal"));
    QVERIFY(gl::openStore(gl::Store::Shop, t.folder(), &error));
    QCOMPARE(gl::readShopSetting("shopname"), QStringLiteral("小店"));
}

void TestDatabase::foreignFileIsRefusedAndUntouched_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("random bytes") << "random";
    QTest::newRow("empty file") << "empty";
    QTest::newRow("unrelated sqlite file") << "sqlite";
    QTest::newRow("terminal file as shop file") << "terminal";
}

void TestDatabase::foreignFileIsRefusedAndUntouched()
{
    QFETCH(QString, kind);
    QTemporaryDir dir;
    const QString path = dir.filePath("sydb.zdb");
    if (kind == "random") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QByteArray bytes(8192, '\0');
        for (char& c : bytes)
            c = char(QRandomGenerator::global()->bounded(256));
        f.write(bytes);
    } else if (kind == "empty") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
    } else if (kind == "sqlite") {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "foreign");
        db.setDatabaseName(path);
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("CREATE TABLE notes (t TEXT)"));
        QVERIFY(q.exec("INSERT INTO notes VALUES ('keep me')"));
        q.clear();
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase("foreign");
    } else {
        QString error;
        QVERIFY(gl::openStore(gl::Store::Terminal, dir.path(), &error));
        gl::closeStore(gl::Store::Terminal);
        QVERIFY(QFile::rename(dir.filePath("sydconf.zdb"), path));
    }
    const QByteArray before = fileHash(path);
    const qint64 size = QFileInfo(path).size();

    QString error;
    QVERIFY(!gl::openStore(gl::Store::Shop, dir.path(), &error));
    QVERIFY2(error.contains(QStringLiteral("不是本系统")), qPrintable(error));
    QCOMPARE(fileHash(path), before);
    QCOMPARE(QFileInfo(path).size(), size);
    QVERIFY(!gl::shopDb().isOpen());
}

void TestDatabase::transactionRollsBackOnError()
{
    TestDb t;
    try {
        gl::Transaction tx(gl::shopDb());
        TestDb::exec("INSERT INTO splb (lbmc) VALUES ('饮料')");
        TestDb::exec("INSERT INTO nosuchtable VALUES (1)");
        tx.commit();
        QFAIL("the bad statement should have thrown");
    } catch (const gl::DbError&) {
    }
    QCOMPARE(TestDb::value("SELECT count(*) FROM splb").toInt(), 0);
}

void TestDatabase::runsInWalMode()
{
    TestDb t;
    QCOMPARE(TestDb::value("PRAGMA journal_mode").toString(), QString("wal"));
}

QTEST_GUILESS_MAIN(TestDatabase)
#include "tst_database.moc"
