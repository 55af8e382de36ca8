#include "platform/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
QString &failingPath()
{
    static QString path;
    return path;
}
} // namespace

void failReadsOfForTests(const QString &path)
{
    failingPath() = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
}

QByteArray readFileBytes(const QString &path, bool *ok)
{
    QFile f(path);
    const bool faulty
        = !failingPath().isEmpty() && QFileInfo(path).absoluteFilePath() == failingPath();
    bool opened = !faulty && f.open(QIODevice::ReadOnly);
    QByteArray data = opened ? f.readAll() : QByteArray();
    if (opened && f.error() != QFileDevice::NoError)
        opened = false;
    if (ok)
        *ok = opened;
    return opened ? data : QByteArray();
}

QString readLatin1File(const QString &path, bool *ok)
{
    return QString::fromLatin1(readFileBytes(path, ok));
}

QStringList readLatin1Lines(const QString &path, bool *ok)
{
    bool opened = false;
    QString text = readLatin1File(path, &opened);
    if (ok)
        *ok = opened;
    if (!opened)
        return {};
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text.split(QLatin1Char('\n'));
}

bool writeFileBytes(const QString &path, const QByteArray &data)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(data);
    return f.commit();
}

bool writeLatin1Lines(const QString &path, const QStringList &lines)
{
    QByteArray data;
    for (const QString &line : lines) {
        data += line.toLatin1();
        data += "\r\n";
    }
    return writeFileBytes(path, data);
}

bool appendLatin1Line(const QString &path, const QString &line)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray data = line.toLatin1() + "\r\n";
    return f.write(data) == data.size();
}
