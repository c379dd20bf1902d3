// Start-up of the till: one copy per computer, a foreign database refused, login to the sale screen.
#include "App.h"
#include "Db.h"
#include "ScriptedDialogs.h"
#include "UnitLogin.h"
#include "UnitMain.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <QtTest>

class TestStartup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void secondCopyIsRefused();
    void crashedCopyDoesNotBlock();
    void foreignDatabaseIsRefused();
    void loginReachesTheSaleScreen();

private:
    QProcess* startHolder();
    QTemporaryDir tmp_;
};

void TestStartup::initTestCase()
{
    // The lock lives in the temp folder; keep it away from a till running on this machine.
    QVERIFY(tmp_.isValid());
    qputenv("TMPDIR", tmp_.path().toUtf8());
    QCOMPARE(QDir::tempPath(), tmp_.path());
}

QProcess* TestStartup::startHolder()
{
    auto* p = new QProcess(this);
    p->start(QCoreApplication::applicationDirPath() + "/lockholder", {till::appTitle()});
    if (!p->waitForReadyRead(10000) || p->readLine().trimmed() != "locked")
        return nullptr;
    return p;
}

void TestStartup::secondCopyIsRefused()
{
    QProcess* holder = startHolder();
    QVERIFY(holder);
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    QVERIFY(!till::prepareTill(folder.path()));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("请不要重复运行收银端！"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
    QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
    // It ends before touching anything.
    QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());
    holder->closeWriteChannel();
    QVERIFY(holder->waitForFinished(10000));
}

void TestStartup::crashedCopyDoesNotBlock()
{
    QProcess* holder = startHolder();
    QVERIFY(holder);
    holder->kill();   // dies without releasing its lock
    QVERIFY(holder->waitForFinished(10000));
    QVERIFY(QFile::exists(tmp_.filePath(till::appTitle() + ".lock")));

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    QVERIFY(till::prepareTill(folder.path()));
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(QFile::exists(folder.filePath("sydb.zdb")));
    QVERIFY(QFile::exists(folder.filePath("sydconf.zdb")));
}

void TestStartup::foreignDatabaseIsRefused()
{
    QTemporaryDir folder;
    const QByteArray junk = QByteArray("not a shop database\n").repeated(100);
    {
        QFile f(folder.filePath("sydb.zdb"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(junk);
    }
    ScriptedDialogs dialogs;
    QVERIFY(!till::prepareTill(folder.path()));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].text.contains(QStringLiteral("不是本系统")));
    QFile f(folder.filePath("sydb.zdb"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), junk);
}

void TestStartup::loginReachesTheSaleScreen()
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    dialogs.answers << false << true;   // first "No" keeps the window, then "Yes" quits
    bool sawMain = false, stayedOpen = false;

    QTimer::singleShot(0, [&] {
        auto* login = qobject_cast<till::TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(login);
        QTest::keyClicks(login->editPwd, "808642");
        QTest::keyClick(login->editPwd, Qt::Key_Return);
        QTimer::singleShot(50, [&] {
            till::TfrmMain* main = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* m = qobject_cast<till::TfrmMain*>(w))
                    main = m;
            QVERIFY(main);
            sawMain = main->isVisible() && main->windowState().testFlag(Qt::WindowMaximized)
                && main->windowTitle() == QStringLiteral("Velmora收银系统 - 收银端");
            main->close();
            stayedOpen = main->isVisible();
            main->close();
        });
    });
    const int rc = till::runTill(*qApp, folder.path());
    QCOMPARE(rc, 0);
    QVERIFY(sawMain);
    QVERIFY(stayedOpen);
    QCOMPARE(dialogs.questionsAsked, (QStringList{QStringLiteral("您确实要退出系统吗？"),
                                                  QStringLiteral("您确实要退出系统吗？")}));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("退出确认"));
}

QTEST_MAIN(TestStartup)
#include "tst_startup.moc"
