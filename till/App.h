#pragma once

#include <QString>

class QApplication;

namespace till {

// "Velmora收银系统收银端": the name of the one-copy lock and of the autostart entry.
const QString& appTitle();

// Start-up of the till: one copy per computer, the database files in `folder`, login, then
// the sale screen until it closes. Returns the process exit code.
int runTill(QApplication& app, const QString& folder);

// The part of start-up before any window: lock and databases. False ends the program
// (the user has been told why).
bool prepareTill(const QString& folder);

} // namespace till
