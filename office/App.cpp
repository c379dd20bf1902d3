#include "App.h"

#include "Dialogs.h"
#include "RowReader.h"
#include "Startup.h"
#include "UnitLogin.h"
#include "UnitMain.h"

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
    return gl::runProgram<TfrmLogin, TfrmMain>(app, appTitle(), &prepareOffice, folder);
}

} // namespace office
