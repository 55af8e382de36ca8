#include "profiles/ProfileRestore.h"

#include "config/Profiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ProfileRestore {

namespace {
// Replaces `to` with a copy of `from`. A source gone since it was listed, or the file itself (the
// old directory is this one), leaves `to` alone instead of deleting it first.
bool replaceWith(const QString &from, const QString &to)
{
    const QFileInfo source(from), target(to);
    if (!source.isFile())
        return false;
    if (target.exists() && source.canonicalFilePath() == target.canonicalFilePath())
        return true;
    QFile::remove(to);
    return QFile::copy(from, to);
}
} // namespace

// Joined as text: an empty directory searches the root, never the working directory.
QString oldProfilesFolder(const QString &oldDirectory)
{
    return QDir::toNativeSeparators(QDir::cleanPath(oldDirectory + QStringLiteral("/Profiles")));
}

QStringList oldProfiles(const QString &oldDirectory)
{
    const QDir dir(oldProfilesFolder(oldDirectory));
    QStringList names;
    const QStringList files = dir.entryList({QStringLiteral("*.ini")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        names << file.left(file.size() - 4);
    return names;
}

void restore(const QString &oldDirectory, const QStringList &profiles)
{
    const QDir old(oldProfilesFolder(oldDirectory));
    QDir().mkpath(Profiles::directory());
    for (const QString &name : profiles) {
        const QString file = Profiles::file(name);
        if (replaceWith(old.filePath(name + QStringLiteral(".ini")), file))
            Profiles::restrictToOwner(file); // it holds the rcon password
        QDir().mkpath(Profiles::folder(name));
    }
}

} // namespace ProfileRestore
