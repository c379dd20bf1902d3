// Holding, retrieving and deleting orders, with the picker driven while it runs.
#include "Cart.h"
#include "Db.h"
#include "HeldOrders.h"
#include "PoleDisplay.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitJiezhang.h"
#include "UnitMain.h"
#include "UnitQudan.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <functional>

class TestHeld : public QObject {
    Q_OBJECT
private slots:
    void init();
    void holdEmptyCart();
    void holdRetrieveAndHoldAgain();
    void pickerKeysAndDoubleClick();
    void retrieveRefused_data();
    void retrieveRefused();
    void deleteFromPicker();
    void paidReceiptCannotBeHeld();
};

namespace {

void addLine(till::TfrmMain& m, const QString& id, double sl, double je)
{
    till::SaleLine l;
    l.spid = id;
    l.spmc = "Goods " + id;
    l.sl = sl;
    l.dj = je / sl;
    l.zk = 90;
    l.hyj = 1.5;
    l.je = je;
    m.lvwSp->addTopLevelItem(till::newCartItem(l));
    m.Zje = till::cartTotal(m.lvwSp);
}

int count(const QString& sql, const QVariantList& params = {})
{
    return TestDb::value(sql, params).toInt();
}

// Runs `body` inside the picker once it is up, then retrieves through the sale screen.
bool retrieveWith(till::TfrmMain& m, const std::function<void(till::TfrmQudan*)>& body)
{
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* picker = qobject_cast<till::TfrmQudan*>(QApplication::activeModalWidget());
        opened = picker != nullptr;
        if (picker) {
            QVERIFY(QTest::qWaitForWindowActive(picker));
            body(picker);
            if (picker->isVisible())
                picker->reject();
        }
    });
    till::doRetrieve(&m);
    return opened;
}

QStringList column(const QTreeWidget* list, int col)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(col);
    return out;
}

} // namespace

void TestHeld::init()
{
    gl::setCurrentOperator("Admin");
}

void TestHeld::holdEmptyCart()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    const QString first = m.NowLs;
    dialogs.clear();

    dialogs.answers = {false};
    till::doHold(&m);
    QCOMPARE(dialogs.questionsAsked, QStringList{QStringLiteral("当前单没有任何内容，您确实要挂一个空单吗？")});
    QCOMPARE(count("SELECT COUNT(*) FROM con"), 0);
    QCOMPARE(m.NowLs, first);

    dialogs.answers = {true};
    till::doHold(&m);
    QCOMPARE(dialogs.lastText(), QStringLiteral("挂单成功！"));
    QVERIFY(dialogs.messages.last().icon == gl::MsgIcon::Information);
    QCOMPARE(count("SELECT COUNT(*) FROM con WHERE conid = ? AND st = 0 AND ysje = 0 AND ssje = 0 AND xjfk = 0",
                   {first}),
             1);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi"), 0);
    QVERIFY(m.NowLs != first);

    // The picker lists it with total 0.
    QStringList totals;
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) { totals = column(p->lvwTb, 1); }));
    QCOMPARE(totals, QStringList{"0"});
}

void TestHeld::holdRetrieveAndHoldAgain()
{
    TestDb t;
    ScriptedDialogs dialogs;
    TestDb::exec("INSERT INTO mber (id, mbername) VALUES ('M1', 'Ann')");
    till::TfrmMain m;
    const QString held = m.NowLs;
    m.MberID = "M1";
    m.MberName = "Ann";
    addLine(m, "A", 2, 3);
    till::doHold(&m);
    QCOMPARE(dialogs.lastText(), QStringLiteral("挂单成功！"));
    QVERIFY(m.MberID.isEmpty());
    QCOMPARE(m.lvwSp->topLevelItemCount(), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = ? AND st = 0 AND sl = 2 AND je = 3 AND zk = 90"
                   " AND hyj = 1.5 AND czy = 'Admin'",
                   {held}),
             1);

    // Something else was being entered: retrieving drops it without a question.
    addLine(m, "B", 1, 1);
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) {
        QCOMPARE(column(p->lvwTb, 0), QStringList{held});
        QCOMPARE(column(p->lvwTb, 2), QStringList{"M1"});
        QCOMPARE(column(p->lvwTb, 3), QStringList{"Ann"});
        QCOMPARE(column(p->lvwTb, 4), QStringList{"Admin"});
        QTest::keyClick(p->lvwTb, Qt::Key_Down);
        QCOMPARE(p->editInput->text(), held);
        QTest::keyClick(p->lvwTb, Qt::Key_Return);
    }));
    QCOMPARE(m.NowLs, held);
    QCOMPARE(m.lblLsdh->text(), held);
    QCOMPARE(m.Zje, 3.0);
    QCOMPARE(m.lblZje->text(), QStringLiteral("3元"));
    QCOMPARE(m.MberID, QString("M1"));
    QCOMPARE(m.MberName, QString("Ann"));
    QCOMPARE(m.lblMberID->text(), QString("M1"));
    const QVector<till::SaleLine> lines = till::cartLines(m.lvwSp);
    QCOMPARE(lines.size(), 1);
    QCOMPARE(lines[0].spid, QString("A"));
    QCOMPARE(lines[0].sl, 2.0);
    QCOMPARE(lines[0].zk, 90.0);
    QCOMPARE(lines[0].hyj, 1.5);
    QCOMPARE(lines[0].je, 3.0);
    QCOMPARE(dialogs.questionsAsked.size(), 0);

    // Add a line and hold again: the same header row, exactly the current lines, member kept.
    addLine(m, "C", 1, 4);
    till::doHold(&m);
    QCOMPARE(count("SELECT COUNT(*) FROM con"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM con WHERE conid = ? AND ssje = 7 AND mberid = 'M1' AND st = 0", {held}), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = ?", {held}), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE spid = 'B'"), 0);
    QVERIFY(m.NowLs != held);
}

void TestHeld::pickerKeysAndDoubleClick()
{
    TestDb t;
    ScriptedDialogs dialogs;
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('B2', 2, 'x', '2024-01-02 10:00:00', 0)");
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('A1', 1.5, 'x', '2024-01-01 10:00:00', 0)");
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('P1', 9, 'x', '2024-01-01 09:00:00', 1)");
    till::TfrmMain m;

    // Oldest first, paid receipts left out; the list has the focus; a double click retrieves.
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) {
        QCOMPARE(column(p->lvwTb, 0), (QStringList{"A1", "B2"}));
        QCOMPARE(column(p->lvwTb, 1), (QStringList{"1.5", "2"}));
        QCOMPARE(QApplication::focusWidget(), p->lvwTb);
        p->lvwTbDblClick(p->lvwTb->topLevelItem(1));
    }));
    QCOMPARE(m.NowLs, QString("B2"));
    QCOMPARE(m.lblMberID->text(), QStringLiteral("无"));

    // Esc, or OK with nothing typed, changes nothing.
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) { QTest::keyClick(p->lvwTb, Qt::Key_Escape); }));
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) {
        p->editInput->clear();
        p->btnOKClick();
    }));
    QCOMPARE(m.NowLs, QString("B2"));
    QVERIFY(dialogs.messages.isEmpty());
}

void TestHeld::retrieveRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("paid receipt") << "P1";
    QTest::newRow("unknown") << "nothing";
    QTest::newRow("blanks are not trimmed") << " A1";
    QTest::newRow("quote") << "A1' OR '1'='1";
}

void TestHeld::retrieveRefused()
{
    QFETCH(QString, typed);
    TestDb t;
    ScriptedDialogs dialogs;
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('A1', 1.5, 'x', '2024-01-01 10:00:00', 0)");
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('P1', 9, 'x', '2024-01-01 09:00:00', 1)");
    till::TfrmMain m;
    addLine(m, "A", 1, 1);
    const QString now = m.NowLs;
    dialogs.clear();
    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) {
        p->editInput->setText(typed);
        QTest::keyClick(p->editInput, Qt::Key_Return);
    }));
    QCOMPARE(dialogs.lastText(), QStringLiteral("指定的流水单号不存在！"));
    QCOMPARE(m.NowLs, now);
    QCOMPARE(m.lvwSp->topLevelItemCount(), 1);
}

void TestHeld::deleteFromPicker()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    const QString held = m.NowLs;
    addLine(m, "A", 1, 1);
    till::doHold(&m);
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES ('P1', 9, 'x', '2024-01-01 09:00:00', 1)");
    TestDb::exec("INSERT INTO xiangxi (conid, spid, st) VALUES ('P1', 'A', 1)");
    dialogs.clear();

    QVERIFY(retrieveWith(m, [&](till::TfrmQudan* p) {
        p->editInput->setText("   ");
        QTest::keyClick(p->editInput, Qt::Key_Delete);
        QCOMPARE(dialogs.lastText(), QStringLiteral("请您指定流水号！"));
        QCOMPARE(p->editInput->text(), QString());

        p->editInput->setText("P1");
        p->bntDelClick();
        QCOMPARE(dialogs.lastText(), QStringLiteral("您输入的流水号不存在！"));
        QCOMPARE(p->editInput->selectedText(), QString("P1"));

        p->editInput->setText(" " + held + " ");
        p->bntDelClick();
        QCOMPARE(dialogs.lastText(), QStringLiteral("挂单记录删除成功！"));
        QCOMPARE(p->lvwTb->topLevelItemCount(), 0);
        QCOMPARE(p->editInput->text(), QString());
        QVERIFY(p->isVisible());
    }));
    QCOMPARE(count("SELECT COUNT(*) FROM con WHERE conid = ?", {held}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = ?", {held}), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM con WHERE conid = 'P1'"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = 'P1'"), 1);
}

void TestHeld::paidReceiptCannotBeHeld()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    TestDb::exec("INSERT INTO con (conid, ssje, czy, createtime, st) VALUES (?, 9, 'x', '2024-01-01 09:00:00', 1)",
                 {m.NowLs});
    const QString now = m.NowLs;
    addLine(m, "A", 1, 1);
    dialogs.clear();
    till::doHold(&m);
    QCOMPARE(dialogs.lastText(), QStringLiteral("此单已经结账！"));
    QCOMPARE(m.NowLs, now);
    QCOMPARE(m.lvwSp->topLevelItemCount(), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi"), 0);
    QCOMPARE(count("SELECT st FROM con"), 1);
}

QTEST_MAIN(TestHeld)
#include "tst_held.moc"
