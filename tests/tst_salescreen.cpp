// The sale screen driven with keys: scanning, quantities, deleting, members, clearing.
#include "Cart.h"
#include "PoleDisplay.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "Settings.h"
#include "TestDb.h"
#include "UnitMain.h"

#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QDialog>
#include <QtTest>

using till::TfrmMain;

class TestSaleScreen : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void opensReadyToScan();
    void shopNameAndReceiptNumbers();
    void scanning();
    void keysThatNeverReachTheEntryBox();
    void keypadPlusMinus();
    void deleting();
    void changeQuantity_data();
    void changeQuantity();
    void quantityChangeKeepsTheEntryPrice();
    void countInCartFollowsEveryChange();
    void memberCard();
    void memberCardOnAFullCart();
    void clearKeepsTheNumber();
    void wholeSaleAmountLastsUntilTheNextChange();
    void listKeys();
    void panelAndEntryKeys();
    void buttonsLeaveTheFocusInTheEntryBox();
    void focusComesBackAfterARealDialog();
    void scaleLabels();
    void exitQuestion();
    void columnsFollowTheListWidth();

private:
    TestDb* db_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
};

namespace {

void scan(TfrmMain& w, const QString& code)
{
    // Key clicks for what a scanner types; Chinese names as an input method would put them in.
    bool ascii = true;
    for (const QChar c : code)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(w.editID, code);
    else
        w.editID->insert(code);
    QTest::keyClick(w.editID, Qt::Key_Return);
}

QStringList row(const TfrmMain& w, int i)
{
    QStringList r;
    const QTreeWidgetItem* item = w.lvwSp->topLevelItem(i);
    for (int c = 0; c < till::CartColumnCount; ++c)
        r << item->text(c);
    return r;
}

QStringList column(const TfrmMain& w, int c)
{
    QStringList out;
    for (int i = 0; i < w.lvwSp->topLevelItemCount(); ++i)
        out << w.lvwSp->topLevelItem(i)->text(c);
    return out;
}

void select(TfrmMain& w, int i)
{
    w.lvwSp->setCurrentItem(w.lvwSp->topLevelItem(i));
}

// A window shown and active, ready for keys.
struct Screen {
    TfrmMain w;
    Screen()
    {
        w.resize(1366, 768);
        w.show();
        if (!QTest::qWaitForWindowActive(&w))
            qWarning("sale screen not active");
    }
};

} // namespace

void TestSaleScreen::init()
{
    db_ = new TestDb;
    dialogs_ = new ScriptedDialogs;
    gl::setCurrentOperator("Admin");
    TestDb::exec("INSERT INTO sp (id, spmc, sj, hyj) VALUES (?, ?, ?, ?)", {"6901", "可口可乐", 3.5, 3});
    TestDb::exec("INSERT INTO sp (id, spmc, sj, hyj) VALUES (?, ?, ?, ?)", {"6902", "面包", 8, 0});
    TestDb::exec("INSERT INTO sp (id, spmc, sj, hyj) VALUES (?, ?, ?, ?)", {"G", "有折扣的商品", 10, 0});
    TestDb::exec("INSERT INTO spdz (spid, sl, dj) VALUES ('G', 2, 9), ('G', 5, 8)");
    TestDb::exec("INSERT INTO mber (id, mbername, zk, st) VALUES ('1001', '张三', 90, 0)");
    TestDb::exec("INSERT INTO mber (id, mbername, zk, st) VALUES ('1002', '李四', 80, 1)");
    TestDb::exec("INSERT INTO mber (id, mbername, zk, st) VALUES ('1003', '张小明', 100, 0)");
}

void TestSaleScreen::cleanup()
{
    delete dialogs_;
    delete db_;
}

void TestSaleScreen::opensReadyToScan()
{
    Screen s;
    TfrmMain& w = s.w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Velmora收银系统 - 收银端"));
    QCOMPARE(w.lblShopName->text(), QStringLiteral("Velmora收银系统"));
    QCOMPARE(w.NowLs, QString("10000001"));
    QCOMPARE(w.lblLsdh->text(), QString("10000001"));
    QCOMPARE(gl::readShopSetting("lsh"), QString("10000001"));   // used up even if nothing is sold
    QVERIFY(w.LastLs.isEmpty());
    QVERIFY(w.MberID.isEmpty());
    QCOMPARE(w.lblMberID->text(), QStringLiteral("无"));
    QCOMPARE(w.lblCzy->text(), QString("Admin"));
    QCOMPARE(w.lblZje->text(), QStringLiteral("0.00元"));
    QCOMPARE(w.Zje, 0.0);
    QCOMPARE(w.stBarPanels[0]->text(), QStringLiteral("欢迎使用Velmora收银系统"));
    QCOMPARE(w.stBarPanels[1]->text(), QStringLiteral("操作员：Admin"));
    QVERIFY(!w.stBarPanels[2]->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.editID);
    QVERIFY(w.panKjj->isVisible());
    QVERIFY(!w.mscGx->isOpen());
    QVERIFY(dialogs_->messages.isEmpty());

    const QStringList captions{"商品编号", "商品名称", "单价(元)", "数量", "折扣(%)", "会员价(元)", "金额(元)"};
    const int widths[] = {180, 300, 110, 80, 90, 110, 110};
    for (int c = 0; c < till::CartColumnCount; ++c) {
        QCOMPARE(w.lvwSp->headerItem()->text(c), captions[c]);
        if (c != till::ColName)
            QCOMPARE(w.lvwSp->columnWidth(c), widths[c]);
    }
    for (QPushButton* b : w.findChildren<QPushButton*>()) {
        QVERIFY2(b->isFlat() && b->focusPolicy() == Qt::NoFocus, qPrintable(b->objectName()));
        QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    }
    QCOMPARE(w.btnJiezhang->text(), QStringLiteral("结账(F5)"));
    QCOMPARE(w.btnExit->text(), QStringLiteral("退出系统(ESC)"));
}

void TestSaleScreen::shopNameAndReceiptNumbers()
{
    gl::writeShopSetting("shopname", "幸福超市");
    gl::writeShopSetting("lsqz", "A");
    gl::writeShopSetting("lsh", "41");
    gl::writeShopSetting("lsws", "5");
    TfrmMain w;
    QCOMPARE(w.windowTitle(), QStringLiteral("Velmora收银系统 - 收银端 [幸福超市]"));
    QCOMPARE(w.lblShopName->text(), QStringLiteral("幸福超市"));
    QCOMPARE(w.NowLs, QString("A00042"));
    w.GetNextLs();
    QCOMPARE(w.NowLs, QString("A00043"));
    QCOMPARE(w.lblLsdh->text(), QString("A00043"));

    // A counter that is not a number takes no number and says why.
    gl::writeShopSetting("lsh", "x");
    w.GetNextLs();
    QCOMPARE(w.NowLs, QString("A00043"));
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY(dialogs_->lastText().contains("lsh"));
}

void TestSaleScreen::scanning()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6901");
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
    QCOMPARE(row(w, 0), QStringList({"6901", "可口可乐", "3.5", "1", "100", "3", "3.5"}));
    scan(w, "面包");   // a name instead of an id
    QCOMPARE(row(w, 1), QStringList({"6902", "面包", "8", "1", "100", "0", "8"}));
    QCOMPARE(w.selectedLine(), w.lvwSp->topLevelItem(1));
    QCOMPARE(w.Zje, 11.5);
    QCOMPARE(w.lblZje->text(), QStringLiteral("11.50元"));
    QVERIFY(w.editID->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.editID);

    // Lines of the same goods are never merged.
    scan(w, "6901");
    QCOMPARE(w.lvwSp->topLevelItemCount(), 3);

    // Unknown code: a warning, no line, the box emptied for the next code.
    scan(w, "9999");
    QCOMPARE(w.lvwSp->topLevelItemCount(), 3);
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("商品不存在！"));
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("提示"));
    QVERIFY(w.editID->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), w.editID);

    // Enter on an empty box does nothing.
    select(w, 0);
    QTest::keyClick(w.editID, Qt::Key_Return);
    QCOMPARE(w.lvwSp->topLevelItemCount(), 3);
    QCOMPARE(w.selectedLine(), w.lvwSp->topLevelItem(0));
    QCOMPARE(dialogs_->messages.size(), 1);

    // Breaks: the k-th unit of a goods in this sale.
    w.btnClsClick();
    for (int i = 0; i < 6; ++i)
        scan(w, "G");
    QCOMPARE(column(w, till::ColJe), QStringList({"10", "9", "10", "10", "8", "8"}));
    QCOMPARE(w.lblZje->text(), QStringLiteral("55.00元"));
}

void TestSaleScreen::keysThatNeverReachTheEntryBox()
{
    Screen s;
    TfrmMain& w = s.w;
    QTest::keyClicks(w.editID, "69+0=1-");
    QCOMPARE(w.editID->text(), QString("6901"));
    w.editID->clear();
    QApplication::clipboard()->setText("12+3");
    QTest::keyClick(w.editID, Qt::Key_V, Qt::ControlModifier);
    QVERIFY(!w.editID->text().contains('+'));
    QVERIFY(w.lvwSp->topLevelItemCount() == 0);
}

void TestSaleScreen::keypadPlusMinus()
{
    Screen s;
    TfrmMain& w = s.w;
    // No line selected: nothing happens, nothing is said.
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QVERIFY(dialogs_->messages.isEmpty());

    scan(w, "6902");
    scan(w, "6901");
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(row(w, 1), QStringList({"6901", "可口可乐", "3.5", "3", "100", "3", "10.5"}));
    QCOMPARE(w.lblZje->text(), QStringLiteral("18.50元"));
    // The "+" of the main keyboard is no shortcut.
    QTest::keyClick(w.editID, Qt::Key_Plus);
    QCOMPARE(row(w, 1)[till::ColQty], QString("3"));
    QTest::keyClick(w.editID, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(row(w, 1)[till::ColQty], QString("2"));
    QCOMPARE(row(w, 1)[till::ColJe], QString("7"));
    QTest::keyClick(w.editID, Qt::Key_Minus, Qt::KeypadModifier);
    QTest::keyClick(w.editID, Qt::Key_Minus, Qt::KeypadModifier);   // at 1: the line goes
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
    QCOMPARE(w.lblZje->text(), QStringLiteral("8.00元"));
    QVERIFY(w.editID->text().isEmpty());
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestSaleScreen::deleting()
{
    Screen s;
    TfrmMain& w = s.w;
    QTest::keyClick(w.editID, Qt::Key_Delete);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("没有选中任何商品！"));
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("删除"));
    QVERIFY(dialogs_->messages[0].icon == gl::MsgIcon::Warning);

    scan(w, "6901");
    scan(w, "6902");
    scan(w, "6901");
    select(w, 1);
    // Delete in the entry box deletes the selected line and also the character at the caret.
    QTest::keyClicks(w.editID, "abc");
    w.editID->setCursorPosition(1);
    QTest::keyClick(w.editID, Qt::Key_Delete);
    QCOMPARE(column(w, till::ColId), QStringList({"6901", "6901"}));
    QCOMPARE(w.editID->text(), QString("ac"));
    QCOMPARE(w.lblZje->text(), QStringLiteral("7.00元"));

    // The button.
    select(w, 0);
    w.btnDel->click();
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
    QCOMPARE(w.Zje, 3.5);
    QCOMPARE(dialogs_->messages.size(), 1);
    w.btnDel->click();   // nothing selected after a delete
    QCOMPARE(dialogs_->messages.size(), 2);
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
}

void TestSaleScreen::changeQuantity_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("qty");
    QTest::addColumn<QString>("je");
    QTest::addColumn<QString>("message");

    QTest::newRow("number") << "3" << "3" << "10.5" << "";
    QTest::newRow("trimmed") << "  2.5 " << "2.5" << "8.75" << "";
    QTest::newRow("zero") << "0" << "0" << "0" << "";
    QTest::newRow("negative") << "-2" << "-2" << "-7" << "";
    QTest::newRow("not a number") << "abc" << "1" << "3.5" << QStringLiteral("请输入数值！");
    QTest::newRow("cancel") << "" << "1" << "3.5" << "";
    QTest::newRow("blank") << "   " << "1" << "3.5" << "";
}

void TestSaleScreen::changeQuantity()
{
    QFETCH(QString, answer);
    QFETCH(QString, qty);
    QFETCH(QString, je);
    QFETCH(QString, message);
    Screen s;
    TfrmMain& w = s.w;

    QTest::keyClick(w.editID, Qt::Key_F6);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("没有选中任何商品！"));
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("修改数量"));
    dialogs_->clear();

    scan(w, "6901");
    // From the list, too: the focus comes back to the entry box when the dialog has closed.
    QTest::keyClick(w.editID, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w.lvwSp);
    dialogs_->inputs << answer;
    QTest::keyClick(w.lvwSp, Qt::Key_F6);
    QCOMPARE(dialogs_->inputPrompts, QStringList{QStringLiteral("请输入商品数量：")});
    QCOMPARE(row(w, 0)[till::ColQty], qty);
    QCOMPARE(row(w, 0)[till::ColJe], je);
    QCOMPARE(w.lblZje->text(), QString::number(je.toDouble(), 'f', 2) + QStringLiteral("元"));
    QCOMPARE(QApplication::focusWidget(), w.editID);
    if (message.isEmpty()) {
        QVERIFY(dialogs_->messages.isEmpty());
    } else {
        QCOMPARE(dialogs_->lastText(), message);
        QCOMPARE(dialogs_->lastTitle(), QStringLiteral("修改数量"));
    }
}

void TestSaleScreen::quantityChangeKeepsTheEntryPrice()
{
    Screen s;
    TfrmMain& w = s.w;
    // A member with 90 %: goods with a member price, goods without (member discount), a break line.
    dialogs_->inputs << "1001";
    QTest::keyClick(w.editID, Qt::Key_F4);
    QCOMPARE(w.MberID, QString("1001"));
    scan(w, "6901");   // member price 3
    scan(w, "6902");   // no member price: 8 x 90 % = 7.2
    scan(w, "G");      // 9
    scan(w, "G");      // break: 9
    QCOMPARE(column(w, till::ColJe), QStringList({"3", "7.2", "9", "9"}));
    for (int i = 0; i < 4; ++i) {
        select(w, i);
        QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    }
    QCOMPARE(column(w, till::ColJe), QStringList({"6", "14.4", "18", "18"}));
    select(w, 1);
    dialogs_->inputs << "0.5";
    QTest::keyClick(w.editID, Qt::Key_F6);
    QCOMPARE(row(w, 1)[till::ColJe], QString("3.6"));

    // A line repriced from outside (the discount dialog) keeps its new price.
    QTreeWidgetItem* line = w.lvwSp->topLevelItem(0);
    line->setText(till::ColHyj, "2.5");
    line->setText(till::ColJe, "5");   // 2 x 2.5
    w.JisuanZje();
    select(w, 0);
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(row(w, 0)[till::ColJe], QString("7.5"));
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestSaleScreen::countInCartFollowsEveryChange()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "G");   // 10
    scan(w, "G");   // 9
    select(w, 1);
    QTest::keyClick(w.editID, Qt::Key_Delete);
    scan(w, "G");   // the 2nd unit again: 9
    QCOMPARE(column(w, till::ColJe), QStringList({"10", "9"}));
    select(w, 0);
    dialogs_->inputs << "3";
    QTest::keyClick(w.editID, Qt::Key_F6);
    scan(w, "G");   // 3 + 1 + 1 = the 5th unit: 8
    QCOMPARE(column(w, till::ColJe).last(), QString("8"));

    // Lines put into the cart by other dialogs (a retrieved held order) count as well.
    w.btnClsClick();
    till::SaleLine held;
    held.spid = "G";
    held.spmc = "有折扣的商品";
    held.dj = 10;
    held.sl = 4;
    held.je = 40;
    w.lvwSp->addTopLevelItem(till::newCartItem(held));
    scan(w, "G");
    QCOMPARE(column(w, till::ColJe), QStringList({"40", "8"}));
    QCOMPARE(w.Zje, 48.0);
}

void TestSaleScreen::memberCard()
{
    Screen s;
    TfrmMain& w = s.w;
    // Cancel, not found, disabled, then found by part of a name: the first of several.
    dialogs_->inputs << "" << "9999" << "1002" << "张";
    QTest::keyClick(w.editID, Qt::Key_F4);
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dialogs_->inputPrompts, QStringList{QStringLiteral("请输入会员卡号/姓名：")});

    QTest::keyClick(w.editID, Qt::Key_F4);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("找不到指定会员！"));
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("提示"));
    QVERIFY(w.MberID.isEmpty());

    QTest::keyClick(w.editID, Qt::Key_F4);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("会员卡号[1002]当前状态为无效！"));
    QVERIFY(w.MberID.isEmpty());
    QCOMPARE(w.lblMberID->text(), QStringLiteral("无"));

    QTest::keyClick(w.editID, Qt::Key_F4);
    QCOMPARE(w.MberID, QString("1001"));
    QCOMPARE(w.MberName, QStringLiteral("张三"));
    QCOMPARE(w.lblMberID->text(), QString("1001"));
    QCOMPARE(dialogs_->messages.size(), 2);
    QCOMPARE(QApplication::focusWidget(), w.editID);

    scan(w, "6901");
    QCOMPARE(row(w, 0)[till::ColJe], QString("3"));
}

void TestSaleScreen::memberCardOnAFullCart()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6901");
    const QString number = w.NowLs;
    dialogs_->answers << false;
    w.btnMber->click();
    QCOMPARE(dialogs_->questionsAsked, QStringList{QStringLiteral("刷入会员卡前需要重置当前消费单信息，是否继续？")});
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
    QVERIFY(dialogs_->inputPrompts.isEmpty());

    dialogs_->answers << true;
    dialogs_->inputs << "1003";
    w.btnMber->click();
    QCOMPARE(w.lvwSp->topLevelItemCount(), 0);
    QCOMPARE(w.MberID, QString("1003"));
    QCOMPARE(w.NowLs, number);
    QCOMPARE(dialogs_->unexpected, 0);
}

void TestSaleScreen::clearKeepsTheNumber()
{
    Screen s;
    TfrmMain& w = s.w;
    dialogs_->inputs << "1001";
    QTest::keyClick(w.editID, Qt::Key_F4);
    scan(w, "6901");
    QTest::keyClicks(w.editID, "69");
    const QString number = w.NowLs;
    QTest::keyClick(w.editID, Qt::Key_F11);
    QCOMPARE(w.lvwSp->topLevelItemCount(), 0);
    QVERIFY(w.MberID.isEmpty());
    QVERIFY(w.MberName.isEmpty());
    QCOMPARE(w.lblMberID->text(), QStringLiteral("无"));
    QCOMPARE(w.lblZje->text(), QStringLiteral("0.00元"));
    QVERIFY(w.editID->text().isEmpty());
    QCOMPARE(w.NowLs, number);
    QCOMPARE(QApplication::focusWidget(), w.editID);
}

void TestSaleScreen::wholeSaleAmountLastsUntilTheNextChange()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6902");
    scan(w, "6902");
    w.Zje = 15;   // as the discount dialog sets it
    scan(w, "6901");
    QCOMPARE(w.Zje, 19.5);
    w.Zje = 15;
    QTest::keyClick(w.editID, Qt::Key_Minus, Qt::KeypadModifier);
    QCOMPARE(w.Zje, 16.0);
}

void TestSaleScreen::listKeys()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6901");
    scan(w, "6902");
    scan(w, "G");
    QTest::keyClick(w.editID, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w.lvwSp);
    QCOMPARE(w.selectedLine(), w.lvwSp->topLevelItem(1));
    QTest::keyClick(w.lvwSp, Qt::Key_Up);
    QCOMPARE(w.selectedLine(), w.lvwSp->topLevelItem(0));
    QTest::keyClick(w.lvwSp, Qt::Key_Down);
    QCOMPARE(w.selectedLine(), w.lvwSp->topLevelItem(1));
    QTest::keyClick(w.lvwSp, Qt::Key_Plus, Qt::KeypadModifier);   // acts on the selected line
    QCOMPARE(row(w, 1)[till::ColQty], QString("2"));
    QTest::keyClick(w.lvwSp, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), w.editID);
    QVERIFY(w.editID->text().isEmpty());
    QCOMPARE(w.lvwSp->topLevelItemCount(), 3);
}

void TestSaleScreen::panelAndEntryKeys()
{
    Screen s;
    TfrmMain& w = s.w;
    QTest::keyClick(w.editID, Qt::Key_F1);
    QVERIFY(!w.panKjj->isVisible());
    QTest::keyClick(w.editID, Qt::Key_F1);
    QVERIFY(w.panKjj->isVisible());

    scan(w, "6901");
    QTest::keyClick(w.editID, Qt::Key_Up);
    QTest::keyClick(w.lvwSp, Qt::Key_F3);
    QCOMPARE(QApplication::focusWidget(), w.editID);
    QTest::keyClicks(w.editID, "123");
    QTest::keyClick(w.editID, Qt::Key_F3);
    QVERIFY(w.editID->text().isEmpty());

    // Each dialog key opens its dialog; once it is closed the focus is back in the entry box.
    QTimer closer;
    closer.setInterval(10);
    connect(&closer, &QTimer::timeout, [] {
        if (auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dlg->reject();
    });
    closer.start();
    for (Qt::Key k : {Qt::Key_F2, Qt::Key_F5, Qt::Key_F7, Qt::Key_F8, Qt::Key_F9, Qt::Key_F10, Qt::Key_F12,
                      Qt::Key_End, Qt::Key_PageUp}) {
        QTest::keyClick(w.editID, Qt::Key_Up);
        QTest::keyClick(QApplication::focusWidget(), k);
        QTRY_COMPARE(QApplication::focusWidget(), w.editID);
        QVERIFY(w.isVisible());
    }
    QVERIFY(w.isVisible());
}

void TestSaleScreen::buttonsLeaveTheFocusInTheEntryBox()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6901");
    QTest::keyClicks(w.editID, "69");
    QTest::mouseClick(w.btnCls, Qt::LeftButton);
    QCOMPARE(w.lvwSp->topLevelItemCount(), 0);
    QCOMPARE(QApplication::focusWidget(), w.editID);
    scan(w, "6901");
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
}

void TestSaleScreen::focusComesBackAfterARealDialog()
{
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "6901");
    QTest::keyClick(w.editID, Qt::Key_Up);
    QCOMPARE(QApplication::focusWidget(), w.lvwSp);
    gl::setDialogBackend(nullptr);   // the real input dialog, answered while it runs
    bool answered = false;
    QTimer::singleShot(0, [&answered] {
        QWidget* dlg = QApplication::activeModalWidget();
        if (!dlg)
            return;
        auto* edit = dlg->findChild<QLineEdit*>("editInput");
        edit->selectAll();
        QTest::keyClicks(edit, "4");
        dlg->findChild<QPushButton*>("btnOK")->click();
        answered = true;
    });
    QTest::keyClick(w.lvwSp, Qt::Key_F6);
    gl::setDialogBackend(dialogs_);
    QVERIFY(answered);
    QCOMPARE(row(w, 0)[till::ColQty], QString("4"));
    QTRY_COMPARE(QApplication::focusWidget(), w.editID);
    QVERIFY(QApplication::activeWindow() == &w);
    scan(w, "6902");   // the scanner works without a click
    QCOMPARE(w.lvwSp->topLevelItemCount(), 2);
}

void TestSaleScreen::scaleLabels()
{
    gl::writeShopSetting("dzc", "1");
    TestDb::exec("INSERT INTO sp (id, spmc, sj, hyj) VALUES ('708312', '苹果', 12, 0)");
    Screen s;
    TfrmMain& w = s.w;
    scan(w, "2708312012507");
    QCOMPARE(row(w, 0), QStringList({"708312", "苹果", "12", "01.250", "100", "0", "15"}));
    scan(w, "2999999012507");
    QCOMPARE(dialogs_->lastText(), QStringLiteral("条码中的商品不存在！"));
    QCOMPARE(w.lvwSp->topLevelItemCount(), 1);
    scan(w, "6901");   // an ordinary code on a scale till
    QCOMPARE(w.lvwSp->topLevelItemCount(), 2);
    select(w, 0);
    QTest::keyClick(w.editID, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(row(w, 0)[till::ColQty], QString("2.25"));
    QCOMPARE(row(w, 0)[till::ColJe], QString("27"));
}

void TestSaleScreen::exitQuestion()
{
    Screen s;
    TfrmMain& w = s.w;
    QTest::keyClick(w.editID, Qt::Key_Escape);
    QCOMPARE(dialogs_->questionsAsked, QStringList{QStringLiteral("您确实要退出系统吗？")});
    QVERIFY(w.isVisible());
    QCOMPARE(QApplication::focusWidget(), w.editID);
    dialogs_->answers << true;
    w.btnExit->click();
    QVERIFY(!w.isVisible());
}

void TestSaleScreen::columnsFollowTheListWidth()
{
    Screen s;
    TfrmMain& w = s.w;
    for (const QSize size : {QSize(1366, 768), QSize(1920, 1080), QSize(1280, 720)}) {
        w.resize(size);
        QTest::qWait(20);
        int sum = 0;
        for (int c = 0; c < till::CartColumnCount; ++c)
            sum += w.lvwSp->columnWidth(c);
        QCOMPARE(sum, w.lvwSp->viewport()->width());
    }
}

QTEST_MAIN(TestSaleScreen)
#include "tst_salescreen.moc"
