#include "App.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return office::runOffice(app, QCoreApplication::applicationDirPath());
}
