// The till's daily report over sales, returns and held orders written as checkout, returns and
// hold write them.
#include "DailyReport.h"
#include "Db.h"
#include "Format.h"
#include "ScriptedDialogs.h"
#include "TestDb.h"
#include "UnitRtj.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

class TestDailyReport : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dayWithoutSales();
    void cashAndCardThenAReturn();
    void heldOrdersNowhere();
    void oneOperatorAgainstAll();
    void dayIsARangeOfCreatetime();
    void goodsNoLongerInTheCatalogue();
    void receiptsNewestFirst();
    void keys();

private:
    TestDb* db_ = nullptr;
};

namespace {

struct Line {
    QString spid;
    double sl;
    double je;
};

QString at(const QDate& day, const char* time)
{
    return gl::toDbTime(QDateTime(day, QTime::fromString(QString::fromLatin1(time), "HH:mm:ss")));
}

// A sale as checkout stores it (st 1 paid, 0 held); the lines get the same time.
void sale(const QString& conid, const QString& time, const QString& czy, double xjfk, double ylfk, double czfk,
          const QList<Line>& lines, bool paid = true, const QString& mberid = QString())
{
    double total = 0;
    for (const Line& l : lines)
        total += l.je;
    TestDb::exec(QStringLiteral("INSERT INTO con (conid, xjfk, ylfk, czfk, mberid, mbername, czy, createtime, ysje, ssje, st)"
                                " VALUES (?, ?, ?, ?, ?, '', ?, ?, ?, ?, ?)"),
                 {conid, paid ? xjfk : 0, paid ? ylfk : 0, paid ? czfk : 0, mberid.isNull() ? QString("") : mberid, czy, time, total, total,
                  paid ? 1 : 0});
    for (const Line& l : lines)
        TestDb::exec(QStringLiteral("INSERT INTO xiangxi (conid, spid, spmc, dj, sl, zk, hyj, je, st, czy, createtime)"
                                    " SELECT ?, ?, COALESCE((SELECT spmc FROM sp WHERE id = ?), ''), ?, ?, 100, 0, ?, ?, ?, ?"),
                     {conid, l.spid, l.spid, l.sl != 0 ? l.je / l.sl : 0, l.sl, l.je, paid ? 1 : 0, czy, time});
}

// A return of one goods of a sale, as the returns dialog books it.
void giveBack(const QString& conid, const QString& spid, const QString& when)
{
    const double je = TestDb::value(QStringLiteral("SELECT je FROM xiangxi WHERE conid = ? AND spid = ?"), {conid, spid})
                          .toDouble();
    TestDb::exec(QStringLiteral("INSERT INTO thjl (conid, spid, spmc, dj, sl, zk, hyj, je, czy, createtime)"
                                " SELECT conid, spid, spmc, dj, sl, zk, hyj, je, 'Admin', ? FROM xiangxi"
                                " WHERE conid = ? AND spid = ?"),
                 {when, conid, spid});
    TestDb::exec(QStringLiteral("DELETE FROM xiangxi WHERE conid = ? AND spid = ?"), {conid, spid});
    TestDb::exec(QStringLiteral("UPDATE con SET ssje = ssje - ? WHERE conid = ?"), {je, conid});
}

QList<QStringList> rows(const QTreeWidget* list)
{
    QList<QStringList> out;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        QStringList cells;
        for (int c = 0; c < list->columnCount(); ++c)
            cells << list->topLevelItem(i)->text(c);
        out << cells;
    }
    return out;
}

// 本日销售额, 销售次数, 销售商品数量, 现金收款, 银联支付, 会员卡支付
QStringList totals(const till::TfrmRtj& w)
{
    return {w.lblXse->text(), w.lblXscs->text(), w.lblXsspsl->text(),
            w.lblXjsk->text(), w.lblYlzf->text(), w.lblHykzf->text()};
}

const QDate today = QDate::currentDate();

} // namespace

void TestDailyReport::init()
{
    db_ = new TestDb;
    QVERIFY(db_->ok());
    TestDb::addOperator(QStringLiteral("小王"), "1", "11111111111");
    TestDb::exec(QStringLiteral("INSERT INTO sp (id, spmc, splb) VALUES ('G1', '毛巾', '日用'),"
                                " ('G2', '牙刷', '日用'), ('G3', '可乐', '饮料')"));
}

void TestDailyReport::cleanup()
{
    delete db_;
    db_ = nullptr;
}

void TestDailyReport::dayWithoutSales()
{
    sale("Y1", at(today.addDays(-1), "23:59:59"), "Admin", 10, 0, 0, {{"G1", 1, 10}});
    sale("T1", at(today.addDays(1), "00:00:00"), "Admin", 10, 0, 0, {{"G1", 1, 10}});
    ScriptedDialogs dialogs;
    till::TfrmRtj w;
    QCOMPARE(w.windowTitle(), QStringLiteral("日统计表表"));
    QCOMPARE(w.dtDay->date(), today);
    QCOMPARE(w.comCzy->currentText(), QStringLiteral("不限"));
    QCOMPARE(w.pageTj->currentWidget(), w.tbLsd);
    QCOMPARE(w.lvwLsd->topLevelItemCount(), 0);
    QCOMPARE(w.lvwSp->topLevelItemCount(), 0);
    QCOMPARE(totals(w), QStringList(6, QString()));   // empty, not 0.00元
    QVERIFY(dialogs.messages.isEmpty());

    // The day before has its sale.
    w.dtDay->setDate(today.addDays(-1));
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"Y1", "10", "10", "0", "0", "", "Admin"}}));
    QCOMPARE(totals(w), (QStringList{"10.00元", "1", "1", "10.00元", "0.00元", "0.00元"}));
}

void TestDailyReport::cashAndCardThenAReturn()
{
    // 70 in cash handed over (10 back as change) and 40 by card for 100.
    sale("S1", at(today, "10:00:00"), "Admin", 70, 40, 0, {{"G1", 2, 60}, {"G2", 1, 24.5}, {"G3", 1, 15.5}});
    ScriptedDialogs dialogs;
    {
        till::TfrmRtj w;
        QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"S1", "100", "60", "40", "0", "", "Admin"}}));
        QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G1", "毛巾", "日用", "2", "60"},
                                                    {"G2", "牙刷", "日用", "1", "24.5"},
                                                    {"G3", "可乐", "饮料", "1", "15.5"}}));
        QCOMPARE(totals(w), (QStringList{"100.00元", "1", "4", "60.00元", "40.00元", "0.00元"}));
    }

    giveBack("S1", "G3", at(today, "11:00:00"));
    till::TfrmRtj w;
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"S1", "84.5", "44.5", "40", "0", "", "Admin"}}));
    QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G1", "毛巾", "日用", "2", "60"}, {"G2", "牙刷", "日用", "1", "24.5"}}));
    QCOMPARE(totals(w), (QStringList{"84.50元", "1", "3", "44.50元", "40.00元", "0.00元"}));
    QVERIFY(dialogs.messages.isEmpty());
}

void TestDailyReport::heldOrdersNowhere()
{
    sale("H1", at(today, "09:00:00"), "Admin", 0, 0, 0, {{"G1", 5, 50}}, false);
    ScriptedDialogs dialogs;
    {
        till::TfrmRtj w;
        QCOMPARE(w.lvwLsd->topLevelItemCount(), 0);
        QCOMPARE(w.lvwSp->topLevelItemCount(), 0);
        QCOMPARE(totals(w), QStringList(6, QString()));
    }
    sale("S1", at(today, "10:00:00"), "Admin", 0, 0, 20, {{"G2", 2, 20}}, true, "M01");
    till::TfrmRtj w;
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"S1", "20", "0", "0", "20", "M01", "Admin"}}));
    QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G2", "牙刷", "日用", "2", "20"}}));
    QCOMPARE(totals(w), (QStringList{"20.00元", "1", "2", "0.00元", "0.00元", "20.00元"}));
}

void TestDailyReport::oneOperatorAgainstAll()
{
    sale("A1", at(today, "08:00:00"), "Admin", 10, 0, 0, {{"G1", 1, 10}});
    sale("W1", at(today, "09:00:00"), QStringLiteral("小王"), 0, 30, 0, {{"G1", 2, 20}, {"G2", 1, 10}});
    sale("W2", at(today, "12:00:00"), QStringLiteral("小王"), 5, 0, 0, {{"G3", 1, 5}});
    sale("WH", at(today, "13:00:00"), QStringLiteral("小王"), 0, 0, 0, {{"G3", 9, 45}}, false);
    ScriptedDialogs dialogs;
    till::TfrmRtj w;
    QCOMPARE(w.comCzy->count(), 3);
    QCOMPARE(w.comCzy->itemText(0), QStringLiteral("不限"));
    QCOMPARE(w.comCzy->itemText(1), QStringLiteral("Admin"));
    QCOMPARE(w.comCzy->itemText(2), QStringLiteral("小王"));
    QCOMPARE(w.lvwLsd->topLevelItemCount(), 3);
    QCOMPARE(totals(w), (QStringList{"45.00元", "3", "5", "15.00元", "30.00元", "0.00元"}));

    w.comCzy->setCurrentIndex(2);
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"W2", "5", "5", "0", "0", "", "小王"},
                                                 {"W1", "30", "0", "30", "0", "", "小王"}}));
    QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G1", "毛巾", "日用", "2", "20"},
                                                {"G2", "牙刷", "日用", "1", "10"},
                                                {"G3", "可乐", "饮料", "1", "5"}}));
    QCOMPARE(totals(w), (QStringList{"35.00元", "2", "4", "5.00元", "30.00元", "0.00元"}));

    w.comCzy->setCurrentIndex(1);
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"A1", "10", "10", "0", "0", "", "Admin"}}));
    QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G1", "毛巾", "日用", "1", "10"}}));
    QCOMPARE(totals(w), (QStringList{"10.00元", "1", "1", "10.00元", "0.00元", "0.00元"}));

    w.comCzy->setCurrentIndex(0);
    QCOMPARE(w.lvwLsd->topLevelItemCount(), 3);
    QCOMPARE(rows(w.lvwSp).first(), (QStringList{"G1", "毛巾", "日用", "3", "30"}));
}

void TestDailyReport::dayIsARangeOfCreatetime()
{
    const QDate d(2025, 3, 1);
    sale("P1", at(d.addDays(-1), "23:59:59"), "Admin", 1, 0, 0, {{"G1", 1, 1}});
    sale("D1", at(d, "00:00:00"), "Admin", 2, 0, 0, {{"G1", 1, 2}});
    sale("D2", at(d, "23:59:59"), "Admin", 4, 0, 0, {{"G1", 1, 4}});
    sale("N1", at(d.addDays(1), "00:00:00"), "Admin", 8, 0, 0, {{"G1", 1, 8}});
    const till::DailyReport r = till::loadDailyReport(d, QString());
    QCOMPARE(r.receipts.size(), 2);
    QCOMPARE(r.receipts[0].conid, QString("D2"));
    QCOMPARE(r.receipts[1].conid, QString("D1"));
    QCOMPARE(r.totals.xse, 6.0);
    QCOMPARE(r.totals.quantity, 2.0);
    QCOMPARE(r.goods.size(), 1);
    QCOMPARE(r.goods[0].je, 6.0);
    // An operator name is matched as the database compares text, and is never pasted into SQL.
    QCOMPARE(till::loadDailyReport(d, "admin").receipts.size(), 2);
    QCOMPARE(till::loadDailyReport(d, "x' OR '1'='1").receipts.size(), 0);
}

void TestDailyReport::goodsNoLongerInTheCatalogue()
{
    sale("S1", at(today, "10:00:00"), "Admin", 30, 0, 0, {{"G1", 1, 10}, {"OLD", 2, 20}});
    TestDb::exec(QStringLiteral("INSERT INTO xiangxi (conid, spid, spmc, dj, sl, zk, hyj, je, st, czy, createtime)"
                                " VALUES ('S1', 'GONE', '旧货', 1, 1, 100, 0, 1, 1, 'Admin', ?)"),
                 {at(today, "10:00:00")});
    ScriptedDialogs dialogs;
    till::TfrmRtj w;
    QCOMPARE(rows(w.lvwSp), (QList<QStringList>{{"G1", "毛巾", "日用", "1", "10"},
                                                {"GONE", "", "", "1", "1"},
                                                {"OLD", "", "", "2", "20"}}));
    QCOMPARE(w.lblXsspsl->text(), QString("4"));
}

void TestDailyReport::receiptsNewestFirst()
{
    sale("S1", at(today, "08:00:00"), "Admin", 1, 0, 0, {{"G1", 0.5, 1}});
    sale("S3", at(today, "18:30:00"), "Admin", 3, 0, 0, {{"G1", 0.25, 3}});
    sale("S2", at(today, "12:00:00"), "Admin", 2, 0, 0, {{"G1", 1, 2}});
    ScriptedDialogs dialogs;
    till::TfrmRtj w;
    QCOMPARE(w.lvwLsd->topLevelItem(0)->text(0), QString("S3"));
    QCOMPARE(w.lvwLsd->topLevelItem(1)->text(0), QString("S2"));
    QCOMPARE(w.lvwLsd->topLevelItem(2)->text(0), QString("S1"));
    QCOMPARE(w.lblXsspsl->text(), QString("1.75"));
}

void TestDailyReport::keys()
{
    ScriptedDialogs dialogs;
    till::TfrmRtj w;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_F3);
    QTRY_VERIFY(w.comCzy->hasFocus());
    QTest::keyClick(w.comCzy, Qt::Key_F9);
    QCOMPARE(w.pageTj->currentWidget(), w.tabSp);
    QTest::keyClick(w.comCzy, Qt::Key_F2);
    QTRY_VERIFY(w.dtDay->hasFocus());
    QTest::keyClick(w.dtDay, Qt::Key_F8);
    QCOMPARE(w.pageTj->currentWidget(), w.tbLsd);

    // F4 opens the calendar of the day picker; a day chosen there reloads the report.
    sale("Y1", at(today.addDays(-1), "10:00:00"), "Admin", 10, 0, 0, {{"G1", 1, 10}});
    QTest::keyClick(w.dtDay, Qt::Key_F4);
    QTRY_VERIFY(QApplication::activePopupWidget());
    auto* calendar = QApplication::activePopupWidget()->findChild<QCalendarWidget*>();
    QVERIFY(calendar);
    QCOMPARE(calendar->selectedDate(), today);
    calendar->setSelectedDate(today.addDays(-1));
    QTest::keyClick(calendar->focusWidget() ? calendar->focusWidget() : calendar, Qt::Key_Return);
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QCOMPARE(w.dtDay->date(), today.addDays(-1));
    QCOMPARE(rows(w.lvwLsd), (QList<QStringList>{{"Y1", "10", "10", "0", "0", "", "Admin"}}));

    QCOMPARE(w.pageTj->tabText(0), QStringLiteral("流水单(F8)"));
    QCOMPARE(w.pageTj->tabText(1), QStringLiteral("商品销售报表(F9)"));
    QTest::keyClick(w.lvwLsd, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
}

QTEST_MAIN(TestDailyReport)
#include "tst_dailyreport.moc"
