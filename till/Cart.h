#pragma once

#include <QHash>
#include <QString>
#include <QVector>

class QTreeWidget;
class QTreeWidgetItem;

namespace till {

struct PricedLine;

// One cart line with its numbers, as checkout and held orders store it.
struct SaleLine {
    QString spid, spmc;
    double dj = 0;    // unit price
    double sl = 0;    // quantity
    double zk = 100;  // discount percent
    double hyj = 0;   // member price
    double je = 0;    // amount
};

// The number in a cell of a cart line; a cell that is not a number counts as 0.
double cellNumber(const QTreeWidgetItem* item, int column);

// The rows of lvwSp in cart order. A cell that is not a number counts as 0.
QVector<SaleLine> cartLines(const QTreeWidget* lvwSp);
// Sum of the amount column.
double cartTotal(const QTreeWidget* lvwSp);

// A new cart row (not yet in a list) from a priced line, or from stored numbers (a held order).
QTreeWidgetItem* newCartItem(const PricedLine& line);
QTreeWidgetItem* newCartItem(const SaleLine& line);

// The price of one unit a line's amount was computed from; a quantity change keeps it.
bool hasLineUnit(const QTreeWidgetItem* item);
double lineUnit(const QTreeWidgetItem* item);
void setLineUnit(QTreeWidgetItem* item, double unit);

// Summed quantity per goods id of the cart, kept up to date as lines are added so that a scan
// does not walk the whole cart; anything else that changes the cart marks it stale and it is
// counted again on the next question.
class CartTally {
public:
    double count(const QTreeWidget* lvwSp, const QString& id);
    void added(const QString& id, double qty);
    void invalidate() { stale_ = true; }

private:
    QHash<QString, double> sums_;
    bool stale_ = true;
};

} // namespace till
