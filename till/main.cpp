#include "App.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return till::runTill(app, QCoreApplication::applicationDirPath());
}
