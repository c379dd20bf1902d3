#pragma once

#include "Db.h"
#include "Format.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QString>

namespace gl {

// Start-up steps both programs share, before any window: take the one-copy lock named `title`
// (kept for the life of the process) and open the stores in `folder`. On failure the user has
// been told why (`duplicateMessage` for a second copy) and the program should end.
bool prepareProgram(const QString& title, const QString& duplicateMessage, const QString& folder,
                    const QList<Store>& stores);

// The run of either program: application title, locale, its own preparation (lock and
// stores), the login window, then the main window maximised until it closes. Returns the exit code.
template <class LoginWindow, class MainWindow>
int runProgram(QApplication& app, const QString& title, bool (*prepare)(const QString&), const QString& folder)
{
    app.setApplicationName(title);
    app.setApplicationDisplayName(QString());
    initLocale();
    if (!prepare(folder))
        return 1;
    {
        LoginWindow login;
        if (login.exec() != QDialog::Accepted)
            return 0;
    }
    MainWindow main;
    main.showMaximized();
    return app.exec();
}

} // namespace gl
