#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace till {

// Electronic-scale barcodes: the mode, the flag code and where the parts sit in a label
// (character positions counted from 1, both ends included).
struct ScaleSettings {
    int dzc = 0;   // 0 no scale codes, 1 weight codes, 2 amount codes
    QString bsm;   // flag code: the leading characters of a scale label
    int spbm1 = 0, spbm2 = 0;   // goods id
    int zsm1 = 0, zsm2 = 0;     // integer part of the weight or amount
    int xsm1 = 0, xsm2 = 0;     // decimal part

    // Reads the shop settings. Keys that do not hold a whole number keep the value above and are
    // named in `bad`.
    static ScaleSettings fromShop(QStringList* bad = nullptr);

    // A scale mode is on and the code begins with the flag code.
    bool isScaleCode(const QString& code) const;
};

// Characters first..last of text (from 1, both included); shorter or empty past the end.
QString cutPositions(const QString& text, int first, int last);

struct ScaleCode {
    QString goodsId;
    QString numberText;   // integer part + "." + decimal part, exactly as cut
};
ScaleCode cutScaleCode(const ScaleSettings& scale, const QString& code);

struct Goods {
    QString id, spmc;
    double sj = 0;    // sale price
    double hyj = 0;   // member price, 0 = none
};
std::optional<Goods> findGoodsById(const QString& id);
// An id, else an exact goods name (the first such goods).
std::optional<Goods> findGoods(const QString& idOrName);

// The quantity price break with the largest quantity of a goods; both -1 when it has none.
struct PriceBreak {
    double sl = -1;
    double dj = -1;
};
PriceBreak largestBreak(const QString& spid);
// Price of the k-th unit of a goods in one sale, or -1 when no break names that unit.
double breakForUnit(const QString& spid, double k);

// Whether the goods may take a line discount; goods no longer in the catalogue are not refused.
bool discountAllowed(const QString& spid);

// Discount percent of a member card, 0 when there is no such card.
double memberDiscount(const QString& card);

struct Member {
    QString id, mbername;
    int st = 0;   // 0 = valid
};
// A card number, else the first member whose name contains the text.
std::optional<Member> findMember(const QString& cardOrName);

// One priced cart line: the texts of its seven columns and the price of one unit its amount was
// computed from, which a later quantity change keeps.
struct PricedLine {
    QString id, name, price, qty, zk, hyj, je;
    double unit = 0;
};

enum class EntryStatus {
    Nothing,            // empty text
    Added,              // `line` is the new cart line
    GoodsMissing,       // "商品不存在！"
    ScaleGoodsMissing,  // "条码中的商品不存在！"
    BadScaleNumber,     // the weight or amount cut from a scale label is not a number
};

struct Entry {
    EntryStatus status = EntryStatus::Nothing;
    PricedLine line;
};

// What one code typed or scanned into the entry box becomes. `countInCart` gives the summed
// quantity of the cart lines whose goods id is exactly the given text; `mberId` is the member
// of the sale, empty when none.
Entry priceEntry(const QString& text, const ScaleSettings& scale, const QString& mberId,
                 const std::function<double(const QString&)>& countInCart);

// The unit price a line is repriced with when its quantity changes: the unit it was entered at
// while its amount still agrees with it; when something else has repriced the line since (a
// discount), amount / quantity; failing both, the member price or unit price column.
double unitForRepricing(double storedUnit, bool haveStoredUnit, double price, double hyj, double qty,
                        double je, bool member);

} // namespace till
