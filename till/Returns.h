#pragma once

#include "Cart.h"

#include <QSqlDatabase>
#include <QString>
#include <vector>

namespace till {

// A paid sale line as the returns list shows it; id is xiangxi.id.
struct ReturnLine {
    qint64 id = 0;
    SaleLine line;
};

enum class LookupStatus { Found, NotFound, Held };

struct ReceiptLookup {
    LookupStatus status = LookupStatus::NotFound;
    QString mberId;                  // member of the sale, empty when none
    std::vector<ReturnLine> lines;   // the lines still on the receipt
};

ReceiptLookup lookupReceipt(const QSqlDatabase& db, const QString& conid);

struct ReturnRequest {
    QString conid;
    QString mberId;              // member of the sale
    std::vector<qint64> lineIds;   // the ticked lines, top to bottom
    bool restock = true;         // put the goods back into stock
    bool refundToCard = false;   // credit the refund to the member's stored value
    QString czy;
};

struct ReturnResult {
    bool receiptFound = true;
    bool memberMissing = false;           // refund to card asked, member row gone: balance not credited
    std::vector<qint64> returned;         // lines booked by this return
    std::vector<qint64> alreadyReturned;  // lines another return had booked first
    double refund = 0;                    // sum of the amounts of the lines booked here
};

// Books a return in one transaction. Each line is taken off the receipt only if it is still there,
// and only what was taken off lowers ssje, goes back into stock, is credited and gets a thjl row,
// so two tills returning the same line refund it once. Throws gl::DbError with nothing written.
ReturnResult bookReturn(const QSqlDatabase& db, const ReturnRequest& request);

} // namespace till
