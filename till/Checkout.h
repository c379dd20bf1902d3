#pragma once

#include "Cart.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <vector>

namespace till {

// The three tenders of a payment.
struct Tenders {
    double cash = 0;     // xjfk: the cash handed over, change included
    double card = 0;     // ylfk
    double stored = 0;   // czfk: taken from the member's stored value
    double sum() const { return cash + card + stored; }
};

// Reads the three tender texts; false when one of them is not a number (an empty text counts as 0).
bool parseTenders(const QString& cash, const QString& card, const QString& stored, Tenders* out);

// Change to show: the overpayment rounded to two decimals.
double changeOf(double tendered, double due);

struct CheckoutRequest {
    QString conid;
    double zje = 0;   // amount due as the sale screen holds it
    QString mberId;
    QString mberName;
    QString czy;
    std::vector<SaleLine> lines;
    Tenders tenders;
    double yuan = 0;   // spending per point; 0 = no points
};

enum class CheckoutStatus {
    Paid,
    Short,           // tenders below the amount due
    AlreadyPaid,     // the receipt number is a paid sale
    MemberMissing,   // stored value used but the member row is gone
    BalanceShort,    // stored value above the balance
    StockShort,      // stock short or goods missing, and the shop does not sell below stock
};

struct CheckoutResult {
    CheckoutStatus status = CheckoutStatus::Paid;
    QString stockMessage;       // the shortages found, one line each (CR LF)
    bool heldOrder = false;     // a held order was paid
    bool stockBooked = false;   // false when the shop sold below stock: nothing of this sale was booked
    int points = 0;             // points credited to the member
};

// The stock check of a cart: one line per goods that is missing or short, empty when every goods
// of the cart is in stock. The quantities of lines of the same goods are added up first.
QString stockShortages(const QSqlDatabase& db, const std::vector<SaleLine>& lines);

// Books a payment in one transaction: the checks on the receipt, the member balance and the stock,
// the stock booking, the sale header and lines (a held order's lines are replaced by the cart as
// paid), the stored-value deduction and the points. Either all of it is written or nothing.
// `kcbz` is read inside the transaction. Throws gl::DbError on a database failure, with nothing written.
CheckoutResult bookCheckout(const QSqlDatabase& db, const CheckoutRequest& request);

// A text for a NOT NULL column: a null QString is stored as empty text.
inline QVariant dbText(const QString& s)
{
    return s.isNull() ? QVariant(QString(QLatin1String(""))) : QVariant(s);
}

// Appends the lines of a sale or held order to xiangxi, in cart order (st = paid).
void storeSaleLines(const QSqlDatabase& db, const QString& conid, const std::vector<SaleLine>& lines, bool paid,
                    const QString& czy, const QString& time);

// Message of each refusal, as the cashier sees it.
QString checkoutMessage(CheckoutStatus status);

} // namespace till
