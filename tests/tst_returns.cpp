// Returns against a paid receipt, booked in one transaction, each line refunded once.
#include "Checkout.h"
#include "Db.h"
#include "HeldOrders.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitTuihuo.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <QtTest>

class TestReturns : public QObject {
    Q_OBJECT
private slots:
    void init();
    void returnTwoOfThree();
    void refundAndStock_data();
    void refundAndStock();
    void goodsDeletedSinceTheSale();
    void lookupAndRefusals();
    void twoTillsReturnTheSameLine();
};

namespace {

const QString kSale = QStringLiteral("10000001");

till::SaleLine line(const QString& id, double sl, double je)
{
    till::SaleLine l;
    l.spid = id;
    l.spmc = "Goods " + id;
    l.sl = sl;
    l.dj = je / sl;
    l.hyj = l.dj;
    l.je = je;
    return l;
}

// Goods A, B, C with stock 10 each, and a paid sale of A 1 × 10, B 1 × 5.5, C 2 × 3.
void paidSale(const QString& member)
{
    for (const char* id : {"A", "B", "C"})
        TestDb::exec("INSERT INTO sp (id, spmc, kc) VALUES (?, ?, 10)", {id, QString("Goods ") + id});
    TestDb::exec("INSERT INTO mber (id, mbername, ye) VALUES ('M1', 'Ann', 1)");
    till::CheckoutRequest r;
    r.conid = kSale;
    r.zje = 21.5;
    r.mberId = member;
    r.czy = "Admin";
    r.lines = {line("A", 1, 10), line("B", 1, 5.5), line("C", 2, 6)};
    r.tenders.cash = 30;
    QCOMPARE(till::bookCheckout(gl::shopDb(), r).status, till::CheckoutStatus::Paid);
}

double num(const QString& sql, const QVariantList& params = {})
{
    return TestDb::value(sql, params).toDouble();
}

int count(const QString& sql, const QVariantList& params = {})
{
    return TestDb::value(sql, params).toInt();
}

void find(till::TfrmTuihuo& d, const QString& number)
{
    d.editLs->setText(number);
    QTest::keyClick(d.editLs, Qt::Key_Return);
}

void tick(till::TfrmTuihuo& d, int row)
{
    d.lvwTb->topLevelItem(row)->setCheckState(0, Qt::Checked);
}

QStringList ids(const QTreeWidget* list, int col)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(col);
    return out;
}

} // namespace

void TestReturns::init()
{
    gl::setCurrentOperator("Admin");
}

void TestReturns::returnTwoOfThree()
{
    TestDb t;
    ScriptedDialogs dialogs;
    paidSale("M1");
    till::TfrmTuihuo d;
    QVERIFY(!d.chkCz->isEnabled());
    QVERIFY(d.chkKc->isChecked());
    find(d, " " + kSale + " ");
    QCOMPARE(d.editLs->text(), kSale);
    QCOMPARE(d.CurLs, kSale);
    QCOMPARE(d.CurMberID, QString("M1"));
    QVERIFY(d.chkCz->isEnabled() && !d.chkCz->isChecked());
    QCOMPARE(ids(d.lvwTb, 1), (QStringList{"A", "B", "C"}));
    QCOMPARE(ids(d.lvwTb, 7), (QStringList{"10", "5.5", "6"}));
    QCOMPARE(d.lvwTb->topLevelItem(0)->checkState(0), Qt::Unchecked);

    // Ticking with the mouse or with Enter on the selected row updates the refund total.
    tick(d, 0);
    QCOMPARE(d.lblTuikuan->text(), QStringLiteral("10元"));
    d.lvwTb->setCurrentItem(d.lvwTb->topLevelItem(1));
    QTest::keyClick(d.lvwTb, Qt::Key_Return);
    QCOMPARE(d.lblTuikuan->text(), QStringLiteral("15.5元"));
    QCOMPARE(d.Tuikuan, 15.5);

    QTest::keyClick(&d, Qt::Key_F5);
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.lastText()));
    QCOMPARE(num("SELECT ssje FROM con"), 6.0);
    QCOMPARE(num("SELECT ysje FROM con"), 21.5);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi"), 1);
    QCOMPARE(TestDb::value("SELECT spid FROM xiangxi").toString(), QString("C"));
    QCOMPARE(count("SELECT COUNT(*) FROM thjl WHERE conid = ? AND czy = 'Admin'", {kSale}), 2);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl WHERE spid = 'B' AND sl = 1 AND je = 5.5 AND spmc = 'Goods B'"), 1);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'A'"), 10.0);
    QCOMPARE(num("SELECT sc FROM sp WHERE id = 'A'"), 0.0);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'C'"), 8.0);
    QCOMPARE(num("SELECT ye FROM mber"), 1.0);   // not to the card unless asked
    QCOMPARE(ids(d.lvwTb, 1), QStringList{"C"});
    QCOMPARE(d.lblTuikuan->text(), QStringLiteral("0元"));

    // A later look-up lists only what is left.
    find(d, kSale);
    QCOMPARE(ids(d.lvwTb, 1), QStringList{"C"});
}

void TestReturns::refundAndStock_data()
{
    QTest::addColumn<QString>("member");      // member of the sale
    QTest::addColumn<bool>("deleteMember");   // deleted before the return
    QTest::addColumn<bool>("restock");
    QTest::addColumn<bool>("pressF8");
    QTest::addColumn<double>("yeAfter");
    QTest::addColumn<QString>("message");

    QTest::newRow("to the card") << "M1" << false << true << true << 11.0 << "";
    QTest::newRow("card not ticked") << "M1" << false << true << false << 1.0 << "";
    QTest::newRow("no member: F8 ticks, nothing credited") << "" << false << true << true << 1.0 << "";
    QTest::newRow("member deleted") << "M1" << true << true << true << 0.0 << QStringLiteral("会员不存在！");
    QTest::newRow("stock not adjusted") << "M1" << false << false << true << 11.0 << "";
}

void TestReturns::refundAndStock()
{
    QFETCH(QString, member);
    QFETCH(bool, deleteMember);
    QFETCH(bool, restock);
    QFETCH(bool, pressF8);
    QFETCH(double, yeAfter);
    QFETCH(QString, message);
    TestDb t;
    ScriptedDialogs dialogs;
    paidSale(member);
    if (deleteMember)
        TestDb::exec("DELETE FROM mber");
    till::TfrmTuihuo d;
    find(d, kSale);
    QCOMPARE(d.chkCz->isEnabled(), !member.isEmpty());
    if (!restock)
        QTest::keyClick(&d, Qt::Key_F7);
    QCOMPARE(d.chkKc->isChecked(), restock);
    if (pressF8)
        QTest::keyClick(&d, Qt::Key_F8);
    QCOMPARE(d.chkCz->isChecked(), pressF8);
    tick(d, 0);
    d.btnTuihuoClick();

    if (message.isEmpty())
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.lastText()));
    else
        QCOMPARE(dialogs.lastText(), message);
    QCOMPARE(num("SELECT COALESCE(SUM(ye), 0) FROM mber"), yeAfter);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'A'"), restock ? 10.0 : 9.0);
    QCOMPARE(num("SELECT sc FROM sp WHERE id = 'A'"), restock ? 0.0 : 1.0);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl"), 1);
    QCOMPARE(num("SELECT ssje FROM con"), 11.5);
}

void TestReturns::goodsDeletedSinceTheSale()
{
    TestDb t;
    ScriptedDialogs dialogs;
    paidSale("");
    TestDb::exec("DELETE FROM sp WHERE id = 'B'");
    till::TfrmTuihuo d;
    find(d, kSale);
    tick(d, 1);
    tick(d, 2);
    d.btnTuihuoClick();
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(count("SELECT COUNT(*) FROM sp WHERE id = 'B'"), 0);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'C'"), 10.0);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl"), 2);
    QCOMPARE(num("SELECT ssje FROM con"), 10.0);
}

void TestReturns::lookupAndRefusals()
{
    TestDb t;
    ScriptedDialogs dialogs;
    paidSale("M1");
    till::HoldRequest held{"H1", 3, {}, {}, "Admin", {line("A", 1, 3)}};
    QCOMPARE(till::holdOrder(gl::shopDb(), held), till::HoldStatus::Held);
    till::TfrmTuihuo d;

    d.btnTuihuoClick();
    QCOMPARE(dialogs.lastText(), QStringLiteral("请先查询流水号！"));
    find(d, "   ");
    QCOMPARE(dialogs.lastText(), QStringLiteral("请输入流水号！"));

    find(d, kSale);
    d.btnTuihuoClick();
    QCOMPARE(dialogs.lastText(), QStringLiteral("您没有指定任何商品！"));

    // An unknown number leaves the list and the remembered receipt as they were.
    find(d, "nothing' OR '1'='1");
    QCOMPARE(dialogs.lastText(), QStringLiteral("您输入的流水号不存在！"));
    QCOMPARE(d.lvwTb->topLevelItemCount(), 3);
    QCOMPARE(d.CurLs, kSale);

    // A held order empties the list and is refused.
    find(d, "H1");
    QCOMPARE(dialogs.lastText(), QStringLiteral("您输入的流水号尚未结账！"));
    QCOMPARE(d.lvwTb->topLevelItemCount(), 0);
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = 'H1'"), 1);

    // The receipt disappears between look-up and return: nothing written.
    find(d, kSale);
    tick(d, 0);
    TestDb::exec("DELETE FROM con WHERE conid = ?", {kSale});
    d.btnTuihuoClick();
    QCOMPARE(dialogs.lastText(), QStringLiteral("流水号不存在！"));
    QCOMPARE(count("SELECT COUNT(*) FROM xiangxi WHERE conid = ?", {kSale}), 3);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl"), 0);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'A'"), 9.0);
}

void TestReturns::twoTillsReturnTheSameLine()
{
    TestDb t;
    ScriptedDialogs dialogs;
    paidSale("M1");
    till::TfrmTuihuo first, second;
    find(first, kSale);
    find(second, kSale);
    first.chkCz->setChecked(true);
    second.chkCz->setChecked(true);
    tick(first, 0);
    tick(second, 0);
    tick(second, 1);
    QCOMPARE(second.lblTuikuan->text(), QStringLiteral("15.5元"));

    first.btnTuihuoClick();
    QVERIFY(dialogs.messages.isEmpty());
    second.btnTuihuoClick();
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.lastText().contains(QStringLiteral("已经退过货")));

    // Line A refunded, restocked and recorded once; line B by the second till.
    QCOMPARE(num("SELECT ssje FROM con"), 6.0);
    QCOMPARE(num("SELECT ye FROM mber"), 16.5);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'A'"), 10.0);
    QCOMPARE(num("SELECT kc FROM sp WHERE id = 'B'"), 10.0);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl WHERE spid = 'A'"), 1);
    QCOMPARE(count("SELECT COUNT(*) FROM thjl"), 2);
    QCOMPARE(ids(second.lvwTb, 1), QStringList{"C"});
}

QTEST_MAIN(TestReturns)
#include "tst_returns.moc"
