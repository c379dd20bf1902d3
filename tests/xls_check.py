#!/usr/bin/env python3
"""Reads an .xls file back with xlrd and prints what a test needs to know as JSON.

usage: xls_check.py FILE [--fmt-rows N]

Per sheet: name, size, merged ranges, column widths, row heights set, every cell's value and type, and the
formatting (font, number format, alignment) of the cells of the first N rows (default 8).
Anything xlrd logs while reading (warnings about the file's structure) is returned in "log",
and "problems" lists what breaks the file for stricter readers than xlrd: the compound file's
sector chains, FAT and DIFAT, records over 8,224 bytes, sheet offsets, XFs and fonts, cell order,
DIMENSIONS and the active sheet.
Exit status 2 when xlrd cannot read the file.
"""
import io
import json
import struct
import sys

import xlrd


SECTOR = 512
FREESECT, ENDOFCHAIN, FATSECT, DIFSECT, NOSTREAM = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD, 0xFFFFFFFC, 0xFFFFFFFF


def u16(b, o):
    return struct.unpack_from("<H", b, o)[0]


def u32(b, o):
    return struct.unpack_from("<I", b, o)[0]


def compound_problems(raw, problems):
    """Checks the compound file more strictly than xlrd does; returns the Workbook stream."""
    if raw[:8] != b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" or u16(raw, 0x1A) != 3 or u16(raw, 0x1E) != 9:
        problems.append("not a version 3 compound file with 512-byte sectors")
        return b""
    if len(raw) % SECTOR:
        problems.append("file length %d is not 512 x (1 + sectors)" % len(raw))
    nsect = len(raw) // SECTOR - 1
    sector = lambda n: raw[(n + 1) * SECTOR:(n + 2) * SECTOR]
    nfat, ndif = u32(raw, 0x2C), u32(raw, 0x48)
    fat_sectors = [u32(raw, 0x4C + 4 * i) for i in range(109)]
    dif, dif_sectors = u32(raw, 0x44), []
    while dif != ENDOFCHAIN and len(dif_sectors) <= ndif:
        dif_sectors.append(dif)
        d = sector(dif)
        fat_sectors += [u32(d, 4 * i) for i in range(127)]
        dif = u32(d, 508)
    if len(dif_sectors) != ndif:
        problems.append("DIFAT chain has %d sectors, header says %d" % (len(dif_sectors), ndif))
    if nfat > 109 and ndif == 0:
        problems.append("more than 109 FAT sectors without DIFAT")
    fat_sectors = [f for f in fat_sectors if f != FREESECT]
    if len(fat_sectors) != nfat:
        problems.append("%d FAT sectors listed, header says %d" % (len(fat_sectors), nfat))
    fat = []
    for f in fat_sectors:
        d = sector(f)
        fat += [u32(d, 4 * i) for i in range(128)]
    if len(fat) < nsect:
        problems.append("FAT covers %d of %d sectors" % (len(fat), nsect))
        return b""
    for f in fat_sectors:
        if fat[f] != FATSECT:
            problems.append("FAT sector %d not marked FATSECT" % f)
    for d in dif_sectors:
        if fat[d] != DIFSECT:
            problems.append("DIFAT sector %d not marked DIFSECT" % d)
    if any(v != FREESECT for v in fat[nsect:]):
        problems.append("FAT entries past the end of the file in use")
    used = set()

    def chain(start):
        out, n = [], start
        while n != ENDOFCHAIN:
            if n >= nsect or n in used:
                problems.append("bad or shared sector %d in a chain" % n)
                return out
            used.add(n)
            out.append(n)
            n = fat[n]
        return out

    dirs = b"".join(sector(n) for n in chain(u32(raw, 0x30)))
    workbook = None
    for i in range(len(dirs) // 128):
        e = dirs[i * 128:(i + 1) * 128]
        kind = e[66]
        links = [u32(e, 68), u32(e, 72), u32(e, 76)]
        name = e[:max(0, u16(e, 64) - 2)].decode("utf-16-le")
        if kind == 0:
            if links != [NOSTREAM] * 3:
                problems.append("unused directory entry %d has links" % i)
        elif name == "Workbook":
            workbook = (u32(e, 116), u32(e, 120))
    if workbook is None:
        problems.append("no Workbook stream")
        return b""
    start, size = workbook
    if size < 4096:
        problems.append("Workbook stream recorded under 4096 bytes")
    sectors = chain(start)
    if len(sectors) != (size + SECTOR - 1) // SECTOR:
        problems.append("Workbook chain of %d sectors for %d bytes" % (len(sectors), size))
    return b"".join(sector(n) for n in sectors)[:size]


def sst_problems(records, at, problems):
    """The string table's split over CONTINUE records, and EXTSST pointing at the right strings."""
    chunks = [(records[at][1], records[at][2])]
    for rid, pos, data in records[at + 1:]:
        if rid != 0x003C:
            break
        chunks.append((pos, data))
    unique = u32(chunks[0][1], 4)
    k, off, starts = 0, 8, []
    for i in range(unique):
        if off == len(chunks[k][1]) and k + 1 < len(chunks):
            k, off = k + 1, 0
        data = chunks[k][1]
        count = u16(data, off) if off + 2 <= len(data) else 0
        wide = data[off + 2] & 1 if off + 3 <= len(data) else 0
        cs = 2 if wide else 1
        if off + 3 + (cs if count else 0) > len(data):
            problems.append("SST string %d: count, flags and first character split" % i)
            return
        if data[off + 2] & 0x0C:
            problems.append("SST string %d: rich text or phonetic flags set" % i)
            return
        starts.append((chunks[k][0] + 4 + off, off + 4))
        off += 3
        left = count
        while True:
            take = min(left, (len(data) - off) // cs)
            if (len(data) - off) % cs and take < left:
                problems.append("SST string %d: a UTF-16 unit split" % i)
                return
            off += take * cs
            left -= take
            if not left:
                break
            k, off = k + 1, 0
            if k >= len(chunks):
                problems.append("SST ends inside string %d" % i)
                return
            data = chunks[k][1]
            if data[0] not in (0, 1):
                problems.append("SST string %d: bad flags byte in CONTINUE" % i)
                return
            cs, off = (2 if data[0] else 1), 1
    if k != len(chunks) - 1 or off != len(chunks[k][1]):
        problems.append("SST holds more than its %d strings" % unique)
    ext = [d for rid, _, d in records if rid == 0x00FF]
    if not ext:
        return
    ext = ext[0]
    dsst = u16(ext, 0)
    for b in range((len(ext) - 2) // 8):
        want = starts[b * dsst] if b * dsst < len(starts) else None
        if want != (u32(ext, 2 + 8 * b), u16(ext, 6 + 8 * b)):
            problems.append("EXTSST bucket %d does not point at string %d" % (b, b * dsst))
            return
    if (len(ext) - 2) // 8 != (unique + dsst - 1) // dsst:
        problems.append("EXTSST has %d buckets for %d strings" % ((len(ext) - 2) // 8, unique))


def biff_problems(stream, problems):
    """Record sizes, sheet offsets, XFs, the string table and each sheet's cells."""
    records, pos = [], 0
    while pos + 4 <= len(stream):
        rid, ln = u16(stream, pos), u16(stream, pos + 2)
        if rid == 0 and ln == 0 and records and records[-1][0] == 0x000A:
            break  # padding after the last EOF
        if ln > 8224:
            problems.append("record %04X of %d bytes at %d" % (rid, ln, pos))
        records.append((rid, pos, stream[pos + 4:pos + 4 + ln]))
        pos += 4 + ln
    by_pos = {p: (rid, data) for rid, p, data in records}
    ids = [r[0] for r in records]
    if 0x00FC in ids and (ids.index(0x00FF) if 0x00FF in ids else -1) < ids.index(0x00FC):
        problems.append("no EXTSST after the SST")
    if 0x00FC in ids:
        sst_problems(records, ids.index(0x00FC), problems)
    fonts = ids[:ids.index(0x000A)].count(0x0031)
    xfs = [data for rid, _, data in records if rid == 0x00E0]
    if len(xfs) < 16:
        problems.append("fewer than 16 XF records")
    for i, x in enumerate(xfs):
        font, kind = u16(x, 0), u16(x, 4)
        if font == 4 or font >= (fonts + 1 if fonts >= 4 else fonts):
            problems.append("XF %d uses font %d" % (i, font))
        parent = kind >> 4
        if not kind & 4 and (parent >= len(xfs) or not u16(xfs[parent], 4) & 4):
            problems.append("cell XF %d has a parent that is not a style XF" % i)
    active = u16(next(d for rid, _, d in records if rid == 0x003D), 10)
    sheets = [u32(d, 0) for rid, _, d in records if rid == 0x0085]
    for k, off in enumerate(sheets):
        rid, data = by_pos.get(off, (None, b""))
        if rid != 0x0809 or u16(data, 2) != 0x0010:
            problems.append("sheet %d offset %d is not on a worksheet BOF" % (k, off))
            continue
        i = [r[1] for r in records].index(off)
        last, dims, cells, selected = (-1, -1), None, 0, None
        for rid, p, d in records[i + 1:]:
            if rid == 0x000A:
                break
            if rid == 0x0200:
                dims = (u32(d, 4), u16(d, 10))
            elif rid in (0x00FD, 0x0201, 0x0204, 0x0203, 0x027E):
                rc = (u16(d, 0), u16(d, 2))
                if rc <= last:
                    problems.append("sheet %d: cell %s after %s" % (k, rc, last))
                last = max(last, rc)
                cells = max(cells, rc[1] + 1)
            elif rid == 0x023E:
                selected = bool(u16(d, 0) & 0x400)
        if last != (-1, -1) and dims != (last[0] + 1, cells):
            problems.append("sheet %d: DIMENSIONS %s do not end right after the cells" % (k, dims))
        if selected != (k == active):
            problems.append("sheet %d: WINDOW2 selection does not match the active sheet" % k)


def font_info(book, xf):
    f = book.font_list[xf.font_index]
    return {"height": f.height, "weight": f.weight, "bold": bool(f.bold),
            "charset": f.character_set, "name": f.name}


def main():
    args = sys.argv[1:]
    fmt_rows = 8
    if "--fmt-rows" in args:
        i = args.index("--fmt-rows")
        fmt_rows = int(args[i + 1])
        del args[i:i + 2]
    path = args[0]
    log = io.StringIO()
    try:
        book = xlrd.open_workbook(path, formatting_info=True, logfile=log)
    except Exception as e:  # the test prints this
        sys.stderr.write("xlrd: %s: %s\n" % (type(e).__name__, e))
        return 2
    problems = []
    with open(path, "rb") as f:
        biff_problems(compound_problems(f.read(), problems), problems)
    out = {"sheets": [], "log": log.getvalue(), "problems": problems}
    for sh in book.sheets():
        s = {"name": sh.name, "nrows": sh.nrows, "ncols": sh.ncols,
             "merged": [list(m) for m in sh.merged_cells],
             "widths": {str(c): ci.width for c, ci in sh.colinfo_map.items()},
             "heights": {str(r): ri.height for r, ri in sh.rowinfo_map.items()},
             "values": [], "types": [], "fmt": []}
        for r in range(sh.nrows):
            s["values"].append([str(v) for v in sh.row_values(r)])
            s["types"].append("".join(str(t) for t in sh.row_types(r)))
        for r in range(min(fmt_rows, sh.nrows)):
            row = []
            for c in range(sh.row_len(r)):
                xf = book.xf_list[sh.cell_xf_index(r, c)]
                row.append({"font": font_info(book, xf),
                            "num": book.format_map[xf.format_key].format_str,
                            "h": xf.alignment.hor_align, "v": xf.alignment.vert_align})
            s["fmt"].append(row)
        out["sheets"].append(s)
    json.dump(out, sys.stdout, ensure_ascii=False)
    return 0


if __name__ == "__main__":
    sys.exit(main())
