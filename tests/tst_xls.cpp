// The spreadsheet export: workbooks written by XlsWriter and ListToExcel, read back with xlrd
// (xls_check.py beside this file) as a spreadsheet reader would see them.
#include "ScriptedDialogs.h"
#include "UnitExcel.h"
#include "XlsWriter.h"

#include <QAbstractTableModel>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QTreeView>
#include <QTreeWidget>
#include <QtEndian>

#include <memory>
#include <QtTest>

class TestXls : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void customModelAsShown();
    void continuesOnMoreSheets();
    void sstContinueBoundaries_data();
    void sstContinueBoundaries();
    void manyStringsAndLongCells();
    void bigFileUsesDifat();
    void fileName_data();
    void fileName();
    void cancelShowsNothing();
    void unwritableTarget_data();
    void unwritableTarget();
    void tooManyColumns();
};

namespace {

const QString SavedPrefix = QStringLiteral("数据已成功导出至：");
const QString FailedPrefix = QStringLiteral("数据导出失败：");

QString python()
{
    // The system interpreter carries python3-xlrd; a python3 earlier in PATH may not.
    return QFile::exists(QStringLiteral("/usr/bin/python3")) ? QStringLiteral("/usr/bin/python3")
                                                             : QStringLiteral("python3");
}

// Reads a workbook back; returns false with the complaint in *error when xlrd cannot read it,
// logs a warning, or the file breaks a rule of the format.
bool readBack(const QString& path, QJsonObject* book, QString* error, int fmtRows = 8)
{
    const QString script = QFINDTESTDATA("xls_check.py");
    QProcess p;
    p.start(python(), {script, path, QStringLiteral("--fmt-rows"), QString::number(fmtRows)});
    if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QString::fromUtf8(p.readAllStandardError()) + p.errorString();
        return false;
    }
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(p.readAllStandardOutput(), &pe);
    if (!doc.isObject()) {
        *error = pe.errorString();
        return false;
    }
    *book = doc.object();
    // Files that xlrd reads but that break stricter readers count as failures too.
    const QJsonArray problems = book->value("problems").toArray();
    const QString log = book->value("log").toString();
    if (!problems.isEmpty() || !log.isEmpty()) {
        *error = log + QString::fromUtf8(QJsonDocument(problems).toJson(QJsonDocument::Compact));
        return false;
    }
    return true;
}

QJsonObject sheet(const QJsonObject& book, int i)
{
    return book.value("sheets").toArray().at(i).toObject();
}

QString cell(const QJsonObject& sh, int r, int c)
{
    return sh.value("values").toArray().at(r).toArray().at(c).toString();
}

// xlrd cell type: 1 text, 0 empty, 6 blank (formatted but empty).
int cellType(const QJsonObject& sh, int r, int c)
{
    const QString t = sh.value("types").toArray().at(r).toString();
    return c < t.size() ? t.at(c).digitValue() : 0;
}

QJsonObject fmt(const QJsonObject& sh, int r, int c)
{
    return sh.value("fmt").toArray().at(r).toArray().at(c).toObject();
}

int colWidth(const QJsonObject& sh, int c)
{
    return sh.value("widths").toObject().value(QString::number(c)).toInt(-1);
}

std::unique_ptr<QTreeWidget> goodsList(const QList<QStringList>& rows)
{
    auto w = std::make_unique<QTreeWidget>();
    w->setHeaderLabels({QStringLiteral("商品编号"), QStringLiteral("商品名称"), QStringLiteral("售价")});
    for (const QStringList& r : rows)
        new QTreeWidgetItem(w.get(), r);
    return w;
}

// A list model of the kind a list screen may bring: numbers as numbers, not text.
class NumbersModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 3; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        switch (index.column()) {
        case 0:
            return QStringLiteral("%1").arg(index.row() + 1, 5, 10, QLatin1Char('0'));
        case 1:
            return index.row() == 1 ? QString() : QStringLiteral("會員𠀀卡 %1").arg(index.row());
        case 2:
            return 2.5 * index.row();
        default:
            return QStringLiteral("internal");
        }
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override
    {
        if (o != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        static const QStringList names = {QStringLiteral("卡号"), QStringLiteral("会员名称"),
                                          QStringLiteral("积分"), QStringLiteral("内部")};
        return names.value(section);
    }
};

bool exportTo(QTreeView* list, ScriptedDialogs& dialogs, const QString& name,
              const QString& title = QStringLiteral("商品信息"), const QString& subtitle = QString())
{
    dialogs.fileNames = {name};
    return office::ListToExcel(list, title, subtitle);
}

} // namespace

void TestXls::initTestCase()
{
    QProcess p;
    p.start(python(), {QStringLiteral("-c"), QStringLiteral("import xlrd")});
    QVERIFY2(p.waitForFinished(60000) && p.exitCode() == 0, "python3 with xlrd (python3-xlrd) is needed");
    QVERIFY(!QFINDTESTDATA("xls_check.py").isEmpty());
}

void TestXls::layout_data()
{
    QTest::addColumn<QString>("subtitle");
    QTest::newRow("empty subtitle") << QString();
    QTest::newRow("long subtitle") << QStringLiteral("统计期间：2026年12月01日至2026年12月31日（全部商品类别）");
}

void TestXls::layout()
{
    QFETCH(QString, subtitle);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const auto list = goodsList({{"00123", QStringLiteral("可口可乐"), "2.5"},
                                         {"6901234567890", "Cola 330ml", "12"}});
    const QString path = dir.filePath("goods.xls");
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1000);
    QVERIFY(exportTo(list.get(), dialogs, path, QStringLiteral("商品信息一览表（含全部类别的在售商品）"), subtitle));
    const QDateTime after = QDateTime::currentDateTime();
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].icon, gl::MsgIcon::Information);
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
    QCOMPARE(dialogs.messages[0].text, SavedPrefix + path);
    QCOMPARE(dialogs.lastFileCaption, QStringLiteral("导出为Excel文档"));
    QCOMPARE(dialogs.lastFileFilter, QStringLiteral("EXCEL电子表格(*.xls)"));

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error), qPrintable(error));
    QCOMPARE(book.value("sheets").toArray().size(), 1);
    const QJsonObject sh = sheet(book, 0);
    QCOMPARE(sh.value("nrows").toInt(), 7);
    QCOMPARE(sh.value("ncols").toInt(), 3);

    // Row 1: the title merged over A1:C1, 14 pt bold, centred both ways.
    QCOMPARE(sh.value("merged").toArray(), QJsonArray({QJsonArray({0, 1, 0, 3})}));
    QCOMPARE(cell(sh, 0, 0), QStringLiteral("商品信息一览表（含全部类别的在售商品）"));
    QCOMPARE(cell(sh, 0, 1), QString());
    QJsonObject f = fmt(sh, 0, 0);
    QCOMPARE(f.value("font").toObject().value("height").toInt(), 280);
    QCOMPARE(f.value("font").toObject().value("weight").toInt(), 700);
    QVERIFY(f.value("font").toObject().value("bold").toBool());
    QCOMPARE(f.value("h").toInt(), 2);
    QCOMPARE(f.value("v").toInt(), 1);
    QCOMPARE(fmt(sh, 0, 2).value("h").toInt(), 2);

    // Row 2: the generation time; row 3: the subtitle; both 14 pt, not bold.
    const QString stamp = cell(sh, 1, 0);
    QVERIFY2(stamp.startsWith(QStringLiteral("生成时间:")), qPrintable(stamp));
    const QDateTime at = QDateTime::fromString(stamp.mid(5), QStringLiteral("yyyy年MM月dd日  hh:mm:ss"));
    QVERIFY2(at.isValid() && at >= before && at <= after, qPrintable(stamp));
    QCOMPARE(cell(sh, 2, 0), subtitle);
    QCOMPARE(cellType(sh, 2, 0), subtitle.isEmpty() ? 6 : 1);
    for (int r : {1, 2}) {
        QCOMPARE(fmt(sh, r, 0).value("font").toObject().value("height").toInt(), 280);
        QCOMPARE(fmt(sh, r, 0).value("font").toObject().value("weight").toInt(), 400);
    }
    // Row 4 empty, captions in row 5 at 10 pt in the general format.
    for (int c = 0; c < 3; ++c)
        QCOMPARE(cellType(sh, 3, c), 0);
    QCOMPARE(cell(sh, 4, 0), QStringLiteral("商品编号"));
    QCOMPARE(cell(sh, 4, 1), QStringLiteral("商品名称"));
    QCOMPARE(cell(sh, 4, 2), QStringLiteral("售价"));
    QCOMPARE(fmt(sh, 4, 1).value("font").toObject().value("height").toInt(), 200);
    QCOMPARE(fmt(sh, 4, 1).value("num").toString(), QStringLiteral("General"));

    // Data from row 6, every cell text formatted "@", so 00123 keeps its zeros.
    const QList<QStringList> data = {{"00123", QStringLiteral("可口可乐"), "2.5"},
                                     {"6901234567890", "Cola 330ml", "12"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(cell(sh, 5 + r, c), data[r][c]);
            QCOMPARE(cellType(sh, 5 + r, c), 1);
            const QJsonObject d = fmt(sh, 5 + r, c);
            QCOMPARE(d.value("num").toString(), QStringLiteral("@"));
            QCOMPARE(d.value("font").toObject().value("height").toInt(), 200);
            QCOMPARE(d.value("font").toObject().value("weight").toInt(), 400);
            QCOMPARE(d.value("font").toObject().value("charset").toInt(), 134);
        }

    // Widths follow rows 5 onwards only (wide characters twice): the long title and subtitle
    // do not widen column A.
    QCOMPARE(colWidth(sh, 0), (13 + 2) * 256);   // 6901234567890
    QCOMPARE(colWidth(sh, 1), (10 + 2) * 256);   // Cola 330ml beats 可口可乐 (8)
    QCOMPARE(colWidth(sh, 2), (4 + 2) * 256);    // 售价

    // The 14 pt rows are made high enough for their text; the others keep the default height.
    const QJsonObject heights = sh.value("heights").toObject();
    QCOMPARE(heights.keys(), QStringList({"0", "1", "2"}));
    for (const QString& r : heights.keys())
        QCOMPARE(heights.value(r).toInt(), 378);   // 14 pt × 1.35, in twips
}

void TestXls::customModelAsShown()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    NumbersModel model;
    QTreeView view;
    view.setModel(&model);
    view.setColumnHidden(3, true);
    const QString path = dir.filePath("members.xls");
    QVERIFY(exportTo(&view, dialogs, path, QStringLiteral("会员信息")));

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error), qPrintable(error));
    const QJsonObject sh = sheet(book, 0);
    QCOMPARE(sh.value("ncols").toInt(), 3);   // the hidden column is not part of the list as shown
    QCOMPARE(sh.value("merged").toArray(), QJsonArray({QJsonArray({0, 1, 0, 3})}));
    QCOMPARE(cell(sh, 4, 1), QStringLiteral("会员名称"));
    QCOMPARE(cell(sh, 5, 0), QStringLiteral("00001"));
    QCOMPARE(cell(sh, 5, 1), QStringLiteral("會員𠀀卡 0"));
    QCOMPARE(cell(sh, 5, 2), QStringLiteral("0"));
    QCOMPARE(cell(sh, 6, 1), QString());
    QCOMPARE(cellType(sh, 6, 1), 6);                                    // empty, still formatted
    QCOMPARE(fmt(sh, 6, 1).value("num").toString(), QStringLiteral("@"));
    QCOMPARE(cell(sh, 6, 2), QStringLiteral("2.5"));
    QCOMPARE(cellType(sh, 6, 2), 1);                                    // a number, written as text
    QCOMPARE(cell(sh, 7, 2), QStringLiteral("5"));
    // 會員𠀀卡 counts 2 + 2 + 2 + 2, blank 1, digit 1.
    QCOMPARE(colWidth(sh, 1), (10 + 2) * 256);
}

void TestXls::continuesOnMoreSheets()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    const int total = 70000;
    QList<QStringList> rows;
    rows.reserve(total);
    for (int i = 0; i < total; ++i)
        rows.append({QStringLiteral("%1").arg(i, 6, 10, QLatin1Char('0')), QStringLiteral("商品%1").arg(i % 977),
                     QString::number(i % 50)});
    const auto list = goodsList(rows);
    const QString path = dir.filePath("big.xls");
    QVERIFY(exportTo(list.get(), dialogs, path));
    QCOMPARE(dialogs.lastText(), SavedPrefix + path);

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error, 4), qPrintable(error));
    QCOMPARE(book.value("sheets").toArray().size(), 2);
    const QJsonObject first = sheet(book, 0);
    const QJsonObject second = sheet(book, 1);
    QCOMPARE(first.value("name").toString(), QStringLiteral("Sheet1"));
    QCOMPARE(second.value("name").toString(), QStringLiteral("Sheet2"));

    // The first sheet is full: title block, captions in row 5, data up to row 65,536.
    const int onFirst = 65536 - 5;
    QCOMPARE(first.value("nrows").toInt(), 65536);
    QCOMPARE(cell(first, 4, 0), QStringLiteral("商品编号"));
    // The second sheet starts with the caption row and goes on with the next list row.
    QCOMPARE(second.value("nrows").toInt(), 1 + total - onFirst);
    QCOMPARE(cell(second, 0, 0), QStringLiteral("商品编号"));
    QCOMPARE(cell(second, 0, 2), QStringLiteral("售价"));
    QVERIFY(second.value("merged").toArray().isEmpty());
    QCOMPARE(fmt(second, 0, 0).value("font").toObject().value("height").toInt(), 200);
    QCOMPARE(fmt(second, 1, 0).value("num").toString(), QStringLiteral("@"));
    QCOMPARE(colWidth(second, 0), (8 + 2) * 256);   // 商品编号 is wider than the ids

    // Every list row once, in order, as text.
    for (int i = 0; i < total; ++i) {
        const bool onOne = i < onFirst;
        const QJsonObject& sh = onOne ? first : second;
        const int r = onOne ? 5 + i : 1 + i - onFirst;
        for (int c = 0; c < 3; ++c) {
            if (cell(sh, r, c) != rows[i][c] || cellType(sh, r, c) != 1)
                QFAIL(qPrintable(QStringLiteral("list row %1 column %2: %3").arg(i).arg(c).arg(cell(sh, r, c))));
        }
    }
}

// The string table is cut into records of 8,224 bytes. The first record holds the 8-byte count
// header; a first string of 8,213 - room one-byte characters leaves exactly `room` bytes for
// the next string, which must then start (or go on) correctly in the following record.
void TestXls::sstContinueBoundaries_data()
{
    QTest::addColumn<int>("room");
    QTest::addColumn<QString>("next");
    const QString latin = QString(5000, QLatin1Char('x')) + "end";
    QString chinese;
    for (int i = 0; i < 5000; ++i)
        chinese += QChar(0x4E00 + i % 500);
    QString pairs;
    for (int i = 0; i < 3000; ++i) {
        pairs += QString::fromUcs4(U"\U00020000", 1);
        if (i % 3 == 0)
            pairs += QChar(0x5546);   // shifts the pairs between odd and even positions
    }
    for (int room : {0, 1, 2, 3, 4, 5, 6, 7}) {
        QTest::addRow("room %d, latin", room) << room << latin;
        QTest::addRow("room %d, chinese", room) << room << chinese;
        QTest::addRow("room %d, surrogate pairs", room) << room << pairs;
    }
}

void TestXls::sstContinueBoundaries()
{
    QFETCH(int, room);
    QFETCH(QString, next);
    QTemporaryDir dir;
    const QString path = dir.filePath("sst.xls");
    const QStringList texts = {QString(8213 - room, QLatin1Char('a')), next, QStringLiteral("末尾"), next.left(4097)};
    office::XlsWriter xls;
    const int f = xls.addFormat({});
    xls.addSheet();
    for (int r = 0; r < texts.size(); ++r)
        xls.writeText(r, 0, texts[r], f);
    QVERIFY(xls.save(path));

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error, 0), qPrintable(error));
    const QJsonObject sh = sheet(book, 0);
    for (int r = 0; r < texts.size(); ++r)
        QCOMPARE(cell(sh, r, 0), texts[r]);
}

// Thousands of distinct strings of every length and kind (so that string starts, ends and
// continuations fall on every kind of record boundary), cells over the 32,767-character limit,
// and a second sheet sharing strings with the first.
void TestXls::manyStringsAndLongCells()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("many.xls");
    QRandomGenerator rnd(20261211);
    const QString pool = QStringLiteral("abcXYZ0123 商品名称会员积分ÄÖü");
    QStringList texts;
    for (int i = 0; i < 6000; ++i) {
        QString s = QString::number(i) + ':';
        const int len = int(rnd.bounded(400));
        const bool latinOnly = i % 3 == 0;
        for (int k = 0; k < len; ++k) {
            if (!latinOnly && k % 97 == 13)
                s += QString::fromUcs4(U"\U0002A700", 1);
            else
                s += pool.at(int(rnd.bounded(latinOnly ? 10 : int(pool.size()))));
        }
        texts << s;
    }
    const QString huge = QString(40000, QChar(0x6C34));
    office::XlsWriter xls;
    const int f = xls.addFormat({10, false, true, false});
    xls.addSheet(QStringLiteral("第一页"));
    for (int i = 0; i < texts.size(); ++i)
        xls.writeText(i / 4, i % 4, texts[i], f);
    xls.writeText(texts.size() / 4 + 1, 0, huge, f);
    xls.addSheet(QStringLiteral("第一页"));   // same name: made unique
    for (int i = 0; i < 100; ++i)
        xls.writeText(i, 0, texts[i * 7], f);
    QVERIFY(xls.save(path));

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error, 0), qPrintable(error));
    const QJsonObject one = sheet(book, 0);
    const QJsonObject two = sheet(book, 1);
    QCOMPARE(one.value("name").toString(), QStringLiteral("第一页"));
    QVERIFY(two.value("name").toString().compare(QStringLiteral("第一页"), Qt::CaseInsensitive) != 0);
    for (int i = 0; i < texts.size(); ++i)
        if (cell(one, i / 4, i % 4) != texts[i])
            QFAIL(qPrintable(QStringLiteral("string %1 differs: %2").arg(i).arg(cell(one, i / 4, i % 4))));
    QCOMPARE(cell(one, int(texts.size()) / 4 + 1, 0), huge.left(office::XlsWriter::MaxChars));
    for (int i = 0; i < 100; ++i)
        QCOMPARE(cell(two, i, 0), texts[i * 7]);
    QCOMPARE(colWidth(one, 0), 255 * 256);   // capped
}

// Past 109 FAT sectors (about 7 MB) the compound file needs DIFAT sectors.
void TestXls::bigFileUsesDifat()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("difat.xls");
    office::XlsWriter xls;
    const int f = xls.addFormat({});
    xls.addSheet();
    QStringList texts;
    for (int i = 0; i < 300; ++i) {
        texts << QString::number(i) + QString(15000, QChar(0x4E00 + i));
        xls.writeText(i, 0, texts.last(), f, false);
    }
    QVERIFY(xls.save(path));

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray head = file.read(512);
    QCOMPARE(file.size() % 512, 0);
    const quint32 nFat = qFromLittleEndian<quint32>(head.constData() + 0x2C);
    const quint32 nDif = qFromLittleEndian<quint32>(head.constData() + 0x48);
    QVERIFY2(nFat > 109, qPrintable(QString::number(nFat)));
    QVERIFY(nDif >= 1);
    QVERIFY(qint64(nFat) * 128 >= file.size() / 512 - 1);   // the FAT covers every sector

    QJsonObject book;
    QString error;
    QVERIFY2(readBack(path, &book, &error, 0), qPrintable(error));
    const QJsonObject sh = sheet(book, 0);
    for (int i = 0; i < texts.size(); ++i)
        if (cell(sh, i, 0) != texts[i])
            QFAIL(qPrintable(QStringLiteral("row %1 differs").arg(i)));
    QCOMPARE(colWidth(sh, 0), -1);   // nothing was fitted
}

void TestXls::fileName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("saved");
    QTest::addColumn<bool>("existing");
    QTest::newRow("no extension") << "goods" << "goods.xls" << false;
    QTest::newRow("ends in .xls") << "goods.xls" << "goods.xls" << false;
    QTest::newRow("upper case") << "goods.XLS" << "goods.XLS.xls" << false;
    QTest::newRow("other extension") << "goods.xlsx" << "goods.xlsx.xls" << false;
    QTest::newRow("chinese name") << QStringLiteral("商品 信息.xls") << QStringLiteral("商品 信息.xls") << false;
    QTest::newRow("replaces an existing file") << "goods.xls" << "goods.xls" << true;
}

void TestXls::fileName()
{
    QFETCH(QString, chosen);
    QFETCH(QString, saved);
    QFETCH(bool, existing);
    QCOMPARE(office::xlsFileName(chosen), saved);

    QTemporaryDir dir;
    if (existing) {
        QFile old(dir.filePath(saved));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("not a workbook");
    }
    ScriptedDialogs dialogs;
    const auto list = goodsList({{"1", "a", "2"}});
    QVERIFY(exportTo(list.get(), dialogs, dir.filePath(chosen)));
    QCOMPARE(dialogs.lastText(), SavedPrefix + dir.filePath(saved));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{saved});
    QJsonObject book;
    QString error;
    QVERIFY2(readBack(dir.filePath(saved), &book, &error), qPrintable(error));
    QCOMPARE(cell(sheet(book, 0), 5, 1), QStringLiteral("a"));
}

void TestXls::cancelShowsNothing()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;   // no file name queued: the dialog is cancelled
    const auto list = goodsList({{"1", "a", "2"}});
    QVERIFY(!office::ListToExcel(list.get(), QStringLiteral("商品信息"), QString()));
    QVERIFY(dialogs.messages.isEmpty());
    QCOMPARE(dialogs.lastFileCaption, QStringLiteral("导出为Excel文档"));
    QCOMPARE(dialogs.lastFileFilter, QStringLiteral("EXCEL电子表格(*.xls)"));
    QVERIFY(QDir(dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot).isEmpty());
}

void TestXls::unwritableTarget_data()
{
    QTest::addColumn<QString>("target");   // relative to a fresh folder
    QTest::addColumn<QString>("saved");    // the name shown in the message
    QTest::newRow("folder missing") << "missing/goods" << "missing/goods.xls";
    QTest::newRow("folder is a file") << "plain.txt/goods.xls" << "plain.txt/goods.xls";
    QTest::newRow("name taken by a folder") << "taken" << "taken.xls";
}

void TestXls::unwritableTarget()
{
    QFETCH(QString, target);
    QFETCH(QString, saved);
    QTemporaryDir dir;
    {
        QFile plain(dir.filePath("plain.txt"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.write("x");
    }
    QVERIFY(QDir(dir.path()).mkdir("taken.xls"));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);

    ScriptedDialogs dialogs;
    const auto list = goodsList({{"00123", QStringLiteral("可口可乐"), "2.5"}});
    QVERIFY(!exportTo(list.get(), dialogs, dir.filePath(target)));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].icon, gl::MsgIcon::Information);
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
    QCOMPARE(dialogs.messages[0].text, FailedPrefix + dir.filePath(saved));
    // No half-written file or temporary file is left behind.
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), before);
    QVERIFY(QDir(dir.filePath("taken.xls")).isEmpty());
}

// A sheet has 256 columns: a wider list cannot be exported whole, and nothing is saved.
void TestXls::tooManyColumns()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    QStandardItemModel model(1, 257);
    QTreeView view;
    view.setModel(&model);
    QVERIFY(!exportTo(&view, dialogs, dir.filePath("wide.xls")));
    QCOMPARE(dialogs.messages.size(), 1);
    QCOMPARE(dialogs.messages[0].title, QStringLiteral("提示"));
    QCOMPARE(dialogs.messages[0].text, QStringLiteral("数据为能全部导出"));
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());

    view.setColumnHidden(256, true);   // as shown, the list fits
    dialogs.clear();
    QVERIFY(exportTo(&view, dialogs, dir.filePath("wide.xls")));
    QCOMPARE(dialogs.lastText(), SavedPrefix + dir.filePath("wide.xls"));
}

QTEST_MAIN(TestXls)
#include "tst_xls.moc"
