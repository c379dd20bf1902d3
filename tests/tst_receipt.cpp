// Receipt text from the stored sale, its rendering through Qt's print system, and reprinting.
#include "Db.h"
#include "ReceiptPdf.h"
#include "Returns.h"
#include "ScriptedDialogs.h"
#include "Settings.h"
#include "TestDb.h"
#include "UnitJiezhang.h"
#include "UnitMain.h"

#include <QTemporaryDir>
#include <QtTest>

class TestReceipt : public QObject {
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void onlyPaidSalesHaveReceipts();
    void returnedLinesLeaveTheReceipt();
    void pdfReadsBack();
    void printingTellsTheCashier();
    void reprintLast();
};

namespace {

struct Line {
    QString name;
    double sl, dj, je;
};

void addSale(const QString& conid, double cash, double card, double stored, double ssje, const QList<Line>& lines,
             bool paid = true)
{
    TestDb::exec("INSERT INTO con (conid, xjfk, ylfk, czfk, czy, createtime, ysje, ssje, st)"
                 " VALUES (?, ?, ?, ?, 'Admin', '2013-01-01 12:00:00', ?, ?, ?)",
                 {conid, cash, card, stored, ssje, ssje, paid ? 1 : 0});
    int n = 0;
    for (const Line& l : lines)
        TestDb::exec("INSERT INTO xiangxi (conid, spid, spmc, dj, sl, je, st, czy, createtime)"
                     " VALUES (?, ?, ?, ?, ?, ?, ?, 'Admin', '2013-01-01 12:00:00')",
                     {conid, QStringLiteral("G%1").arg(++n), l.name, l.dj, l.sl, l.je, paid ? 1 : 0});
}

const QString kHead = QStringLiteral("--------------------------------\r\n"
                                     "流水单号：10000001\r\n"
                                     "操作员：Admin\r\n"
                                     "日期时间：2013-01-01 12:00:00\r\n"
                                     "--------------------------------\r\n"
                                     "商品名称   数量  单价  金额\r\n");

} // namespace

Q_DECLARE_METATYPE(QList<Line>)

void TestReceipt::layout_data()
{
    QTest::addColumn<QString>("dingbu");
    QTest::addColumn<QString>("dibu");
    QTest::addColumn<int>("xbj");
    QTest::addColumn<QList<Line>>("lines");
    QTest::addColumn<double>("cash");
    QTest::addColumn<double>("card");
    QTest::addColumn<QString>("expected");

    QTest::newRow("one article") << "H" << "F" << 3 << QList<Line>{{"N", 1, 2.5, 2.5}} << 10.0 << 0.0
                                 << "H\r\n" + kHead
                                        + "N\r\n"
                                          "           1.00  2.50  2.50\r\n"
                                          "--------------------------------\r\n"
                                          "实收金额：10.00\r\n"
                                          "应收金额：2.50\r\n"
                                          "找零金额：7.50\r\n"
                                          "\r\n"
                                          "F\r\n\r\n\r\n";
    // A quantity wider than its column shifts the line instead of being cut.
    QTest::newRow("wide quantity, card and cash")
        << QStringLiteral("欢迎\r\n光临") << "" << 1
        << QList<Line>{{QStringLiteral("苹果"), 12.5, 2.5, 31.25}, {"B", 2, 1234.5, 2469}} << 2000.0 << 500.25
        << QStringLiteral("欢迎\r\n光临\r\n") + kHead
               + QStringLiteral("苹果\r\n"
                                "           12.50  2.50 31.25\r\n"
                                "B\r\n"
                                "           2.00 1234.50 2469.00\r\n"
                                "--------------------------------\r\n"
                                "实收金额：2500.25\r\n"
                                "应收金额：2500.25\r\n"
                                "找零金额：0.00\r\n"
                                "\r\n"
                                "\r\n");
    QTest::newRow("empty header and footer, no lines")
        << "" << "" << 2 << QList<Line>{} << 0.0 << 0.0
        << "\r\n" + kHead
               + "--------------------------------\r\n"
                 "实收金额：0.00\r\n"
                 "应收金额：0.00\r\n"
                 "找零金额：0.00\r\n"
                 "\r\n"
                 "\r\n\r\n";
}

void TestReceipt::layout()
{
    QFETCH(QString, dingbu);
    QFETCH(QString, dibu);
    QFETCH(int, xbj);
    QFETCH(QList<Line>, lines);
    QFETCH(double, cash);
    QFETCH(double, card);
    QFETCH(QString, expected);
    TestDb t;
    gl::writeShopSetting("dingbu", dingbu);
    gl::writeShopSetting("dibu", dibu);
    double due = 0;
    for (const Line& l : lines)
        due += l.je;
    addSale("10000001", cash, card, 0, due, lines);

    const std::optional<QString> text = till::receiptText(gl::shopDb(), "10000001", xbj);
    QVERIFY(text);
    QCOMPARE(*text, expected);
}

void TestReceipt::onlyPaidSalesHaveReceipts()
{
    TestDb t;
    addSale("H1", 0, 0, 0, 5, {{"N", 1, 5, 5}}, false);
    QVERIFY(!till::receiptText(gl::shopDb(), "H1", 3));
    QVERIFY(!till::receiptText(gl::shopDb(), "nothing", 3));
    QVERIFY(!till::receiptText(gl::shopDb(), "' OR '1'='1", 3));
}

void TestReceipt::returnedLinesLeaveTheReceipt()
{
    TestDb t;
    addSale("10000001", 20, 0, 0, 15.5, {{"A", 1, 10, 10}, {"B", 1, 5.5, 5.5}});
    const qint64 idB = TestDb::value("SELECT id FROM xiangxi WHERE spmc = 'B'").toLongLong();
    till::ReturnRequest r;
    r.conid = "10000001";
    r.lineIds = {idB};
    r.restock = false;
    QCOMPARE(till::bookReturn(gl::shopDb(), r).refund, 5.5);

    const QString text = *till::receiptText(gl::shopDb(), "10000001", 0);
    QVERIFY(text.contains("A\r\n           1.00 10.00 10.00\r\n"));
    QVERIFY(!text.contains("B\r\n"));
    QVERIFY(text.contains("实收金额：20.00\r\n应收金额：10.00\r\n找零金额：10.00\r\n"));
}

void TestReceipt::pdfReadsBack()
{
    TestDb t;
    gl::writeShopSetting("dingbu", QStringLiteral("好又多超市"));
    gl::writeShopSetting("dibu", QStringLiteral("谢谢惠顾"));
    addSale("10000001", 10, 0, 0, 7.5, {{QStringLiteral("矿泉水"), 3, 2.5, 7.5}});
    QTemporaryDir dir;
    PdfReceiptSink sink(dir.path());
    QString error;
    QCOMPARE(till::printReceiptCopy(gl::shopDb(), "Receipts", "10000001", 3, &error), till::PrintOutcome::Printed);
    QCOMPARE(sink.files.size(), 1);
    QCOMPARE(sink.printers, QStringList{"Receipts"});

    // Every line of the text comes back, in order (pdftotext evens out the runs of blanks).
    QStringList rows;
    for (const QString& r : pdfText(sink.files[0]).split('\n'))
        if (!r.simplified().isEmpty())
            rows << r.simplified();
    const QStringList expected = {QStringLiteral("好又多超市"),
                                  QString(32, '-'),
                                  QStringLiteral("流水单号：10000001"),
                                  QStringLiteral("操作员：Admin"),
                                  QStringLiteral("日期时间：2013-01-01 12:00:00"),
                                  QString(32, '-'),
                                  QStringLiteral("商品名称 数量 单价 金额"),
                                  QStringLiteral("矿泉水"),
                                  QStringLiteral("3.00 2.50 7.50"),
                                  QString(32, '-'),
                                  QStringLiteral("实收金额：10.00"),
                                  QStringLiteral("应收金额：7.50"),
                                  QStringLiteral("找零金额：2.50"),
                                  QStringLiteral("谢谢惠顾")};
    QCOMPARE(rows, expected);

    // One block at the top-left of the page, in a font where the figures stand exactly under
    // their column heads (a Chinese character two cells wide, a blank one).
    const QVector<PdfWord> words = pdfWords(sink.files[0]);
    QVERIFY(words.size() > 10);
    QMap<QString, QRectF> at;
    for (const PdfWord& w : words)
        at.insert(w.text, w.box);
    QVERIFY(words[0].box.left() < 40 && words[0].box.top() < 40);
    for (const char* start : {"好又多超市", "流水单号：10000001", "商品名称", "矿泉水", "实收金额：10.00", "谢谢惠顾"})
        QCOMPARE(at.value(QString::fromUtf8(start)).left(), words[0].box.left());
    const QPair<const char*, const char*> columns[] = {{"数量", "3.00"}, {"单价", "2.50"}, {"金额", "7.50"}};
    for (const auto& c : columns) {
        const QRectF head = at.value(QString::fromUtf8(c.first));
        const QRectF figure = at.value(QString::fromUtf8(c.second));
        QVERIFY2(qAbs(head.left() - figure.left()) < 0.5 && qAbs(head.right() - figure.right()) < 0.5, c.second);
        QVERIFY(figure.top() > head.top());
    }
    // The separator is 32 cells: as wide as 32 characters of the item line's cell.
    const QRectF rule = at.value(QString(32, '-'));
    QCOMPARE(qRound(rule.width() / 32 * 100), qRound(at.value("3.00").width() / 4 * 100));
}

void TestReceipt::printingTellsTheCashier()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addSale("10000001", 10, 0, 0, 2.5, {{"N", 1, 2.5, 2.5}});
    till::TfrmMain m;
    dialogs.clear();

    // No printer chosen.
    gl::writeTermSetting("printer", "");
    QVERIFY(!till::printReceipt(&m, "10000001"));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.lastText(), QStringLiteral("没有设置打印机！"));
    QCOMPARE(dialogs.lastTitle(), QStringLiteral("提示"));

    // A stored printer that is not installed: a clear warning, nothing printed.
    dialogs.clear();
    gl::writeTermSetting("printer", "No Such Printer 42");
    QVERIFY(!till::printReceipt(&m, "10000001"));
    QCOMPARE(m.printer, QString("No Such Printer 42"));
    QCOMPARE(dialogs.messages.size(), 1);
    QVERIFY(dialogs.messages[0].icon == gl::MsgIcon::Warning);
    QVERIFY(dialogs.lastText().contains("No Such Printer 42"));

    // An unknown or held receipt prints nothing and says nothing.
    QTemporaryDir dir;
    PdfReceiptSink sink(dir.path());
    dialogs.clear();
    QVERIFY(!till::printReceipt(&m, "10000002"));
    QVERIFY(dialogs.messages.isEmpty());
    QVERIFY(sink.files.isEmpty());
    QVERIFY(till::printReceipt(&m, "10000001"));
    QCOMPARE(sink.printers, QStringList{"No Such Printer 42"});
}

void TestReceipt::reprintLast()
{
    TestDb t;
    ScriptedDialogs dialogs;
    addSale("10000001", 10, 0, 0, 2.5, {{"N", 1, 2.5, 2.5}});
    gl::writeTermSetting("print", "no");
    gl::writeTermSetting("dyfs", "3");
    gl::writeTermSetting("printer", "Receipts");
    till::TfrmMain m;
    dialogs.clear();
    QTemporaryDir dir;
    PdfReceiptSink sink(dir.path());

    m.LastLs.clear();
    till::printLast(&m);
    QCOMPARE(dialogs.lastText(), QStringLiteral("上一单小票不存在！"));
    QCOMPARE(dialogs.lastTitle(), QStringLiteral("打印上一单小票"));
    QVERIFY(sink.files.isEmpty());

    // One copy, although printing at checkout is off and three copies are set.
    m.LastLs = "10000001";
    till::printLast(&m);
    QCOMPARE(sink.files.size(), 1);
    QVERIFY(pdfText(sink.files[0]).contains(QStringLiteral("流水单号：10000001")));
}


QTEST_MAIN(TestReceipt)
#include "tst_receipt.moc"
