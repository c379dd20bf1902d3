// The goods browser: categories, the search on every keystroke, the eleven columns.
#include "Db.h"
#include "ScriptedDialogs.h"
#include "TestDb.h"
#include "UnitSpll.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

class TestBrowser : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void search_data();
    void search();
    void searchRunsOnEveryKeystroke();
    void emptySearchLeavesTheList();
    void categories();
    void rowLayout();
    void keys();

private:
    TestDb* db_ = nullptr;
};

namespace {

void addGoods(const QString& id, const QString& name, const QString& lb)
{
    TestDb::exec(QStringLiteral("INSERT INTO sp (id, spmc, splb) VALUES (?, ?, ?)"), {id, name, lb});
}

QStringList shownIds(const till::TfrmSpll& w)
{
    QStringList ids;
    for (int i = 0; i < w.lvwTb->topLevelItemCount(); ++i)
        ids << w.lvwTb->topLevelItem(i)->text(0);
    ids.sort();
    return ids;
}

} // namespace

void TestBrowser::init()
{
    db_ = new TestDb;
    QVERIFY(db_->ok());
    for (const char* lb : {"饮料", "日用"})
        TestDb::exec(QStringLiteral("INSERT INTO splb (lbmc) VALUES (?)"), {QString::fromUtf8(lb)});
    addGoods("12", QStringLiteral("苹果"), QStringLiteral("水果"));
    addGoods("120", QStringLiteral("香蕉"), QStringLiteral("水果"));
    addGoods("A1", QStringLiteral("可乐12瓶"), QStringLiteral("饮料"));
    addGoods("B7", QStringLiteral("面包"), QStringLiteral("日用"));
    addGoods("C3", QStringLiteral("50%浓缩果汁"), QStringLiteral("饮料"));
    addGoods("C4", QStringLiteral("500毫升果汁"), QStringLiteral("饮料"));
    addGoods("D1", QStringLiteral("Tea_Bag"), QStringLiteral("饮料"));
    addGoods("D2", QStringLiteral("TeaXBag"), QStringLiteral("饮料"));
    addGoods("E1", QStringLiteral("O'Neil牌刷子"), QStringLiteral("日用"));
}

void TestBrowser::cleanup()
{
    delete db_;
    db_ = nullptr;
}

void TestBrowser::search_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("exact id and names containing it") << "12" << "12" << QStringList{"12", "A1"};
    QTest::newRow("blanks trimmed") << "  12  " << "12" << QStringList{"12", "A1"};
    QTest::newRow("part of a name") << QStringLiteral("果汁") << QStringLiteral("果汁") << QStringList{"C3", "C4"};
    QTest::newRow("id in another letter case") << "a1" << "a1" << QStringList{"A1"};
    QTest::newRow("percent is literal") << "50%" << "50%" << QStringList{"C3"};
    QTest::newRow("underscore is literal") << "a_b" << "a_b" << QStringList{"D1"};
    QTest::newRow("quote") << "O'Neil" << "O'Neil" << QStringList{"E1"};
    QTest::newRow("injection finds nothing") << "x' OR '1'='1" << "x' OR '1'='1" << QStringList{};
    QTest::newRow("a part of an id is not enough") << "B" << "B" << QStringList{"D1", "D2"};
}

void TestBrowser::search()
{
    QFETCH(QString, typed);
    QFETCH(QString, field);
    QFETCH(QStringList, ids);
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    w.editSp->setText(typed);
    QCOMPARE(w.editSp->text(), field);
    QCOMPARE(shownIds(w), ids);
    QVERIFY(dialogs.messages.isEmpty());
}

void TestBrowser::searchRunsOnEveryKeystroke()
{
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTRY_COMPARE(QApplication::focusWidget(), w.editSp);
    QTest::keyClick(w.editSp, Qt::Key_1);
    QCOMPARE(shownIds(w), (QStringList{"A1"}));   // "1" is no id; one name holds it
    QTest::keyClick(w.editSp, Qt::Key_2);
    QCOMPARE(shownIds(w), (QStringList{"12", "A1"}));
    QTest::keyClick(w.editSp, Qt::Key_0);
    QCOMPARE(shownIds(w), (QStringList{"120"}));
    // A blank typed at the end is taken away at once.
    QTest::keyClick(w.editSp, Qt::Key_Space);
    QCOMPARE(w.editSp->text(), QString("120"));
    QCOMPARE(shownIds(w), (QStringList{"120"}));
    // Enter does nothing.
    QTest::keyClick(w.editSp, Qt::Key_Return);
    QVERIFY(w.isVisible());
    QCOMPARE(shownIds(w), (QStringList{"120"}));
}

void TestBrowser::emptySearchLeavesTheList()
{
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    QCOMPARE(w.lvwTb->topLevelItemCount(), 0);   // starts empty
    w.editSp->setText(QStringLiteral("果汁"));
    QCOMPARE(shownIds(w), (QStringList{"C3", "C4"}));
    w.editSp->clear();
    QCOMPARE(shownIds(w), (QStringList{"C3", "C4"}));
    w.editSp->setText("   ");
    QCOMPARE(w.editSp->text(), QString());
    QCOMPARE(shownIds(w), (QStringList{"C3", "C4"}));
}

void TestBrowser::categories()
{
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    QCOMPARE(w.listLb->count(), 3);
    QCOMPARE(w.listLb->item(0)->text(), QStringLiteral("所有类别"));
    QCOMPARE(w.listLb->item(1)->text(), QStringLiteral("饮料"));
    QCOMPARE(w.listLb->item(2)->text(), QStringLiteral("日用"));

    w.listLb->setCurrentRow(1);
    QCOMPARE(shownIds(w), (QStringList{"A1", "C3", "C4", "D1", "D2"}));
    w.listLb->setCurrentRow(2);
    QCOMPARE(shownIds(w), (QStringList{"B7", "E1"}));
    w.listLb->setCurrentRow(0);
    QCOMPARE(w.lvwTb->topLevelItemCount(), 9);

    // Clicking the chosen entry again shows it again, after a search replaced the list.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.listLb->setCurrentRow(2);
    w.editSp->setText(QStringLiteral("果汁"));
    QCOMPARE(shownIds(w), (QStringList{"C3", "C4"}));
    const QRect r = w.listLb->visualItemRect(w.listLb->item(2));
    QTest::mouseClick(w.listLb->viewport(), Qt::LeftButton, {}, r.center());
    QCOMPARE(shownIds(w), (QStringList{"B7", "E1"}));
    // A click on another entry fills the list once, with that entry.
    const QRect r1 = w.listLb->visualItemRect(w.listLb->item(1));
    QTest::mouseClick(w.listLb->viewport(), Qt::LeftButton, {}, r1.center());
    QCOMPARE(shownIds(w), (QStringList{"A1", "C3", "C4", "D1", "D2"}));
}

void TestBrowser::rowLayout()
{
    TestDb::exec(QStringLiteral("INSERT INTO sp (id, spmc, huohao, splb, sj, hyj, kc, guige, booldz, booljf, ps)"
                                " VALUES ('R1', '大米', 'HH-9', '粮油', 12.5, 0, 3.25, '5kg', 1, 0, NULL),"
                                " ('R2', '小米', '', '', 0.1, 8, -2, '', 0, 1, '新到')"));
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    QCOMPARE(w.lvwTb->columnCount(), 11);
    const QStringList captions = {"商品编号", "商品名称", "商品货号", "商品类别", "售价",   "会员价",
                                  "库存",     "规格",     "是否打折", "是否积分", "备注信息"};
    for (int c = 0; c < 11; ++c)
        QCOMPARE(w.lvwTb->headerItem()->text(c), captions[c]);

    w.editSp->setText(QStringLiteral("米"));
    QCOMPARE(w.lvwTb->topLevelItemCount(), 2);
    QHash<QString, QStringList> rows;
    for (int i = 0; i < 2; ++i) {
        QStringList cells;
        for (int c = 0; c < 11; ++c)
            cells << w.lvwTb->topLevelItem(i)->text(c);
        rows.insert(cells[0], cells);
    }
    QCOMPARE(rows["R1"], (QStringList{"R1", "大米", "HH-9", "粮油", "12.5元", "0元", "3.25", "5kg", "是", "否", ""}));
    QCOMPARE(rows["R2"], (QStringList{"R2", "小米", "", "", "0.1元", "8元", "-2", "", "否", "是", "新到"}));
}

void TestBrowser::keys()
{
    ScriptedDialogs dialogs;
    till::TfrmSpll w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.editSp->setText("12");
    QTest::keyClick(w.editSp, Qt::Key_F3);
    QTRY_COMPARE(QApplication::focusWidget(), w.listLb);
    QTest::keyClick(w.listLb, Qt::Key_F4);
    QTRY_COMPARE(QApplication::focusWidget(), w.editSp);
    QCOMPARE(w.editSp->selectedText(), QString("12"));
    QCOMPARE(w.btnClose->text(), QStringLiteral("关闭(ESC)"));
    QTest::keyClick(w.editSp, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(w.result(), int(QDialog::Rejected));
}

QTEST_MAIN(TestBrowser)
#include "tst_browser.moc"
