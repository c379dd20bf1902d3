#include "UnitExcel.h"

#include "Dialogs.h"
#include "XlsWriter.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QGuiApplication>
#include <QTreeView>

#include <new>

namespace office {

namespace {

constexpr int CaptionRow = 4;       // row 5: rows 1-3 hold the title block, row 4 stays empty
constexpr int MoreCaptionRow = 0;   // continuation sheets start with the captions

class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { done(); }
    void done()
    {
        if (m_on)
            QGuiApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

struct Formats {
    int title, info, caption, data;
};

} // namespace

QString xlsFileName(const QString& chosen)
{
    return chosen.right(4) == QLatin1String(".xls") ? chosen : chosen + QLatin1String(".xls");
}

bool ListToExcel(QTreeView* list, const QString& title, const QString& subtitle, QWidget* owner)
{
    QString fileName = gl::SaveFileName(QStringLiteral("导出为Excel文档"), QString(),
                                        QStringLiteral("EXCEL电子表格(*.xls)"), owner);
    if (fileName.isEmpty())
        return false;
    fileName = xlsFileName(fileName);

    QAbstractItemModel* model = list ? list->model() : nullptr;
    QList<int> columns;   // the list's columns as shown: hidden ones are left out
    QModelIndex root;
    if (model) {
        root = list->rootIndex();
        // Models that load rows on demand hand over the whole list.
        while (model->canFetchMore(root))
            model->fetchMore(root);
        for (int c = 0; c < model->columnCount(root); ++c)
            if (!list->isColumnHidden(c))
                columns.append(c);
    }
    const int rows = model ? model->rowCount(root) : 0;
    const int ncols = int(columns.size());

    BusyCursor busy;
    XlsWriter xls;
    Formats f;
    f.title = xls.addFormat({14, true, false, true});
    f.info = xls.addFormat({14, false, false, false});
    f.caption = xls.addFormat({10, false, false, false});
    f.data = xls.addFormat({10, false, true, false});

    QStringList captions;
    for (int c : columns)
        captions << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    auto writeCaptions = [&](int row) {
        for (int k = 0; k < ncols; ++k)
            xls.writeText(row, k, captions.at(k), f.caption);
    };

    bool complete = ncols <= XlsWriter::MaxCols;
    if (complete) {
        try {
            xls.addSheet();
            // The title lines do not count for the column widths.
            xls.writeText(0, 0, title, f.title, false);
            for (int k = 1; k < ncols; ++k)
                xls.writeBlank(0, k, f.title);
            xls.mergeRow(0, 0, ncols - 1);
            xls.writeText(1, 0,
                          QStringLiteral("生成时间:")
                              + QDateTime::currentDateTime().toString(QStringLiteral("yyyy年MM月dd日  hh:mm:ss")),
                          f.info, false);
            xls.writeText(2, 0, subtitle, f.info, false);
            writeCaptions(CaptionRow);

            int row = CaptionRow + 1;
            xls.reserveCells(qsizetype(std::min(rows, XlsWriter::MaxRows - row)) * ncols);
            for (int r = 0; r < rows; ++r) {
                if (row >= XlsWriter::MaxRows) {
                    xls.addSheet();
                    writeCaptions(MoreCaptionRow);
                    row = MoreCaptionRow + 1;
                    xls.reserveCells(qsizetype(std::min(rows - r, XlsWriter::MaxRows - row)) * ncols);
                }
                for (int k = 0; k < ncols; ++k)
                    xls.writeText(row, k, model->data(model->index(r, columns.at(k), root)).toString(), f.data);
                ++row;
            }
        } catch (const std::bad_alloc&) {
            complete = false;
        }
    }
    if (!complete) {
        busy.done();
        gl::MsgInfo(QStringLiteral("数据为能全部导出"), owner);
        return false;
    }

    bool saved = false;
    try {
        saved = xls.save(fileName);
    } catch (const std::bad_alloc&) {
        saved = false;
    }
    busy.done();
    if (!saved) {
        gl::MsgInfo(QStringLiteral("数据导出失败：") + fileName, owner);
        return false;
    }
    gl::MsgInfo(QStringLiteral("数据已成功导出至：") + fileName, owner);
    return true;
}

} // namespace office
