// The till's terminal settings dialog: loading, keys, the whole check before saving, the
// sale screen's values in memory, autostart and the customer display.
#include "App.h"
#include "Autostart.h"
#include "Db.h"
#include "PoleDisplay.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "Settings.h"
#include "TestDb.h"
#include "UnitConf.h"
#include "UnitMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

class TestTermConf : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void loads_data();
    void loads();
    void switchesRoundTrip_data();
    void switchesRoundTrip();
    void copies_data();
    void copies();
    void emptyBottomMarginSavesNothing();
    void keysFocusOnlyEnabledControls();
    void cancelWritesNothing();
    void autostartEntryCreatedAndRemoved();
    void autostartFailureKeepsTheSwitchTrue();
    void displayClosedAndReopened();

private:
    QTemporaryDir config_;
};

namespace {

const QStringList kKeys = {"yl", "gx", "gxdk", "astart", "print", "printer", "dyfs", "xbj"};

void store(const QStringList& values)
{
    for (int i = 0; i < kKeys.size(); ++i)
        gl::writeTermSetting(kKeys[i], values[i]);
}

QStringList stored()
{
    QStringList out;
    for (const QString& k : kKeys)
        out << gl::readTermSetting(k);
    return out;
}

// Runs the dialog as F12 does, driving it while it is open.
void runDialog(till::TfrmMain* m, const std::function<void(till::TfrmConf*)>& drive)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<till::TfrmConf*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        driven = true;
        drive(dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
    till::doTerminalSettings(m);
    QVERIFY(driven);
}

const QString kSaved = QStringLiteral("系统设置保存成功！部分设置需要重启软件才能生效！");

} // namespace

void TestTermConf::initTestCase()
{
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toLocal8Bit());
    gl::setCurrentOperator(QStringLiteral("Admin"));
}

void TestTermConf::init()
{
    QFile::remove(gl::autostartEntryPath(till::appTitle()));
}

void TestTermConf::loads_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QList<bool>>("ticks");   // yl gx astart print
    QTest::addColumn<QString>("gxdk");
    QTest::addColumn<QString>("xbj");

    QTest::newRow("all on") << QStringList{"yes", "yes", "5", "yes", "yes", "", "2", "7"}
                            << QList<bool>{true, true, true, true} << "5" << "7";
    QTest::newRow("all off") << QStringList{"no", "no", "12", "no", "no", "", "1", "20"}
                             << QList<bool>{false, false, false, false} << "12" << "20";
    QTest::newRow("capitals are off") << QStringList{"Yes", "YES", "1", "yes ", "Yes", "", "1", "1"}
                                      << QList<bool>{false, false, false, false} << "1" << "1";
    QTest::newRow("values outside the lists") << QStringList{"yes", "yes", "13", "no", "yes", "", "1", "0"}
                                              << QList<bool>{true, true, false, true} << "" << "";
    QTest::newRow("empty port, padded margin") << QStringList{"no", "yes", "", "no", "yes", "", "3", "03"}
                                               << QList<bool>{false, true, false, true} << "" << "";
}

void TestTermConf::loads()
{
    QFETCH(QStringList, values);
    QFETCH(QList<bool>, ticks);
    QFETCH(QString, gxdk);
    QFETCH(QString, xbj);
    TestDb t;
    ScriptedDialogs dialogs;
    store(values);
    till::TfrmConf w(nullptr);
    QCOMPARE(w.windowTitle(), QStringLiteral("系统设置"));
    QCOMPARE(w.chkYl->isChecked(), ticks[0]);
    QCOMPARE(w.chkGx->isChecked(), ticks[1]);
    QCOMPARE(w.chkAStart->isChecked(), ticks[2]);
    QCOMPARE(w.chkPrint->isChecked(), ticks[3]);
    QCOMPARE(w.comGx->currentText(), gxdk);
    QCOMPARE(w.comGx->currentIndex() < 0, gxdk.isEmpty());
    QCOMPARE(w.comXbj->currentText(), xbj);
    QCOMPARE(w.comXbj->currentIndex() < 0, xbj.isEmpty());
    QCOMPARE(w.editDyfs->text(), values[6]);
    QCOMPARE(w.comGx->isEnabled(), ticks[1]);
    QCOMPARE(w.comPrinter->isEnabled(), ticks[3]);
    QCOMPARE(w.editDyfs->isEnabled(), ticks[3]);
    QCOMPARE(w.comXbj->isEnabled(), ticks[3]);

    QCOMPARE(w.comGx->count(), 12);
    QCOMPARE(w.comGx->itemText(0), QString("1"));
    QCOMPARE(w.comGx->itemText(11), QString("12"));
    QCOMPARE(w.comXbj->count(), 20);
    QCOMPARE(w.comXbj->itemText(19), QString("20"));
    QVERIFY(!w.comGx->isEditable() && !w.comXbj->isEditable() && !w.comPrinter->isEditable());
    QStringList printers;
    for (int i = 0; i < w.comPrinter->count(); ++i)
        printers << w.comPrinter->itemText(i);
    QCOMPARE(printers, QPrinterInfo::availablePrinterNames());
    QVERIFY(dialogs.messages.isEmpty());
}

void TestTermConf::switchesRoundTrip_data()
{
    QTest::addColumn<QString>("before");   // yl, gx, astart and print all stored as this
    QTest::addColumn<QString>("after");
    QTest::newRow("off to on") << "no" << "yes";
    QTest::newRow("on to off") << "yes" << "no";
}

void TestTermConf::switchesRoundTrip()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    TestDb t;
    ScriptedDialogs dialogs;
    // No port stored: switching the display on opens nothing.
    store({before, before, "", before, before, "", "2", "5"});
    gl::setAutostart(till::appTitle(), QCoreApplication::applicationFilePath(), before == "yes");
    till::TfrmMain m;
    dialogs.clear();

    runDialog(&m, [](till::TfrmConf* dlg) {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        for (Qt::Key k : {Qt::Key_F2, Qt::Key_F3, Qt::Key_F5, Qt::Key_F6})
            QTest::keyClick(focus, k);
        QCOMPARE(dlg->comGx->isEnabled(), dlg->chkGx->isChecked());
        QCOMPARE(dlg->editDyfs->isEnabled(), dlg->chkPrint->isChecked());
        QTest::keyClick(focus, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
    });

    QCOMPARE(stored(), (QStringList{after, after, "", after, after, "", "2", "5"}));
    QCOMPARE(gl::autostartEnabled(till::appTitle()), after == "yes");
    QCOMPARE(m.yl, after == "yes");
    QCOMPARE(m.print, after == "yes");
    QCOMPARE(m.dyfs, 2);
    QCOMPARE(m.xbj, 5);
    QVERIFY(!m.mscGx->isOpen());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.lastText(), kSaved);
    QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Information);
    QCOMPARE(dialogs.lastTitle(), QStringLiteral("提示"));
}

void TestTermConf::copies_data()
{
    QTest::addColumn<bool>("print");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("saved");   // empty: refused
    QTest::newRow("letters while printing") << true << "abc" << "";
    QTest::newRow("fraction while printing") << true << "2.5" << "";
    QTest::newRow("empty while printing") << true << "" << "";
    QTest::newRow("whole number") << true << " 3 " << "3";
    QTest::newRow("zero") << true << "0" << "0";
    QTest::newRow("letters without printing") << false << "abc" << "0";
    QTest::newRow("number without printing") << false << "4" << "4";
}

void TestTermConf::copies()
{
    QFETCH(bool, print);
    QFETCH(QString, typed);
    QFETCH(QString, saved);
    TestDb t;
    ScriptedDialogs dialogs;
    const QString p = print ? "yes" : "no";
    const QStringList before = {"no", "no", "", "no", p, "", "1", "3"};
    store(before);
    till::TfrmMain m;
    dialogs.clear();

    runDialog(&m, [&](till::TfrmConf* dlg) {
        dlg->chkYl->setChecked(true);   // changed, but only saved together with the rest
        dlg->editDyfs->setText(typed);
        QTest::keyClick(dlg->chkYl, Qt::Key_Enter);
        if (saved.isEmpty()) {
            QVERIFY(dlg->isVisible());
            QTRY_COMPARE(QApplication::focusWidget(), dlg->editDyfs);
            QCOMPARE(dlg->editDyfs->selectedText(), typed);
        } else {
            QVERIFY(!dlg->isVisible());
        }
    });

    if (saved.isEmpty()) {
        QCOMPARE(dialogs.messages.size(), 1);
        QCOMPARE(dialogs.lastText(), QStringLiteral("打印份数必须是为数值！"));
        QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
        QCOMPARE(stored(), before);
        QVERIFY(!m.yl);
        QCOMPARE(m.dyfs, 1);
    } else {
        QCOMPARE(dialogs.lastText(), kSaved);
        QCOMPARE(gl::readTermSetting("dyfs"), saved);
        QCOMPARE(gl::readTermSetting("yl"), QString("yes"));
        QCOMPARE(m.dyfs, saved.toInt());
        QVERIFY(m.yl);
    }
}

void TestTermConf::emptyBottomMarginSavesNothing()
{
    TestDb t;
    ScriptedDialogs dialogs;
    const QStringList before = {"no", "no", "", "no", "yes", "", "1", "0"};
    store(before);
    till::TfrmMain m;
    dialogs.clear();

    runDialog(&m, [&](till::TfrmConf* dlg) {
        QCOMPARE(dlg->comXbj->currentIndex(), -1);
        QTest::keyClick(dlg->editDyfs, Qt::Key_F2);
        QTest::keyClick(dlg->editDyfs, Qt::Key_Return);
        QVERIFY(dlg->isVisible());
        QCOMPARE(dialogs.lastText(), QStringLiteral("请选择下边距！"));
        QCOMPARE(stored(), before);
        QTRY_COMPARE(QApplication::focusWidget(), dlg->comXbj);

        dlg->comXbj->setCurrentIndex(3);
        QTest::keyClick(dlg->comXbj, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
    });
    QCOMPARE(stored(), (QStringList{"yes", "no", "", "no", "yes", "", "1", "4"}));
    QCOMPARE(m.xbj, 4);
    QVERIFY(m.yl);
}

void TestTermConf::keysFocusOnlyEnabledControls()
{
    TestDb t;
    ScriptedDialogs dialogs;
    store({"no", "no", "3", "no", "no", "", "1", "3"});
    till::TfrmConf w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QWidget* start = QApplication::focusWidget();
    QVERIFY(start);
    for (Qt::Key k : {Qt::Key_F4, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9}) {
        QTest::keyClick(start, k);
        QCOMPARE(QApplication::focusWidget(), start);   // their controls are disabled
    }
    QTest::keyClick(start, Qt::Key_F3);
    QTest::keyClick(start, Qt::Key_F6);
    QTest::keyClick(start, Qt::Key_F4);
    QTRY_COMPARE(QApplication::focusWidget(), w.comGx);
    QTest::keyClick(w.comGx, Qt::Key_F7);
    QTRY_COMPARE(QApplication::focusWidget(), w.comPrinter);
    QTest::keyClick(w.comPrinter, Qt::Key_F9);
    QTRY_COMPARE(QApplication::focusWidget(), w.comXbj);
    QTest::keyClick(w.comXbj, Qt::Key_F8);
    QTRY_COMPARE(QApplication::focusWidget(), w.editDyfs);
    QCOMPARE(w.editDyfs->selectedText(), QString("1"));
    QCOMPARE(w.btnOK->text(), QStringLiteral("确定(ENTER)"));
    QCOMPARE(w.btnCC->text(), QStringLiteral("取消(ESC)"));
    QVERIFY(dialogs.messages.isEmpty());
}

void TestTermConf::cancelWritesNothing()
{
    TestDb t;
    ScriptedDialogs dialogs;
    const QStringList before = {"no", "no", "3", "no", "yes", "", "1", "3"};
    store(before);
    till::TfrmMain m;
    dialogs.clear();
    runDialog(&m, [](till::TfrmConf* dlg) {
        QTest::keyClick(dlg->editDyfs, Qt::Key_F2);
        QTest::keyClick(dlg->editDyfs, Qt::Key_F5);
        dlg->editDyfs->setText("9");
        QTest::keyClick(dlg->editDyfs, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
    });
    QCOMPARE(stored(), before);
    QVERIFY(!gl::autostartEnabled(till::appTitle()));
    QVERIFY(!m.yl);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestTermConf::autostartEntryCreatedAndRemoved()
{
    TestDb t;
    ScriptedDialogs dialogs;
    store({"no", "no", "", "no", "no", "", "1", "3"});
    const QString entry = gl::autostartEntryPath(till::appTitle());
    QVERIFY(entry.startsWith(config_.path()));

    {
        till::TfrmConf w(nullptr);
        QTest::keyClick(w.editDyfs, Qt::Key_F5);
        w.btnOKClick();
    }
    QVERIFY(QFile::exists(entry));
    QFile f(entry);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(QCoreApplication::applicationFilePath()));
    QCOMPARE(gl::readTermSetting("astart"), QString("yes"));

    {
        till::TfrmConf w(nullptr);
        QVERIFY(w.chkAStart->isChecked());
        QTest::keyClick(w.editDyfs, Qt::Key_F5);
        w.btnOKClick();
    }
    QVERIFY(!QFile::exists(entry));
    QCOMPARE(gl::readTermSetting("astart"), QString("no"));
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.lastText(), kSaved);
}

void TestTermConf::autostartFailureKeepsTheSwitchTrue()
{
    TestDb t;
    ScriptedDialogs dialogs;
    store({"no", "no", "", "no", "no", "", "1", "3"});
    // A configuration folder where "autostart" is a file: no entry can be written.
    QTemporaryDir broken;
    QFile blocker(broken.filePath("autostart"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QByteArray saved = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", broken.path().toLocal8Bit());

    {
        till::TfrmConf w(nullptr);
        w.chkAStart->setChecked(true);
        w.chkYl->setChecked(true);
        w.btnOKClick();
    }
    qputenv("XDG_CONFIG_HOME", saved);

    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("设置开机自动启动失败！"));
    QCOMPARE(dialogs.messages[1].text, kSaved);
    QCOMPARE(gl::readTermSetting("astart"), QString("no"));   // mirrors the missing entry
    QCOMPARE(gl::readTermSetting("yl"), QString("yes"));      // the rest is saved
}

void TestTermConf::displayClosedAndReopened()
{
    TestDb t;
    ScriptedDialogs dialogs;
    store({"no", "no", "", "no", "no", "", "1", "3"});
    till::TfrmMain m;
    dialogs.clear();

    // An open display is closed when it is switched off.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    QVERIFY(master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0);
    QVERIFY(m.mscGx->openPort(QString::fromLocal8Bit(ptsname(master))));
    {
        till::TfrmConf w(&m);
        w.btnOKClick();
    }
    QVERIFY(!m.mscGx->isOpen());
    ::close(master);

    // Switched on with a new port: the display opens with the port stored before this save,
    // here none, so nothing opens and nothing is said; the new port is stored for the next start.
    dialogs.clear();
    {
        till::TfrmConf w(&m);
        w.chkGx->setChecked(true);
        w.chkGxClick();
        w.comGx->setCurrentText("3");
        w.btnOKClick();
    }
    QVERIFY(!m.mscGx->isOpen());
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.lastText(), kSaved);
    QCOMPARE(gl::readTermSetting("gx"), QString("yes"));
    QCOMPARE(gl::readTermSetting("gxdk"), QString("3"));

    // A stored port that cannot be opened: the cashier is told, and the save goes on.
    gl::writeTermSetting("gxdk", "12");
    dialogs.clear();
    {
        till::TfrmConf w(&m);
        w.chkYl->setChecked(true);
        w.btnOKClick();
    }
    QCOMPARE(dialogs.messages.size(), 2);
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("连接顾客显示器失败！"));
    QCOMPARE(dialogs.messages[1].text, kSaved);
    QCOMPARE(gl::readTermSetting("yl"), QString("yes"));
    QVERIFY(m.yl);
}

QTEST_MAIN(TestTermConf)
#include "tst_termconf.moc"
