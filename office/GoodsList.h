#pragma once

#include <QAbstractTableModel>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <QVector>
#include <vector>

class QSqlDatabase;

namespace office
{

// A goods query: fixed SQL pieces and the values bound into them. Typed text only ever
// travels in `params`.
struct SpQuery {
    QString sql;
    QVariantList params;
    bool isEmpty() const { return sql.isEmpty(); }
    bool operator==(const SpQuery& o) const { return sql == o.sql && params == o.params; }
    bool operator!=(const SpQuery& o) const { return !(*this == o); }
};

// Columns of the goods list, in the order shown.
enum SpColumn {
    SpId = 0,
    SpMc,
    SpHuohao,
    SpJj,
    SpSj,
    SpHyj,
    SpKc,
    SpGuige,
    SpLb,
    SpDz,
    SpJf,
    SpSc,
    SpCreatetime,
    SpLastjh,
    SpPs,
    SpColumnCount
};

namespace goods
{

// Plain captions of the fifteen columns, and their widths on screen.
const QStringList& captions();
const QVector<int>& columnWidths();

// Field a column sorts by; empty for the remark column, which never sorts.
QString sortField(int column);

SpQuery allGoods();
SpQuery byCategory(const QString& name);
// Id and name match anywhere, the article number only as a whole; empty text lists all goods.
SpQuery quickSearch(const QString& text);

struct AdvCriteria {
    bool dz = true;
    bool jf = true;
    bool useGuige = false;
    QString guige;
    bool useLb = false;
    QString lb;
    bool useKc = false;
    double kc1 = 0;
    double kc2 = 0;
};
SpQuery advancedSearch(const AdvCriteria& c);

// The base query ordered by a column's field; an empty query for a column that does not sort.
SpQuery sorted(const SpQuery& base, int column, bool descending);

// Text bound into a NOT NULL column: an empty box gives empty text, never null.
QString notNull(const QString& text);

// Stock and sold quantities: the nearest whole number, halves to the even neighbour.
QString fmtWhole(double value);
double roundWhole(double value);
// A stored date-time on screen; midnight shows the date alone; null or empty shows nothing.
QString fmtListTime(const QString& dbText);

} // namespace goods

// The rows of the goods list, kept as read and turned into text when shown, so that a list of
// a whole large catalogue fills quickly.
class GoodsModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit GoodsModel(QObject* parent = nullptr);

    // Replaces the rows with the result of the query; throws gl::DbError.
    void load(const QSqlDatabase& db, const SpQuery& query);
    void clear();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                       int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = QModelIndex()) override;

    QString text(int row, int column) const;
    QString caption(int column) const { return captions_.value(column); }

private:
    // The text cells of all rows sit in one UTF-8 buffer, so that filling a list of a whole
    // catalogue allocates almost nothing per row.
    enum TextCell { TId, TMc, THuohao, TGuige, TLb, TCreatetime, TLastjh, TPs, TextCellCount };
    struct Row {
        qsizetype start[TextCellCount + 1]; // offsets into texts_; cell i is [start[i], start[i+1])
        double jj, sj, hyj, kc, sc;
        bool dz, jf;
    };
    QString cell(const Row& r, TextCell c) const;
    std::vector<Row> rows_;
    QByteArray texts_;
    QStringList captions_;
};

} // namespace office
