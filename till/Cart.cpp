#include "Cart.h"

#include "Format.h"
#include "Pricing.h"
#include "UnitMain.h"

#include <QTreeWidget>

namespace till {

namespace {

constexpr int kUnitRole = Qt::UserRole + 1;

} // namespace

double cellNumber(const QTreeWidgetItem* item, int column)
{
    double v = 0;
    return gl::parseNumber(item->text(column), &v) ? v : 0;
}

QVector<SaleLine> cartLines(const QTreeWidget* lvwSp)
{
    QVector<SaleLine> lines;
    const int n = lvwSp->topLevelItemCount();
    lines.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QTreeWidgetItem* item = lvwSp->topLevelItem(i);
        SaleLine l;
        l.spid = item->text(ColId);
        l.spmc = item->text(ColName);
        l.dj = cellNumber(item, ColPrice);
        l.sl = cellNumber(item, ColQty);
        l.zk = cellNumber(item, ColZk);
        l.hyj = cellNumber(item, ColHyj);
        l.je = cellNumber(item, ColJe);
        lines.push_back(l);
    }
    return lines;
}

double cartTotal(const QTreeWidget* lvwSp)
{
    double sum = 0;
    const int n = lvwSp->topLevelItemCount();
    for (int i = 0; i < n; ++i)
        sum += cellNumber(lvwSp->topLevelItem(i), ColJe);
    return sum;
}

QTreeWidgetItem* newCartItem(const PricedLine& line)
{
    auto* item = new QTreeWidgetItem(QStringList{line.id, line.name, line.price, line.qty, line.zk, line.hyj, line.je});
    setLineUnit(item, line.unit);
    return item;
}

QTreeWidgetItem* newCartItem(const SaleLine& line)
{
    auto* item = new QTreeWidgetItem(QStringList{line.spid, line.spmc, gl::fmtNum(line.dj), gl::fmtNum(line.sl),
                                                 gl::fmtNum(line.zk), gl::fmtNum(line.hyj), gl::fmtNum(line.je)});
    if (line.sl != 0)
        setLineUnit(item, line.je / line.sl);
    return item;
}

bool hasLineUnit(const QTreeWidgetItem* item)
{
    return item->data(ColJe, kUnitRole).isValid();
}

double lineUnit(const QTreeWidgetItem* item)
{
    return item->data(ColJe, kUnitRole).toDouble();
}

void setLineUnit(QTreeWidgetItem* item, double unit)
{
    item->setData(ColJe, kUnitRole, unit);
}

double CartTally::count(const QTreeWidget* lvwSp, const QString& id)
{
    if (stale_) {
        sums_.clear();
        const int n = lvwSp->topLevelItemCount();
        for (int i = 0; i < n; ++i) {
            const QTreeWidgetItem* item = lvwSp->topLevelItem(i);
            sums_[item->text(ColId)] += cellNumber(item, ColQty);
        }
        stale_ = false;
    }
    return sums_.value(id, 0);
}

void CartTally::added(const QString& id, double qty)
{
    if (!stale_)
        sums_[id] += qty;
}

} // namespace till
