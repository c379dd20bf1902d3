#pragma once

#include <QString>

class QApplication;

namespace office
{

// "Velmora收银系统后台管理": the window title and the name of the one-copy lock.
const QString& appTitle();

// Start-up of the back office: one copy per computer, the shop database in `folder`, login,
// then the main window with its module windows until it closes. Returns the exit code.
int runOffice(QApplication& app, const QString& folder);

// The part of start-up before any window: lock and database. False ends the program
// (the user has been told why).
bool prepareOffice(const QString& folder);

} // namespace office
