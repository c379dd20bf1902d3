// Holds the one-copy lock of the title given as argument until stdin closes or it is killed,
// standing in for a running copy of a program.
#include "SingleInstance.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2)
        return 2;
    gl::SingleInstance lock(QString::fromUtf8(argv[1]));
    if (!lock.tryAcquire())
        return 1;
    std::printf("locked\n");
    std::fflush(stdout);
    QTextStream in(stdin);
    in.readLine();
    return 0;
}
