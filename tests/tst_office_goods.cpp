// The goods window: list formats, categories, quick and advanced search, column sort, deletion,
// context menu and the permission tests of its buttons and pages.
#include "Db.h"
#include "GoodsList.h"
#include "RowReader.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitAdvSch.h"
#include "UnitSpgl.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using office::TfrmSpgl;

class TestOfficeGoods : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void listFormats_data();
    void listFormats();
    void wholeNumbersRoundHalfToEven();
    void headerClickBeforeAnySearchDoesNothing();
    void sortCaptions();
    void remarkColumnResetsCaptions();
    void reloadKeepsBaseOrderAndArrows();
    void categoryClick();
    void addCategory_data();
    void addCategory();
    void deleteCategory();
    void deleteCategoryNeedsAChoice();
    void quickSearch_data();
    void quickSearch();
    void advancedSearch_data();
    void advancedSearch();
    void advancedSearchErrors();
    void advancedSearchDialogState();
    void deleteGoods();
    void contextMenu();
    void guardedButtons_data();
    void guardedButtons();
    void editNeedsASelection();
    void exportOfAnEmptyList();
    void exportOfTheGoodsList();
    void pageSwitch_data();
    void pageSwitch();

private:
    TestDb* db_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    TfrmSpgl* w_ = nullptr;

    static void addGoods(const QString& id, const QString& name, const QString& huohao, double kc,
                         const QString& lb = QString(), bool dz = true, bool jf = true,
                         const QString& guige = QString());
    QStringList ids() const;
    QString caption(int column) const { return w_->spModel->headerData(column, Qt::Horizontal).toString(); }
    void selectRow(int row);
};

void TestOfficeGoods::init()
{
    db_ = new TestDb;
    QVERIFY(db_->ok());
    dialogs_ = new ScriptedDialogs;
    gl::setCurrentOperator("Admin");
    w_ = new TfrmSpgl;
    w_->resize(1100, 600);
}

void TestOfficeGoods::cleanup()
{
    delete w_;
    delete dialogs_;
    delete db_;
}

void TestOfficeGoods::addGoods(const QString& id, const QString& name, const QString& huohao, double kc,
                               const QString& lb, bool dz, bool jf, const QString& guige)
{
    TestDb::exec("INSERT INTO sp (id, spmc, huohao, kc, splb, booldz, booljf, guige, sj, createtime, lastjh)"
                 " VALUES (?, ?, ?, ?, ?, ?, ?, ?, 1, '2024-05-06 10:00:00', '2024-05-06 10:00:00')",
                 {id, name, huohao, kc, office::goods::notNull(lb), dz ? 1 : 0, jf ? 1 : 0,
                  office::goods::notNull(guige)});
}

QStringList TestOfficeGoods::ids() const
{
    QStringList out;
    for (int r = 0; r < w_->spModel->rowCount(); ++r)
        out << w_->spModel->text(r, office::SpId);
    return out;
}

void TestOfficeGoods::selectRow(int row)
{
    w_->lvwSp->selectionModel()->select(w_->spModel->index(row, 0),
                                        QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void TestOfficeGoods::listFormats_data()
{
    QTest::addColumn<QString>("column"); // sp column written
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("shown"); // list column
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("engineReader");

    struct Case {
        const char* name;
        const char* column;
        QVariant stored;
        int shown;
        QString text;
    };
    const QString date = QLocale().toString(QDate(2024, 5, 6), QLocale::ShortFormat);
    const QList<Case> cases = {
        {"stock 2.5", "kc", 2.5, office::SpKc, "2"},
        {"stock 3.5", "kc", 3.5, office::SpKc, "4"},
        {"stock 2.6", "kc", 2.6, office::SpKc, "3"},
        {"stock -2.5", "kc", -2.5, office::SpKc, "-2"},
        {"sold 0.5", "sc", 0.5, office::SpSc, "0"},
        {"sold 1.5", "sc", 1.5, office::SpSc, "2"},
        {"purchase price", "jj", 12.5, office::SpJj, "12.5"},
        {"sale price whole", "sj", 3.0, office::SpSj, "3"},
        {"member price", "hyj", 0.1, office::SpHyj, "0.1"},
        {"midnight shows the date", "createtime", "2024-05-06 00:00:00", office::SpCreatetime, date},
        {"a time shows with it", "lastjh", "2024-05-06 00:00:01", office::SpLastjh, date + " 00:00:01"},
        {"no time", "lastjh", QVariant(), office::SpLastjh, ""},
        {"discount no", "booldz", 0, office::SpDz, QStringLiteral("否")},
        {"points yes", "booljf", 1, office::SpJf, QStringLiteral("是")},
        {"remark null", "ps", QVariant(), office::SpPs, ""},
        {"remark", "ps", "a'b%", office::SpPs, "a'b%"},
        {"id keeps zeros", "id", "00123", office::SpId, "00123"},
        {"chinese name", "spmc", QStringLiteral("牛奶"), office::SpMc, QStringLiteral("牛奶")},
    };
    // The engine's own reader and the generic one must show the same.
    for (bool engine : {true, false})
        for (const Case& c : cases)
            QTest::addRow("%s%s", c.name, engine ? "" : " (generic reader)")
                << c.column << c.stored << c.shown << c.text << engine;
}

void TestOfficeGoods::listFormats()
{
    QFETCH(QString, column);
    QFETCH(QVariant, stored);
    QFETCH(int, shown);
    QFETCH(QString, text);
    QFETCH(bool, engineReader);
    office::RowReader::setEngineReaderEnabled(engineReader);
    addGoods("G1", "name", "", 0);
    // The column name comes from the table above, never from input.
    TestDb::exec(QStringLiteral("UPDATE sp SET %1 = ?").arg(column), {stored});
    w_->ShowSpList(office::goods::allGoods(), true);
    QCOMPARE(w_->spModel->rowCount(), 1);
    QCOMPARE(w_->spModel->index(0, shown).data().toString(), text);
    office::RowReader::setEngineReaderEnabled(true);
}

void TestOfficeGoods::wholeNumbersRoundHalfToEven()
{
    using office::goods::fmtWhole;
    QCOMPARE(fmtWhole(0.5), QString("0"));
    QCOMPARE(fmtWhole(1.5), QString("2"));
    QCOMPARE(fmtWhole(2.5), QString("2"));
    QCOMPARE(fmtWhole(3.5), QString("4"));
    QCOMPARE(fmtWhole(-3.5), QString("-4"));
    QCOMPARE(fmtWhole(2.4999), QString("2"));
    QCOMPARE(fmtWhole(-0.4), QString("0"));
}

void TestOfficeGoods::headerClickBeforeAnySearchDoesNothing()
{
    addGoods("A", "a", "", 1);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    QHeaderView* header = w_->lvwSp->header();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(office::SpKc) + 10, header->height() / 2));
    for (int c = 0; c < office::SpColumnCount; ++c)
        QCOMPARE(caption(c), office::goods::captions()[c]);
    QCOMPARE(w_->spModel->rowCount(), 0);
    QVERIFY(w_->SpListSql.isEmpty());
}

void TestOfficeGoods::sortCaptions()
{
    addGoods("B", QStringLiteral("乙"), "", 5);
    addGoods("A", QStringLiteral("甲"), "", 9);
    addGoods("C", QStringLiteral("丙"), "", 1);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    w_->ShowSpList(office::goods::allGoods(), true);
    const office::SpQuery base = w_->SpListSql;

    // Through a real header click.
    QHeaderView* header = w_->lvwSp->header();
    auto click = [&](int column) {
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
    };
    click(office::SpKc);
    QCOMPARE(caption(office::SpKc), QStringLiteral("库存量 ↓"));
    QCOMPARE(ids(), (QStringList{"A", "B", "C"}));
    click(office::SpKc);
    QCOMPARE(caption(office::SpKc), QStringLiteral("库存量 ↑"));
    QCOMPARE(ids(), (QStringList{"C", "B", "A"}));
    click(office::SpKc);
    QCOMPARE(caption(office::SpKc), QStringLiteral("库存量 ↓"));
    QCOMPARE(ids(), (QStringList{"A", "B", "C"}));

    click(office::SpMc);
    QCOMPARE(caption(office::SpKc), QStringLiteral("库存量"));
    QCOMPARE(caption(office::SpMc), QStringLiteral("商品名称 ↓"));
    click(office::SpId);
    QCOMPARE(caption(office::SpMc), QStringLiteral("商品名称"));
    QCOMPARE(caption(office::SpId), QStringLiteral("商品编号 ↓"));
    QCOMPARE(ids(), (QStringList{"C", "B", "A"}));
    // Sorting never replaces the remembered query.
    QVERIFY(w_->SpListSql == base);
}

void TestOfficeGoods::remarkColumnResetsCaptions()
{
    addGoods("B", "b", "", 5);
    addGoods("A", "a", "", 9);
    w_->ShowSpList(office::goods::allGoods(), true);
    w_->lvwSpColumnClick(office::SpKc);
    w_->lvwSpColumnClick(office::SpKc);
    const QStringList before = ids();
    w_->lvwSpColumnClick(office::SpPs);
    for (int c = 0; c < office::SpColumnCount; ++c)
        QCOMPARE(caption(c), office::goods::captions()[c]);
    QCOMPARE(ids(), before);
}

void TestOfficeGoods::reloadKeepsBaseOrderAndArrows()
{
    addGoods("A", "a", "", 1);
    addGoods("B", "b", "", 2);
    w_->ShowSpList(office::goods::allGoods(), true);
    w_->lvwSpColumnClick(office::SpKc);
    QCOMPARE(ids(), (QStringList{"B", "A"}));
    w_->ShowSpList(w_->SpListSql, true);
    QCOMPARE(ids(), (QStringList{"A", "B"}));
    QCOMPARE(caption(office::SpKc), QStringLiteral("库存量 ↓"));
    // An empty query leaves the list as it is.
    w_->ShowSpList(office::SpQuery(), true);
    QCOMPARE(ids(), (QStringList{"A", "B"}));
    QVERIFY(!w_->SpListSql.isEmpty());
}

void TestOfficeGoods::categoryClick()
{
    TestDb::exec(QStringLiteral("INSERT INTO splb (lbmc) VALUES ('饮料'), ('零食')"));
    addGoods("D1", "cola", "", 1, QStringLiteral("饮料"));
    addGoods("S1", "chips", "", 1, QStringLiteral("零食"));
    addGoods("N1", "none", "", 1);
    w_->ReLb();
    QCOMPARE(w_->listLb->count(), 3);
    QCOMPARE(w_->listLb->item(0)->text(), QStringLiteral("所有类别"));
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    auto click = [&](int row) {
        QListWidgetItem* item = w_->listLb->item(row);
        QTest::mouseClick(w_->listLb->viewport(), Qt::LeftButton, {},
                          w_->listLb->visualItemRect(item).center());
    };
    click(1);
    QCOMPARE(ids(), QStringList{"D1"});
    click(0);
    QCOMPARE(ids(), (QStringList{"D1", "S1", "N1"}));
    QVERIFY(w_->SpListSql == office::goods::allGoods());
}

void TestOfficeGoods::addCategory_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("after");

    const QStringList before = {QStringLiteral("所有类别"), "Drinks"};
    QTest::newRow("new") << " Snacks" << QStringLiteral("商品类别添加成功！")
                         << (before + QStringList{" Snacks"});
    QTest::newRow("same text") << "Drinks" << QStringLiteral("您输入的商品类别名称已经存在！") << before;
    QTest::newRow("other case") << "dRINKS" << QStringLiteral("您输入的商品类别名称已经存在！") << before;
    QTest::newRow("cancelled") << ""
                               << "" << before;
    QTest::newRow("quote") << "Kid's" << QStringLiteral("商品类别添加成功！")
                           << (before + QStringList{"Kid's"});
}

void TestOfficeGoods::addCategory()
{
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, after);
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Drinks')");
    w_->ReLb();
    dialogs_->inputs << answer;
    QTest::mouseClick(w_->btnAddLb, Qt::LeftButton);
    QCOMPARE(dialogs_->inputPrompts, QStringList{QStringLiteral("请输入类别名称：")});
    QStringList entries;
    for (int i = 0; i < w_->listLb->count(); ++i)
        entries << w_->listLb->item(i)->text();
    QCOMPARE(entries, after);
    QCOMPARE(dialogs_->lastText(), message);
    if (!message.isEmpty())
        QVERIFY(dialogs_->messages.last().icon ==
                (after.size() > 2 ? gl::MsgIcon::Information : gl::MsgIcon::Warning));
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM splb").toInt(), after.size() - 1);
}

void TestOfficeGoods::deleteCategory()
{
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Drinks'), ('Food')");
    addGoods("D1", "cola", "", 1, "Drinks");
    addGoods("D2", "tea", "", 1, "drinks");
    addGoods("F1", "bread", "", 1, "Food");
    w_->ReLb();
    w_->ShowSpList(office::goods::allGoods(), true);

    // The first real category goes like any other; "No" first keeps it.
    w_->listLb->setCurrentRow(1);
    dialogs_->answers << false;
    w_->btnDelLbClick();
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("确认删除类别"));
    QCOMPARE(dialogs_->lastText(),
             QStringLiteral("您确实要删除商品类别[Drinks]吗？（选定此类别的商品的商品类别将自动为空。）"));
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM splb").toInt(), 2);

    dialogs_->answers << true;
    w_->btnDelLbClick();
    QCOMPARE(w_->listLb->count(), 2);
    QCOMPARE(w_->listLb->item(1)->text(), QString("Food"));
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp WHERE splb = ''").toInt(), 2);
    QCOMPARE(TestDb::value("SELECT splb FROM sp WHERE id = 'F1'").toString(), QString("Food"));
    // The list is not reloaded until asked.
    QCOMPARE(w_->spModel->text(0, office::SpLb), QString("Drinks"));
    w_->ShowSpList(w_->SpListSql, true);
    QCOMPARE(w_->spModel->text(0, office::SpLb), QString());
    QCOMPARE(dialogs_->unexpected, 0);
}

void TestOfficeGoods::deleteCategoryNeedsAChoice()
{
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Drinks')");
    w_->ReLb();
    w_->btnDelLbClick();
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您没有选择要删除的商品类别！"));
    w_->listLb->setCurrentRow(0);
    w_->btnDelLbClick();
    QCOMPARE(dialogs_->messages.size(), 2);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您没有选择要删除的商品类别！"));
    QVERIFY(dialogs_->questionsAsked.isEmpty());
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM splb").toInt(), 1);
}

void TestOfficeGoods::quickSearch_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("found");

    QTest::newRow("empty lists all") << "" << QStringList{"112", "A", "B", "C", "P%1", "Q"};
    QTest::newRow("id and name anywhere, article number whole") << "12" << QStringList{"112", "A", "B"};
    QTest::newRow("article number part is not enough") << "99" << QStringList{};
    QTest::newRow("article number whole") << "991" << QStringList{"C"};
    QTest::newRow("letter case") << "sugar" << QStringList{"Q"};
    QTest::newRow("percent is no wildcard") << "%" << QStringList{"P%1"};
    QTest::newRow("underscore is no wildcard") << "_" << QStringList{};
    QTest::newRow("quote") << "O'B" << QStringList{"Q"};
    QTest::newRow("blanks are kept") << " 12" << QStringList{"A"};
}

void TestOfficeGoods::quickSearch()
{
    QFETCH(QString, text);
    QFETCH(QStringList, found);
    addGoods("112", "soap", "", 1);
    addGoods("A", "milk 12", "", 1);
    addGoods("B", "bread", "12", 1);
    addGoods("C", "eggs", "991", 1);
    addGoods("P%1", "pen", "", 1);
    addGoods("Q", "O'Brien SUGAR", "", 1);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    QTest::keyClicks(w_->editSp, text);
    QTest::keyClick(w_->editSp, Qt::Key_Return);
    QStringList got = ids();
    got.sort();
    QCOMPARE(got, found);
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(w_->SpListSql == office::goods::quickSearch(text));
}

void TestOfficeGoods::advancedSearch_data()
{
    QTest::addColumn<bool>("dz");
    QTest::addColumn<bool>("jf");
    QTest::addColumn<QString>("guige"); // null: box unticked
    QTest::addColumn<QString>("lb");    // null: box unticked
    QTest::addColumn<QString>("kc1");   // null: box unticked
    QTest::addColumn<QString>("kc2");
    QTest::addColumn<QStringList>("found");

    const QString off;
    QTest::newRow("flags only") << true << true << off << off << off << off << QStringList{"A", "B", "E"};
    QTest::newRow("no discount: only goods that may not be discounted")
        << false << true << off << off << off << off << QStringList{"C"};
    QTest::newRow("neither flag") << false << false << off << off << off << off << QStringList{"D"};
    QTest::newRow("pack size") << true << true << "500ml" << off << off << off << QStringList{"A"};
    QTest::newRow("empty pack size") << true << true << "" << off << off << off << QStringList{"B", "E"};
    QTest::newRow("category") << true << true << off << "Drinks" << off << off << QStringList{"A", "E"};
    QTest::newRow("stock range") << true << true << off << off << " 2 "
                                 << "5" << QStringList{"A", "B"};
    QTest::newRow("stock range with fractions") << true << true << off << off << "2.5"
                                                << "4.5" << QStringList{"B"};
    QTest::newRow("all together") << true << true << ""
                                  << "Drinks"
                                  << "0"
                                  << "100" << QStringList{"E"};
}

void TestOfficeGoods::advancedSearch()
{
    QFETCH(bool, dz);
    QFETCH(bool, jf);
    QFETCH(QString, guige);
    QFETCH(QString, lb);
    QFETCH(QString, kc1);
    QFETCH(QString, kc2);
    QFETCH(QStringList, found);
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Food'), ('Drinks')");
    addGoods("A", "water", "", 2, "Drinks", true, true, "500ml");
    addGoods("B", "bread", "", 3, "Food", true, true);
    addGoods("C", "cheap", "", 3, "Food", false, true);
    addGoods("D", "bag", "", 3, "", false, false);
    addGoods("E", "juice", "", 9, "drinks", true, true);

    office::TfrmAdvSch dlg(w_);
    dlg.chkDz->setChecked(dz);
    dlg.chkJf->setChecked(jf);
    if (!guige.isNull()) {
        dlg.chkGuige->setChecked(true);
        dlg.editGuige->setText(guige);
    }
    if (!lb.isNull()) {
        dlg.chkLb->setChecked(true);
        dlg.comLb->setCurrentIndex(dlg.comLb->findText(lb));
    }
    if (!kc1.isNull()) {
        dlg.chkKc->setChecked(true);
        dlg.editKc1->setText(kc1);
        dlg.editKc2->setText(kc2);
    }
    dlg.btnFindClick();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QStringList got = ids();
    got.sort();
    QCOMPARE(got, found);
    QVERIFY(!w_->SpListSql.isEmpty());
    QCOMPARE(dlg.editKc1->text(), kc1.trimmed());
}

void TestOfficeGoods::advancedSearchErrors()
{
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Food')");
    addGoods("A", "a", "", 1);
    w_->ShowSpList(office::goods::allGoods(), true);

    office::TfrmAdvSch dlg(w_);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.chkLb->setChecked(true);
    dlg.btnFindClick();
    QCOMPARE(dialogs_->lastText(), QStringLiteral("请您选择类别！"));
    QVERIFY(dlg.comLb->hasFocus());
    QVERIFY(dlg.isVisible());

    dlg.chkLb->setChecked(false);
    dlg.chkKc->setChecked(true);
    for (const auto& bounds : {QStringList{"1", "x"}, QStringList{"", "5"}, QStringList{"1,5", "2"}}) {
        dialogs_->clear();
        dlg.editKc1->setText(bounds[0]);
        dlg.editKc2->setText(bounds[1]);
        dlg.btnFindClick();
        QCOMPARE(dialogs_->lastText(), QStringLiteral("请您正确输入库存！"));
        QVERIFY(dlg.isVisible());
    }
    QCOMPARE(ids(), QStringList{"A"});
    QVERIFY(w_->SpListSql == office::goods::allGoods());
}

void TestOfficeGoods::advancedSearchDialogState()
{
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Food'), ('Drinks')");
    office::TfrmAdvSch dlg(w_);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("高级查询"));
    QVERIFY(dlg.chkDz->isChecked() && dlg.chkJf->isChecked());
    for (QWidget* w : {static_cast<QWidget*>(dlg.editGuige), static_cast<QWidget*>(dlg.comLb),
                       static_cast<QWidget*>(dlg.editKc1), static_cast<QWidget*>(dlg.editKc2)})
        QVERIFY(!w->isEnabled());
    QCOMPARE(dlg.comLb->count(), 2); // no "所有类别"
    QCOMPARE(dlg.comLb->itemText(0), QString("Food"));
    QVERIFY(dlg.btnFind->isDefault());

    dlg.editGuige->setText("abc");
    QTest::mouseClick(dlg.chkGuige, Qt::LeftButton);
    QVERIFY(dlg.editGuige->isEnabled() && dlg.editGuige->hasFocus());
    QCOMPARE(dlg.editGuige->selectedText(), QString("abc"));
    QTest::mouseClick(dlg.chkKc, Qt::LeftButton);
    QVERIFY(dlg.editKc1->isEnabled() && dlg.editKc2->isEnabled() && dlg.editKc1->hasFocus());
    QTest::mouseClick(dlg.chkLb, Qt::LeftButton);
    QVERIFY(dlg.comLb->isEnabled() && dlg.comLb->hasFocus());
    QTest::mouseClick(dlg.chkKc, Qt::LeftButton);
    QVERIFY(!dlg.editKc1->isEnabled() && !dlg.editKc2->isEnabled());

    QTest::keyClick(&dlg, Qt::Key_Escape);
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void TestOfficeGoods::deleteGoods()
{
    addGoods("A", "a", "", 1);
    addGoods("B", "b", "", 1);
    TestDb::exec("INSERT INTO spdz (spid, sl, dj) VALUES ('B', 2, 1)");
    w_->ShowSpList(office::goods::allGoods(), true);

    w_->btnDelClick(); // nothing selected: nothing happens
    QVERIFY(dialogs_->messages.isEmpty());

    selectRow(1);
    dialogs_->answers << false;
    w_->btnDelClick();
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("删除确认"));
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您确实要删除选中商品吗？"));
    QCOMPARE(ids(), (QStringList{"A", "B"}));

    dialogs_->answers << true;
    w_->btnDelClick();
    QCOMPARE(ids(), QStringList{"A"});
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 1);
    // Price breaks naming the goods stay.
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM spdz").toInt(), 1);
}

void TestOfficeGoods::contextMenu()
{
    addGoods("A", "a", "", 1);
    w_->show();
    QVERIFY(QTest::qWaitForWindowExposed(w_));
    w_->ShowSpList(office::goods::allGoods(), true);
    w_->popLeftPopup(QPoint(5, 5));
    QVERIFY(!w_->mnuJth->isEnabled());
    QVERIFY(!w_->mnuSetZk->isEnabled());
    w_->popLeft->hide();
    selectRow(0);
    w_->popLeftPopup(QPoint(5, 5));
    QVERIFY(w_->mnuJth->isEnabled());
    QVERIFY(w_->mnuSetZk->isEnabled());
    w_->popLeft->hide();
    QCOMPARE(w_->mnuJth->text(), QStringLiteral("商品进退货(&G)"));
    QCOMPARE(w_->mnuSetZk->text(), QStringLiteral("根据购买的数量设置折扣(&S)"));
    QCOMPARE(w_->selectedId(), QString("A"));
    QCOMPARE(w_->selectedName(), QString("a"));
}

void TestOfficeGoods::guardedButtons_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("position");

    QTest::newRow("quick search") << "btnFind" << 2;
    QTest::newRow("advanced search") << "btnAdvFind" << 2;
    QTest::newRow("add goods") << "btnAdd" << 3;
    QTest::newRow("edit goods") << "btnEdit" << 3;
    QTest::newRow("delete goods") << "btnDel" << 3;
    QTest::newRow("stock in/out") << "btnJth" << 4;
    QTest::newRow("stock in/out menu") << "mnuJth" << 4;
}

void TestOfficeGoods::guardedButtons()
{
    QFETCH(QString, control);
    QFETCH(int, position);
    QString per(11, '1');
    per[position - 1] = '0';
    TestDb::addOperator("limited", "", per);
    gl::setCurrentOperator("limited");
    addGoods("A", "a", "", 1);
    w_->ShowSpList(office::goods::allGoods(), true);
    selectRow(0);
    dialogs_->answers << true; // would confirm a deletion

    if (auto* b = w_->findChild<QPushButton*>(control))
        b->click();
    else if (auto* a = w_->findChild<QAction*>(control))
        a->trigger();
    else
        QFAIL("no such control");
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您没有执行此操作的权限！"));
    QVERIFY(dialogs_->messages[0].icon == gl::MsgIcon::Warning);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(ids(), QStringList{"A"});
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 1);
}

void TestOfficeGoods::editNeedsASelection()
{
    addGoods("A", "a", "", 1);
    w_->ShowSpList(office::goods::allGoods(), true);
    w_->btnEditClick();
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您没有选中任何商品！"));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestOfficeGoods::exportOfAnEmptyList()
{
    w_->btnSpExcelClick();
    QCOMPARE(dialogs_->lastText(), QStringLiteral("没有任何数据！"));
    QVERIFY(dialogs_->messages.last().icon == gl::MsgIcon::Warning);
}

void TestOfficeGoods::exportOfTheGoodsList()
{
    addGoods("00123", QStringLiteral("牛奶"), "7", 2.5);
    addGoods("B", "bread", "", 1);
    w_->ShowSpList(office::goods::allGoods(), true);
    w_->lvwSpColumnClick(office::SpKc); // the list as shown: sorted, the caption with its arrow
    QTemporaryDir out;
    const QString file = out.filePath("goods");
    dialogs_->fileNames << file;
    w_->btnSpExcel->click();
    QCOMPARE(dialogs_->lastText(), QStringLiteral("数据已成功导出至：") + file + ".xls");

    // Read back as a spreadsheet program would.
    QProcess py;
    const QString script = QStringLiteral("import sys, xlrd\n"
                                          "s = xlrd.open_workbook(sys.argv[1]).sheet_by_index(0)\n"
                                          "for r in (0, 4, 5, 6):\n"
                                          "    print('\\t'.join(str(v) for v in s.row_values(r)))\n");
    py.start(QFile::exists("/usr/bin/python3") ? "/usr/bin/python3" : "python3",
             {"-c", script, file + ".xls"});
    QVERIFY(py.waitForFinished(60000));
    QCOMPARE(py.exitCode(), 0);
    const QStringList lines = QString::fromUtf8(py.readAllStandardOutput()).split('\n');
    QVERIFY(lines.size() >= 4);
    QCOMPARE(lines[0].split('\t').first(), QStringLiteral("商品信息"));
    const QStringList captions = lines[1].split('\t');
    QCOMPARE(captions.size(), 15);
    QCOMPARE(captions[6], QStringLiteral("库存量 ↓"));
    QCOMPARE(captions[14], QStringLiteral("备注信息"));
    const QStringList first = lines[2].split('\t');
    QCOMPARE(first[0], QString("00123"));
    QCOMPARE(first[1], QStringLiteral("牛奶"));
    QCOMPARE(first[6], QString("2"));
    QCOMPARE(lines[3].split('\t')[0], QString("B"));
}

void TestOfficeGoods::pageSwitch_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("position");
    QTest::newRow("records") << 1 << 4;
    QTest::newRow("stocktaking") << 2 << 5;
    QTest::newRow("adjustments") << 3 << 6;
    QTest::newRow("suppliers") << 4 << 7;
}

void TestOfficeGoods::pageSwitch()
{
    QFETCH(int, page);
    QFETCH(int, position);
    QStringList tabs;
    for (int i = 0; i < w_->pageSp->count(); ++i)
        tabs << w_->pageSp->tabText(i);
    QCOMPARE(tabs, (QStringList{QStringLiteral("商品信息(&I)"), QStringLiteral("进货/退货记录(&R)"),
                                QStringLiteral("库存盘点(&C)"), QStringLiteral("库存异动(&P)"),
                                QStringLiteral("供货商管理(&B)")}));

    QString per(11, '1');
    per[position - 1] = '0';
    TestDb::addOperator("limited", "", per);
    gl::setCurrentOperator("limited");
    w_->pageSp->setCurrentIndex(page);
    QCOMPARE(w_->pageSp->currentIndex(), 0);
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->lastText(), QStringLiteral("您没有执行此操作的权限！"));

    // Every other page opens for this operator.
    for (int other = 1; other < w_->pageSp->count(); ++other) {
        if (other == page)
            continue;
        w_->pageSp->setCurrentIndex(other);
        QCOMPARE(w_->pageSp->currentIndex(), other);
    }
    QCOMPARE(dialogs_->messages.size(), 1);
}

QTEST_MAIN(TestOfficeGoods)
#include "tst_office_goods.moc"
