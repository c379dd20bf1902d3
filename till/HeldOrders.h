#pragma once

#include "Cart.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>
#include <vector>

namespace till {

// Header of a held order (con row with st = 0).
struct HeldOrder {
    QString conid;
    double ssje = 0;
    QString mberId;
    QString mberName;
    QString czy;
    QString createtime;   // as stored, yyyy-MM-dd HH:mm:ss
};

struct HoldRequest {
    QString conid;
    double zje = 0;
    QString mberId;
    QString mberName;
    QString czy;
    std::vector<SaleLine> lines;
};

enum class HoldStatus { Held, AlreadyPaid };

// Parks a sale, or replaces the header and lines of the held order with the same number, in one
// transaction. A paid receipt is left alone.
HoldStatus holdOrder(const QSqlDatabase& db, const HoldRequest& request);

// Every held order of every till, oldest first.
std::vector<HeldOrder> heldOrders(const QSqlDatabase& db);

// The held order with that number and its lines in stored order; nothing when it is not a held order.
std::optional<HeldOrder> loadHeldOrder(const QSqlDatabase& db, const QString& conid, std::vector<SaleLine>* lines);

// Deletes a held order with its lines in one transaction; false when no held order has that number.
bool deleteHeldOrder(const QSqlDatabase& db, const QString& conid);

} // namespace till
