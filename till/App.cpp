#include "App.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "Startup.h"
#include "UnitLogin.h"
#include "UnitMain.h"

#include <QApplication>

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
    app.setApplicationName(appTitle());
    app.setApplicationDisplayName(QString());
    gl::initLocale();
    if (!prepareTill(folder))
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

} // namespace till
