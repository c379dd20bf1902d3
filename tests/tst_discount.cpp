// The discount dialog: a line's discounted price or the whole sale's discounted amount,
// applied to a sale screen whose cart is set up directly.
#include "Cart.h"
#include "Db.h"
#include "Format.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitMain.h"
#include "UnitZk.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

class TestDiscount : public QObject {
    Q_OBJECT
private slots:
    void init();
    void lineDiscount_data();
    void lineDiscount();
    void lineRefused_data();
    void lineRefused();
    void opensForTheSelectedLine();
    void withoutSelectionOnlyTheWholeSale();
    void refusedGoodsStillAllowTheWholeSale();
    void wholeSaleAmountLastsUntilTheNextScan();
    void typedPriceReplacesTheShownAmountAndEnterApplies();
    void escapeChangesNothing();
    void quantityChangeKeepsTheDiscountedPrice();
};

namespace {

void addGoods(const QString& id, const QString& name, double sj, double hyj, bool booldz)
{
    TestDb::exec(QStringLiteral("INSERT INTO sp (id, spmc, sj, hyj, kc, booldz) VALUES (?, ?, ?, ?, 100, ?)"),
                 {id, name, sj, hyj, booldz ? 1 : 0});
}

// A cart line as the item entry leaves it, all seven columns as text.
QTreeWidgetItem* addLine(till::TfrmMain& m, const QStringList& cells)
{
    auto* item = new QTreeWidgetItem(cells);
    double qty = 0, je = 0;
    gl::parseNumber(cells[till::ColQty], &qty);
    gl::parseNumber(cells[till::ColJe], &je);
    if (qty != 0)
        till::setLineUnit(item, je / qty);
    m.lvwSp->addTopLevelItem(item);
    return item;
}

void select(till::TfrmMain& m, QTreeWidgetItem* item)
{
    m.lvwSp->clearSelection();
    if (item) {
        m.lvwSp->setCurrentItem(item);
        item->setSelected(true);
    }
}

QStringList cells(const QTreeWidgetItem* item)
{
    QStringList out;
    for (int c = 0; c < till::CartColumnCount; ++c)
        out << item->text(c);
    return out;
}

// Runs the dialog as the sale screen's F2 does and hands it to `drive` while it is open.
void runDialog(till::TfrmMain& m, const std::function<void(till::TfrmZk*)>& drive)
{
    bool driven = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<till::TfrmZk*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        driven = true;
        drive(dlg);
        if (dlg->isVisible())
            dlg->reject();
    });
    till::doDiscount(&m);
    QVERIFY(driven);
}

} // namespace

void TestDiscount::init()
{
    gl::setCurrentOperator(QStringLiteral("Admin"));
}

void TestDiscount::lineDiscount_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("after");

    QTest::newRow("price 10 x 3 typed 8") << "" << QStringList{"G1", "毛巾", "10", "3", "100", "9", "30"} << "8"
                                          << QStringList{"G1", "毛巾", "8", "3", "80.00", "9", "24"};
    QTest::newRow("member price 9 typed 4.5")
        << "M001" << QStringList{"G1", "毛巾", "10", "1", "100", "9", "9"} << "4.5"
        << QStringList{"G1", "毛巾", "10", "1", "50.00", "4.5", "4.5"};
    QTest::newRow("second discount is relative to the first")
        << "" << QStringList{"G1", "毛巾", "8", "3", "80.00", "9", "24"} << "6"
        << QStringList{"G1", "毛巾", "6", "3", "75.00", "9", "18"};
    QTest::newRow("blanks around the typed price")
        << "" << QStringList{"G1", "毛巾", "10", "2", "100", "9", "20"} << " 7.5 "
        << QStringList{"G1", "毛巾", "7.5", "2", "75.00", "9", "15"};
    QTest::newRow("a price above the old one is taken")
        << "" << QStringList{"G1", "毛巾", "10", "1", "100", "9", "10"} << "12.5"
        << QStringList{"G1", "毛巾", "12.5", "1", "125.00", "9", "12.5"};
    QTest::newRow("goods no longer in the catalogue")
        << "" << QStringList{"GONE", "旧货", "4", "2", "100", "0", "8"} << "3"
        << QStringList{"GONE", "旧货", "3", "2", "75.00", "0", "6"};
    QTest::newRow("weighed quantity") << "" << QStringList{"G1", "毛巾", "10", "1.25", "100", "9", "12.5"} << "8"
                                      << QStringList{"G1", "毛巾", "8", "1.25", "80.00", "9", "10"};
}

void TestDiscount::lineDiscount()
{
    QFETCH(QString, member);
    QFETCH(QStringList, line);
    QFETCH(QString, typed);
    QFETCH(QStringList, after);
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("G1", QStringLiteral("毛巾"), 10, 9, true);
    till::TfrmMain m;
    m.MberID = member;
    addLine(m, {"G2", QStringLiteral("牙刷"), "5", "2", "100", "0", "10"});
    QTreeWidgetItem* item = addLine(m, line);
    select(m, item);
    m.JisuanZje();

    till::TfrmZk dlg(&m);
    QVERIFY(dlg.rdoSp->isChecked());
    dlg.editSpJe->setText(typed);
    dlg.btnOKClick();

    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(cells(item), after);
    double je = 0;
    gl::parseNumber(after[till::ColJe], &je);
    QCOMPARE(m.Zje, 10 + je);   // the amount due is the sum of the lines again
    QCOMPARE(m.lblZje->text(), gl::fmtMoney(10 + je) + QStringLiteral("元"));
}

void TestDiscount::lineRefused_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<QStringList>("line");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");

    const QString notNumber = QStringLiteral("请输入数值！");
    const QString noDiscount = QStringLiteral("指定的商品不允许修改折扣！");
    const QString zeroPrice = QStringLiteral("该商品的价格为0，无法计算折扣！");
    QTest::newRow("letters") << "" << QStringList{"G1", "毛巾", "10", "3", "100", "9", "30"} << "8元" << notNumber;
    QTest::newRow("empty") << "" << QStringList{"G1", "毛巾", "10", "3", "100", "9", "30"} << "" << notNumber;
    QTest::newRow("booldz false") << "" << QStringList{"ND", "烟", "20", "1", "100", "0", "20"} << "15" << noDiscount;
    QTest::newRow("unit price 0") << "" << QStringList{"G1", "毛巾", "0", "3", "100", "9", "0"} << "1" << zeroPrice;
    // A member buying goods without member price: the member price column is the one that counts.
    QTest::newRow("member price 0")
        << "M001" << QStringList{"G1", "毛巾", "10", "1", "100", "0", "9"} << "8" << zeroPrice;
}

void TestDiscount::lineRefused()
{
    QFETCH(QString, member);
    QFETCH(QStringList, line);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("G1", QStringLiteral("毛巾"), 10, 9, true);
    addGoods("ND", QStringLiteral("烟"), 20, 0, false);
    till::TfrmMain m;
    m.MberID = member;
    QTreeWidgetItem* item = addLine(m, line);
    select(m, item);
    m.JisuanZje();
    const double zje = m.Zje;

    till::TfrmZk dlg(&m);
    dlg.editSpJe->setText(typed);
    dlg.btnOKClick();

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.lastText(), message);
    QCOMPARE(dialogs.lastTitle(), QStringLiteral("提示"));
    QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
    QCOMPARE(dlg.result(), 0);   // the dialog stays open
    QCOMPARE(cells(item), line);
    QCOMPARE(m.Zje, zje);
}

void TestDiscount::opensForTheSelectedLine()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    addLine(m, {"G2", QStringLiteral("牙刷"), "5", "2", "100", "0", "10"});
    select(m, addLine(m, {"G1", QStringLiteral("毛巾"), "10", "3", "100", "9", "30"}));
    m.JisuanZje();

    till::TfrmZk dlg(&m);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("修改折扣"));
    QCOMPARE(dlg.lblSp->text(), QStringLiteral("商品编号：G1  商品名称：毛巾  数量：3"));
    QVERIFY(dlg.rdoSp->isChecked() && dlg.rdoSp->isEnabled());
    QVERIFY(dlg.editSpJe->isEnabled());
    QVERIFY(!dlg.editConJe->isEnabled());
    QCOMPARE(dlg.editSpJe->text(), QString("30"));   // the line's amount
    QCOMPARE(dlg.editConJe->text(), QString("40"));  // Zje in the general format

    // F5 and F4 switch between the modes; each field is enabled only in its own mode.
    QTest::keyClick(dlg.editSpJe, Qt::Key_F5);
    QVERIFY(dlg.rdoCon->isChecked());
    QVERIFY(dlg.editConJe->isEnabled() && !dlg.editSpJe->isEnabled());
    QTest::keyClick(dlg.editConJe, Qt::Key_F4);
    QVERIFY(dlg.rdoSp->isChecked());
    QVERIFY(dlg.editSpJe->isEnabled() && !dlg.editConJe->isEnabled());
    QVERIFY(dialogs.messages.isEmpty());
}

void TestDiscount::withoutSelectionOnlyTheWholeSale()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    addLine(m, {"G1", QStringLiteral("毛巾"), "10", "3", "100", "9", "30"});
    addLine(m, {"G2", QStringLiteral("牙刷"), "5", "2.5", "100", "0", "12.5"});
    select(m, nullptr);
    m.JisuanZje();

    runDialog(m, [&](till::TfrmZk* dlg) {
        QCOMPARE(dlg->lblSp->text(), QStringLiteral("选中商品：无"));
        QVERIFY(dlg->rdoCon->isChecked());
        QVERIFY(!dlg->rdoSp->isEnabled());
        QVERIFY(!dlg->editSpJe->isEnabled());
        QCOMPARE(dlg->editConJe->text(), QString("42.5"));
        QTRY_COMPARE(QApplication::focusWidget(), dlg->editConJe);
        QTest::keyClick(dlg->editConJe, Qt::Key_F4);   // no line to choose
        QVERIFY(dlg->rdoCon->isChecked());
        QTest::keyClicks(dlg->editConJe, "50");     // replaces the selected amount
        QTest::keyClick(dlg->editConJe, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
    });

    QCOMPARE(m.Zje, 50.0);
    QCOMPARE(m.lblZje->text(), QStringLiteral("50元"));
    QCOMPARE(m.lvwSp->topLevelItem(0)->text(till::ColJe), QString("30"));   // no line changed
    QCOMPARE(m.lvwSp->topLevelItem(1)->text(till::ColJe), QString("12.5"));
    QVERIFY(dialogs.messages.isEmpty());
}

void TestDiscount::refusedGoodsStillAllowTheWholeSale()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("ND", QStringLiteral("烟"), 20, 0, false);
    till::TfrmMain m;
    QTreeWidgetItem* item = addLine(m, {"ND", QStringLiteral("烟"), "20", "2", "100", "0", "40"});
    select(m, item);
    m.JisuanZje();

    runDialog(m, [&](till::TfrmZk* dlg) {
        QTest::keyClicks(dlg->editSpJe, "15");
        QTest::keyClick(dlg->editSpJe, Qt::Key_Return);
        QCOMPARE(dialogs.lastText(), QStringLiteral("指定的商品不允许修改折扣！"));
        QVERIFY(dlg->isVisible());
        QTest::keyClick(dlg->editSpJe, Qt::Key_F5);
        dlg->editConJe->setText("35.5");
        QTest::keyClick(dlg->editConJe, Qt::Key_Return);
        QVERIFY(!dlg->isVisible());
    });

    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(cells(item), (QStringList{"ND", QStringLiteral("烟"), "20", "2", "100", "0", "40"}));
    QCOMPARE(m.Zje, 35.5);
    QCOMPARE(m.lblZje->text(), QStringLiteral("35.5元"));
}

void TestDiscount::wholeSaleAmountLastsUntilTheNextScan()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("G1", QStringLiteral("毛巾"), 10, 9, true);
    till::TfrmMain m;
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    QTest::keyClicks(m.editID, "G1");
    QTest::keyClick(m.editID, Qt::Key_Return);
    QCOMPARE(m.lvwSp->topLevelItemCount(), 1);
    QCOMPARE(m.Zje, 10.0);
    select(m, nullptr);

    runDialog(m, [](till::TfrmZk* dlg) {
        dlg->editConJe->setText("8");
        dlg->btnOKClick();
    });
    QCOMPARE(m.Zje, 8.0);

    // One more item: the amount due is the sum of the lines again.
    QTest::keyClicks(m.editID, "G1");
    QTest::keyClick(m.editID, Qt::Key_Return);
    QCOMPARE(m.lvwSp->topLevelItemCount(), 2);
    QCOMPARE(m.Zje, 20.0);
    QCOMPARE(m.lblZje->text(), QStringLiteral("20.00元"));
    QVERIFY(dialogs.messages.isEmpty());
    m.hide();
}

void TestDiscount::typedPriceReplacesTheShownAmountAndEnterApplies()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("G1", QStringLiteral("毛巾"), 10, 9, true);
    till::TfrmMain m;
    QTreeWidgetItem* item = addLine(m, {"G1", QStringLiteral("毛巾"), "10", "3", "100", "9", "30"});
    select(m, item);
    m.JisuanZje();

    runDialog(m, [](till::TfrmZk* dlg) {
        QTRY_COMPARE(QApplication::focusWidget(), dlg->editSpJe);
        QCOMPARE(dlg->editSpJe->selectedText(), QString("30"));
        QTest::keyClicks(dlg->editSpJe, "8");
        QTest::keyClick(dlg->editSpJe, Qt::Key_Enter);
        QVERIFY(!dlg->isVisible());
    });
    QCOMPARE(cells(item), (QStringList{"G1", QStringLiteral("毛巾"), "8", "3", "80.00", "9", "24"}));
    QCOMPARE(m.Zje, 24.0);
}

void TestDiscount::escapeChangesNothing()
{
    TestDb t;
    ScriptedDialogs dialogs;
    till::TfrmMain m;
    QTreeWidgetItem* item = addLine(m, {"G1", QStringLiteral("毛巾"), "10", "3", "100", "9", "30"});
    select(m, item);
    m.JisuanZje();

    runDialog(m, [](till::TfrmZk* dlg) {
        QTest::keyClicks(dlg->editSpJe, "8");
        QTest::keyClick(dlg->editSpJe, Qt::Key_F5);
        QTest::keyClicks(dlg->editConJe, "1");
        QTest::keyClick(dlg->editConJe, Qt::Key_Escape);
        QVERIFY(!dlg->isVisible());
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
    });
    QCOMPARE(cells(item), (QStringList{"G1", QStringLiteral("毛巾"), "10", "3", "100", "9", "30"}));
    QCOMPARE(m.Zje, 30.0);
}

void TestDiscount::quantityChangeKeepsTheDiscountedPrice()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addGoods("G1", QStringLiteral("毛巾"), 10, 9, true);
    till::TfrmMain m;
    QTreeWidgetItem* item = addLine(m, {"G1", QStringLiteral("毛巾"), "10", "1", "100", "9", "10"});
    select(m, item);
    m.JisuanZje();
    {
        till::TfrmZk dlg(&m);
        dlg.editSpJe->setText("8");
        dlg.btnOKClick();
    }
    // Keypad + on the sale screen: two at the discounted price.
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    m.lvwSp->setFocus();
    QTest::keyClick(m.lvwSp, Qt::Key_Plus, Qt::KeypadModifier);
    QCOMPARE(item->text(till::ColQty), QString("2"));
    QCOMPARE(item->text(till::ColJe), QString("16"));
    QCOMPARE(m.Zje, 16.0);
    m.hide();
}

QTEST_MAIN(TestDiscount)
#include "tst_discount.moc"
