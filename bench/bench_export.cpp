// Exports a list of 100,000 rows × 15 columns to a spreadsheet file and prints the time taken
// and the peak memory of the process. Targets: under 2 s and under 300 MB.
//
// usage: bench_export [view|widget] [--rows N] [--keep FILE] [--distinct]
//   view        a QTreeView over a model that makes its texts on demand
//   widget      a QTreeWidget holding every text (the list screens' own kind of list)
//   --distinct  every cell a different text: the worst case for the shared string table
// Without a mode both are run, each in a process of its own so that each peak is its own.
#include "Dialogs.h"
#include "UnitExcel.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>

#include <sys/resource.h>

#include <cstdio>
#include <memory>

namespace {

constexpr int Columns = 15;
bool g_distinct = false;

double peakMb()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss / 1024.0;   // kilobytes on Linux
}

// Processor time used so far (user + system), which other programs on the machine do not inflate.
qint64 cpuMs()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000LL + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000;
}

// The text of a goods-like row: ids, names and barcodes differ on every row, categories,
// units and suppliers repeat, prices and stock take a few thousand values.
QString goodsText(int row, int col);

QString text(int row, int col)
{
    return g_distinct ? QStringLiteral("%1 #%2").arg(goodsText(row, col)).arg(row * Columns + col)
                      : goodsText(row, col);
}

QString goodsText(int row, int col)
{
    switch (col) {
    case 0:
        return QStringLiteral("%1").arg(row + 1, 8, 10, QLatin1Char('0'));
    case 1:
        return QStringLiteral("商品名称%1号 500g装").arg(row);
    case 2:
        return QStringLiteral("类别%1").arg(row % 40);
    case 3:
        return QStringList{"个", "瓶", "包", "箱", "千克"}.at(row % 5);
    case 4:
        return QString::number((row % 5000) / 10.0 + 0.5);
    case 5:
        return QString::number((row % 5000) / 10.0 + 0.9);
    case 6:
        return QString::number((row % 4000) / 10.0 + 0.3);
    case 7:
        return QString::number(row % 300);
    case 8:
        return QString::number(row % 1200);
    case 9:
        return QStringLiteral("供货商%1有限公司").arg(row % 200);
    case 10:
        return QStringLiteral("69%1").arg(row * 7919LL % 100000000000LL, 11, 10, QLatin1Char('0'));
    case 11:
        return QStringLiteral("2026-%1-%2 08:30:00")
            .arg(row % 12 + 1, 2, 10, QLatin1Char('0'))
            .arg(row % 28 + 1, 2, 10, QLatin1Char('0'));
    case 12:
        return row % 3 ? QStringLiteral("是") : QStringLiteral("否");
    case 13:
        return QString::number(row % 100);
    default:
        return row % 10 ? QString() : QStringLiteral("备注%1").arg(row % 1000);
    }
}

class GoodsModel : public QAbstractTableModel {
public:
    explicit GoodsModel(int rows) : m_rows(rows) {}
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : m_rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : Columns; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(text(index.row(), index.column())) : QVariant();
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        return QStringLiteral("栏目%1").arg(section + 1);
    }

private:
    int m_rows;
};

// Answers the file dialog with a fixed name and prints every message.
class BenchDialogs final : public gl::DialogBackend {
public:
    QString fileName;
    void message(QWidget*, gl::MsgIcon, const QString& title, const QString& text) override
    {
        std::printf("  message [%s] %s\n", qPrintable(title), qPrintable(text));
    }
    bool question(QWidget*, const QString&, const QString&) override { return false; }
    QString input(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return fileName; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
};

int runOne(const QString& mode, int rows, const QString& keep)
{
    QTemporaryDir dir;
    BenchDialogs dialogs;
    gl::setDialogBackend(&dialogs);
    dialogs.fileName = keep.isEmpty() ? dir.filePath(QStringLiteral("bench.xls")) : keep;

    QElapsedTimer fill;
    fill.start();
    std::unique_ptr<QTreeView> list;
    std::unique_ptr<GoodsModel> model;
    if (mode == QLatin1String("widget")) {
        auto w = std::make_unique<QTreeWidget>();
        QStringList captions;
        for (int c = 0; c < Columns; ++c)
            captions << QStringLiteral("栏目%1").arg(c + 1);
        w->setHeaderLabels(captions);
        QList<QTreeWidgetItem*> items;
        items.reserve(rows);
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTreeWidgetItem;
            for (int c = 0; c < Columns; ++c)
                item->setText(c, text(r, c));
            items.append(item);
        }
        w->addTopLevelItems(items);
        list = std::move(w);
    } else {
        model = std::make_unique<GoodsModel>(rows);
        list = std::make_unique<QTreeView>();
        list->setModel(model.get());
    }
    const qint64 fillMs = fill.elapsed();
    const double beforeMb = peakMb();

    QElapsedTimer t;
    t.start();
    const qint64 cpuBefore = cpuMs();
    const bool ok = office::ListToExcel(list.get(), QStringLiteral("商品信息"), QString());
    const qint64 ms = t.elapsed();
    const qint64 cpu = cpuMs() - cpuBefore;
    const double mb = peakMb();
    std::printf("%-6s %d rows x %d columns%s: list filled in %lld ms (peak %.0f MB); export %s in %lld ms "
                "(processor %lld ms), file %.1f MB, peak memory %.0f MB\n",
                qPrintable(mode), rows, Columns, g_distinct ? " (all texts distinct)" : "", fillMs, beforeMb, ok ? "done" : "FAILED", ms, cpu,
                QFileInfo(dialogs.fileName).size() / 1048576.0, mb);
    std::printf("       targets: export < 2000 ms %s, peak < 300 MB %s\n", ms < 2000 ? "met" : "MISSED",
                mb < 300 ? "met" : "MISSED");
    gl::setDialogBackend(nullptr);
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int rows = 100000;
    QString keep;
    QString mode;
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--rows") && i + 1 < args.size())
            rows = args[++i].toInt();
        else if (args[i] == QLatin1String("--distinct"))
            g_distinct = true;
        else if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else
            mode = args[i];
    }
    if (!mode.isEmpty())
        return runOne(mode, rows, keep);

    int rc = 0;
    for (const QString& m : {QStringLiteral("view"), QStringLiteral("widget")}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        QStringList childArgs = {m, QStringLiteral("--rows"), QString::number(rows)};
        if (g_distinct)
            childArgs << QStringLiteral("--distinct");
        child.start(app.applicationFilePath(), childArgs);
        child.waitForFinished(-1);
        rc |= child.exitCode();
    }
    return rc;
}
