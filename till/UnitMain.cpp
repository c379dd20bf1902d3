#include "UnitMain.h"

#include "Dialogs.h"

#include <QCloseEvent>
#include <QLabel>

namespace till {

TfrmMain::TfrmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Velmora收银系统 - 收银端"));
    auto* body = new QWidget(this);
    body->setStyleSheet(QStringLiteral("background: #202020;"));
    setCentralWidget(body);
}

bool TfrmMain::FormCloseQuery()
{
    return gl::MsgYesNo(QStringLiteral("您确实要退出系统吗？"), this, QStringLiteral("退出确认"));
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

} // namespace till
