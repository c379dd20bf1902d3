#include "Schema.h"

namespace gl {

namespace {

// Column types: text compares without regard to case; yes/no is 0/1; date-times are
// "yyyy-MM-dd HH:mm:ss" text so that they sort and range-select on an index.
const char* const kShopTables[] = {
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE czy (czyname TEXT COLLATE NOCASE NOT NULL, pwd TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " per TEXT NOT NULL DEFAULT '11111111111')",
    "CREATE TABLE sysinfo (infokey TEXT COLLATE NOCASE NOT NULL, keyvalue TEXT COLLATE NOCASE)",
    "CREATE TABLE splb (lbmc TEXT COLLATE NOCASE NOT NULL)",
    "CREATE TABLE sp (id TEXT COLLATE NOCASE NOT NULL, spmc TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " huohao TEXT COLLATE NOCASE NOT NULL DEFAULT '', splb TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " jj REAL NOT NULL DEFAULT 0, sj REAL NOT NULL DEFAULT 0, hyj REAL NOT NULL DEFAULT 0,"
    " kc REAL NOT NULL DEFAULT 0, guige TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " booldz INTEGER NOT NULL DEFAULT 1, booljf INTEGER NOT NULL DEFAULT 1, sc REAL NOT NULL DEFAULT 0,"
    " createtime TEXT, lastjh TEXT, ps TEXT COLLATE NOCASE)",
    "CREATE TABLE ghs (ghsname TEXT COLLATE NOCASE NOT NULL, lxr TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " tel TEXT COLLATE NOCASE NOT NULL DEFAULT '', email TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " website TEXT COLLATE NOCASE NOT NULL DEFAULT '', addr TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " zhxx TEXT COLLATE NOCASE, ps TEXT COLLATE NOCASE)",
    "CREATE TABLE jthjl (id INTEGER PRIMARY KEY AUTOINCREMENT, jhpc TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " ghs TEXT COLLATE NOCASE NOT NULL DEFAULT '', spid TEXT COLLATE NOCASE NOT NULL,"
    " spmc TEXT COLLATE NOCASE NOT NULL DEFAULT '', guige TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " huohao TEXT COLLATE NOCASE NOT NULL DEFAULT '', jj REAL NOT NULL DEFAULT 0, xz INTEGER NOT NULL DEFAULT 1,"
    " sl REAL NOT NULL DEFAULT 0, createtime TEXT, czy TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " ps TEXT COLLATE NOCASE)",
    "CREATE TABLE kcyd (id INTEGER PRIMARY KEY AUTOINCREMENT, spid TEXT COLLATE NOCASE NOT NULL,"
    " spname TEXT COLLATE NOCASE NOT NULL DEFAULT '', sl REAL NOT NULL DEFAULT 0, yy TEXT COLLATE NOCASE,"
    " ydrq TEXT, ps TEXT COLLATE NOCASE)",
    "CREATE TABLE spdz (spid TEXT COLLATE NOCASE NOT NULL, sl REAL NOT NULL, dj REAL NOT NULL DEFAULT 0)",
    "CREATE TABLE pandian (id TEXT COLLATE NOCASE NOT NULL, spmc TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " splb TEXT COLLATE NOCASE NOT NULL DEFAULT '', pdkc REAL NOT NULL DEFAULT 0)",
    "CREATE TABLE mber (id TEXT COLLATE NOCASE NOT NULL, mbername TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " tel TEXT COLLATE NOCASE NOT NULL DEFAULT '', email TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " addr TEXT COLLATE NOCASE NOT NULL DEFAULT '', sryue INTEGER NOT NULL DEFAULT 1,"
    " srri INTEGER NOT NULL DEFAULT 1, srlx INTEGER NOT NULL DEFAULT 0, xfcs INTEGER NOT NULL DEFAULT 0,"
    " jf INTEGER NOT NULL DEFAULT 0, ydhjf INTEGER NOT NULL DEFAULT 0, ljcz REAL NOT NULL DEFAULT 0,"
    " ye REAL NOT NULL DEFAULT 0, boolguoqi INTEGER NOT NULL DEFAULT 0, gqrq TEXT,"
    " zk REAL NOT NULL DEFAULT 100, ps TEXT COLLATE NOCASE, createtime TEXT, st INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE czjl (mberid TEXT COLLATE NOCASE NOT NULL, mbername TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " je REAL NOT NULL DEFAULT 0, czy TEXT COLLATE NOCASE NOT NULL DEFAULT '', createtime TEXT,"
    " ps TEXT COLLATE NOCASE)",
    "CREATE TABLE jfdhjl (id INTEGER PRIMARY KEY AUTOINCREMENT, mberid TEXT COLLATE NOCASE NOT NULL,"
    " mbername TEXT COLLATE NOCASE NOT NULL DEFAULT '', jf INTEGER NOT NULL DEFAULT 0,"
    " sp TEXT COLLATE NOCASE NOT NULL DEFAULT '', czy TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " createtime TEXT, ps TEXT COLLATE NOCASE)",
    "CREATE TABLE con (conid TEXT COLLATE NOCASE NOT NULL, xjfk REAL NOT NULL DEFAULT 0,"
    " ylfk REAL NOT NULL DEFAULT 0, czfk REAL NOT NULL DEFAULT 0, mberid TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " mbername TEXT COLLATE NOCASE NOT NULL DEFAULT '', czy TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " createtime TEXT, ysje REAL NOT NULL DEFAULT 0, ssje REAL NOT NULL DEFAULT 0, st INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE xiangxi (id INTEGER PRIMARY KEY AUTOINCREMENT, conid TEXT COLLATE NOCASE NOT NULL,"
    " spid TEXT COLLATE NOCASE NOT NULL, spmc TEXT COLLATE NOCASE NOT NULL DEFAULT '',"
    " dj REAL NOT NULL DEFAULT 0, sl REAL NOT NULL DEFAULT 0, zk REAL NOT NULL DEFAULT 100,"
    " hyj REAL NOT NULL DEFAULT 0, je REAL NOT NULL DEFAULT 0, st INTEGER NOT NULL DEFAULT 0,"
    " czy TEXT COLLATE NOCASE NOT NULL DEFAULT '', createtime TEXT)",
    "CREATE TABLE thjl (conid TEXT COLLATE NOCASE NOT NULL, spid TEXT COLLATE NOCASE NOT NULL,"
    " spmc TEXT COLLATE NOCASE NOT NULL DEFAULT '', dj REAL NOT NULL DEFAULT 0, sl REAL NOT NULL DEFAULT 0,"
    " zk REAL NOT NULL DEFAULT 100, hyj REAL NOT NULL DEFAULT 0, je REAL NOT NULL DEFAULT 0,"
    " czy TEXT COLLATE NOCASE NOT NULL DEFAULT '', createtime TEXT)",

    // Keys the programs look rows up by, and the orders and ranges the lists and reports use.
    "CREATE UNIQUE INDEX ix_czy_name ON czy (czyname)",
    "CREATE UNIQUE INDEX ix_sysinfo_key ON sysinfo (infokey)",
    "CREATE UNIQUE INDEX ix_splb_name ON splb (lbmc)",
    "CREATE UNIQUE INDEX ix_sp_id ON sp (id)",
    "CREATE INDEX ix_sp_name ON sp (spmc)",
    "CREATE INDEX ix_sp_lb ON sp (splb)",
    "CREATE INDEX ix_sp_huohao ON sp (huohao)",
    "CREATE INDEX ix_sp_createtime ON sp (createtime)",
    "CREATE UNIQUE INDEX ix_ghs_name ON ghs (ghsname)",
    "CREATE INDEX ix_jthjl_time ON jthjl (createtime)",
    "CREATE INDEX ix_jthjl_spid ON jthjl (spid)",
    "CREATE INDEX ix_kcyd_date ON kcyd (ydrq)",
    "CREATE UNIQUE INDEX ix_spdz_sp_sl ON spdz (spid, sl)",
    "CREATE INDEX ix_pandian_id ON pandian (id)",
    "CREATE UNIQUE INDEX ix_mber_id ON mber (id)",
    "CREATE INDEX ix_mber_name ON mber (mbername)",
    "CREATE INDEX ix_czjl_mber ON czjl (mberid)",
    "CREATE INDEX ix_jfdhjl_mber ON jfdhjl (mberid)",
    "CREATE UNIQUE INDEX ix_con_id ON con (conid)",
    "CREATE INDEX ix_con_time ON con (createtime)",
    "CREATE INDEX ix_con_czy_time ON con (czy, createtime)",
    "CREATE INDEX ix_xiangxi_con ON xiangxi (conid)",
    "CREATE INDEX ix_xiangxi_time ON xiangxi (createtime)",
    "CREATE INDEX ix_xiangxi_spid ON xiangxi (spid)",
    "CREATE INDEX ix_thjl_con ON thjl (conid)",
    "CREATE INDEX ix_thjl_time ON thjl (createtime)",
};

const char* const kTerminalTables[] = {
    "CREATE TABLE meta (key TEXT PRIMARY KEY, value TEXT)",
    "CREATE TABLE sysinfo (infokey TEXT COLLATE NOCASE NOT NULL, keyvalue TEXT COLLATE NOCASE)",
    "CREATE UNIQUE INDEX ix_sysinfo_key ON sysinfo (infokey)",
};

QStringList toList(const char* const* first, const char* const* last)
{
    QStringList out;
    for (auto p = first; p != last; ++p)
        out << QString::fromUtf8(*p);
    return out;
}

} // namespace

QStringList shopSchema()
{
    return toList(std::begin(kShopTables), std::end(kShopTables));
}

QStringList terminalSchema()
{
    return toList(std::begin(kTerminalTables), std::end(kTerminalTables));
}

const KeyDefaults& shopKeys()
{
    // A standard 13-digit scale label: flag "2", goods id in 2-7, weight or amount in 8-9 . 10-12.
    static const KeyDefaults keys = {
        {"shopname", ""},
        {"yuan", "10"},
        {"kcbz", "yes"},
        {"kctx", "yes"},
        {"txsl", "10"},
        {"lsqz", ""},
        {"lsh", "10000000"},
        {"lsws", "8"},
        {"dingbu", QStringLiteral("欢迎光临！")},
        {"dibu", QStringLiteral("谢谢惠顾，欢迎再次光临！")},
        {"dzc", "0"},
        {"dzc_bsm", "2"},
        {"dzc_spbm1", "2"},
        {"dzc_spbm2", "7"},
        {"dzc_zsm1", "8"},
        {"dzc_zsm2", "9"},
        {"dzc_xsm1", "10"},
        {"dzc_xsm2", "12"},
    };
    return keys;
}

const KeyDefaults& terminalKeys()
{
    static const KeyDefaults keys = {
        {"yl", "no"},   {"gx", "no"},     {"gxdk", "1"}, {"astart", "no"},
        {"print", "no"}, {"printer", ""}, {"dyfs", "1"}, {"xbj", "3"},
    };
    return keys;
}

} // namespace gl
