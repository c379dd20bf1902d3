#include "App.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "RowReader.h"
#include "SingleInstance.h"
#include "UnitLogin.h"
#include "UnitMain.h"

#include <QApplication>
#include <memory>

namespace office
{

const QString& appTitle()
{
    static const QString title = QStringLiteral("Velmora收银系统后台管理");
    return title;
}

bool prepareOffice(const QString& folder)
{
    // Held for the life of the process.
    static std::unique_ptr<gl::SingleInstance> instance;
    gl::setDialogLook(gl::DialogLook::Office);
    if (!instance) {
        auto candidate = std::make_unique<gl::SingleInstance>(appTitle());
        if (!candidate->tryAcquire()) {
            gl::MsgWarn(QStringLiteral("请不要重复运行后台管理！"));
            return false;
        }
        instance = std::move(candidate);
    }
    QString error;
    if (!gl::openStore(gl::Store::Shop, folder, &error)) {
        gl::MsgWarn(error);
        return false;
    }
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
