#include "Pricing.h"

#include "Db.h"
#include "Format.h"
#include "Settings.h"

#include <QSqlQuery>
#include <algorithm>
#include <cmath>

namespace till {

namespace {

int readPosition(const char* key, int fallback, QStringList* bad)
{
    const QString name = QString::fromLatin1(key);
    int v = 0;
    if (gl::parseInt(gl::readShopSetting(name), &v))
        return v;
    if (bad)
        *bad << name;
    return fallback;
}

Goods goodsFrom(const QSqlQuery& q)
{
    Goods g;
    g.id = q.value(0).toString();
    g.spmc = q.value(1).toString();
    g.sj = q.value(2).toDouble();
    g.hyj = q.value(3).toDouble();
    return g;
}

PricedLine scaleLine(const Goods* g, const QString& goodsId, const QString& numberText, double number,
                     int mode, const QString& mberId)
{
    PricedLine line;
    line.id = goodsId;
    line.zk = QStringLiteral("100");
    if (mode == 2) {
        // Amount label: the scale has priced it already.
        line.name = g ? g->spmc : QString();
        line.price = numberText;
        line.qty = QStringLiteral("1");
        line.hyj = numberText;
        line.je = numberText;
        line.unit = number;
        return line;
    }
    line.name = g->spmc;
    line.price = gl::fmtNum(g->sj);
    line.qty = numberText;
    line.hyj = gl::fmtNum(g->hyj);
    double unit = g->sj;
    if (!mberId.isEmpty())
        unit = g->hyj > 0 ? g->hyj : g->sj * memberDiscount(mberId) / 100;
    line.unit = unit;
    line.je = gl::fmtNum(number * unit);
    return line;
}

} // namespace

ScaleSettings ScaleSettings::fromShop(QStringList* bad)
{
    ScaleSettings s;
    s.dzc = readPosition("dzc", 0, bad);
    s.bsm = gl::readShopSetting(QStringLiteral("dzc_bsm"));
    s.spbm1 = readPosition("dzc_spbm1", 0, bad);
    s.spbm2 = readPosition("dzc_spbm2", 0, bad);
    s.zsm1 = readPosition("dzc_zsm1", 0, bad);
    s.zsm2 = readPosition("dzc_zsm2", 0, bad);
    s.xsm1 = readPosition("dzc_xsm1", 0, bad);
    s.xsm2 = readPosition("dzc_xsm2", 0, bad);
    return s;
}

bool ScaleSettings::isScaleCode(const QString& code) const
{
    return (dzc == 1 || dzc == 2) && code.startsWith(bsm);
}

QString cutPositions(const QString& text, int first, int last)
{
    if (first < 1)
        first = 1;
    if (last < first || first > text.size())
        return QString();
    return text.mid(first - 1, last - first + 1);
}

ScaleCode cutScaleCode(const ScaleSettings& scale, const QString& code)
{
    ScaleCode c;
    c.goodsId = cutPositions(code, scale.spbm1, scale.spbm2);
    c.numberText = cutPositions(code, scale.zsm1, scale.zsm2) + QLatin1Char('.')
        + cutPositions(code, scale.xsm1, scale.xsm2);
    return c;
}

std::optional<Goods> findGoodsById(const QString& id)
{
    QSqlQuery q = gl::run(gl::shopDb(), QStringLiteral("SELECT id, spmc, sj, hyj FROM sp WHERE id = ?"), {id});
    if (!q.next())
        return std::nullopt;
    return goodsFrom(q);
}

std::optional<Goods> findGoods(const QString& idOrName)
{
    if (auto g = findGoodsById(idOrName))
        return g;
    QSqlQuery q = gl::run(gl::shopDb(),
                          QStringLiteral("SELECT id, spmc, sj, hyj FROM sp WHERE spmc = ? ORDER BY rowid LIMIT 1"),
                          {idOrName});
    if (!q.next())
        return std::nullopt;
    return goodsFrom(q);
}

PriceBreak largestBreak(const QString& spid)
{
    QSqlQuery q = gl::run(gl::shopDb(),
                          QStringLiteral("SELECT sl, dj FROM spdz WHERE spid = ? ORDER BY sl DESC LIMIT 1"), {spid});
    PriceBreak b;
    if (q.next()) {
        b.sl = q.value(0).toDouble();
        b.dj = q.value(1).toDouble();
    }
    return b;
}

double breakForUnit(const QString& spid, double k)
{
    const QVariant v =
        gl::scalar(gl::shopDb(), QStringLiteral("SELECT dj FROM spdz WHERE spid = ? AND sl = ?"), {spid, k});
    return v.isValid() ? v.toDouble() : -1;
}

bool discountAllowed(const QString& spid)
{
    const QVariant booldz = gl::scalar(gl::shopDb(), QStringLiteral("SELECT booldz FROM sp WHERE id = ?"), {spid});
    return !booldz.isValid() || booldz.toInt() != 0;
}

double memberDiscount(const QString& card)
{
    const QVariant v = gl::scalar(gl::shopDb(), QStringLiteral("SELECT zk FROM mber WHERE id = ?"), {card});
    return v.isValid() ? v.toDouble() : 0;
}

std::optional<Member> findMember(const QString& cardOrName)
{
    QSqlQuery q = gl::run(gl::shopDb(), QStringLiteral("SELECT id, mbername, st FROM mber WHERE id = ?"), {cardOrName});
    if (!q.next()) {
        q = gl::run(gl::shopDb(),
                    QStringLiteral("SELECT id, mbername, st FROM mber WHERE mbername LIKE ? ESCAPE '\\'"
                                   " ORDER BY rowid LIMIT 1"),
                    {gl::likeContains(cardOrName)});
        if (!q.next())
            return std::nullopt;
    }
    Member m;
    m.id = q.value(0).toString();
    m.mbername = q.value(1).toString();
    m.st = q.value(2).toInt();
    return m;
}

Entry priceEntry(const QString& text, const ScaleSettings& scale, const QString& mberId,
                 const std::function<double(const QString&)>& countInCart)
{
    Entry e;
    if (text.isEmpty())
        return e;

    if (scale.isScaleCode(text)) {
        const ScaleCode cut = cutScaleCode(scale, text);
        double number = 0;
        const bool numberOk = gl::parseNumber(cut.numberText, &number);
        if (scale.dzc == 1) {
            const auto g = findGoodsById(cut.goodsId);
            if (!g) {
                e.status = EntryStatus::ScaleGoodsMissing;
                return e;
            }
            if (!numberOk) {
                e.status = EntryStatus::BadScaleNumber;
                return e;
            }
            e.line = scaleLine(&*g, cut.goodsId, cut.numberText, number, 1, mberId);
        } else {
            if (!numberOk) {
                e.status = EntryStatus::BadScaleNumber;
                return e;
            }
            const auto g = findGoodsById(cut.goodsId);
            e.line = scaleLine(g ? &*g : nullptr, cut.goodsId, cut.numberText, number, 2, mberId);
        }
        e.status = EntryStatus::Added;
        return e;
    }

    // Ordinary code. A break row with quantity k prices exactly the k-th unit of the goods in this
    // sale; every unit past the largest k gets the largest k's price. Breaks are looked up with the
    // text as typed, so a goods entered by its name gets none.
    const double n = countInCart(text);
    const PriceBreak largest = largestBreak(text);
    double p = largest.sl >= 0 ? breakForUnit(text, n + 1) : -1;
    if (n + 1 > largest.sl && largest.sl > 0)
        p = largest.dj;

    const auto g = findGoods(text);
    if (!g) {
        e.status = EntryStatus::GoodsMissing;
        return e;
    }
    PricedLine& line = e.line;
    line.id = g->id;
    line.name = g->spmc;
    line.price = gl::fmtNum(p >= 0 ? p : g->sj);
    line.qty = QStringLiteral("1");
    line.zk = QStringLiteral("100");
    line.hyj = gl::fmtNum(g->hyj);
    if (p >= 0)
        line.unit = p;
    else if (!mberId.isEmpty())
        line.unit = g->hyj > 0 ? g->hyj : g->sj * memberDiscount(mberId) / 100;
    else
        line.unit = g->sj;
    line.je = gl::fmtNum(line.unit);
    e.status = EntryStatus::Added;
    return e;
}

double unitForRepricing(double storedUnit, bool haveStoredUnit, double price, double hyj, double qty, double je,
                        bool member)
{
    if (haveStoredUnit) {
        const double expected = storedUnit * qty;
        const double scale = std::max({1.0, std::fabs(expected), std::fabs(je)});
        if (std::fabs(expected - je) <= 1e-9 * scale)
            return storedUnit;
    }
    if (qty != 0)
        return je / qty;
    return member && hyj > 0 ? hyj : price;
}

} // namespace till
