#include "GoodsList.h"

#include "Db.h"
#include "Format.h"
#include "RowReader.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <iterator>

namespace office
{

namespace goods
{

namespace
{

// The columns in list order, so that rows are read by position.
const QString kSelect = QStringLiteral("SELECT id, spmc, huohao, jj, sj, hyj, kc, guige, splb, booldz, "
                                       "booljf, sc, createtime, lastjh, ps FROM sp");

} // namespace

const QStringList& captions()
{
    static const QStringList c = {
        QStringLiteral("商品编号"),   QStringLiteral("商品名称"),     QStringLiteral("商品货号"),
        QStringLiteral("进价（元）"), QStringLiteral("售价（元）"),   QStringLiteral("会员价（元）"),
        QStringLiteral("库存量"),     QStringLiteral("规格"),         QStringLiteral("类别"),
        QStringLiteral("是否打折"),   QStringLiteral("是否积分"),     QStringLiteral("售出量"),
        QStringLiteral("添加时间"),   QStringLiteral("最后进货时间"), QStringLiteral("备注信息"),
    };
    return c;
}

const QVector<int>& columnWidths()
{
    static const QVector<int> w = {100, 100, 100, 110, 110, 110, 80, 80, 80, 80, 80, 80, 120, 120, 100};
    return w;
}

QString sortField(int column)
{
    // The only names that ever follow ORDER BY.
    static const char* const fields[] = {"id",    "spmc", "huohao", "jj",     "sj", "hyj",        "kc",
                                         "guige", "splb", "booldz", "booljf", "sc", "createtime", "lastjh"};
    if (column < 0 || column >= int(std::size(fields)))
        return QString();
    return QString::fromLatin1(fields[column]);
}

SpQuery allGoods()
{
    return {kSelect, {}};
}

SpQuery byCategory(const QString& name)
{
    return {kSelect + QStringLiteral(" WHERE splb = ?"), {name}};
}

SpQuery quickSearch(const QString& text)
{
    if (text.isEmpty())
        return allGoods();
    const QString pattern = gl::likeContains(text);
    return {kSelect + QStringLiteral(" WHERE id LIKE ? ESCAPE '\\' OR huohao = ? OR spmc LIKE ? ESCAPE '\\'"),
            {pattern, text, pattern}};
}

SpQuery advancedSearch(const AdvCriteria& c)
{
    SpQuery q{kSelect + QStringLiteral(" WHERE booldz = ? AND booljf = ?"), {c.dz ? 1 : 0, c.jf ? 1 : 0}};
    if (c.useGuige) {
        q.sql += QStringLiteral(" AND guige = ?");
        q.params << notNull(c.guige);
    }
    if (c.useLb) {
        q.sql += QStringLiteral(" AND splb = ?");
        q.params << c.lb;
    }
    if (c.useKc) {
        q.sql += QStringLiteral(" AND (kc >= ? AND kc <= ?)");
        q.params << c.kc1 << c.kc2;
    }
    return q;
}

SpQuery sorted(const SpQuery& base, int column, bool descending)
{
    const QString field = sortField(column);
    if (field.isEmpty() || base.isEmpty())
        return {};
    return {base.sql + QStringLiteral(" ORDER BY ") + field +
                (descending ? QStringLiteral(" DESC") : QStringLiteral(" ASC")),
            base.params};
}

QString notNull(const QString& text)
{
    return text.isNull() ? QStringLiteral("") : text;
}

double roundWhole(double value)
{
    // The default rounding mode sends halves to the even neighbour: 2.5 -> 2, 3.5 -> 4.
    return std::nearbyint(value);
}

QString fmtWhole(double value)
{
    const double r = roundWhole(value);
    if (std::fabs(r) < 9e15)
        return QString::number(qint64(r));
    return gl::fmtNum(r);
}

QString fmtListTime(const QString& dbText)
{
    if (dbText.size() < 10)
        return QString();
    // "yyyy-MM-dd HH:mm:ss", taken apart by position: lists show many of them.
    const QDate d(dbText.mid(0, 4).toInt(), dbText.mid(5, 2).toInt(), dbText.mid(8, 2).toInt());
    if (!d.isValid())
        return dbText;
    QTime t(0, 0);
    if (dbText.size() >= 19)
        t = QTime(dbText.mid(11, 2).toInt(), dbText.mid(14, 2).toInt(), dbText.mid(17, 2).toInt());
    if (!t.isValid() || t == QTime(0, 0))
        return gl::fmtDate(d);
    return gl::fmtDateTime(QDateTime(d, t));
}

} // namespace goods

GoodsModel::GoodsModel(QObject* parent) : QAbstractTableModel(parent), captions_(goods::captions()) {}

void GoodsModel::load(const QSqlDatabase& db, const SpQuery& query)
{
    RowReader q(db, query.sql, query.params);
    std::vector<Row> rows;
    QByteArray texts;
    texts.reserve(1 << 20);
    static const int kTextColumns[TextCellCount] = {SpId, SpMc,         SpHuohao, SpGuige,
                                                    SpLb, SpCreatetime, SpLastjh, SpPs};
    while (q.next()) {
        Row r;
        for (int c = 0; c < TextCellCount; ++c) {
            r.start[c] = texts.size();
            q.appendUtf8(kTextColumns[c], texts);
        }
        r.start[TextCellCount] = texts.size();
        r.jj = q.number(SpJj);
        r.sj = q.number(SpSj);
        r.hyj = q.number(SpHyj);
        r.kc = q.number(SpKc);
        r.sc = q.number(SpSc);
        r.dz = q.integer(SpDz) != 0;
        r.jf = q.integer(SpJf) != 0;
        rows.push_back(r);
    }
    beginResetModel();
    rows_ = std::move(rows);
    texts_ = std::move(texts);
    endResetModel();
}

void GoodsModel::clear()
{
    beginResetModel();
    rows_.clear();
    texts_.clear();
    endResetModel();
}

int GoodsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int GoodsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : SpColumnCount;
}

QString GoodsModel::cell(const Row& r, TextCell c) const
{
    return QString::fromUtf8(texts_.constData() + r.start[c], r.start[c + 1] - r.start[c]);
}

QString GoodsModel::text(int row, int column) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    const Row& r = rows_[size_t(row)];
    const QString yes = QStringLiteral("是"), no = QStringLiteral("否");
    switch (column) {
    case SpId:
        return cell(r, TId);
    case SpMc:
        return cell(r, TMc);
    case SpHuohao:
        return cell(r, THuohao);
    case SpJj:
        return gl::fmtNum(r.jj);
    case SpSj:
        return gl::fmtNum(r.sj);
    case SpHyj:
        return gl::fmtNum(r.hyj);
    case SpKc:
        return goods::fmtWhole(r.kc);
    case SpGuige:
        return cell(r, TGuige);
    case SpLb:
        return cell(r, TLb);
    case SpDz:
        return r.dz ? yes : no;
    case SpJf:
        return r.jf ? yes : no;
    case SpSc:
        return goods::fmtWhole(r.sc);
    case SpCreatetime:
        return goods::fmtListTime(cell(r, TCreatetime));
    case SpLastjh:
        return goods::fmtListTime(cell(r, TLastjh));
    case SpPs:
        return cell(r, TPs);
    default:
        return QString();
    }
}

QVariant GoodsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return QVariant();
    return text(index.row(), index.column());
}

QVariant GoodsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < captions_.size())
        return captions_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool GoodsModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value, int role)
{
    if (orientation != Qt::Horizontal || (role != Qt::EditRole && role != Qt::DisplayRole) || section < 0 ||
        section >= captions_.size())
        return false;
    captions_[section] = value.toString();
    emit headerDataChanged(orientation, section, section);
    return true;
}

bool GoodsModel::removeRows(int row, int count, const QModelIndex& parent)
{
    if (parent.isValid() || row < 0 || count <= 0 || row + count > rowCount())
        return false;
    beginRemoveRows(parent, row, row + count - 1);
    // The removed rows' text stays in the buffer until the next fill.
    rows_.erase(rows_.begin() + row, rows_.begin() + row + count);
    endRemoveRows();
    return true;
}

} // namespace office
