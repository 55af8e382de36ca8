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

void copyMissing(const QString &from, const QString &to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        if (QFileInfo::exists(target))
            continue;
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}
} // namespace

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
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (isWritableDir(exeDir)) {
        setProgramDir(exeDir);
        return;
    }
    const QString userDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userDir);
    copyMissing(exeDir, userDir);
    setProgramDir(userDir);
}
