// Shop and terminal settings, switches, and the autostart entry.
#include "Autostart.h"
#include "Db.h"
#include "Settings.h"
#include "TestDb.h"

#include <QFile>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void switchIsOnOnlyForExactYes_data();
    void switchIsOnOnlyForExactYes();
    void readWriteRoundTrip();
    void missingKeyReadsEmptyAndIsNeverAdded();
    void nullValueReadsEmpty();
    void autostartSetQueryRemove();
};

void TestSettings::switchIsOnOnlyForExactYes_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("on");
    QTest::newRow("yes") << "yes" << true;
    QTest::newRow("Yes") << "Yes" << false;
    QTest::newRow("YES") << "YES" << false;
    QTest::newRow("no") << "no" << false;
    QTest::newRow("blank-padded") << " yes" << false;
    QTest::newRow("empty") << "" << false;
}

void TestSettings::switchIsOnOnlyForExactYes()
{
    QFETCH(QString, stored);
    QFETCH(bool, on);
    TestDb t;
    gl::writeTermSetting("print", stored);
    QCOMPARE(gl::readTermSetting("print"), stored);
    QCOMPARE(gl::isOn(gl::readTermSetting("print")), on);
}

void TestSettings::readWriteRoundTrip()
{
    TestDb t;
    const QString header = QStringLiteral("欢迎光临 'Velmora'\n地址：100% \\ 路");
    gl::writeShopSetting("dingbu", header);
    QCOMPARE(gl::readShopSetting("dingbu"), header);
    gl::writeTermSetting("printer", "Receipt-58");
    QCOMPARE(gl::readTermSetting("printer"), QString("Receipt-58"));
    // The two stores are separate files.
    QCOMPARE(gl::readShopSetting("printer"), QString());
}

void TestSettings::missingKeyReadsEmptyAndIsNeverAdded()
{
    TestDb t;
    QCOMPARE(gl::readShopSetting("nosuchkey"), QString());
    gl::writeShopSetting("nosuchkey", "1");
    gl::writeTermSetting("nosuchkey", "1");
    QCOMPARE(gl::readShopSetting("nosuchkey"), QString());
    QCOMPARE(TestDb::value("SELECT count(*) FROM sysinfo WHERE infokey = 'nosuchkey'").toInt(), 0);
    QCOMPARE(gl::scalar(gl::confDb(), "SELECT count(*) FROM sysinfo WHERE infokey = 'nosuchkey'").toInt(), 0);
}

void TestSettings::nullValueReadsEmpty()
{
    TestDb t;
    TestDb::exec("UPDATE sysinfo SET keyvalue = NULL WHERE infokey = 'shopname'");
    QCOMPARE(gl::readShopSetting("shopname"), QString());
    QVERIFY(!gl::readShopSetting("shopname").isNull() || gl::readShopSetting("shopname").isEmpty());
}

void TestSettings::autostartSetQueryRemove()
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    const QString title = QStringLiteral("Velmora收银系统收银端");
    const QString exe = QStringLiteral("/opt/shop dir/vmtill");
    QVERIFY(!gl::autostartEnabled(title));
    QVERIFY(gl::setAutostart(title, exe, true));
    QVERIFY(gl::autostartEnabled(title));
    const QString path = gl::autostartEntryPath(title);
    QVERIFY(path.startsWith(config.path() + "/autostart/"));
    QVERIFY(path.endsWith(title + ".desktop"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString entry = QString::fromUtf8(f.readAll());
    QVERIFY(entry.startsWith("[Desktop Entry]\n"));
    QVERIFY(entry.contains("Type=Application\n"));
    QVERIFY2(entry.contains("Exec=\"/opt/shop dir/vmtill\"\n"), qPrintable(entry));
    QVERIFY(entry.contains("Name=" + title + "\n"));
    QVERIFY(gl::setAutostart(title, exe, false));
    QVERIFY(!gl::autostartEnabled(title));
    QVERIFY(gl::setAutostart(title, exe, false));   // removing twice is fine
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
