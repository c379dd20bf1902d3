// The customer pole display, read back through a pseudo-terminal standing in for the serial port.
#include "PoleDisplay.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "Settings.h"
#include "TestDb.h"
#include "UnitMain.h"

#include <QLineEdit>
#include <QtTest>

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

class TestPole : public QObject {
    Q_OBJECT
private slots:
    void bytes_data();
    void bytes();
    void closedPortSendsNothing();
    void closeClearsTheDisplay();
    void lineSettings();
    void openFromSettings_data();
    void openFromSettings();
    void ordinarySale();
};

namespace {

// The far end of a pseudo-terminal: what the display would receive.
class FakeDisplay {
public:
    FakeDisplay()
    {
        master_ = posix_openpt(O_RDWR | O_NOCTTY);
        if (master_ >= 0 && grantpt(master_) == 0 && unlockpt(master_) == 0)
            path_ = QString::fromLocal8Bit(ptsname(master_));
    }
    ~FakeDisplay()
    {
        if (master_ >= 0)
            ::close(master_);
    }
    QString path() const { return path_; }

    // Everything that arrives until the line stays quiet for `quietMs`.
    QByteArray read(int quietMs = 150)
    {
        QByteArray out;
        char buf[256];
        for (;;) {
            pollfd p{master_, POLLIN, 0};
            if (poll(&p, 1, quietMs) <= 0 || !(p.revents & POLLIN))
                break;
            const ssize_t n = ::read(master_, buf, sizeof buf);
            if (n <= 0)
                break;
            out.append(buf, int(n));
        }
        return out;
    }

    // The line settings the program put on its end.
    bool termios(struct termios* t) const
    {
        const int fd = ::open(path_.toLocal8Bit().constData(), O_RDONLY | O_NOCTTY | O_NONBLOCK);
        if (fd < 0)
            return false;
        const bool ok = tcgetattr(fd, t) == 0;
        ::close(fd);
        return ok;
    }

private:
    int master_ = -1;
    QString path_;
};

QByteArray show(char code, const char* value)
{
    return QByteArray("\x0C") + "\x1BQA" + value + "\r" + "\x1Bs" + code;
}

const QByteArray kReset("\x1B@");

} // namespace

void TestPole::bytes_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<double>("value");
    QTest::addColumn<QByteArray>("expected");

    QTest::newRow("total") << "2" << 12.5 << show('2', "12.50");
    QTest::newRow("two decimals") << "2" << 1234.5 << show('2', "1234.50");
    QTest::newRow("amount due") << "3" << 87.5 << show('3', "87.50");
    QTest::newRow("change") << "4" << 12.5 << show('4', "12.50");
    QTest::newRow("zero") << "2" << 0.0 << show('2', "0.00");
    QTest::newRow("rounded") << "2" << 2.675000001 << show('2', "2.68");
    QTest::newRow("negative") << "2" << -3.2 << show('2', "-3.20");
}

void TestPole::bytes()
{
    QFETCH(QString, code);
    QFETCH(double, value);
    QFETCH(QByteArray, expected);
    FakeDisplay far;
    QVERIFY(!far.path().isEmpty());
    till::PoleDisplay d;
    QVERIFY(d.openPort(far.path()));
    QVERIFY(d.isOpen());
    d.ShowGx(code.at(0), value);
    QCOMPARE(far.read(), expected);
    d.Reset();
    QCOMPARE(far.read(), kReset);
}

void TestPole::closedPortSendsNothing()
{
    FakeDisplay far;
    till::PoleDisplay d;
    QVERIFY(d.openPort(far.path()));
    d.CloseGx();
    QCOMPARE(far.read(), QByteArray("\x0C"));
    QVERIFY(!d.isOpen());
    d.ShowGx('2', 5);
    d.Reset();
    d.CloseGx();
    QCOMPARE(far.read(50), QByteArray());
    QVERIFY(!d.openPort("/dev/does-not-exist"));
    QVERIFY(!d.isOpen());
}

void TestPole::closeClearsTheDisplay()
{
    // Closing the till with the display open leaves it cleared.
    TestDb t;
    ScriptedDialogs dialogs;
    FakeDisplay far;
    {
        till::TfrmMain w;
        QVERIFY(w.mscGx->openPort(far.path()));
        dialogs.answers << true;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.close();
        QVERIFY(!w.isVisible());
        QVERIFY(!w.mscGx->isOpen());
    }
    QCOMPARE(far.read(), QByteArray("\x0C"));
}

void TestPole::lineSettings()
{
    FakeDisplay far;
    till::PoleDisplay d;
    QVERIFY(d.openPort(far.path()));
    struct termios t {};
    QVERIFY(far.termios(&t));
    QCOMPARE(cfgetospeed(&t), speed_t(B2400));
    QCOMPARE(int(t.c_cflag & CSIZE), int(CS8));
    QCOMPARE(int(t.c_cflag & PARENB), 0);
    QCOMPARE(int(t.c_cflag & CSTOPB), 0);
    QCOMPARE(int(t.c_cflag & CRTSCTS), 0);
    QCOMPARE(int(t.c_oflag & OPOST), 0);   // bytes leave as written

    QCOMPARE(till::PoleDisplay::portName(1), QString("/dev/ttyS0"));
    QCOMPARE(till::PoleDisplay::portName(12), QString("/dev/ttyS11"));
}

void TestPole::openFromSettings_data()
{
    QTest::addColumn<QString>("gx");
    QTest::addColumn<QString>("gxdk");
    QTest::addColumn<bool>("message");

    QTest::newRow("display off") << "no" << "99" << false;
    QTest::newRow("switch in capitals is off") << "YES" << "99" << false;
    QTest::newRow("no port set") << "yes" << "" << false;
    QTest::newRow("port missing") << "yes" << "99" << true;
    QTest::newRow("port not a number") << "yes" << "COM1" << true;
    QTest::newRow("port 0") << "yes" << "0" << true;
}

void TestPole::openFromSettings()
{
    QFETCH(QString, gx);
    QFETCH(QString, gxdk);
    QFETCH(bool, message);
    TestDb t;
    ScriptedDialogs dialogs;
    gl::writeTermSetting("gx", gx);
    gl::writeTermSetting("gxdk", gxdk);
    till::PoleDisplay d;
    QVERIFY(!d.OpenGxdk());
    QVERIFY(!d.isOpen());
    if (message) {
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, QStringLiteral("连接顾客显示器失败！"));
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
        QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
    } else {
        QVERIFY(dialogs.messages.isEmpty());
    }
}

void TestPole::ordinarySale()
{
    TestDb t;
    TestDb::exec("INSERT INTO sp (id, spmc, sj) VALUES ('6901', 'Cola', 3.5), ('6902', 'Bread', 8)");
    ScriptedDialogs dialogs;
    gl::setCurrentOperator("Admin");
    FakeDisplay far;
    till::TfrmMain w;
    QVERIFY(w.mscGx->openPort(far.path()));
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), w.editID);

    // A fresh sale: clear, 0.00 with the total light, then the reset command.
    w.GetNextLs();
    QCOMPARE(far.read(), show('2', "0.00") + kReset);

    QTest::keyClicks(w.editID, "6901");
    QTest::keyClick(w.editID, Qt::Key_Return);
    QCOMPARE(far.read(), show('2', "3.50"));
    QTest::keyClicks(w.editID, "6902");
    QTest::keyClick(w.editID, Qt::Key_Return);
    QCOMPARE(far.read(), show('2', "11.50"));
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(far.read(), show('2', "19.50"));
    QTest::keyClick(w.editID, Qt::Key_Delete);
    QCOMPARE(far.read(), show('2', "3.50"));
    QTest::keyClick(w.editID, Qt::Key_F11);
    QCOMPARE(far.read(), show('2', "0.00") + kReset);
    QVERIFY(dialogs.messages.isEmpty());
}

QTEST_MAIN(TestPole)
#include "tst_pole.moc"
