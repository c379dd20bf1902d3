// Item entry and pricing without a window: price breaks, member prices, scale labels.
#include "Format.h"
#include "Pricing.h"
#include "TestDb.h"

#include <QHash>
#include <QtTest>
#include <cmath>

using till::EntryStatus;

class TestPricing : public QObject {
    Q_OBJECT
private slots:
    void breaksPriceTheKthUnit();
    void breaksWinOverTheMemberPrice();
    void memberPrice_data();
    void memberPrice();
    void nameInsteadOfId();
    void unknownAndEmptyCodes();
    void cutScaleCode_data();
    void cutScaleCode();
    void scaleEntry_data();
    void scaleEntry();
    void repricingUnit_data();
    void repricingUnit();
    void findMember();
};

namespace {

void addGoods(const QString& id, const QString& name, double sj, double hyj = 0)
{
    TestDb::exec("INSERT INTO sp (id, spmc, sj, hyj) VALUES (?, ?, ?, ?)", {id, name, sj, hyj});
}

void addBreak(const QString& spid, double sl, double dj)
{
    TestDb::exec("INSERT INTO spdz (spid, sl, dj) VALUES (?, ?, ?)", {spid, sl, dj});
}

void addMember(const QString& id, const QString& name, double zk, int st = 0)
{
    TestDb::exec("INSERT INTO mber (id, mbername, zk, st) VALUES (?, ?, ?, ?)", {id, name, zk, st});
}

// A cart reduced to what pricing asks of it: the summed quantity per goods id.
struct Cart {
    QHash<QString, double> qty;
    till::Entry scan(const QString& text, const QString& member = QString(),
                     const till::ScaleSettings& scale = till::ScaleSettings())
    {
        till::Entry e = till::priceEntry(text, scale, member, [this](const QString& id) { return qty.value(id); });
        if (e.status == EntryStatus::Added)
            qty[e.line.id] += e.line.qty.toDouble();
        return e;
    }
};

till::ScaleSettings standardScale(int dzc)
{
    till::ScaleSettings s;
    s.dzc = dzc;
    s.bsm = "2";
    s.spbm1 = 2;
    s.spbm2 = 7;
    s.zsm1 = 8;
    s.zsm2 = 9;
    s.xsm1 = 10;
    s.xsm2 = 12;
    return s;
}

} // namespace

void TestPricing::breaksPriceTheKthUnit()
{
    TestDb t;
    addGoods("G", "Goods G", 10);
    addBreak("G", 2, 9);
    addBreak("G", 5, 8);
    Cart cart;
    QStringList amounts, prices;
    for (int i = 0; i < 6; ++i) {
        const till::Entry e = cart.scan("G");
        QCOMPARE(e.status, EntryStatus::Added);
        QCOMPARE(e.line.qty, QString("1"));
        QCOMPARE(e.line.zk, QString("100"));
        amounts << e.line.je;
        prices << e.line.price;
    }
    QCOMPARE(amounts, QStringList({"10", "9", "10", "10", "8", "8"}));
    QCOMPARE(prices, amounts);

    // A quantity changed on an earlier line counts with its new value: 3 + 1 = the 4th unit.
    Cart changed;
    changed.qty["G"] = 3;
    QCOMPARE(changed.scan("G").line.je, QString("10"));
    changed.qty["G"] = 4;
    QCOMPARE(changed.scan("G").line.je, QString("8"));
}

void TestPricing::breaksWinOverTheMemberPrice()
{
    TestDb t;
    addGoods("G", "Goods G", 10, 9.5);
    addBreak("G", 2, 7);
    addMember("M1", "Member", 90);
    Cart cart;
    QCOMPARE(cart.scan("G", "M1").line.je, QString("9.5"));
    const till::Entry second = cart.scan("G", "M1");
    QCOMPARE(second.line.je, QString("7"));
    QCOMPARE(second.line.price, QString("7"));
    QCOMPARE(second.line.hyj, QString("9.5"));
    QCOMPARE(second.line.unit, 7.0);
}

void TestPricing::memberPrice_data()
{
    QTest::addColumn<double>("sj");
    QTest::addColumn<double>("hyj");
    QTest::addColumn<QString>("member");
    QTest::addColumn<QString>("je");
    QTest::addColumn<QString>("price");

    QTest::newRow("no member price: member discount") << 20.0 << 0.0 << "M90" << "18" << "20";
    QTest::newRow("member price") << 20.0 << 15.0 << "M90" << "15" << "20";
    QTest::newRow("no member: sale price") << 20.0 << 15.0 << "" << "20" << "20";
    QTest::newRow("discount 100") << 20.0 << 0.0 << "M100" << "20" << "20";
    QTest::newRow("fractional") << 9.9 << 0.0 << "M85" << "8.415" << "9.9";
}

void TestPricing::memberPrice()
{
    QFETCH(double, sj);
    QFETCH(double, hyj);
    QFETCH(QString, member);
    QFETCH(QString, je);
    QFETCH(QString, price);
    TestDb t;
    addGoods("A", "Goods A", sj, hyj);
    addMember("M90", "Ninety", 90);
    addMember("M100", "Hundred", 100);
    addMember("M85", "EightyFive", 85);
    Cart cart;
    const till::Entry e = cart.scan("A", member);
    QCOMPARE(e.status, EntryStatus::Added);
    QCOMPARE(e.line.je, je);
    QCOMPARE(e.line.price, price);
    QCOMPARE(e.line.hyj, QString::number(hyj));
}

void TestPricing::nameInsteadOfId()
{
    TestDb t;
    addGoods("6901", "可乐'330ml", 3);
    addBreak("6901", 2, 2);
    Cart cart;
    for (int i = 0; i < 3; ++i) {
        const till::Entry e = cart.scan("可乐'330ml");
        QCOMPARE(e.status, EntryStatus::Added);
        QCOMPARE(e.line.id, QString("6901"));
        QCOMPARE(e.line.name, QString("可乐'330ml"));
        QCOMPARE(e.line.je, QString("3"));   // the breaks are looked up by the typed text
    }
    // By id the earlier lines count: the 4th unit gets the largest break.
    QCOMPARE(cart.scan("6901").line.je, QString("2"));
}

void TestPricing::unknownAndEmptyCodes()
{
    TestDb t;
    addGoods("6901", "Cola", 3);
    Cart cart;
    QCOMPARE(cart.scan("").status, EntryStatus::Nothing);
    QCOMPARE(cart.scan("6902").status, EntryStatus::GoodsMissing);
    QCOMPARE(cart.scan("' OR '1'='1").status, EntryStatus::GoodsMissing);
    QCOMPARE(cart.scan(" 6901").status, EntryStatus::GoodsMissing);   // not trimmed
    QCOMPARE(cart.scan("Col").status, EntryStatus::GoodsMissing);     // names match whole
    QVERIFY(cart.qty.isEmpty());
}

void TestPricing::cutScaleCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("goodsId");
    QTest::addColumn<QString>("number");

    QTest::newRow("standard label") << "2708312012507" << "708312" << "01.250";
    QTest::newRow("leading zeros stay") << "2000123000057" << "000123" << "00.005";
    QTest::newRow("short code") << "27083120" << "708312" << "0.";
    QTest::newRow("only the flag") << "2" << "" << ".";
}

void TestPricing::cutScaleCode()
{
    QFETCH(QString, code);
    QFETCH(QString, goodsId);
    QFETCH(QString, number);
    const till::ScaleCode c = till::cutScaleCode(standardScale(1), code);
    QCOMPARE(c.goodsId, goodsId);
    QCOMPARE(c.numberText, number);
    QCOMPARE(till::cutPositions("abc", 2, 9), QString("bc"));
    QCOMPARE(till::cutPositions("abc", 4, 9), QString());
    QCOMPARE(till::cutPositions("abc", 3, 2), QString());
}

void TestPricing::scaleEntry_data()
{
    QTest::addColumn<int>("dzc");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("member");
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("line");   // id, name, price, qty, zk, hyj, je

    const int added = int(EntryStatus::Added);
    QTest::newRow("weight, no member")
        << 1 << "2708312012507" << "" << added
        << QStringList{"708312", "Apples", "12", "01.250", "100", "0", "15"};
    QTest::newRow("weight, member, no member price: member discount")
        << 1 << "2708312012507" << "M90" << added
        << QStringList{"708312", "Apples", "12", "01.250", "100", "0", "13.5"};
    QTest::newRow("weight, member price")
        << 1 << "2708313020000" << "M90" << added
        << QStringList{"708313", "Pears", "10", "02.000", "100", "8", "16"};
    QTest::newRow("weight, goods missing") << 1 << "2999999012507" << "" << int(EntryStatus::ScaleGoodsMissing)
                                           << QStringList();
    QTest::newRow("weight, number missing") << 1 << "2708312" << "" << int(EntryStatus::BadScaleNumber)
                                            << QStringList();
    QTest::newRow("amount") << 2 << "2708312012507" << "M90" << added
                            << QStringList{"708312", "Apples", "01.250", "1", "100", "01.250", "01.250"};
    QTest::newRow("amount, goods missing: no name")
        << 2 << "2999999012507" << "" << added
        << QStringList{"999999", "", "01.250", "1", "100", "01.250", "01.250"};
    QTest::newRow("amount, number missing") << 2 << "2708312" << "" << int(EntryStatus::BadScaleNumber)
                                            << QStringList();
    QTest::newRow("other flag: ordinary goods")
        << 1 << "6900000000017" << "" << added
        << QStringList{"6900000000017", "Soap", "4.5", "1", "100", "0", "4.5"};
    QTest::newRow("scale off: a label is an ordinary code")
        << 0 << "2708312012507" << "" << int(EntryStatus::GoodsMissing) << QStringList();
}

void TestPricing::scaleEntry()
{
    QFETCH(int, dzc);
    QFETCH(QString, code);
    QFETCH(QString, member);
    QFETCH(int, status);
    QFETCH(QStringList, line);
    TestDb t;
    addGoods("708312", "Apples", 12);
    addGoods("708313", "Pears", 10, 8);
    addGoods("6900000000017", "Soap", 4.5);
    addMember("M90", "Ninety", 90);
    Cart cart;
    const till::Entry e = cart.scan(code, member, standardScale(dzc));
    QCOMPARE(int(e.status), status);
    if (e.status != EntryStatus::Added)
        return;
    const till::PricedLine& l = e.line;
    QCOMPARE(QStringList({l.id, l.name, l.price, l.qty, l.zk, l.hyj, l.je}), line);
    // The unit the amount came from, kept for quantity changes.
    QCOMPARE(gl::fmtNum(l.qty.toDouble() * l.unit), gl::fmtNum(l.je.toDouble()));
}

void TestPricing::repricingUnit_data()
{
    QTest::addColumn<double>("stored");
    QTest::addColumn<bool>("haveStored");
    QTest::addColumn<double>("price");
    QTest::addColumn<double>("hyj");
    QTest::addColumn<double>("qty");
    QTest::addColumn<double>("je");
    QTest::addColumn<bool>("member");
    QTest::addColumn<double>("unit");

    QTest::newRow("break price kept") << 9.0 << true << 9.0 << 0.0 << 1.0 << 9.0 << false << 9.0;
    QTest::newRow("member discount kept, no member price") << 18.0 << true << 20.0 << 0.0 << 1.0 << 18.0 << true
                                                           << 18.0;
    QTest::newRow("break kept in a member sale") << 7.0 << true << 7.0 << 9.5 << 2.0 << 14.0 << true << 7.0;
    QTest::newRow("weight") << 12.0 << true << 12.0 << 0.0 << 1.25 << 15.0 << false << 12.0;
    QTest::newRow("quantity 0 keeps the unit") << 12.0 << true << 12.0 << 0.0 << 0.0 << 0.0 << false << 12.0;
    QTest::newRow("discounted since: amount / quantity") << 10.0 << true << 8.0 << 0.0 << 3.0 << 24.0 << false << 8.0;
    QTest::newRow("line from elsewhere") << 0.0 << false << 10.0 << 0.0 << 2.0 << 17.0 << false << 8.5;
    QTest::newRow("line from elsewhere, quantity 0, member") << 0.0 << false << 10.0 << 9.0 << 0.0 << 0.0 << true
                                                             << 9.0;
    QTest::newRow("line from elsewhere, quantity 0") << 0.0 << false << 10.0 << 0.0 << 0.0 << 0.0 << true << 10.0;
}

void TestPricing::repricingUnit()
{
    QFETCH(double, stored);
    QFETCH(bool, haveStored);
    QFETCH(double, price);
    QFETCH(double, hyj);
    QFETCH(double, qty);
    QFETCH(double, je);
    QFETCH(bool, member);
    QFETCH(double, unit);
    QCOMPARE(till::unitForRepricing(stored, haveStored, price, hyj, qty, je, member), unit);
}

void TestPricing::findMember()
{
    TestDb t;
    addMember("1001", "张三", 95);
    addMember("1002", "李四", 90, 1);
    addMember("1003", "张小明", 90);
    addMember("1004", "100%会员", 90);

    auto m = till::findMember("1002");
    QVERIFY(m);
    QCOMPARE(m->mbername, QString("李四"));
    QCOMPARE(m->st, 1);

    m = till::findMember("张");   // first of several, in the order they were added
    QVERIFY(m);
    QCOMPARE(m->id, QString("1001"));
    m = till::findMember("小明");
    QVERIFY(m);
    QCOMPARE(m->id, QString("1003"));

    m = till::findMember("%");   // found as typed, not as a wildcard
    QVERIFY(m);
    QCOMPARE(m->id, QString("1004"));
    QVERIFY(!till::findMember("_"));
    QVERIFY(!till::findMember("王"));
    QVERIFY(!till::findMember("' OR '1'='1"));
}

QTEST_GUILESS_MAIN(TestPricing)
#include "tst_pricing.moc"
