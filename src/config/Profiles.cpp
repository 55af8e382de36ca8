#include "config/Profiles.h"

#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/ProgramDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

QString iniName(const QString &profile)
{
    return profile + QStringLiteral(".ini");
}
} // namespace

namespace Profiles {

QString directory()
{
    return programPath(QStringLiteral("Profiles"));
}

QString file(const QString &profile)
{
    return directory() + QLatin1Char('/') + iniName(profile);
}

QString folder(const QString &profile)
{
    return directory() + QLatin1Char('/') + profile;
}

QString preferencesFile(const QString &profile)
{
    return folder(profile) + QStringLiteral("/Preferences.ini");
}

QString dialogsFolder(const QString &profile)
{
    return programPath(QStringLiteral("Dialogs")) + QLatin1Char('/') + profile;
}

bool ownsFolder(const QString &profile)
{
    return !profile.isEmpty() && profile != QLatin1String(".") && profile != QLatin1String("..");
}

QStringList list(bool *directoryEmpty)
{
    QDir dir(directory());
    // Name filters match without regard to case, as "*.ini" does on Windows.
    const QStringList files
        = dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
    if (directoryEmpty)
        *directoryEmpty = files.isEmpty();
    QStringList names;
    names.reserve(files.size());
    for (const QString &f : files)
        names << f.left(f.size() - 4);
    return names;
}

ServerProfile read(const QString &profile)
{
    const QString path = file(profile);
    return {ReadIni(path, profile, QStringLiteral("IP")),
            ReadIni(path, profile, QStringLiteral("Port")),
            ReadIni(path, profile, QStringLiteral("Rcon")),
            ReadIni(path, profile, QStringLiteral("Name"))};
}

void write(const QString &profile, const ServerProfile &values)
{
    const QString path = file(profile);
    QDir().mkpath(directory());
    restrictToOwner(path);
    WriteIni(path, profile, QStringLiteral("IP"), values.ip);
    WriteIni(path, profile, QStringLiteral("Port"), values.port);
    WriteIni(path, profile, QStringLiteral("Rcon"), values.rcon);
    WriteIni(path, profile, QStringLiteral("Name"), values.name);
    restrictToOwner(path);
}

void add(const QString &profile, const ServerProfile &values)
{
    write(profile, values);
    createFolders(profile);
    Wait(1.0);
    writeDefaultPreferences(profile);
}

void createFolders(const QString &profile)
{
    QDir().mkpath(dialogsFolder(profile));
    QDir().mkpath(folder(profile));
}

void writeDefaultPreferences(const QString &profile)
{
    const QString path = preferencesFile(profile);
    // It will hold the FTP password.
    restrictToOwner(path);
    const QString ping = QStringLiteral("Ping Settings");
    const QString ftp = QStringLiteral("FTP Settings");
    WriteIni(path, ping, QStringLiteral("PingMeterEnable"), QStringLiteral("0"));
    WriteIni(path, ping, QStringLiteral("PingMeterTime"), QStringLiteral("5"));
    for (const char *key : {"IP", "Port", "Username", "Password", "LogsDirectory"})
        WriteIni(path, ftp, QLatin1String(key), QString());
}

QStringList upgrade(const QStringList &profiles)
{
    QStringList completed;
    for (const QString &profile : profiles) {
        restrictToOwner(file(profile));
        if (!ownsFolder(profile) || QFileInfo::exists(preferencesFile(profile)))
            continue;
        createFolders(profile);
        writeDefaultPreferences(profile);
        completed << profile;
    }
    return completed;
}

void remove(const QString &profile)
{
    if (ownsFolder(profile)) {
        QFile::remove(preferencesFile(profile));
        QDir().rmdir(folder(profile)); // fails, as wanted, while other files remain
    }
    QFile::remove(file(profile));
}

void restrictToOwner(const QString &path)
{
    QFile f(path);
    if (!f.exists()) {
        // Created owner-only from the start; later rewrites keep these permissions.
        if (f.open(QIODevice::WriteOnly | QIODevice::NewOnly, kOwnerOnly))
            f.close();
        return;
    }
    if (f.permissions() & ~(kOwnerOnly | QFileDevice::ReadUser | QFileDevice::WriteUser))
        f.setPermissions(kOwnerOnly);
}

} // namespace Profiles
