#include "Autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#ifdef Q_OS_WIN
#include <QSettings>
#endif

namespace gl {

#ifdef Q_OS_WIN
namespace {
const QString kRunKey = QStringLiteral("HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run");
}

QString autostartEntryPath(const QString& title)
{
    return kRunKey + QStringLiteral("\\") + title;
}

bool setAutostart(const QString& title, const QString& executable, bool on)
{
    QSettings run(kRunKey, QSettings::NativeFormat);
    if (on)
        run.setValue(title, QDir::toNativeSeparators(executable));
    else
        run.remove(title);
    run.sync();
    return run.status() == QSettings::NoError;
}

bool autostartEnabled(const QString& title)
{
    QSettings run(kRunKey, QSettings::NativeFormat);
    return run.contains(title);
}
#else
namespace {
// Desktop entry values escape backslash, space and the like inside Exec.
QString quoteExec(const QString& path)
{
    QString escaped = path;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    escaped.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    escaped.replace(QLatin1Char('`'), QStringLiteral("\\`"));
    escaped.replace(QLatin1Char('$'), QStringLiteral("\\$"));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
} // namespace

QString autostartEntryPath(const QString& title)
{
    QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(config).absoluteFilePath(QStringLiteral("autostart/") + title + QStringLiteral(".desktop"));
}

bool setAutostart(const QString& title, const QString& executable, bool on)
{
    const QString path = autostartEntryPath(title);
    if (!on)
        return !QFile::exists(path) || QFile::remove(path);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        return false;
    const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=%1\nExec=%2\n"
                                         "Path=%3\nTerminal=false\nX-GNOME-Autostart-enabled=true\n")
                              .arg(title, quoteExec(executable), QFileInfo(executable).absolutePath());
    f.write(entry.toUtf8());
    return f.commit();
}

bool autostartEnabled(const QString& title)
{
    return QFile::exists(autostartEntryPath(title));
}
#endif

} // namespace gl
