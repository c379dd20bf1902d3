#include "App.h"

#include "Db.h"
#include "Dialogs.h"
#include "Format.h"
#include "SingleInstance.h"
#include "UnitLogin.h"
#include "UnitMain.h"

#include <QApplication>
#include <memory>

namespace till {

const QString& appTitle()
{
    static const QString title = QStringLiteral("Velmora收银系统收银端");
    return title;
}

bool prepareTill(const QString& folder)
{
    // Held for the life of the process.
    static std::unique_ptr<gl::SingleInstance> instance;
    gl::setDialogLook(gl::DialogLook::Till);
    if (!instance) {
        auto candidate = std::make_unique<gl::SingleInstance>(appTitle());
        if (!candidate->tryAcquire()) {
            gl::MsgWarn(QStringLiteral("请不要重复运行收银端！"));
            return false;
        }
        instance = std::move(candidate);
    }
    QString error;
    if (!gl::openStore(gl::Store::Shop, folder, &error) || !gl::openStore(gl::Store::Terminal, folder, &error)) {
        gl::MsgWarn(error);
        return false;
    }
    return true;
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
