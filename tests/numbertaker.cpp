// Takes receipt numbers from the shop database of a folder, standing in for a till:
// numbertaker <folder> <count>. Prints "ready", waits for a line on stdin so that several copies
// start at the same moment, then prints each number it took, one a line.
#include "Db.h"
#include "ReceiptNumber.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 3)
        return 2;
    QString error;
    if (!gl::openStore(gl::Store::Shop, QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 3;
    }
    const int count = QString::fromLatin1(argv[2]).toInt();
    std::printf("ready\n");
    std::fflush(stdout);
    QTextStream in(stdin);
    in.readLine();
    QTextStream out(stdout);
    for (int i = 0; i < count; ++i) {
        try {
            out << till::takeNextReceiptNo(gl::shopDb()) << '\n';
        } catch (const gl::DbError& e) {
            std::fprintf(stderr, "%s\n", e.what());
            return 4;
        }
    }
    out.flush();
    return 0;
}
