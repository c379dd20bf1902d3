// The goods editor in both modes: defaults, validation, duplicate ids, the keep-open loop,
// and its opening from the goods window.
#include "Db.h"
#include "Format.h"
#include "GoodsList.h"
#include "ScriptedDialogs.h"
#include "Session.h"
#include "TestDb.h"
#include "UnitAESp.h"
#include "UnitSpgl.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using office::TfrmAESp;

class TestOfficeEditor : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void layoutAndDefaults();
    void addWithOnlyIdAndPrice();
    void numbersAreTrimmed();
    void validation_data();
    void validation();
    void duplicateId_data();
    void duplicateId();
    void keepOpenLoopInAddMode();
    void editMode();
    void editUnknownCategory();
    void editKeepOpenWritesTwice();
    void editOfGoodsDeletedMeanwhile();
    void keys();
    void openedFromTheGoodsWindow();

private:
    TestDb* db_ = nullptr;
    ScriptedDialogs* dialogs_ = nullptr;
    office::TfrmSpgl* spgl_ = nullptr;

    static QVariant field(const QString& id, const QString& column)
    {
        return TestDb::value(QStringLiteral("SELECT %1 FROM sp WHERE id = ?").arg(column), {id});
    }
};

void TestOfficeEditor::init()
{
    db_ = new TestDb;
    QVERIFY(db_->ok());
    dialogs_ = new ScriptedDialogs;
    gl::setCurrentOperator("Admin");
    TestDb::exec("INSERT INTO splb (lbmc) VALUES ('Food'), ('Drinks')");
    spgl_ = new office::TfrmSpgl;
}

void TestOfficeEditor::cleanup()
{
    delete spgl_;
    delete dialogs_;
    delete db_;
}

void TestOfficeEditor::layoutAndDefaults()
{
    TfrmAESp dlg(spgl_);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("添加/修改商品"));
    QCOMPARE(dlg.lblShow->text(), QStringLiteral("提示：红色项目不能为空。"));
    QCOMPARE(dlg.editSc->text(), QString("0"));
    for (QLineEdit* e : {dlg.editID, dlg.editName, dlg.editHuohao, dlg.editGuige, dlg.editJj, dlg.editSj,
                         dlg.editHyj, dlg.editKc, dlg.editPs})
        QVERIFY(e->text().isEmpty());
    QVERIFY(dlg.chkDz->isChecked());
    QVERIFY(dlg.chkJf->isChecked());
    QVERIFY(!dlg.chkClose->isChecked());
    QCOMPARE(dlg.btnOK->text(), QStringLiteral("确定(F5)"));
    QCOMPARE(dlg.btnCC->text(), QStringLiteral("取消(ESC)"));
    QCOMPARE(dlg.comLb->count(), 3); // the categories and an empty entry
    QCOMPARE(dlg.comLb->itemText(0), QString("Food"));
    QCOMPARE(dlg.comLb->itemText(2), QString());
    QVERIFY(!dlg.comLb->isEditable());

    // Tab order: the sale price comes before the purchase price.
    const QList<QWidget*> order = {dlg.editID, dlg.editName, dlg.editHuohao, dlg.editGuige,
                                   dlg.comLb,  dlg.editSj,   dlg.editJj,     dlg.editHyj,
                                   dlg.editKc, dlg.editSc,   dlg.editPs,     dlg.chkDz,
                                   dlg.chkJf,  dlg.chkClose, dlg.btnOK,      dlg.btnCC};
    for (int i = 1; i < order.size(); ++i)
        QCOMPARE(order[i - 1]->nextInFocusChain(), order[i]);
}

void TestOfficeEditor::addWithOnlyIdAndPrice()
{
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.editID->setText("A1");
    dlg.editSj->setText("5");
    const QString before = gl::nowDb();
    dlg.btnOKClick();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(field("A1", "sj").toDouble(), 5.0);
    for (const char* c : {"jj", "hyj", "kc", "sc"})
        QCOMPARE(field("A1", c).toDouble(), 0.0);
    for (const char* c : {"spmc", "huohao", "guige", "splb", "ps"}) {
        QVERIFY(!field("A1", c).isNull());
        QCOMPARE(field("A1", c).toString(), QString());
    }
    QCOMPARE(field("A1", "booldz").toInt(), 1);
    QCOMPARE(field("A1", "booljf").toInt(), 1);
    QVERIFY(field("A1", "createtime").toString() >= before);
    QCOMPARE(field("A1", "lastjh").toString(), field("A1", "createtime").toString());
}

void TestOfficeEditor::numbersAreTrimmed()
{
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.editID->setText(" X "); // text boxes are taken as typed
    dlg.editName->setText(" n ");
    dlg.editSj->setText(" 5 ");
    dlg.editJj->setText(" 3.2 ");
    dlg.editKc->setText("-3");
    dlg.chkClose->setChecked(true);
    dlg.btnOKClick();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(field(" X ", "jj").toDouble(), 3.2);
    QCOMPARE(field(" X ", "spmc").toString(), QString(" n "));
    QCOMPARE(field(" X ", "kc").toDouble(), -3.0);
    QVERIFY(!field("X", "id").isValid());
}

void TestOfficeEditor::validation_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("sj");
    QTest::addColumn<QString>("jj");
    QTest::addColumn<QString>("kc");
    QTest::addColumn<QString>("sc");
    QTest::addColumn<QString>("message");

    const QString empty = QStringLiteral("商品编号和商品售价不能为空！");
    const QString numbers =
        QStringLiteral("售价、进价、会员价、库存量、售出量请填入数值！其中售价为必填项！");
    QTest::newRow("no id") << ""
                           << "5"
                           << ""
                           << ""
                           << "0" << empty;
    QTest::newRow("no sale price") << "A"
                                   << ""
                                   << ""
                                   << ""
                                   << "0" << empty;
    QTest::newRow("sale price only blanks") << "A"
                                            << "   "
                                            << ""
                                            << ""
                                            << "0" << numbers;
    QTest::newRow("sale price text") << "A"
                                     << "abc"
                                     << ""
                                     << ""
                                     << "0" << numbers;
    QTest::newRow("purchase price text") << "A"
                                         << "5"
                                         << "1,5"
                                         << ""
                                         << "0" << numbers;
    QTest::newRow("stock with a fraction") << "A"
                                           << "5"
                                           << ""
                                           << "10.5"
                                           << "0" << numbers;
    QTest::newRow("sold with a fraction") << "A"
                                          << "5"
                                          << ""
                                          << ""
                                          << "2.5" << numbers;
    QTest::newRow("stock negative is fine") << "A"
                                            << "5"
                                            << ""
                                            << "-3"
                                            << "0"
                                            << "";
}

void TestOfficeEditor::validation()
{
    QFETCH(QString, id);
    QFETCH(QString, sj);
    QFETCH(QString, jj);
    QFETCH(QString, kc);
    QFETCH(QString, sc);
    QFETCH(QString, message);
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.editID->setText(id);
    dlg.editSj->setText(sj);
    dlg.editJj->setText(jj);
    dlg.editKc->setText(kc);
    dlg.editSc->setText(sc);
    dlg.btnOKClick();
    if (message.isEmpty()) {
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 1);
        return;
    }
    QCOMPARE(dialogs_->messages.size(), 1);
    QCOMPARE(dialogs_->lastText(), message);
    QCOMPARE(dialogs_->lastTitle(), QStringLiteral("提示"));
    QVERIFY(dialogs_->messages[0].icon == gl::MsgIcon::Warning);
    QCOMPARE(dlg.result(), 0);
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 0);
    QCOMPARE(dlg.editID->text(), id);
}

void TestOfficeEditor::duplicateId_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("duplicate");
    QTest::newRow("same") << "A1" << true;
    QTest::newRow("other case") << "a1" << true;
    QTest::newRow("leading blank") << " A1" << false;
    QTest::newRow("quote") << "A1'" << false;
}

void TestOfficeEditor::duplicateId()
{
    QFETCH(QString, id);
    QFETCH(bool, duplicate);
    TestDb::exec("INSERT INTO sp (id, spmc, sj) VALUES ('A1', 'old', 9)");
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.editID->setText(id);
    dlg.editName->setText("new");
    dlg.editSj->setText("1");
    dlg.editName->setFocus();
    dlg.btnOKClick();
    if (duplicate) {
        QCOMPARE(dialogs_->lastText(), QStringLiteral("商品编号不能重复！"));
        QVERIFY(dlg.editID->hasFocus());
        QCOMPARE(dlg.editID->selectedText(), id);
        QVERIFY(dlg.isVisible());
        QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 1);
        QCOMPARE(field("A1", "spmc").toString(), QString("old"));
    } else {
        QVERIFY(dialogs_->messages.isEmpty());
        QCOMPARE(field(id, "spmc").toString(), QString("new"));
        QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 2);
    }
}

void TestOfficeEditor::keepOpenLoopInAddMode()
{
    spgl_->ShowSpList(office::goods::allGoods(), true);
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    dlg.chkClose->setChecked(true);
    dlg.chkJf->setChecked(false);
    dlg.comLb->setCurrentIndex(1);
    for (const char* id : {"K1", "K2"}) {
        dlg.editID->setText(id);
        dlg.editName->setText("name");
        dlg.editHuohao->setText("h");
        dlg.editGuige->setText("g");
        dlg.editSj->setText("2");
        dlg.editJj->setText("1");
        dlg.editHyj->setText("1.5");
        dlg.editKc->setText("4");
        dlg.editSc->setText("1");
        dlg.editPs->setText("p");
        dlg.btnOKClick();
        QVERIFY(dialogs_->messages.isEmpty());
        QVERIFY(dlg.isVisible());
        QCOMPARE(dlg.lblShow->text(), QStringLiteral("提示：商品编号为[%1]的商品添加成功！").arg(id));
        for (QLineEdit* e : {dlg.editID, dlg.editName, dlg.editHuohao, dlg.editGuige, dlg.editSj, dlg.editJj,
                             dlg.editHyj, dlg.editKc, dlg.editSc, dlg.editPs})
            QVERIFY2(e->text().isEmpty(), qPrintable(e->objectName()));
        QCOMPARE(dlg.comLb->currentText(), QString("Drinks"));
        QVERIFY(dlg.chkDz->isChecked() && !dlg.chkJf->isChecked() && dlg.chkClose->isChecked());
        QVERIFY(dlg.editID->hasFocus());
        QCOMPARE(field(id, "splb").toString(), QString("Drinks"));
        QCOMPARE(field(id, "booljf").toInt(), 0);
        QCOMPARE(field(id, "hyj").toDouble(), 1.5);
    }
    // The sold box was emptied, not reset: the next save needs no "0" in it.
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 2);
    // The goods list is not reloaded while the dialog stays open.
    QCOMPARE(spgl_->spModel->rowCount(), 0);

    // Unticked: the next save closes the dialog and reloads the list.
    dlg.chkClose->setChecked(false);
    dlg.editID->setText("K3");
    dlg.editSj->setText("1");
    dlg.btnOKClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(spgl_->spModel->rowCount(), 3);
}

void TestOfficeEditor::editMode()
{
    TestDb::exec(
        "INSERT INTO sp (id, spmc, huohao, guige, splb, jj, sj, hyj, kc, sc, booldz, booljf, createtime,"
        " lastjh, ps) VALUES ('E1', 'egg', '77', '6pc', 'drinks', 1.25, 2, 1.5, 2.5, 3.5, 0, 1,"
        " '2020-01-01 00:00:00', '2020-01-01 00:00:00', NULL)");
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::editCaption());
    dlg.FillForEdit("E1");
    QCOMPARE(dlg.editID->text(), QString("E1"));
    QVERIFY(!dlg.editID->isEnabled());
    QCOMPARE(dlg.editName->text(), QString("egg"));
    QCOMPARE(dlg.editHuohao->text(), QString("77"));
    QCOMPARE(dlg.editGuige->text(), QString("6pc"));
    QCOMPARE(dlg.comLb->currentText(), QString("Drinks"));
    QCOMPARE(dlg.editJj->text(), QString("1.25"));
    QCOMPARE(dlg.editSj->text(), QString("2"));
    QCOMPARE(dlg.editHyj->text(), QString("1.5"));
    QCOMPARE(dlg.editKc->text(), QString("2"));
    QCOMPARE(dlg.editSc->text(), QString("4"));
    QCOMPARE(dlg.editPs->text(), QString());
    QVERIFY(!dlg.chkDz->isChecked());
    QVERIFY(dlg.chkJf->isChecked());

    spgl_->ShowSpList(office::goods::allGoods(), true);
    dlg.editName->setText("egg'2");
    dlg.btnOKClick();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(field("E1", "spmc").toString(), QString("egg'2"));
    QCOMPARE(field("E1", "kc").toDouble(), 2.0); // saved as shown
    QCOMPARE(field("E1", "booldz").toInt(), 0);
    QCOMPARE(field("E1", "splb").toString(), QString("Drinks"));
    QVERIFY(field("E1", "createtime").toString() > QString("2020-01-01 00:00:00"));
    QVERIFY(field("E1", "lastjh").toString() > QString("2020-01-01 00:00:00"));
    QCOMPARE(spgl_->spModel->text(0, office::SpMc), QString("egg'2"));
}

void TestOfficeEditor::editUnknownCategory()
{
    TestDb::exec("INSERT INTO sp (id, sj, splb) VALUES ('U1', 1, 'Gone')");
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::editCaption());
    dlg.FillForEdit("U1");
    QCOMPARE(dlg.comLb->currentIndex(), -1);
    dlg.btnOKClick();
    QVERIFY(dialogs_->messages.isEmpty());
    QCOMPARE(field("U1", "splb").toString(), QString());
}

void TestOfficeEditor::editKeepOpenWritesTwice()
{
    TestDb::exec("INSERT INTO sp (id, sj) VALUES ('E1', 1)");
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::editCaption());
    dlg.FillForEdit("E1");
    dlg.chkClose->setChecked(true);
    dlg.editSj->setText("2");
    dlg.btnOKClick();
    QCOMPARE(dlg.lblShow->text(), QStringLiteral("提示：商品信息修改成功！"));
    QCOMPARE(field("E1", "sj").toDouble(), 2.0);
    dlg.editSj->setText("3");
    dlg.btnOKClick();
    QCOMPARE(dlg.lblShow->text(), QStringLiteral("提示：商品信息修改成功！"));
    QCOMPARE(field("E1", "sj").toDouble(), 3.0);
    QCOMPARE(dlg.editID->text(), QString("E1")); // nothing emptied in edit mode
    QVERIFY(dialogs_->messages.isEmpty());
}

void TestOfficeEditor::editOfGoodsDeletedMeanwhile()
{
    TestDb::exec("INSERT INTO sp (id, sj) VALUES ('E1', 1)");
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::editCaption());
    dlg.FillForEdit("E1");
    TestDb::exec("DELETE FROM sp");
    dlg.btnOKClick();
    QCOMPARE(dialogs_->messages.size(), 1);
    QVERIFY(dialogs_->lastText().contains("E1"));
    QCOMPARE(dlg.result(), 0);
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 0);
}

void TestOfficeEditor::keys()
{
    TfrmAESp dlg(spgl_);
    dlg.setWindowTitle(TfrmAESp::addCaption());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QVERIFY(dlg.editID->hasFocus());
    QTest::keyClicks(dlg.editID, "F1");
    QTest::keyClick(dlg.editID, Qt::Key_Return);
    QVERIFY(dlg.editName->hasFocus());
    QCOMPARE(TestDb::value("SELECT COUNT(*) FROM sp").toInt(), 0);
    // Enter elsewhere does not save either.
    QTest::keyClick(dlg.editName, Qt::Key_Return);
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(dlg.isVisible());

    dlg.editSj->setText("1");
    QTest::keyClick(dlg.editPs, Qt::Key_F5);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(field("F1", "sj").toDouble(), 1.0);

    TfrmAESp other(spgl_);
    other.setWindowTitle(TfrmAESp::addCaption());
    other.show();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    other.editID->setText("F2");
    other.editSj->setText("1");
    QTest::keyClick(other.editID, Qt::Key_Escape);
    QCOMPARE(other.result(), int(QDialog::Rejected));
    QVERIFY(!field("F2", "id").isValid());
}

void TestOfficeEditor::openedFromTheGoodsWindow()
{
    TestDb::exec("INSERT INTO sp (id, spmc, sj) VALUES ('G1', 'gum', 1)");
    spgl_->ShowSpList(office::goods::allGoods(), true);
    QString title;
    bool idEnabled = true;
    QString id;
    auto closeIt = [&] {
        auto* dlg = qobject_cast<TfrmAESp*>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        title = dlg->windowTitle();
        idEnabled = dlg->editID->isEnabled();
        id = dlg->editID->text();
        dlg->reject();
    };
    QTimer::singleShot(0, closeIt);
    spgl_->btnAdd->click();
    QCOMPARE(title, QStringLiteral("添加新商品"));
    QVERIFY(idEnabled);

    spgl_->lvwSp->selectionModel()->select(spgl_->spModel->index(0, 0),
                                           QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    QTimer::singleShot(0, closeIt);
    spgl_->btnEdit->click();
    QCOMPARE(title, QStringLiteral("修改商品信息"));
    QVERIFY(!idEnabled);
    QCOMPARE(id, QString("G1"));

    title.clear();
    QTimer::singleShot(0, closeIt);
    spgl_->lvwSpDblClick();
    QCOMPARE(title, QStringLiteral("修改商品信息"));
    QVERIFY(dialogs_->messages.isEmpty());
    QVERIFY(!spgl_->findChild<TfrmAESp*>());
}

QTEST_MAIN(TestOfficeEditor)
#include "tst_office_editor.moc"
