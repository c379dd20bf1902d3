#include "App.h"

#include "Dialogs.h"
#include "Startup.h"
#include "UnitLogin.h"
#include "UnitMain.h"

namespace till {

const QString& appTitle()
{
    static const QString title = QStringLiteral("Velmora收银系统收银端");
    return title;
}

bool prepareTill(const QString& folder)
{
    gl::setDialogLook(gl::DialogLook::Till);
    return gl::prepareProgram(appTitle(), QStringLiteral("请不要重复运行收银端！"), folder,
                              {gl::Store::Shop, gl::Store::Terminal});
}

int runTill(QApplication& app, const QString& folder)
{
    return gl::runProgram<TfrmLogin, TfrmMain>(app, appTitle(), &prepareTill, folder);
}

} // namespace till
