#include "admin/frmDialogPunkbusterLists.h"

#include <QStringList>

namespace {

const QString kPlayerListHeader
    = QStringLiteral("PunkBuster Server: Player List: [Slot #] [GUID] [Address] [Status] "
                     "[Power] [Auth Rate] [Recent SS] [O/S] [Name]");
const QString kBadNameHeader = QStringLiteral("PunkBuster Server: Slot: Grace Filter");
const QString kCrLf = QStringLiteral("\r\n");
const QString kDeleted = QStringLiteral("*DELETED*");

// The text after the header line. A console without the header (the reply came late, or the
// console was cleared meanwhile) is read from where the list would begin had the header opened
// the console; what stands there rarely has enough words to make a row.
QString afterHeader(const QString &console, const QString &header)
{
    const qsizetype at = console.indexOf(header);
    return console.mid(at < 0 ? header.size() + 1 : at + header.size() + 2);
}

// PunkBuster pads its columns with blanks; with every run folded into one blank, a line splits
// into the same words however wide its columns were.
QList<QStringList> wordLines(QString text)
{
    while (text.contains(QLatin1String("  ")))
        text.replace(QLatin1String("  "), QLatin1String(" "));
    QList<QStringList> lines;
    const QStringList pieces = text.split(kCrLf);
    for (const QString &line : pieces) {
        if (!line.isEmpty())
            lines << line.split(QLatin1Char(' '));
    }
    return lines;
}

QString before(const QString &word, QChar stop)
{
    const qsizetype at = word.indexOf(stop);
    return at < 0 ? word : word.left(at);
}

QString unquoted(QString text)
{
    return text.remove(QLatin1Char('"'));
}

// A name with blanks spans several words: it runs from its first word to the line's end.
QString restOfLine(const QStringList &words, qsizetype first)
{
    const QString line = words.join(QLatin1Char(' '));
    return unquoted(line.mid(line.indexOf(words.at(first))));
}

} // namespace

QList<PbPlayerRow> pbPlayerRows(const QString &console)
{
    QList<PbPlayerRow> rows;
    const QList<QStringList> lines = wordLines(afterHeader(console, kPlayerListHeader));
    for (const QStringList &t : lines) {
        // "PunkBuster Server:" slot guid(status) address:port status power auth ss [o/s] name
        const qsizetype n = t.size() - 1;
        if (n < 9)
            continue;
        PbPlayerRow row{t[2],
                        before(t[3], QLatin1Char('(')),
                        before(t[4], QLatin1Char(':')),
                        t[5],
                        t[6],
                        t[7],
                        t[8],
                        t[9]};
        // Newer PunkBuster versions print the client's system as one more word before the name,
        // which they quote; a line without it shows its last word as it stands.
        if (n > 9)
            row.name = restOfLine(t, 10);
        rows << row;
    }
    return rows;
}

QList<PbBadNameRow> pbBadNameRows(const QString &console)
{
    QList<PbBadNameRow> rows;
    const QList<QStringList> lines = wordLines(afterHeader(console, kBadNameHeader));
    for (const QStringList &t : lines) {
        // "PunkBuster Server:" slot: seconds "filter"
        const qsizetype n = t.size() - 1;
        if (n < 4)
            continue;
        const QString filter = n == 4 ? unquoted(t[4]) : restOfLine(t, 4);
        if (filter == kDeleted)
            continue;
        rows << PbBadNameRow{QString(t[2]).remove(QLatin1Char(':')), t[3], filter};
    }
    return rows;
}
