#pragma once

#include <QDate>
#include <QList>
#include <QString>

namespace till {

// The paid sales of one day at the till, optionally of one operator. Every figure is net of
// returns: a return lowers con.ssje and deletes the returned lines. Held orders never count.
struct DailyReceipt {
    QString conid;
    double ssje = 0;   // amount charged
    double cash = 0;   // ssje - ylfk - czfk: cash kept, change already given back
    double ylfk = 0;   // bank card
    double czfk = 0;   // member's stored value
    QString mberid;
    QString czy;
};

struct DailyGoods {
    QString spid;
    QString spmc;   // empty when the goods has since left the catalogue
    QString splb;
    double sl = 0;
    double je = 0;
};

struct DailyTotals {
    bool anySale = false;   // false: the day has no paid sale and the totals stay blank
    int count = 0;
    double xse = 0;   // sales amount
    double yl = 0;
    double cz = 0;
    double cash() const { return xse - yl - cz; }
    bool anyLine = false;   // false: no sale line, the quantity stays blank
    double quantity = 0;
};

struct DailyReport {
    QList<DailyReceipt> receipts;   // newest first
    QList<DailyGoods> goods;        // one row per goods id
    DailyTotals totals;
};

// `czy` empty means every operator. Throws gl::DbError.
DailyReport loadDailyReport(const QDate& day, const QString& czy);

} // namespace till
