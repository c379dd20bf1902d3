// Writes the database of a large shop for the benchmarks: gen_shop <folder>
//
// <folder>/sydb.zdb gets 200,000 goods in 40 categories, 20,000 price-break rows, 50,000 members,
// five cashiers, and three years of paid sales up to yesterday (500 receipts a day, about five
// lines each, cash / bank card / stored value), with a few returns. The data is the same at every
// run of the same day (fixed seed). An existing file is never overwritten.
#include "Db.h"
#include "Format.h"
#include "Schema.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QVector>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>

namespace {

constexpr int kGoods = 200000;
constexpr int kBreakGoods = 10000;   // two break rows each
constexpr int kMembers = 50000;
constexpr int kReceiptsPerDay = 500;
constexpr qint64 kFirstGoodsId = 6900000000000LL;
constexpr qint64 kFirstReceipt = 10000000;   // the shop's initial counter

const char* const kCategories[] = {
    "饮料", "零食", "粮油", "调味品", "日用品", "洗护用品", "文具", "酒类", "乳制品", "冷冻食品",
    "水果", "蔬菜", "肉禽", "水产", "烘焙", "糖果", "茶叶", "咖啡", "方便食品", "干货",
    "母婴用品", "宠物用品", "厨具", "家电配件", "纸品", "清洁用品", "个人护理", "化妆品", "服装", "鞋袜",
    "玩具", "体育用品", "五金", "电池", "保健品", "计生用品", "香烟", "图书", "季节商品", "其他"};

const char* const kBrands[] = {
    "康乐", "金谷", "福满", "海之蓝", "山泉", "好丽", "佳美", "丰收", "晨光", "旺达",
    "百味", "鲜果园", "绿野", "金龙", "喜洋洋", "华丰", "东方", "南山", "北极星", "天府",
    "江南", "雪花", "红星", "白云", "青禾", "紫荆", "长城", "黄河", "乐家", "优品",
    "民生", "新农", "盛世", "宏达", "瑞祥", "永和", "德信", "和顺", "安心", "美达"};
constexpr int kBrandCount = int(sizeof kBrands / sizeof *kBrands);

const char* const kItems[] = {
    "牛奶", "酸奶", "矿泉水", "绿茶", "可乐", "橙汁", "啤酒", "白酒", "饼干", "薯片",
    "方便面", "大米", "面粉", "食用油", "酱油", "米醋", "食盐", "白糖", "鸡精", "花生",
    "瓜子", "巧克力", "口香糖", "面包", "蛋糕", "香肠", "火腿", "鸡蛋", "豆腐", "挂面",
    "洗发水", "沐浴露", "牙膏", "牙刷", "香皂", "洗衣粉", "洗洁精", "卫生纸", "纸巾", "湿巾",
    "毛巾", "袜子", "电池", "笔记本", "圆珠笔", "胶带", "垃圾袋", "保鲜膜", "茶叶", "咖啡"};
constexpr int kItemCount = int(sizeof kItems / sizeof *kItems);
// Category of each item above, as an index into kCategories.
const int kItemCategory[kItemCount] = {8,  8,  0,  0,  0,  0,  7,  7,  1,  1,  18, 2,  2,  2,  3,  3,  3,
                                       3,  3,  19, 1,  15, 15, 14, 14, 12, 12, 12, 11, 2,  5,  5,  26, 26,
                                       5,  25, 25, 24, 24, 24, 4,  29, 33, 6,  6,  6,  4,  22, 16, 17};

const char* const kSizes[] = {"50g", "100g", "150g", "200g", "250g", "300g", "400g", "500g", "750g", "1kg",
                              "250ml", "330ml", "500ml", "600ml", "1L", "1.5L", "2L", "5L", "10片", "20片"};
const char* const kPacks[] = {"袋装", "瓶装", "盒装", "罐装", "散装"};

const char* const kSurnames[] = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵", "吴", "周",
                                 "徐", "孙", "马", "朱", "胡", "郭", "何", "高", "林", "罗"};
const char* const kGiven[] = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊", "军", "洋",
                              "勇", "艳", "杰", "娟", "涛", "明", "超", "秀英", "华", "平",
                              "刚", "桂英", "文", "辉", "玲", "建国", "红", "晓", "鹏", "婷"};

const char* const kCashiers[] = {"收银员01", "收银员02", "收银员03", "收银员04", "收银员05"};

struct GoodsGen {
    QString id, spmc, splb, guige;
    double jj, sj, hyj, kc, sc = 0;
    bool booljf;
};

double round2(double v)
{
    return std::round(v * 100) / 100;
}

void exec(QSqlQuery& q, const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values[i]);
    if (!q.exec())
        throw gl::DbError(q.lastError().text());
}

QSqlQuery prepare(const QString& sql)
{
    QSqlQuery q(gl::shopDb());
    if (!q.prepare(sql))
        throw gl::DbError(q.lastError().text() + QStringLiteral("\n") + sql);
    return q;
}

// The indexes of the sales tables, taken from the schema itself so that the file ends up exactly
// as the programs create it. They are built once after the bulk load rather than row by row.
QStringList salesIndexes()
{
    QStringList out;
    for (const QString& stmt : gl::shopSchema())
        if (stmt.startsWith(QLatin1String("CREATE")) && stmt.contains(QLatin1String("INDEX"))
            && (stmt.contains(QLatin1String(" ON con ")) || stmt.contains(QLatin1String(" ON xiangxi "))))
            out << stmt;
    return out;
}

QString indexName(const QString& createStmt)
{
    const QStringList words = createStmt.split(QLatin1Char(' '));
    const int at = words.indexOf(QStringLiteral("INDEX"));
    return at >= 0 && at + 1 < words.size() ? words[at + 1] : QString();
}

void say(const char* what, const QElapsedTimer& clock)
{
    std::printf("%6.1f s  %s\n", clock.elapsed() / 1000.0, what);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gen_shop <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    const QString path = QDir(folder).absoluteFilePath(gl::storeFileName(gl::Store::Shop));
    // Two runs into one folder at once would both find no file and write into the same one.
    QLockFile lock(QDir(folder).absoluteFilePath(QStringLiteral("gen_shop.lock")));
    if (!lock.tryLock(0)) {
        std::fprintf(stderr, "another gen_shop is writing %s\n", qPrintable(folder));
        return 1;
    }
    if (QFileInfo::exists(path)) {
        std::fprintf(stderr, "%s exists already; gen_shop writes a new file only.\n", qPrintable(path));
        return 1;
    }
    QString error;
    if (!gl::openStore(gl::Store::Shop, folder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    QElapsedTimer clock;
    clock.start();
    std::mt19937_64 rng(20261211);
    auto uniform = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto chance = [&rng](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };

    const QDate today = QDate::currentDate();
    const QDate firstDay = today.addYears(-3);
    const QDate lastDay = today.addDays(-1);

    try {
        QSqlDatabase db = gl::shopDb();
        gl::run(db, QStringLiteral("PRAGMA cache_size = -400000"));
        gl::run(db, QStringLiteral("PRAGMA synchronous = OFF"));

        // Goods: 200,000 distinct names from brand x item x size x pack.
        QVector<GoodsGen> goods(kGoods);
        for (int n = 0; n < kGoods; ++n) {
            GoodsGen& g = goods[n];
            // Spread neighbouring ids over different brands and items.
            const int mixed = int((qint64(n) * 7919) % kGoods);
            const int brand = mixed % kBrandCount;
            const int item = (mixed / kBrandCount) % kItemCount;
            const int size = (mixed / (kBrandCount * kItemCount)) % 20;
            const int pack = mixed / (kBrandCount * kItemCount * 20);
            g.id = QString::number(kFirstGoodsId + n + 1);
            g.guige = QString::fromUtf8(kSizes[size]);
            g.spmc = QString::fromUtf8(kBrands[brand]) + QString::fromUtf8(kItems[item]) + g.guige
                + QString::fromUtf8(kPacks[pack]);
            g.splb = QString::fromUtf8(kCategories[kItemCategory[item]]);
            // Mostly cheap everyday goods, some dearer ones; steps of 0.1.
            const int tier = uniform(0, 99);
            g.sj = (tier < 70 ? uniform(10, 300) : tier < 95 ? uniform(300, 1000) : uniform(1000, 3000)) / 10.0;
            g.jj = round2(g.sj * uniform(55, 85) / 100.0);
            g.hyj = chance(0.3) ? round2(g.sj * 0.9) : 0;
            g.kc = uniform(0, 500);
            g.booljf = !chance(0.1);
        }

        // Member names, so that the sales carry them.
        QVector<QString> memberNames(kMembers + 1);
        for (int n = 1; n <= kMembers; ++n)
            memberNames[n] = QString::fromUtf8(kSurnames[uniform(0, 19)]) + QString::fromUtf8(kGiven[uniform(0, 29)])
                + (chance(0.5) ? QString::fromUtf8(kGiven[uniform(0, 29)]) : QString());

        // Sales first, in memory only for the sold quantities; goods rows get them afterwards.
        {
            const QStringList indexes = salesIndexes();
            for (const QString& stmt : indexes)
                gl::run(db, QStringLiteral("DROP INDEX IF EXISTS ") + indexName(stmt));

            QSqlQuery con = prepare(QStringLiteral(
                "INSERT INTO con (conid, xjfk, ylfk, czfk, mberid, mbername, czy, createtime, ysje, ssje, st)"
                " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, 1)"));
            QSqlQuery line = prepare(QStringLiteral(
                "INSERT INTO xiangxi (conid, spid, spmc, dj, sl, zk, hyj, je, st, czy, createtime)"
                " VALUES (?, ?, ?, ?, ?, 100, ?, ?, 1, ?, ?)"));
            QSqlQuery ret = prepare(QStringLiteral(
                "INSERT INTO thjl (conid, spid, spmc, dj, sl, zk, hyj, je, czy, createtime)"
                " VALUES (?, ?, ?, ?, ?, 100, ?, ?, ?, ?)"));

            qint64 counter = kFirstReceipt;
            int receipts = 0, lines = 0, returns = 0;
            QVector<int> seconds(kReceiptsPerDay);
            // A day per step; one transaction per month keeps the write-ahead log small.
            gl::run(db, QStringLiteral("BEGIN"));
            for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
                if (day.day() == 1 && day != firstDay) {
                    gl::run(db, QStringLiteral("COMMIT"));
                    gl::run(db, QStringLiteral("BEGIN"));
                }
                for (int& s : seconds)
                    s = uniform(8 * 3600, 22 * 3600 - 1);
                std::sort(seconds.begin(), seconds.end());
                for (int r = 0; r < kReceiptsPerDay; ++r) {
                    const QString conid = QString::number(++counter).rightJustified(8, QLatin1Char('0'));
                    const QString when = gl::toDbTime(QDateTime(day, QTime(0, 0).addSecs(seconds[r])));
                    const QString czy = QString::fromUtf8(kCashiers[uniform(0, 4)]);
                    const bool member = chance(0.2);
                    const int memberNo = member ? uniform(1, kMembers) : 0;
                    const QString mberid = member ? QString::number(2000000000LL + memberNo) : QStringLiteral("");
                    const QString mbername = member ? memberNames[memberNo] : QStringLiteral("");
                    const int count = uniform(1, 9);   // about five on average
                    const bool returned = chance(0.004);
                    double ysje = 0, returnedJe = 0;
                    for (int k = 0; k < count; ++k) {
                        // Most sales come from the best-selling tenth of the catalogue.
                        const int gi = chance(0.7) ? uniform(0, kGoods / 10 - 1) : uniform(0, kGoods - 1);
                        GoodsGen& g = goods[gi];
                        const double sl = chance(0.8) ? 1 : uniform(2, 4);
                        const double unit = member && g.hyj > 0 ? g.hyj : g.sj;
                        const double je = round2(unit * sl);
                        ysje += je;
                        if (returned && k == count - 1) {
                            // Returned later that day: the line leaves xiangxi for thjl.
                            returnedJe = je;
                            exec(ret, {conid, g.id, g.spmc, g.sj, sl, g.hyj, je, czy,
                                       gl::toDbTime(QDateTime(day, QTime(0, 0).addSecs(
                                                                       std::min(seconds[r] + 1800, 86399))))});
                            ++returns;
                            continue;
                        }
                        g.sc += sl;
                        exec(line, {conid, g.id, g.spmc, g.sj, sl, g.hyj, je, czy, when});
                        ++lines;
                    }
                    ysje = round2(ysje);
                    double xjfk = 0, ylfk = 0, czfk = 0;
                    const int how = uniform(0, 99);
                    if (member && how < 10)
                        czfk = ysje;
                    else if (how < 70)
                        xjfk = std::ceil(ysje / 10) * 10;   // cash handed over, change included
                    else
                        ylfk = ysje;
                    exec(con, {conid, xjfk, ylfk, czfk, mberid, mbername, czy, when, ysje,
                               round2(ysje - returnedJe)});
                    ++receipts;
                }
            }
            gl::run(db, QStringLiteral("COMMIT"));
            say(qPrintable(QStringLiteral("%1 receipts, %2 lines, %3 returns").arg(receipts).arg(lines).arg(returns)),
                clock);
            for (const QString& stmt : indexes)
                gl::run(db, stmt);
            say("sales indexes", clock);
            gl::run(db, QStringLiteral("UPDATE sysinfo SET keyvalue = ? WHERE infokey = 'lsh'"),
                    {QString::number(counter)});
        }

        gl::Transaction tx(db);
        {
            QSqlQuery q = prepare(QStringLiteral("INSERT INTO splb (lbmc) VALUES (?)"));
            for (const char* c : kCategories)
                exec(q, {QString::fromUtf8(c)});
        }
        {
            QSqlQuery q = prepare(QStringLiteral("INSERT INTO czy (czyname, pwd, per) VALUES (?, '1', '10000000000')"));
            for (const char* c : kCashiers)
                exec(q, {QString::fromUtf8(c)});
        }
        {
            QSqlQuery q = prepare(QStringLiteral(
                "INSERT INTO sp (id, spmc, huohao, splb, jj, sj, hyj, kc, guige, booldz, booljf, sc, createtime,"
                " lastjh, ps) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, 1, ?, ?, ?, ?, '')"));
            const QString created = gl::toDbTime(QDateTime(firstDay.addDays(-30), QTime(9, 0)));
            for (int n = 0; n < kGoods; ++n) {
                const GoodsGen& g = goods[n];
                const QString lastjh =
                    gl::toDbTime(QDateTime(lastDay.addDays(-uniform(0, 300)), QTime(uniform(8, 17), 0)));
                exec(q, {g.id, g.spmc, QStringLiteral("HH%1").arg(n + 1, 6, 10, QLatin1Char('0')), g.splb, g.jj,
                         g.sj, g.hyj, g.kc, g.guige, g.booljf ? 1 : 0, g.sc, created, lastjh});
            }
        }
        say("goods", clock);
        {
            // Two breaks for every 20th goods: the 2nd unit and from the 5th unit on.
            QSqlQuery q = prepare(QStringLiteral("INSERT INTO spdz (spid, sl, dj) VALUES (?, ?, ?)"));
            for (int k = 0; k < kBreakGoods; ++k) {
                const GoodsGen& g = goods[k * (kGoods / kBreakGoods)];
                exec(q, {g.id, 2.0, round2(g.sj * 0.95)});
                exec(q, {g.id, 5.0, round2(g.sj * 0.9)});
            }
        }
        {
            QSqlQuery q = prepare(QStringLiteral(
                "INSERT INTO mber (id, mbername, tel, email, addr, sryue, srri, srlx, xfcs, jf, ydhjf, ljcz, ye,"
                " boolguoqi, gqrq, zk, ps, createtime, st) VALUES (?, ?, ?, '', ?, ?, ?, 0, ?, ?, 0, ?, ?, 0, ?, ?,"
                " '', ?, ?)"));
            const int zks[] = {100, 98, 95, 90, 88, 85};
            for (int n = 1; n <= kMembers; ++n) {
                const QString& name = memberNames[n];
                const double ljcz = uniform(0, 20) * 100;
                const QDate joined = firstDay.addDays(uniform(-365, 1000));
                exec(q, {QString::number(2000000000LL + n), name,
                         QStringLiteral("13%1").arg(uniform(0, 999999999), 9, 10, QLatin1Char('0')),
                         QStringLiteral("幸福路%1号").arg(uniform(1, 999)), uniform(1, 12), uniform(1, 28),
                         uniform(0, 200), uniform(0, 3000), ljcz, round2(ljcz * uniform(0, 100) / 100.0),
                         gl::toDbDate(joined.addYears(3)), zks[uniform(0, 5)], gl::toDbTime(QDateTime(joined, QTime(10, 0))),
                         chance(0.02) ? 1 : 0});
            }
        }
        say("price breaks, members", clock);
        tx.commit();
        gl::run(db, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
    } catch (const gl::DbError& e) {
        std::fprintf(stderr, "gen_shop: %s\n", e.what());
        gl::closeStore(gl::Store::Shop);
        return 1;
    }
    gl::closeStore(gl::Store::Shop);
    say(qPrintable(QStringLiteral("done: %1").arg(path)), clock);
    return 0;
}
