#include "profiles/ProfileRestore.h"

#include "config/Profiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProfileRestore {

namespace {
// Replaces `to` with a copy of `from`. Copying a file onto itself (the old directory is this
// one) leaves it alone instead of deleting it first.
bool replaceWith(const QString &from, const QString &to)
{
    const QFileInfo source(from), target(to);
    if (target.exists() && source.canonicalFilePath() == target.canonicalFilePath())
        return true;
    QFile::remove(to);
    return QFile::copy(from, to);
}
} // namespace

QString oldProfilesFolder(const QString &oldDirectory)
{
    return QDir::toNativeSeparators(QDir(oldDirectory).filePath(QStringLiteral("Profiles")));
}

QStringList oldProfiles(const QString &oldDirectory)
{
    const QDir dir(QDir(oldDirectory).filePath(QStringLiteral("Profiles")));
    QStringList names;
    const QStringList files = dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << file.left(file.size() - 4);
    return names;
}

QStringList restore(const QString &oldDirectory, const QStringList &profiles)
{
    const QDir old(QDir(oldDirectory).filePath(QStringLiteral("Profiles")));
    QDir().mkpath(Profiles::directory());
    QStringList failed;
    for (const QString &name : profiles) {
        const QString file = Profiles::file(name);
        if (!replaceWith(old.filePath(name + QStringLiteral(".ini")), file)) {
            failed << name;
            continue;
        }
        Profiles::restrictToOwner(file); // it holds the rcon password
        Profiles::createFolders(name);
        const QString oldPreferences = old.filePath(name + QStringLiteral("/Preferences.ini"));
        if (QFileInfo::exists(oldPreferences)) {
            const QString preferences = Profiles::preferencesFile(name);
            if (replaceWith(oldPreferences, preferences))
                Profiles::restrictToOwner(preferences);
        }
    }
    return failed;
}

} // namespace ProfileRestore
