// The till's scan path on a large shop: bench_scan <folder with sydb.zdb from gen_shop> [scans]
//
// Works on a copy of the database. Builds the real sale screen (run it with
// QT_QPA_PLATFORM=offscreen), types a goods id into editID and measures Enter until the priced
// line is in the cart and the total is recomputed ("handled"), and until the window has also
// repainted ("shown"). Medians over many scans with an empty cart, and with 200 or more lines
// already in the cart.
#include "Db.h"
#include "Session.h"
#include "UnitMain.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <algorithm>
#include <cstdio>
#include <random>

namespace {

struct Times {
    std::vector<double> handled, shown;   // milliseconds
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

void report(const char* what, const Times& t)
{
    std::printf("%-34s n=%4zu  handled: median %.3f ms, p90 %.3f ms | shown: median %.3f ms, p90 %.3f ms, max %.3f ms\n",
                what, t.handled.size(), percentile(t.handled, 0.5), percentile(t.handled, 0.9),
                percentile(t.shown, 0.5), percentile(t.shown, 0.9), percentile(t.shown, 1.0));
}

// One Enter in editID, timed.
void timedScan(till::TfrmMain& w, const QString& code, Times* times)
{
    w.editID->setText(code);
    QElapsedTimer clock;
    clock.start();
    QTest::keyClick(w.editID, Qt::Key_Return);
    const qint64 handled = clock.nsecsElapsed();
    QCoreApplication::processEvents();   // the repaint of the list, the total and the box
    const qint64 shown = clock.nsecsElapsed();
    if (times) {
        times->handled.push_back(handled / 1e6);
        times->shown.push_back(shown / 1e6);
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_scan <folder with sydb.zdb> [scans]\n");
        return 2;
    }
    const int scans = argc > 2 ? QString::fromLatin1(argv[2]).toInt() : 1000;
    const QString source = QDir(QString::fromLocal8Bit(argv[1])).absoluteFilePath(QStringLiteral("sydb.zdb"));
    QTemporaryDir work;
    if (!QFile::exists(source) || !QFile::copy(source, work.filePath(QStringLiteral("sydb.zdb")))) {
        std::fprintf(stderr, "cannot copy %s\n", qPrintable(source));
        return 1;
    }
    QString error;
    if (!gl::openStore(gl::Store::Shop, work.path(), &error) || !gl::openStore(gl::Store::Terminal, work.path(), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    gl::setCurrentOperator(QStringLiteral("Admin"));

    const qint64 goods = gl::scalar(gl::shopDb(), QStringLiteral("SELECT COUNT(*) FROM sp")).toLongLong();
    const qint64 lines = gl::scalar(gl::shopDb(), QStringLiteral("SELECT COUNT(*) FROM xiangxi")).toLongLong();
    std::printf("database: %lld goods, %lld sale lines\n", goods, lines);

    // Codes as a till sees them: any goods of the catalogue, some with price breaks, some repeated.
    std::mt19937 rng(7);
    QStringList codes;
    {
        QSqlQuery q = gl::run(gl::shopDb(), QStringLiteral("SELECT id FROM sp"));
        QStringList all;
        while (q.next())
            all << q.value(0).toString();
        QSqlQuery b = gl::run(gl::shopDb(), QStringLiteral("SELECT DISTINCT spid FROM spdz"));
        QStringList withBreaks;
        while (b.next())
            withBreaks << b.value(0).toString();
        for (int i = 0; i < 4000; ++i) {
            const QStringList& from = (i % 4 == 0 && !withBreaks.isEmpty()) ? withBreaks : all;
            codes << from[int(rng() % unsigned(from.size()))];
        }
    }
    int next = 0;
    auto code = [&] { return codes[next++ % codes.size()]; };

    till::TfrmMain w;
    w.resize(1366, 768);
    w.show();
    if (!QTest::qWaitForWindowExposed(&w))
        std::fprintf(stderr, "the window was not shown\n");
    QCoreApplication::processEvents();

    // Warm up the statement and page caches the way a till that has run a while has them.
    for (int i = 0; i < 50; ++i)
        timedScan(w, code(), nullptr);

    Times empty;
    for (int i = 0; i < scans; ++i) {
        w.btnClsClick();
        QCoreApplication::processEvents();
        timedScan(w, code(), &empty);
    }

    Times full;
    const int rounds = std::max(1, scans / 50);
    for (int r = 0; r < rounds; ++r) {
        w.btnClsClick();
        for (int i = 0; i < 200; ++i)
            timedScan(w, code(), nullptr);
        for (int i = 0; i < 50; ++i)   // the cart grows from 200 to 249 lines
            timedScan(w, code(), &full);
    }
    if (w.lvwSp->topLevelItemCount() != 250)
        std::fprintf(stderr, "unexpected cart size %d\n", w.lvwSp->topLevelItemCount());

    report("scan, empty cart", empty);
    report("scan, 200-249 lines in the cart", full);
    std::printf("targets: median under 2 ms with an empty cart, under 5 ms with 200 lines\n");
    return 0;
}
