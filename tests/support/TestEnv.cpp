#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

void TestProgramDir::writeFile(const QString &relative, const QByteArray &content) const
{
    const QString path = programPath(relative);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
}

QByteArray TestProgramDir::readFile(const QString &relative) const
{
    QFile f(programPath(relative));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
