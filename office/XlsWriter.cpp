#include "XlsWriter.h"

#include <QHashFunctions>
#include <QSaveFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace office {

namespace {

// Record ids of BIFF8.
constexpr quint16 rBOF = 0x0809, rEOF = 0x000A, rCODEPAGE = 0x0042, rWINDOW1 = 0x003D, rFONT = 0x0031,
                  rXF = 0x00E0, rSTYLE = 0x0293, rBOUNDSHEET = 0x0085, rSST = 0x00FC, rCONTINUE = 0x003C,
                  rEXTSST = 0x00FF, rWSBOOL = 0x0081, rCOLINFO = 0x007D, rDIMENSIONS = 0x0200,
                  rLABELSST = 0x00FD, rBLANK = 0x0201, rROW = 0x0208, rWINDOW2 = 0x023E, rMERGEDCELLS = 0x00E5;

constexpr int MaxRecordData = 8224;
constexpr int FirstOwnXf = 16;
constexpr int TextFormat = 49;   // built-in "@"

// Compound file markers and sizes.
constexpr quint32 FREESECT = 0xFFFFFFFF, ENDOFCHAIN = 0xFFFFFFFE, FATSECT = 0xFFFFFFFD, DIFSECT = 0xFFFFFFFC,
                  NOSTREAM = 0xFFFFFFFF;
constexpr qint64 SectorSize = 512;
constexpr int HeaderDifatSlots = 109;
constexpr int FatEntries = 128;     // per FAT sector
constexpr int DifatEntries = 127;   // per DIFAT sector, the last slot links the next one

void u8(QByteArray& b, quint8 v)
{
    b.append(char(v));
}

void u16(QByteArray& b, quint16 v)
{
    char d[2];
    qToLittleEndian(v, d);
    b.append(d, 2);
}

void u32(QByteArray& b, quint32 v)
{
    char d[4];
    qToLittleEndian(v, d);
    b.append(d, 4);
}

void record(QByteArray& b, quint16 id, const QByteArray& data)
{
    u16(b, id);
    u16(b, quint16(data.size()));
    b.append(data);
}

bool needsWide(const QString& s)
{
    for (QChar c : s)
        if (c.unicode() > 0xFF)
            return true;
    return false;
}

void appendChars(QByteArray& b, const QChar* c, qsizetype n, bool wide)
{
    if (wide) {
        const qsizetype at = b.size();
        b.resize(at + 2 * n);
        char* p = b.data() + at;
        for (qsizetype i = 0; i < n; ++i, p += 2)
            qToLittleEndian(c[i].unicode(), p);
    } else {
        const qsizetype at = b.size();
        b.resize(at + n);
        char* p = b.data() + at;
        for (qsizetype i = 0; i < n; ++i)
            p[i] = char(c[i].unicode());
    }
}

// ShortXLUnicodeString: u8 count, flags, characters.
void shortString(QByteArray& b, const QString& s)
{
    const bool wide = needsWide(s);
    u8(b, quint8(s.size()));
    u8(b, wide ? 1 : 0);
    appendChars(b, s.constData(), s.size(), wide);
}

bool isWide(char32_t c)
{
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3)
        || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE6F) || (c >= 0xFF00 && c <= 0xFF60)
        || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

// Cuts a text to what one cell holds, never leaving half a surrogate pair.
QString cellText(const QString& text)
{
    if (text.size() <= XlsWriter::MaxChars)
        return text;
    qsizetype n = XlsWriter::MaxChars;
    if (text.at(n - 1).isHighSurrogate())
        --n;
    return text.left(n);
}

QString cleanSheetName(QString name, int number, const QList<QString>& taken)
{
    static const QString bad = QStringLiteral(":\\/?*[]");
    for (QChar& c : name)
        if (bad.contains(c))
            c = QLatin1Char('_');
    name = name.trimmed().left(31);
    auto used = [&](const QString& n) {
        for (const QString& t : taken)
            if (t.compare(n, Qt::CaseInsensitive) == 0)
                return true;
        return false;
    };
    if (name.isEmpty() || used(name)) {
        for (int k = number;; ++k) {
            const QString n = QStringLiteral("Sheet%1").arg(k);
            if (!used(n))
                return n;
        }
    }
    return name;
}

// The compound file around the one Workbook stream: the stream's sectors first, then one
// directory sector, the FAT sectors and, past 109 FAT sectors, the DIFAT sectors.
class Compound {
public:
    explicit Compound(qint64 streamSize)
        // Streams under 4096 bytes would be read from the mini stream: pad past that.
        : m_padded(std::max<qint64>(4096, (streamSize + SectorSize - 1) / SectorSize * SectorSize)),
          m_streamSectors(m_padded / SectorSize)
    {
        for (;;) {
            const qint64 fat = (m_streamSectors + 1 + m_nFat + m_nDif + FatEntries - 1) / FatEntries;
            const qint64 dif =
                fat <= HeaderDifatSlots ? 0 : (fat - HeaderDifatSlots + DifatEntries - 1) / DifatEntries;
            if (fat == m_nFat && dif == m_nDif)
                break;
            m_nFat = fat;
            m_nDif = dif;
        }
    }

    QByteArray header() const
    {
        QByteArray h;
        h.append("\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", 8);
        h.append(16, '\0');
        u16(h, 0x003E);
        u16(h, 0x0003);
        u16(h, 0xFFFE);
        u16(h, 9);
        u16(h, 6);
        h.append(6, '\0');
        u32(h, 0);
        u32(h, quint32(m_nFat));
        u32(h, dirSector());
        u32(h, 0);
        u32(h, 0x1000);
        u32(h, ENDOFCHAIN);
        u32(h, 0);
        u32(h, m_nDif ? firstDif() : ENDOFCHAIN);
        u32(h, quint32(m_nDif));
        for (int i = 0; i < HeaderDifatSlots; ++i)
            u32(h, i < m_nFat ? firstFat() + quint32(i) : FREESECT);
        return h;
    }

    // Everything after the stream's bytes: its padding, the directory, FAT and DIFAT.
    QByteArray afterStream(qint64 streamSize) const
    {
        QByteArray out(m_padded - streamSize, '\0');
        auto entry = [&](const QString& name, quint8 type, quint32 child, quint32 start, quint64 size) {
            const qsizetype at = out.size();
            appendChars(out, name.constData(), name.size(), true);
            out.resize(at + 64, '\0');
            u16(out, name.isEmpty() ? 0 : quint16((name.size() + 1) * 2));
            u8(out, type);
            u8(out, name.isEmpty() ? 0 : 1);
            u32(out, NOSTREAM);
            u32(out, NOSTREAM);
            u32(out, child);
            out.append(36, '\0');
            u32(out, start);
            u32(out, quint32(size));
            u32(out, quint32(size >> 32));
        };
        entry(QStringLiteral("Root Entry"), 5, 1, ENDOFCHAIN, 0);
        entry(QStringLiteral("Workbook"), 2, NOSTREAM, 0, quint64(m_padded));
        entry(QString(), 0, NOSTREAM, 0, 0);
        entry(QString(), 0, NOSTREAM, 0, 0);

        const qsizetype fatStart = out.size();
        for (qint64 i = 0; i < m_streamSectors; ++i)
            u32(out, i + 1 < m_streamSectors ? quint32(i + 1) : ENDOFCHAIN);
        u32(out, ENDOFCHAIN);   // the directory
        for (qint64 i = 0; i < m_nFat; ++i)
            u32(out, FATSECT);
        for (qint64 i = 0; i < m_nDif; ++i)
            u32(out, DIFSECT);
        while (out.size() - fatStart < m_nFat * SectorSize)
            u32(out, FREESECT);

        for (qint64 k = 0; k < m_nDif; ++k) {
            for (int j = 0; j < DifatEntries; ++j) {
                const qint64 f = HeaderDifatSlots + k * DifatEntries + j;
                u32(out, f < m_nFat ? firstFat() + quint32(f) : FREESECT);
            }
            u32(out, k + 1 < m_nDif ? firstDif() + quint32(k + 1) : ENDOFCHAIN);
        }
        return out;
    }

private:
    quint32 dirSector() const { return quint32(m_streamSectors); }
    quint32 firstFat() const { return dirSector() + 1; }
    quint32 firstDif() const { return firstFat() + quint32(m_nFat); }

    qint64 m_padded;
    qint64 m_streamSectors;
    qint64 m_nFat = 1;
    qint64 m_nDif = 0;
};

quint16 le16(const uchar* p)
{
    return qFromLittleEndian<quint16>(p);
}

} // namespace

// The distinct texts, each stored the way the string table writes it (u16 count, flags byte,
// characters) in large blocks, found again through an open-addressing index of their hashes.
// About 20 bytes a text beside its characters, where a hash of QStrings takes over 100.
class XlsWriter::StringTable {
public:
    // The index of the text in the table, adding it when it is new.
    quint32 add(const QString& text)
    {
        const bool wide = needsWide(text);
        const qsizetype n = text.size();
        m_scratch.resize(size_t(3 + n * (wide ? 2 : 1)));
        uchar* p = m_scratch.data();
        qToLittleEndian(quint16(n), p);
        p[2] = wide ? 1 : 0;
        p += 3;
        const QChar* c = text.constData();
        if (wide)
            for (qsizetype i = 0; i < n; ++i, p += 2)
                qToLittleEndian(c[i].unicode(), p);
        else
            for (qsizetype i = 0; i < n; ++i)
                p[i] = uchar(c[i].unicode());

        const size_t len = m_scratch.size();
        const size_t full = qHashBits(m_scratch.data(), len);
        const quint32 hash = quint32(full ^ (quint64(full) >> 32));
        if ((m_offsets.size() + 1) * 2 > m_slots.size())
            grow();
        const size_t mask = m_slots.size() - 1;
        size_t slot = hash & mask;
        for (; m_slots[slot]; slot = (slot + 1) & mask) {
            const quint32 index = m_slots[slot] - 1;
            if (m_hashes[index] == hash && entryLength(entry(index)) == len
                && std::memcmp(entry(index), m_scratch.data(), len) == 0)
                return index;
        }
        if (m_blocks.empty() || m_used + len > BlockSize) {
            m_blocks.emplace_back(new uchar[BlockSize]);
            m_used = 0;
        }
        std::memcpy(m_blocks.back().get() + m_used, m_scratch.data(), len);
        m_offsets.push_back(quint64(m_blocks.size() - 1) * BlockSize + m_used);
        m_used += len;
        m_hashes.push_back(hash);
        m_slots[slot] = quint32(m_offsets.size());
        return quint32(m_offsets.size() - 1);
    }

    quint32 size() const { return quint32(m_offsets.size()); }
    const uchar* entry(quint32 index) const
    {
        const quint64 at = m_offsets[index];
        return m_blocks[size_t(at / BlockSize)].get() + at % BlockSize;
    }
    static size_t entryLength(const uchar* e) { return 3 + size_t(le16(e)) * ((e[2] & 1) ? 2 : 1); }

private:
    // One block holds the longest text a cell takes (3 + 2 × 32,767 bytes) many times over.
    static constexpr size_t BlockSize = size_t(1) << 22;

    void grow()
    {
        m_slots.assign(std::max<size_t>(1024, m_slots.size() * 2), 0);
        const size_t mask = m_slots.size() - 1;
        for (size_t i = 0; i < m_hashes.size(); ++i) {
            size_t slot = m_hashes[i] & mask;
            while (m_slots[slot])
                slot = (slot + 1) & mask;
            m_slots[slot] = quint32(i + 1);
        }
    }

    std::vector<std::unique_ptr<uchar[]>> m_blocks;
    size_t m_used = 0;                // bytes used in the last block
    std::vector<quint64> m_offsets;   // where each text starts
    std::vector<quint32> m_hashes;
    std::vector<quint32> m_slots;     // text index + 1; 0 = free
    std::vector<uchar> m_scratch;
};

XlsWriter::XlsWriter(const QString& fontName) : m_fontName(fontName.left(255)), m_sst(new StringTable)
{
}

XlsWriter::~XlsWriter() = default;

int XlsWriter::addFormat(const Format& format)
{
    const int points = std::clamp(format.points, 1, 409);
    int font = 0;
    if (points != 10 || format.bold) {
        const QPair<int, bool> key(points, format.bold);
        int i = int(m_fonts.indexOf(key));
        if (i < 0) {
            i = int(m_fonts.size());
            m_fonts.append(key);
        }
        font = 5 + i;   // the first four fonts are 0-3; index 4 does not exist
    }
    m_xfs.append({font, format.text, format.centred, points, format.bold});
    return int(m_xfs.size()) - 1;
}

int XlsWriter::addSheet(const QString& name)
{
    QList<QString> taken;
    for (const Sheet& s : m_sheets)
        taken.append(s.name);
    Sheet s;
    s.name = cleanSheetName(name, int(m_sheets.size()) + 1, taken);
    m_sheets.append(std::move(s));
    return int(m_sheets.size()) - 1;
}

XlsWriter::Sheet& XlsWriter::current()
{
    if (m_sheets.isEmpty())
        addSheet();
    return m_sheets.last();
}

void XlsWriter::reserveCells(qsizetype count)
{
    Sheet& s = current();
    s.cells.reserve(s.cells.size() + count * 14);
}

bool XlsWriter::place(int row, int col)
{
    Sheet& s = current();
    if (row < 0 || row >= MaxRows || col < 0 || col >= MaxCols || row < s.lastRow
        || (row == s.lastRow && col <= s.lastCol)) {
        m_ok = false;
        return false;
    }
    s.lastRow = row;
    s.lastCol = col;
    s.maxRow = std::max(s.maxRow, row);
    s.maxCol = std::max(s.maxCol, col);
    return true;
}

void XlsWriter::putCell(quint16 id, int row, int col, int format, const quint32* sst)
{
    char rec[14];
    const quint16 len = sst ? 10 : 6;
    qToLittleEndian(id, rec);
    qToLittleEndian(len, rec + 2);
    qToLittleEndian(quint16(row), rec + 4);
    qToLittleEndian(quint16(col), rec + 6);
    qToLittleEndian(quint16(FirstOwnXf + format), rec + 8);
    if (sst)
        qToLittleEndian(*sst, rec + 10);
    m_sheets.last().cells.append(rec, 4 + len);
    growRow(row, col, format);
}

// Rows with larger text get a ROW record of their own height; other rows keep the default.
void XlsWriter::growRow(int row, int col, int format)
{
    Sheet& s = m_sheets.last();
    const int points = m_xfs.at(format).points;
    if (!s.rowHeights.isEmpty() && s.rowHeights.last().row == row) {
        RowHeight& h = s.rowHeights.last();
        h.points = std::max(h.points, points);
        h.lastCol = col;
    } else if (points > 10) {
        s.rowHeights.append({row, points, col});
    }
}

void XlsWriter::fit(Sheet& s, int col, const QString& text, int format)
{
    if (s.widths.size() <= size_t(col))
        s.widths.resize(col + 1, 0.0);
    const XfDef& xf = m_xfs.at(format);
    const double scale = xf.points / 10.0 * (xf.bold ? 1.1 : 1.0);
    // Each UTF-16 unit counts at most two: skip the scan when even that cannot widen the column.
    if (2.0 * text.size() * scale + 2 <= s.widths[col])
        return;
    s.widths[col] = std::max(s.widths[col], textUnits(text) * scale + 2);
}

void XlsWriter::writeText(int row, int col, const QString& text, int format, bool fit)
{
    if (text.isEmpty()) {
        writeBlank(row, col, format);
        return;
    }
    if (format < 0 || format >= m_xfs.size()) {
        m_ok = false;
        return;
    }
    if (!place(row, col))
        return;
    const QString t = cellText(text);
    const quint32 index = m_sst->add(t);
    ++m_sstCells;
    putCell(rLABELSST, row, col, format, &index);
    if (fit)
        this->fit(m_sheets.last(), col, t, format);
}

void XlsWriter::writeBlank(int row, int col, int format)
{
    if (format < 0 || format >= m_xfs.size()) {
        m_ok = false;
        return;
    }
    if (place(row, col))
        putCell(rBLANK, row, col, format, nullptr);
}

void XlsWriter::mergeRow(int row, int firstCol, int lastCol)
{
    if (row < 0 || row >= MaxRows || firstCol < 0 || lastCol >= MaxCols || lastCol <= firstCol)
        return;   // a single cell needs no merge
    Sheet& s = current();
    for (const Merge& m : s.merges)
        if (m.row == row && firstCol <= m.lastCol && m.firstCol <= lastCol) {
            m_ok = false;   // overlapping merges make a broken file
            return;
        }
    s.merges.append({row, firstCol, lastCol});
    s.maxRow = std::max(s.maxRow, row);
    s.maxCol = std::max(s.maxCol, lastCol);
}

int XlsWriter::textUnits(const QString& text)
{
    int units = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i).unicode(), text.at(i + 1).unicode());
            ++i;
        }
        units += isWide(c) ? 2 : 1;
    }
    return units;
}

double XlsWriter::fittedWidth(const QString& text, int points, bool bold)
{
    return textUnits(text) * (points / 10.0) * (bold ? 1.1 : 1.0) + 2;
}

// The shared string table: one SST record and as many CONTINUE records as needed. A string's
// count, flags and first character stay in one record; characters that go on in the next
// record follow a fresh flags byte. Neither a UTF-16 unit nor a surrogate pair is split.
// EXTSST (its payload goes to *ext) indexes every dsst-th string so that a reader can find it
// without parsing the rest. Records are handed to sink one at a time, so the table is never
// held twice; a first run with a sink that only counts gives the size. Returns the bytes
// written, or -1 when the sink failed.
qint64 XlsWriter::writeSst(qint64 streamPos, QByteArray* ext,
                           const std::function<bool(const QByteArray&)>& sink) const
{
    const quint32 unique = m_sst->size();
    // At most 128 buckets keep EXTSST in one record.
    const quint32 dsst = std::max<quint32>(8, 1 + unique / 128);
    ext->clear();
    u16(*ext, quint16(dsst));

    QByteArray out;
    out.reserve(4 + MaxRecordData);
    qint64 written = 0;
    bool ok = true;
    auto begin = [&](quint16 id) {
        out.clear();
        u16(out, id);
        u16(out, 0);
    };
    auto finish = [&]() {
        qToLittleEndian(quint16(out.size() - 4), out.data() + 2);
        ok = ok && sink(out);
        written += out.size();
    };
    auto room = [&]() { return qsizetype(MaxRecordData) - (out.size() - 4); };

    begin(rSST);
    u32(out, quint32(std::min<quint64>(m_sstCells, 0xFFFFFFFFu)));
    u32(out, unique);
    for (quint32 i = 0; i < unique && ok; ++i) {
        const uchar* e = m_sst->entry(i);
        const qsizetype count = le16(e);
        const bool wide = e[2] & 1;
        const int cs = wide ? 2 : 1;
        const uchar* chars = e + 3;
        auto highSurrogate = [&](qsizetype unit) { return wide && QChar::isHighSurrogate(le16(chars + 2 * unit)); };
        const int firstUnits = (count > 1 && highSurrogate(0)) ? 2 : 1;
        if (room() < 3 + cs * firstUnits) {
            finish();
            begin(rCONTINUE);
        }
        if (i % dsst == 0) {
            u32(*ext, quint32(streamPos + written + out.size()));
            u16(*ext, quint16(out.size()));
            u16(*ext, 0);
        }
        out.append(reinterpret_cast<const char*>(e), 3);
        qsizetype pos = 0;
        while (pos < count) {
            qsizetype n = std::min(count - pos, room() / cs);
            if (n > 1 && pos + n < count && highSurrogate(pos + n - 1))
                --n;
            if (n <= 0 || (n == 1 && pos + 1 < count && highSurrogate(pos))) {
                finish();
                begin(rCONTINUE);
                u8(out, wide ? 1 : 0);
                continue;
            }
            out.append(reinterpret_cast<const char*>(chars + pos * cs), n * cs);
            pos += n;
        }
    }
    finish();
    return ok ? written : -1;
}

// The workbook globals up to the sheet list; the string table, EXTSST and EOF follow. The
// sheets' offsets are patched at *sheetOffsetAt once the sizes are known.
QByteArray XlsWriter::globalsHead(std::vector<qsizetype>* sheetOffsetAt) const
{
    QByteArray out;
    QByteArray d;

    auto bof = [](quint16 type) {
        QByteArray b;
        u16(b, 0x0600);
        u16(b, type);
        u16(b, 0x0DBB);
        u16(b, 0x07CC);
        u32(b, 0x00000009);
        u32(b, 0x00000006);
        return b;
    };
    record(out, rBOF, bof(0x0005));

    d.clear();
    u16(d, 1200);   // UTF-16
    record(out, rCODEPAGE, d);

    d.clear();
    u16(d, 360);
    u16(d, 270);
    u16(d, 14940);
    u16(d, 9150);
    u16(d, 0x0038);
    u16(d, 0);   // active sheet
    u16(d, 0);   // first visible tab
    u16(d, 1);   // selected sheets
    u16(d, 600);
    record(out, rWINDOW1, d);

    auto font = [&](int points, bool bold) {
        QByteArray f;
        u16(f, quint16(points * 20));
        u16(f, bold ? 0x0001 : 0x0000);
        u16(f, 0x7FFF);
        u16(f, bold ? 700 : 400);
        u16(f, 0);
        u8(f, 0);
        u8(f, 0);
        u8(f, 134);   // GB2312
        u8(f, 0);
        shortString(f, m_fontName);
        record(out, rFONT, f);
    };
    for (int i = 0; i < 4; ++i)
        font(10, false);
    for (const auto& f : m_fonts)
        font(f.first, f.second);

    auto xf = [&](quint16 fontIndex, quint16 format, quint16 type, quint8 align, quint8 used) {
        QByteArray x;
        u16(x, fontIndex);
        u16(x, format);
        u16(x, type);
        u8(x, align);
        u8(x, 0);
        u8(x, 0);
        u8(x, used);
        x.append(8, '\0');
        u16(x, 0x20C0);
        record(out, rXF, x);
    };
    xf(0, 0, 0xFFF5, 0x20, 0x00);
    for (int i = 1; i < 15; ++i)
        xf(0, 0, 0xFFF5, 0x20, 0xF4);
    xf(0, 0, 0x0001, 0x20, 0x00);
    for (const XfDef& x : m_xfs)
        xf(quint16(x.font), x.text ? TextFormat : 0, 0x0001, x.centred ? 0x12 : 0x20, 0x1C);

    d.clear();
    u16(d, 0x8000);
    u8(d, 0x00);
    u8(d, 0xFF);
    record(out, rSTYLE, d);

    sheetOffsetAt->clear();
    for (const Sheet& s : m_sheets) {
        d.clear();
        sheetOffsetAt->push_back(out.size() + 4);
        u32(d, 0);   // patched in save()
        u8(d, 0);
        u8(d, 0);
        shortString(d, s.name);
        record(out, rBOUNDSHEET, d);
    }

    return out;
}

QByteArray XlsWriter::sheetHead(const Sheet& s) const
{
    QByteArray out;
    QByteArray d;
    u16(d, 0x0600);
    u16(d, 0x0010);
    u16(d, 0x0DBB);
    u16(d, 0x07CC);
    u32(d, 0x00000009);
    u32(d, 0x00000006);
    record(out, rBOF, d);

    d.clear();
    u16(d, 0x04C1);
    record(out, rWSBOOL, d);

    for (size_t c = 0; c < s.widths.size(); ++c) {
        if (s.widths[c] <= 0)
            continue;
        d.clear();
        u16(d, quint16(c));
        u16(d, quint16(c));
        u16(d, quint16(std::min(255.0, s.widths[c]) * 256));
        u16(d, 15);
        u16(d, 0x0002);
        u16(d, 0);
        record(out, rCOLINFO, d);
    }

    d.clear();
    u32(d, 0);
    u32(d, quint32(s.maxRow + 1));
    u16(d, 0);
    u16(d, quint16(s.maxCol + 1));
    u16(d, 0);
    record(out, rDIMENSIONS, d);

    // Written ahead of all cells, as the first row block of the sheet.
    for (const RowHeight& h : s.rowHeights) {
        d.clear();
        u16(d, quint16(h.row));
        u16(d, 0);
        u16(d, quint16(h.lastCol + 1));
        u16(d, quint16(std::lround(h.points * 1.35 * 20)));   // twips, with room for ascent and descent
        u16(d, 0);
        u16(d, 0);
        u32(d, 0x000F0140);   // height set by us, default cell format
        record(out, rROW, d);
    }
    return out;
}

QByteArray XlsWriter::sheetTail(const Sheet& s, bool active) const
{
    QByteArray out;
    QByteArray d;
    u16(d, active ? 0x06B6 : 0x00B6);
    u16(d, 0);
    u16(d, 0);
    u16(d, 0x40);
    d.append(10, '\0');
    record(out, rWINDOW2, d);

    // At most 1,027 ranges fit one record.
    for (qsizetype i = 0; i < s.merges.size(); i += 1027) {
        const qsizetype n = std::min<qsizetype>(1027, s.merges.size() - i);
        d.clear();
        u16(d, quint16(n));
        for (qsizetype k = i; k < i + n; ++k) {
            const Merge& m = s.merges.at(k);
            u16(d, quint16(m.row));
            u16(d, quint16(m.row));
            u16(d, quint16(m.firstCol));
            u16(d, quint16(m.lastCol));
        }
        record(out, rMERGEDCELLS, d);
    }
    record(out, rEOF, QByteArray());
    return out;
}

bool XlsWriter::save(const QString& fileName, QString* errorText)
{
    auto fail = [&](const QString& why) {
        if (errorText)
            *errorText = why;
        return false;
    };
    if (!m_ok)
        return fail(QStringLiteral("cells out of order or beyond the sheet"));
    if (m_sheets.isEmpty())
        addSheet();

    std::vector<QByteArray> heads, tails;
    std::vector<qint64> sheetSizes;
    for (qsizetype i = 0; i < m_sheets.size(); ++i) {
        heads.push_back(sheetHead(m_sheets.at(i)));
        tails.push_back(sheetTail(m_sheets.at(i), i == 0));
        sheetSizes.push_back(heads.back().size() + m_sheets.at(i).cells.size() + tails.back().size());
    }
    std::vector<qsizetype> offsetAt;
    QByteArray head = globalsHead(&offsetAt);
    QByteArray ext;
    const qint64 sstSize = writeSst(head.size(), &ext, [](const QByteArray&) { return true; });
    QByteArray globalsEnd;
    record(globalsEnd, rEXTSST, ext);
    record(globalsEnd, rEOF, QByteArray());

    // Each sheet's BOF follows the globals and the sheets before it.
    qint64 streamSize = head.size() + sstSize + globalsEnd.size();
    for (size_t i = 0; i < sheetSizes.size(); ++i) {
        qToLittleEndian(quint32(streamSize), head.data() + offsetAt[i]);
        streamSize += sheetSizes[i];
    }
    if (streamSize > 0x7FFFFFFF)
        return fail(QStringLiteral("workbook too large"));
    const Compound cfb(streamSize);

    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const QByteArray header = cfb.header();
    bool ok = file.write(header) == header.size() && file.write(head) == head.size()
        && writeSst(head.size(), &ext, [&](const QByteArray& r) { return file.write(r) == r.size(); }) == sstSize
        && file.write(globalsEnd) == globalsEnd.size();
    for (qsizetype i = 0; ok && i < m_sheets.size(); ++i) {
        const QByteArray& cells = m_sheets.at(i).cells;
        ok = file.write(heads[i]) == heads[i].size() && file.write(cells) == cells.size()
            && file.write(tails[i]) == tails[i].size();
    }
    const QByteArray tail = cfb.afterStream(streamSize);
    ok = ok && file.write(tail) == tail.size();
    if (!ok) {
        const QString why = file.errorString();
        file.cancelWriting();
        return fail(why);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace office
