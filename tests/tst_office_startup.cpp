// Start-up of the back office: one copy per computer, login, the main window with its module
// windows, the permission tests of the module buttons and the About box.
#include "App.h"
#include "Db.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitAbout.h"
#include "UnitConf.h"
#include "UnitLogin.h"
#include "UnitMain.h"
#include "UnitMber.h"
#include "UnitSpgl.h"
#include "UnitTongji.h"
#include "UnitUsers.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

// Stands in for the desktop: records what the program asks it to open.
class UrlSink : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

class TestOfficeStartup : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void secondCopyIsRefused();
    void opensReadyForThePassword();
    void login_data();
    void login();
    void emptyNameFocusesTheNameBox();
    void loginOpensTheMainWindow();
    void closingTheLoginEndsTheProgram();
    void moduleButtons_data();
    void moduleButtons();
    void permissionIsReadAtEachClick();
    void moduleWindowCloseOnlyMinimises();
    void aboutBox();

private:
    QTemporaryDir tmp_;
};

void TestOfficeStartup::initTestCase()
{
    // The lock lives in the temp folder; keep it away from a back office running on this machine.
    QVERIFY(tmp_.isValid());
    qputenv("TMPDIR", tmp_.path().toUtf8());
    QCOMPARE(QDir::tempPath(), tmp_.path());
}

void TestOfficeStartup::secondCopyIsRefused()
{
    QProcess holder;
    holder.start(QCoreApplication::applicationDirPath() + "/lockholder", {office::appTitle()});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("locked"));

    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    QVERIFY(!office::prepareOffice(folder.path()));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("请不要重复运行后台管理！"));
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
    QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
    QVERIFY(QDir(folder.path()).entryList(QDir::Files).isEmpty());

    // The till's lock has another name and does not stand in the way.
    QProcess till;
    till.start(QCoreApplication::applicationDirPath() + "/lockholder",
               {QStringLiteral("Velmora收银系统收银端")});
    QVERIFY(till.waitForReadyRead(10000));
    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(10000));
    QVERIFY(office::prepareOffice(folder.path()));
    QVERIFY(QFile::exists(folder.filePath("sydb.zdb")));
    // The back office keeps no terminal settings.
    QVERIFY(!QFile::exists(folder.filePath("sydconf.zdb")));
    gl::closeStore(gl::Store::Shop);
    till.closeWriteChannel();
    QVERIFY(till.waitForFinished(10000));
}

void TestOfficeStartup::opensReadyForThePassword()
{
    TestDb t;
    TestDb::addOperator("clerk", "1", "00000000000");
    ScriptedDialogs dialogs;
    office::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Velmora收银系统后台管理 - 操作员登陆"));
    QCOMPARE(w.Label3->text(), QStringLiteral("Velmora收银系统 - 后台管理"));
    QCOMPARE(w.comName->currentText(), QString("Admin"));
    QCOMPARE(w.comName->count(), 2);
    QCOMPARE(w.comName->itemText(1), QString("clerk"));
    QCOMPARE(QApplication::focusWidget(), w.editPwd);
    QCOMPARE(w.editPwd->echoMode(), QLineEdit::Password);
    QVERIFY(!w.Image1->pixmap().isNull());

    QTest::keyClicks(QApplication::focusWidget(), "808642");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(gl::currentOperator(), QString("Admin"));
}

void TestOfficeStartup::login_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<QString>("message"); // empty: logged in
    QTest::addColumn<QString>("nameAfter");

    const QString wrong = QStringLiteral("用户名或密码错误！");
    QTest::newRow("right") << "Admin"
                           << "808642"
                           << ""
                           << "Admin";
    QTest::newRow("wrong password") << "Admin"
                                    << "80864" << wrong << "Admin";
    QTest::newRow("unknown name") << "nobody"
                                  << "808642" << wrong << "nobody";
    QTest::newRow("name trimmed, case as typed") << "  admin "
                                                 << "808642"
                                                 << ""
                                                 << "admin";
    QTest::newRow("password not trimmed") << "Admin"
                                          << "808642 " << wrong << "Admin";
    QTest::newRow("password with trailing blank") << "blank"
                                                  << "pw "
                                                  << ""
                                                  << "blank";
    // No permission is needed to log in to the back office.
    QTest::newRow("no permissions at all") << "clerk"
                                           << "1"
                                           << ""
                                           << "clerk";
    QTest::newRow("injection") << "x' or '1'='1"
                               << "' or '1'='1" << wrong << "x' or '1'='1";
}

void TestOfficeStartup::login()
{
    QFETCH(QString, name);
    QFETCH(QString, pwd);
    QFETCH(QString, message);
    QFETCH(QString, nameAfter);
    TestDb t;
    TestDb::addOperator("clerk", "1", "");
    TestDb::addOperator("blank", "pw ", "11111111111");
    ScriptedDialogs dialogs;
    gl::setCurrentOperator(QString());

    office::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.comName->lineEdit()->clear();
    QTest::keyClicks(w.comName->lineEdit(), name);
    w.editPwd->clear();
    QTest::keyClicks(w.editPwd, pwd);
    QTest::keyClick(w.editPwd, Qt::Key_Return);

    QCOMPARE(w.comName->currentText(), nameAfter);
    QCOMPARE(w.editPwd->text(), pwd);
    if (message.isEmpty()) {
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(gl::currentOperator(), nameAfter);
    } else {
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, message);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
        QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
        QVERIFY(w.isVisible());
        QVERIFY(gl::currentOperator().isEmpty());
    }
}

void TestOfficeStartup::emptyNameFocusesTheNameBox()
{
    TestDb t;
    ScriptedDialogs dialogs;
    office::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.comName->lineEdit()->setText("   ");
    QTest::keyClicks(w.editPwd, "808642");
    QTest::mouseClick(w.btnLogin, Qt::LeftButton);
    QCOMPARE(dialogs.lastText(), QStringLiteral("用户名不能为空！"));
    QCOMPARE(w.comName->currentText(), QString());
    QVERIFY(w.comName->hasFocus() || w.comName->lineEdit()->hasFocus());
    QVERIFY(w.isVisible());
}

void TestOfficeStartup::loginOpensTheMainWindow()
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    QStringList moduleTitles;
    QString front, operatorPanel, clock;
    bool maximised = false, goodsMaximised = false;

    QTimer::singleShot(0, [&] {
        auto* login = qobject_cast<office::TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(login);
        login->comName->setEditText("ADMIN");
        QTest::keyClicks(login->editPwd, "808642");
        QTest::keyClick(login->editPwd, Qt::Key_Return);
        QTimer::singleShot(100, [&] {
            office::TfrmMain* main = office::frmMain;
            QVERIFY(main);
            maximised = main->isVisible() && main->windowState().testFlag(Qt::WindowMaximized);
            for (QMdiSubWindow* sub : main->mdiMain->subWindowList(QMdiArea::CreationOrder))
                moduleTitles << sub->widget()->windowTitle();
            goodsMaximised = office::frmSpgl->parentWidget()->isMaximized();
            front = main->frontModule() ? main->frontModule()->windowTitle() : QString();
            operatorPanel = main->panCzy->text();
            clock = main->panTime->text();
            main->close();
        });
    });
    const int rc = office::runOffice(*qApp, folder.path());
    QCOMPARE(rc, 0);
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(maximised);
    QCOMPARE(moduleTitles,
             (QStringList{QStringLiteral("会员管理"), QStringLiteral("商品管理"), QStringLiteral("用户管理"),
                          QStringLiteral("系统设置"), QStringLiteral("统计报表")}));
    QVERIFY(goodsMaximised);
    QCOMPARE(front, QStringLiteral("商品管理"));
    // The name as typed at login, not as stored.
    QCOMPARE(operatorPanel, QStringLiteral("当前操作员：ADMIN"));
    QVERIFY(clock.contains(':'));
    gl::closeStore(gl::Store::Shop);
}

void TestOfficeStartup::closingTheLoginEndsTheProgram()
{
    QTemporaryDir folder;
    ScriptedDialogs dialogs;
    QTimer::singleShot(0, [] {
        auto* login = qobject_cast<office::TfrmLogin*>(QApplication::activeModalWidget());
        QVERIFY(login);
        QTest::mouseClick(login->btnClose, Qt::LeftButton);
    });
    QCOMPARE(office::runOffice(*qApp, folder.path()), 0);
    QVERIFY(!office::frmMain);
    gl::closeStore(gl::Store::Shop);
}

void TestOfficeStartup::moduleButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("position");  // 0: no test
    QTest::addColumn<QString>("front"); // the module window brought forward

    QTest::newRow("goods") << "btnSpgl" << 0 << QStringLiteral("商品管理");
    QTest::newRow("statistics") << "btnTjbb" << 9 << QStringLiteral("统计报表");
    QTest::newRow("members") << "btnHygl" << 11 << QStringLiteral("会员管理");
    QTest::newRow("operators") << "btnCzygl" << 8 << QStringLiteral("用户管理");
    QTest::newRow("settings") << "btnXtsz" << 10 << QStringLiteral("系统设置");
}

void TestOfficeStartup::moduleButtons()
{
    QFETCH(QString, button);
    QFETCH(int, position);
    QFETCH(QString, front);
    TestDb t;
    ScriptedDialogs dialogs;
    office::TfrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    auto* b = main.findChild<QToolButton*>(button);
    QVERIFY(b);
    QVERIFY(b->text().isEmpty());
    QVERIFY(!b->icon().isNull());

    // Refused: only this one position is "0".
    if (position > 0) {
        QString per(11, '1');
        per[position - 1] = '0';
        TestDb::addOperator("limited", "", per);
        gl::setCurrentOperator("limited");
        main.BringToFront(main.spgl);
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastText(), QStringLiteral("您没有执行此操作的权限！"));
        QCOMPARE(dialogs.lastTitle(), QStringLiteral("提示"));
        QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
        QCOMPARE(main.frontModule(), static_cast<QWidget*>(main.spgl));
        dialogs.clear();
    }

    // Allowed.
    gl::setCurrentOperator("Admin");
    main.BringToFront(button == "btnSpgl" ? static_cast<QWidget*>(main.mber)
                                          : static_cast<QWidget*>(main.spgl));
    QTest::mouseClick(b, Qt::LeftButton);
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(main.frontModule()->windowTitle(), front);
}

void TestOfficeStartup::permissionIsReadAtEachClick()
{
    TestDb t;
    ScriptedDialogs dialogs;
    TestDb::addOperator("boss", "", "11111111111");
    gl::setCurrentOperator("boss");
    office::TfrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTest::mouseClick(main.btnXtsz, Qt::LeftButton);
    QCOMPARE(main.frontModule(), static_cast<QWidget*>(main.conf));
    // Settings come up with statistics right beneath them.
    QList<QMdiSubWindow*> stack = main.mdiMain->subWindowList(QMdiArea::StackingOrder);
    QCOMPARE(stack.last()->widget(), static_cast<QWidget*>(main.conf));
    QCOMPARE(stack.at(stack.size() - 2)->widget(), static_cast<QWidget*>(main.tongji));

    TestDb::exec("UPDATE czy SET per = '11111111101' WHERE czyname = 'boss'");
    main.BringToFront(main.spgl);
    QTest::mouseClick(main.btnXtsz, Qt::LeftButton);
    QCOMPARE(dialogs.lastText(), QStringLiteral("您没有执行此操作的权限！"));
    QCOMPARE(main.frontModule(), static_cast<QWidget*>(main.spgl));

    // A deleted operator is refused everything that is guarded.
    TestDb::exec("DELETE FROM czy WHERE czyname = 'boss'");
    dialogs.clear();
    for (QToolButton* b : {main.btnTjbb, main.btnHygl, main.btnCzygl, main.btnXtsz})
        QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 4);
    QTest::mouseClick(main.btnSpgl, Qt::LeftButton);
    QCOMPARE(dialogs.messages.size(), 4);
}

void TestOfficeStartup::moduleWindowCloseOnlyMinimises()
{
    TestDb t;
    ScriptedDialogs dialogs;
    gl::setCurrentOperator("Admin");
    office::TfrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QPointer<office::TfrmSpgl> goods = main.spgl;
    auto* sub = qobject_cast<QMdiSubWindow*>(goods->parentWidget());
    QVERIFY(sub);
    sub->close();
    QVERIFY(goods);
    QVERIFY(sub->isMinimized());
    QCOMPARE(office::frmSpgl, goods.data());
    QTest::mouseClick(main.btnSpgl, Qt::LeftButton);
    QVERIFY(!sub->isMinimized());
    QCOMPARE(main.frontModule(), static_cast<QWidget*>(goods.data()));
}

void TestOfficeStartup::aboutBox()
{
    TestDb t;
    ScriptedDialogs dialogs;
    UrlSink sink;
    QDesktopServices::setUrlHandler("file", &sink, "open");
    QDesktopServices::setUrlHandler("http", &sink, "open");
    QDesktopServices::setUrlHandler("mailto", &sink, "open");
    gl::setCurrentOperator("nobody"); // the About box needs no permission
    office::TfrmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    QString title;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<office::TfrmAbout*>(QApplication::activeModalWidget());
        QVERIFY(about);
        title = about->windowTitle();
        QCOMPARE(about->btnHelp->text(), QStringLiteral("使用说明(&H)"));
        QCOMPARE(about->btnOK->text(), QStringLiteral("确定(&O)"));
        QCOMPARE(about->lblVer->text(), QStringLiteral("Ver 1.00"));
        QTest::mouseClick(about->btnHelp, Qt::LeftButton);
        about->lblWebClick();
        about->lblMailClick();
        QTest::mouseClick(about->btnOK, Qt::LeftButton);
    });
    QTest::mouseClick(main.btnAbout, Qt::LeftButton);
    QDesktopServices::unsetUrlHandler("file");
    QDesktopServices::unsetUrlHandler("http");
    QDesktopServices::unsetUrlHandler("mailto");

    QCOMPARE(title, QStringLiteral("关于 Velmora收银系统"));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(sink.opened.size(), 3);
    const QString help = QDir(QCoreApplication::applicationDirPath()).filePath("help/index.html");
    QCOMPARE(sink.opened[0], QUrl::fromLocalFile(help));
    // The build puts the guide beside the program.
    QVERIFY(QFile::exists(QCoreApplication::applicationDirPath() + "/../bin/help/index.html"));
    QCOMPARE(sink.opened[1].scheme(), QString("http"));
    QCOMPARE(sink.opened[2].scheme(), QString("mailto"));
    QVERIFY(!main.findChild<office::TfrmAbout*>()); // freed when closed
}

QTEST_MAIN(TestOfficeStartup)
#include "tst_office_startup.moc"
