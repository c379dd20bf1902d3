// The till's login window, driven with key clicks.
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitLogin.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void opensReadyForThePassword();
    void login_data();
    void login();
    void emptyNameFocusesTheNameBox();
    void escapeCloses();
};

namespace {

void enter(till::TfrmLogin& w, const QString& name, const QString& pwd)
{
    w.comName->lineEdit()->clear();
    QTest::keyClicks(w.comName->lineEdit(), name);
    w.editPwd->clear();
    QTest::keyClicks(w.editPwd, pwd);
    QTest::keyClick(w.editPwd, Qt::Key_Return);
}

} // namespace

void TestLogin::opensReadyForThePassword()
{
    TestDb t;
    TestDb::addOperator("cashier1", "1", "11111111111");
    ScriptedDialogs dialogs;
    till::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(w.windowTitle(), QStringLiteral("Velmora收银系统收银端 - 操作员登陆"));
    QCOMPARE(w.comName->currentText(), QString("Admin"));
    QCOMPARE(w.comName->count(), 2);
    QCOMPARE(w.comName->itemText(0), QString("Admin"));
    QCOMPARE(w.comName->itemText(1), QString("cashier1"));
    QCOMPARE(QApplication::focusWidget(), w.editPwd);
    QCOMPARE(w.editPwd->echoMode(), QLineEdit::Password);
    QVERIFY(w.btnLogin->isDefault());

    // The cashier only types the password and presses Enter.
    QTest::keyClicks(QApplication::focusWidget(), "808642");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(gl::currentOperator(), QString("Admin"));
}

void TestLogin::login_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("pwd");
    QTest::addColumn<QString>("message");   // empty: logged in
    QTest::addColumn<QString>("nameAfter");

    const QString wrong = QStringLiteral("用户名或密码错误！");
    QTest::newRow("right") << "Admin" << "808642" << "" << "Admin";
    QTest::newRow("wrong password") << "Admin" << "808643" << wrong << "Admin";
    QTest::newRow("unknown name") << "nobody" << "808642" << wrong << "nobody";
    QTest::newRow("letter case differs") << "mIxEd" << "SECRET" << "" << "mIxEd";
    QTest::newRow("name trimmed") << "  Admin  " << "808642" << "" << "Admin";
    QTest::newRow("password not trimmed") << "Admin" << " 808642" << wrong << "Admin";
    QTest::newRow("no cashier permission") << "office" << "1" << QStringLiteral("您没有执行此操作的权限！") << "office";
    QTest::newRow("quotes and wildcards") << "O'Neil" << "a'b%c\\" << "" << "O'Neil";
    QTest::newRow("wildcard name") << "O%" << "a'b%c\\" << wrong << "O%";
    QTest::newRow("injection") << "x' or '1'='1" << "' or '1'='1" << wrong << "x' or '1'='1";
}

void TestLogin::login()
{
    QFETCH(QString, name);
    QFETCH(QString, pwd);
    QFETCH(QString, message);
    QFETCH(QString, nameAfter);
    TestDb t;
    TestDb::addOperator("Mixed", "secret", "11111111111");
    TestDb::addOperator("office", "1", "01111111111");
    TestDb::addOperator("O'Neil", "a'b%c\\", "1");
    ScriptedDialogs dialogs;
    gl::setCurrentOperator(QString());

    till::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    enter(w, name, pwd);

    QCOMPARE(w.comName->currentText(), nameAfter);
    QCOMPARE(w.editPwd->text(), pwd);
    if (message.isEmpty()) {
        QVERIFY(dialogs.messages.isEmpty());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(gl::currentOperator(), nameAfter);   // as typed, not as stored
    } else {
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.messages[0].text, message);
        QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
        QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
        QVERIFY(w.isVisible());
        QCOMPARE(w.result(), 0);
    }
}

void TestLogin::emptyNameFocusesTheNameBox()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    enter(w, "   ", "808642");
    QCOMPARE(dialogs.lastText(), QStringLiteral("用户名不能为空！"));
    QCOMPARE(w.comName->currentText(), QString());
    QVERIFY(w.comName->hasFocus() || w.comName->lineEdit()->hasFocus());
    QVERIFY(w.isVisible());
}

void TestLogin::escapeCloses()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmLogin w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.editPwd, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(w.btnClose->text(), QStringLiteral("退出(&X)"));
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
