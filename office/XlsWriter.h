#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace office {

// Writes an Excel 97-2003 workbook (.xls): BIFF8 records inside a version 3 compound file.
// Cells hold text only. Rows are streamed: each sheet keeps its cell records as bytes
// (14 bytes a cell) and the workbook keeps every distinct text once, already encoded as the
// file stores it, so memory grows with the distinct texts rather than with the cells.
//
// Cells of a sheet must be written row by row, columns ascending within a row; a cell out of
// that order or beyond 65,536 rows × 256 columns makes save() fail.
class XlsWriter {
public:
    static constexpr int MaxRows = 65536;
    static constexpr int MaxCols = 256;
    static constexpr int MaxChars = 32767;   // longer texts are cut

    struct Format {
        int points = 10;
        bool bold = false;
        bool text = false;       // number format "@"
        bool centred = false;    // centred horizontally and vertically
    };

    explicit XlsWriter(const QString& fontName = QStringLiteral("宋体"));
    ~XlsWriter();
    XlsWriter(const XlsWriter&) = delete;
    XlsWriter& operator=(const XlsWriter&) = delete;

    // A cell format for writeText/writeBlank; formats are shared by all sheets.
    int addFormat(const Format& format);

    // Starts a new sheet that the following cells go to; an empty or unusable name becomes
    // "SheetN". Returns the sheet's index.
    int addSheet(const QString& name = QString());
    int sheetCount() const { return int(m_sheets.size()); }

    // Room for this many more cells on the current sheet, so that big lists grow no buffer.
    void reserveCells(qsizetype count);

    // A text cell; an empty text writes a blank cell that still carries the format.
    // fit = false leaves the cell out of the fitted column width (title lines).
    void writeText(int row, int col, const QString& text, int format, bool fit = true);
    void writeBlank(int row, int col, int format);
    // Merges the cells of one row from firstCol to lastCol on the current sheet; the caller
    // writes the first cell and blanks for the others.
    void mergeRow(int row, int firstCol, int lastCol);

    // Writes the workbook atomically: either the whole file or, on failure, no file at all
    // (an existing file of that name is kept). errorText gets a reason on failure.
    bool save(const QString& fileName, QString* errorText = nullptr);

    // Width of a text in digit widths: East Asian wide characters count two, others one.
    static int textUnits(const QString& text);
    // The fitted column width in characters for a cell: units × points / 10 (× 1.1 bold) + 2.
    static double fittedWidth(const QString& text, int points, bool bold);

private:
    struct XfDef {
        int font;
        bool text;
        bool centred;
        int points;
        bool bold;
    };
    struct Merge {
        int row, firstCol, lastCol;
    };
    struct RowHeight {
        int row, points, lastCol;
    };
    struct Sheet {
        QString name;
        QByteArray cells;
        std::vector<double> widths;   // fitted width per column, 0 = default
        int lastRow = -1;
        int lastCol = -1;
        int maxRow = -1;
        int maxCol = -1;
        QList<Merge> merges;
        QList<RowHeight> rowHeights;   // rows that hold text larger than 10 pt, ascending
    };

    Sheet& current();
    bool place(int row, int col);
    void putCell(quint16 id, int row, int col, int format, const quint32* sst);
    void fit(Sheet& s, int col, const QString& text, int format);
    void growRow(int row, int col, int format);

    QByteArray globalsHead(std::vector<qsizetype>* sheetOffsetAt) const;
    qint64 writeSst(qint64 streamPos, QByteArray* ext, const std::function<bool(const QByteArray&)>& sink) const;
    QByteArray sheetHead(const Sheet& s) const;
    QByteArray sheetTail(const Sheet& s, bool active) const;

    QString m_fontName;
    QList<QPair<int, bool>> m_fonts;   // extra fonts (points, bold), from index 5 on
    QList<XfDef> m_xfs;
    QList<Sheet> m_sheets;
    class StringTable;
    std::unique_ptr<StringTable> m_sst;   // every distinct text once
    quint64 m_sstCells = 0;
    bool m_ok = true;
};

} // namespace office
