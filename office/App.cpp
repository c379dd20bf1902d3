#include "App.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "RowReader.h"
#include "Startup.h"
#include "UnitLogin.h"
#include "UnitMain.h"

#include <QApplication>

namespace office
{

const QString& appTitle()
{
    static const QString title = QStringLiteral("Velmora收银系统后台管理");
    return title;
}

bool prepareOffice(const QString& folder)
{
    gl::setDialogLook(gl::DialogLook::Office);
    if (!gl::prepareProgram(appTitle(), QStringLiteral("请不要重复运行后台管理！"), folder, {gl::Store::Shop}))
        return false;
    try {
        tuneForLongLists(gl::shopDb());
    } catch (const gl::DbError&) {
        // Only a matter of speed.
    }
    return true;
}

int runOffice(QApplication& app, const QString& folder)
{
    app.setApplicationName(appTitle());
    app.setApplicationDisplayName(QString());
    gl::initLocale();
    if (!prepareOffice(folder))
        return 1;

    {
        TfrmLogin login;
        if (login.exec() != QDialog::Accepted)
            return 0;
    }
    TfrmMain main;
    main.showMaximized();
    return app.exec();
}

} // namespace office
