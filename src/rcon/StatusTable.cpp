#include "rcon/StatusTable.h"

#include <QStringList>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kBlank = QStringLiteral(" ");
const QString kTwoBlanks = QStringLiteral("  ");

// The rows of the table begin after the rule and its CR LF. A text without the rule is read from
// the same offset a rule at its very start would give.
QString rowsAfterRule(const QString &text)
{
    const int rule = text.indexOf(kStatusColumnRule);
    const int start = (rule < 0 ? 0 : rule + 1) + int(kStatusColumnRule.size()) + 1;
    return text.mid(start);
}
} // namespace

QList<StatusRow> parseStatusTable(const QString &text, const std::function<void()> &betweenRounds)
{
    QString rows = rowsAfterRule(text);
    while (rows.contains(kTwoBlanks)) {
        rows.replace(kTwoBlanks, kBlank);
        if (betweenRounds)
            betweenRounds();
    }

    QList<StatusRow> players;
    const QStringList lines = rows.split(kCrLf);
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(' '));
        const int last = int(f.size()) - 1;
        if (last < 9)
            continue;
        StatusRow row;
        row.slot = f.at(1);
        row.score = f.at(2);
        row.ping = f.at(3);
        row.guid = f.at(4);
        row.lastmsg = f.at(last - 3);
        row.address = f.at(last - 2);
        row.qport = f.at(last - 1);
        row.rate = f.at(last);
        if (last == 9) {
            row.name = f.at(5);
        } else {
            // A name with blanks spans several fields: take it whole from the line, from where
            // its first word starts up to the blank before the last four columns.
            const QString tail = QStringList(f.mid(last - 3)).join(kBlank);
            const QString fromName = line.mid(line.indexOf(f.at(5)));
            const int at = fromName.indexOf(tail);
            if (at < 1)
                continue;
            row.name = fromName.left(at - 1);
        }
        players.append(row);
    }
    return players;
}
