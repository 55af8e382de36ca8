#include "admin/SaveLoadText.h"

#include "platform/Dialogs.h"
#include "platform/TextFile.h"

#include <QFileInfo>

bool FileExists(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() && info.isFile();
}

QString LoadTextFile(const QString &path, QWidget *asker)
{
    bool ok = false;
    const QString text = FileExists(path) ? readLatin1File(path, &ok) : QString();
    if (!ok)
        MsgBox(QStringLiteral("File not found. Check if the file is Currently exists."),
               MsgIcon::Critical, QStringLiteral("Sorry"), MsgButtons::Ok, asker);
    return text;
}
