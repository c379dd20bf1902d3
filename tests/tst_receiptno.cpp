// Receipt numbers: their form, the counter in the shop database, and two tills at once.
#include "Db.h"
#include "ReceiptNumber.h"
#include "Settings.h"
#include "TestDb.h"

#include <QProcess>
#include <QSet>
#include <QtTest>

class TestReceiptNo : public QObject {
    Q_OBJECT
private slots:
    void format_data();
    void format();
    void takesAndStoresTheNextNumber();
    void badCounterTakesNoNumber_data();
    void badCounterTakesNoNumber();
    void twoProcessesNeverShareANumber();
};

void TestReceiptNo::format_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<qint64>("counter");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("number");

    QTest::newRow("no prefix, full width") << "" << qint64(10000001) << 8 << "10000001";
    QTest::newRow("prefix and padding") << "A" << qint64(42) << 5 << "A00042";
    QTest::newRow("counter longer than the width is used whole") << "B" << qint64(1234567) << 5 << "B1234567";
    QTest::newRow("18 digits") << "" << qint64(7) << 18 << "000000000000000007";
    QTest::newRow("Chinese prefix") << "店" << qint64(1) << 5 << "店00001";
}

void TestReceiptNo::format()
{
    QFETCH(QString, prefix);
    QFETCH(qint64, counter);
    QFETCH(int, width);
    QFETCH(QString, number);
    QCOMPARE(till::formatReceiptNo(prefix, counter, width), number);
}

void TestReceiptNo::takesAndStoresTheNextNumber()
{
    TestDb t;
    gl::writeShopSetting("lsqz", "T");
    gl::writeShopSetting("lsh", "41");
    gl::writeShopSetting("lsws", "5");
    QCOMPARE(till::takeNextReceiptNo(gl::shopDb()), QString("T00042"));
    QCOMPARE(gl::readShopSetting("lsh"), QString("42"));
    QCOMPARE(till::takeNextReceiptNo(gl::shopDb()), QString("T00043"));

    // The back office may change the prefix and width between two sales.
    gl::writeShopSetting("lsqz", "");
    gl::writeShopSetting("lsws", "2");
    QCOMPARE(till::takeNextReceiptNo(gl::shopDb()), QString("44"));
    gl::writeShopSetting("lsh", "99999999999");
    QCOMPARE(till::takeNextReceiptNo(gl::shopDb()), QString("100000000000"));
    QCOMPARE(gl::readShopSetting("lsh"), QString("100000000000"));
}

void TestReceiptNo::badCounterTakesNoNumber_data()
{
    QTest::addColumn<QString>("lsh");
    QTest::addColumn<QString>("lsws");
    QTest::newRow("counter not a number") << "12a" << "8";
    QTest::newRow("counter empty") << "" << "8";
    QTest::newRow("width not a number") << "5" << "eight";
    QTest::newRow("counter at its limit") << "9223372036854775807" << "8";
}

void TestReceiptNo::badCounterTakesNoNumber()
{
    QFETCH(QString, lsh);
    QFETCH(QString, lsws);
    TestDb t;
    gl::writeShopSetting("lsh", lsh);
    gl::writeShopSetting("lsws", lsws);
    QVERIFY_THROWS_EXCEPTION(gl::DbError, till::takeNextReceiptNo(gl::shopDb()));
    QCOMPARE(gl::readShopSetting("lsh"), lsh);
    // Nothing is left open: the next statement runs at once.
    gl::writeShopSetting("lsh", "1");
    gl::writeShopSetting("lsws", "3");
    QCOMPARE(till::takeNextReceiptNo(gl::shopDb()), QString("002"));
}

void TestReceiptNo::twoProcessesNeverShareANumber()
{
    TestDb t;
    gl::writeShopSetting("lsh", "0");
    gl::writeShopSetting("lsws", "8");
    const QString exe = QCoreApplication::applicationDirPath() + "/numbertaker";
    QVERIFY(QFileInfo::exists(exe));
    // The test's own connection takes numbers at the same time, like the back office would.
    QProcess a, b;
    for (QProcess* p : {&a, &b}) {
        p->start(exe, {t.folder(), "500"});
        QVERIFY(p->waitForStarted());
    }
    for (QProcess* p : {&a, &b}) {
        QVERIFY(p->waitForReadyRead(20000));
        QCOMPARE(p->readLine().trimmed(), QByteArray("ready"));
    }
    a.write("go\n");
    b.write("go\n");
    QStringList mine;
    for (int i = 0; i < 50; ++i)
        mine << till::takeNextReceiptNo(gl::shopDb());
    for (QProcess* p : {&a, &b}) {
        QVERIFY(p->waitForFinished(120000));
        QCOMPARE(p->exitStatus(), QProcess::NormalExit);
        QCOMPARE(p->exitCode(), 0);
    }
    const QStringList fromA = QString::fromLatin1(a.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    const QStringList fromB = QString::fromLatin1(b.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(fromA.size(), 500);
    QCOMPARE(fromB.size(), 500);
    QSet<QString> all;
    for (const QStringList& list : {fromA, fromB, mine})
        for (const QString& n : list)
            all.insert(n);
    QCOMPARE(all.size(), 1050);
    QVERIFY(all.contains("00000001"));
    QVERIFY(all.contains("00001050"));
    QCOMPARE(gl::readShopSetting("lsh"), QString("1050"));
}

QTEST_GUILESS_MAIN(TestReceiptNo)
#include "tst_receiptno.moc"
