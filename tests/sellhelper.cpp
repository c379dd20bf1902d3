// A second till in its own process: sells from one member's stored value and one goods' stock
// of the shop database in <folder>, one sale after another, once <folder>/go exists.
// Usage: sellhelper <folder> <receipt prefix> <sales>
// Prints "ready", then "paid <n> refused <n> errors <n>".
#include "Checkout.h"
#include "Db.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QThread>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 4)
        return 2;
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int sales = QString::fromLocal8Bit(argv[3]).toInt();
    QString error;
    if (!gl::openStore(gl::Store::Shop, folder, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    const QString go = QDir(folder).absoluteFilePath(QStringLiteral("go"));
    while (!QFileInfo::exists(go))
        QThread::msleep(2);

    int paid = 0, refused = 0, errors = 0;
    for (int i = 0; i < sales; ++i) {
        till::CheckoutRequest r;
        r.conid = prefix + QString::number(i);
        r.mberId = QStringLiteral("M");
        r.mberName = QStringLiteral("Member");
        r.czy = prefix;
        till::SaleLine l;
        l.spid = QStringLiteral("G");
        l.spmc = QStringLiteral("Goods");
        l.dj = 1;
        // Every third sale takes two units for cash; the others one unit from stored value.
        l.sl = i % 3 == 0 ? 2 : 1;
        l.je = l.sl;
        r.lines = {l};
        r.zje = l.je;
        if (i % 3 == 0)
            r.tenders.cash = l.je;
        else
            r.tenders.stored = l.je;
        try {
            if (till::bookCheckout(gl::shopDb(), r).status == till::CheckoutStatus::Paid)
                ++paid;
            else
                ++refused;
        } catch (const gl::DbError& e) {
            ++errors;
            std::fprintf(stderr, "%s\n", qPrintable(e.message()));
        }
        // A moment between customers, as at a real till, so the other till gets its turns.
        QThread::msleep(2);
    }
    std::printf("paid %d refused %d errors %d\n", paid, refused, errors);
    gl::closeStore(gl::Store::Shop);
    return 0;
}
