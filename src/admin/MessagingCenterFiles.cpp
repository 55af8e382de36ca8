#include "admin/MessagingCenterFiles.h"

#include "platform/ProgramDir.h"
#include "platform/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace {
const QString kFolder = QStringLiteral("Logs/MessagingCenter");
const QString kExtension = QStringLiteral(".log");

// Blanks around a field and one pair of enclosing double quotes do not count.
QString cleanField(const QString &raw)
{
    QString field = raw.trimmed();
    if (field.size() >= 2 && field.startsWith(QLatin1Char('"')) && field.endsWith(QLatin1Char('"')))
        field = field.mid(1, field.size() - 2);
    return field;
}
} // namespace

QString messageListPath(const QString &name)
{
    return programPath(kFolder + QLatin1Char('/') + name + kExtension);
}

QStringList savedMessageLists()
{
    // Matched with case, so that every listed name loads back as name + ".log".
    const QStringList files
        = QDir(programPath(kFolder))
              .entryList({QLatin1Char('*') + kExtension}, QDir::Files | QDir::CaseSensitive,
                         QDir::Name | QDir::IgnoreCase);
    QStringList names;
    for (const QString &file : files)
        names << file.chopped(kExtension.size());
    return names;
}

void saveMessageList(const QString &path, const QList<TimedMessage> &entries)
{
    if (path.isEmpty())
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QStringList lines;
    for (const TimedMessage &entry : entries)
        lines << entry.message + QLatin1Char(':') + entry.seconds;
    writeLatin1Lines(path, lines);
}

QList<TimedMessage> loadMessageList(const QString &path)
{
    QList<TimedMessage> entries;
    const QString text = readLatin1File(path);
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size()) {
            const QChar c = text.at(i);
            if (c != QLatin1Char(',') && c != QLatin1Char('\r') && c != QLatin1Char('\n'))
                continue;
        }
        const QString field = cleanField(text.mid(start, i - start));
        start = i + 1;
        if (field.isEmpty())
            continue;
        entries.append(
            {field.section(QLatin1Char(':'), 0, 0), field.section(QLatin1Char(':'), 1, 1)});
    }
    return entries;
}
