// The permission string and the operator match.
#include "Session.h"
#include "TestDb.h"

#include <QtTest>

class TestSession : public QObject {
    Q_OBJECT
private slots:
    void permissionByPosition_data();
    void permissionByPosition();
    void deletedOperatorIsRefusedEverything();
    void permissionChangeAppliesAtOnce();
    void operatorMatchIgnoresCaseAndTakesTextAsTyped_data();
    void operatorMatchIgnoresCaseAndTakesTextAsTyped();
};

void TestSession::permissionByPosition_data()
{
    QTest::addColumn<QString>("per");
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("granted");
    QTest::newRow("all, first") << "11111111111" << 1 << true;
    QTest::newRow("all, last") << "11111111111" << 11 << true;
    QTest::newRow("first refused") << "01111111111" << 1 << false;
    QTest::newRow("beyond a short string") << "111" << 4 << false;
    QTest::newRow("last of a short string") << "111" << 3 << true;
    QTest::newRow("empty string") << "" << 1 << false;
    QTest::newRow("other character") << "x1111111111" << 1 << false;
    QTest::newRow("position 0") << "11111111111" << 0 << false;
}

void TestSession::permissionByPosition()
{
    QFETCH(QString, per);
    QFETCH(int, position);
    QFETCH(bool, granted);
    TestDb t;
    TestDb::addOperator("li", "1", per);
    gl::setCurrentOperator("li");
    QCOMPARE(gl::hasPermission(position), granted);
}

void TestSession::deletedOperatorIsRefusedEverything()
{
    TestDb t;
    TestDb::addOperator("wang", "1", "11111111111");
    gl::setCurrentOperator("wang");
    QVERIFY(gl::hasPermission(gl::PermTill));
    TestDb::exec("DELETE FROM czy WHERE czyname = 'wang'");
    for (int pos = 1; pos <= 11; ++pos)
        QVERIFY(!gl::hasPermission(pos));
}

void TestSession::permissionChangeAppliesAtOnce()
{
    TestDb t;
    TestDb::addOperator("zhao", "1", "11111111111");
    gl::setCurrentOperator("ZHAO");   // the name as typed at login
    QVERIFY(gl::hasPermission(gl::PermMembers));
    TestDb::exec("UPDATE czy SET per = '1111111111' WHERE czyname = 'zhao'");
    QVERIFY(!gl::hasPermission(gl::PermMembers));
}

void TestSession::operatorMatchIgnoresCaseAndTakesTextAsTyped_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<bool>("match");
    QTest::newRow("exact") << "Admin" << "808642" << true;
    QTest::newRow("name case") << "admin" << "808642" << true;
    QTest::newRow("password case") << "O'Neil" << "PA%SS\\W" << true;
    QTest::newRow("quote in name") << "O'Neil" << "pa%ss\\w" << true;
    QTest::newRow("wildcard is no wildcard") << "O%" << "pa%ss\\w" << false;
    QTest::newRow("untrimmed password") << "Admin" << "808642 " << false;
    QTest::newRow("injection") << "x' OR '1'='1" << "x' OR '1'='1" << false;
}

void TestSession::operatorMatchIgnoresCaseAndTakesTextAsTyped()
{
    QFETCH(QString, name);
    QFETCH(QString, pwd);
    QFETCH(bool, match);
    TestDb t;
    TestDb::addOperator("O'Neil", "pa%ss\\w", "11111111111");
    QCOMPARE(gl::operatorMatches(name, pwd), match);
}

QTEST_GUILESS_MAIN(TestSession)
#include "tst_session.moc"
