#include "platform/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
QString &dirStore()
{
    static QString dir;
    return dir;
}

bool isWritableDir(const QString &dir)
{
    QFileInfo info(dir);
    if (!info.isDir() || !info.isWritable())
        return false;
    QFile probe(dir + QStringLiteral("/.vantor-write-test"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    probe.remove();
    return true;
}

// What the program ships beside itself, and all it may copy into a user's folder: never the rest
// of the folder it runs from (installed in /usr/bin, that would be every program there).
const char *const kShipped[]
    = {"Preferences.ini", "Other.ini", "Chat", "Dialogs", "Logs", "Profiles", "Tempfiles", "Lang"};

// Where the shipped defaults lie: beside an installed program in share/vantor, or in the program's
// own folder (a build, a portable copy).
QString shippedDefaultsDir(const QString &exeDir)
{
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/vantor"));
    if (QFileInfo::exists(installed + QStringLiteral("/Preferences.ini")))
        return installed;
    return exeDir;
}

// Copies are the user's own: writable by their owner whatever the source's mode (a read-only
// install would otherwise give settings that can never be saved), and profile files, which hold
// rcon passwords, readable by their owner alone.
void makeOwn(const QString &path, bool secret)
{
    QFile::Permissions p = QFile::ReadOwner | QFile::WriteOwner;
    if (QFileInfo(path).isDir())
        p |= QFile::ExeOwner;
    else if (!secret)
        p |= QFile::ReadGroup | QFile::ReadOther;
    QFile::setPermissions(path, p);
}

} // namespace

void copyShippedDefaults(const QString &exeDir, const QString &to)
{
    const QString from = shippedDefaultsDir(exeDir);
    for (const char *name : kShipped) {
        const QString source = from + QLatin1Char('/') + QLatin1String(name);
        const QFileInfo info(source);
        if (!info.exists())
            continue;
        QStringList files;
        if (info.isDir()) {
            QDir().mkpath(to + QLatin1Char('/') + QLatin1String(name));
            QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                            QDirIterator::Subdirectories);
            while (it.hasNext())
                files << it.next();
        } else {
            files << source;
        }
        for (const QString &file : std::as_const(files)) {
            const QString target = to + file.mid(from.size());
            const bool secret = target.startsWith(to + QStringLiteral("/Profiles/"));
            if (QFileInfo(file).isDir()) {
                QDir().mkpath(target);
                makeOwn(target, false);
                continue;
            }
            if (QFileInfo::exists(target))
                continue;
            QDir().mkpath(QFileInfo(target).absolutePath());
            if (QFile::copy(file, target))
                makeOwn(target, secret);
        }
    }
}

QString programDir()
{
    if (dirStore().isEmpty())
        dirStore() = QCoreApplication::applicationDirPath();
    return dirStore();
}

void setProgramDir(const QString &dir)
{
    dirStore() = QDir::cleanPath(dir);
}

QString programPath(const QString &relative)
{
    QString rel = relative;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/')))
        rel.remove(0, 1);
    return programDir() + QLatin1Char('/') + rel;
}

void initProgramDir()
{
    initProgramDirFrom(QCoreApplication::applicationDirPath(),
                       QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

void initProgramDirFrom(const QString &exeDir, const QString &userDir)
{
    if (isWritableDir(exeDir)) {
        setProgramDir(exeDir);
        return;
    }
    QDir().mkpath(userDir);
    copyShippedDefaults(exeDir, userDir);
    setProgramDir(userDir);
}
