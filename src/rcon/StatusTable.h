#pragma once

#include <QList>
#include <QString>

#include <functional>

// One player row of a "status" reply, its nine columns as the server printed them.
struct StatusRow
{
    QString slot;
    QString score;
    QString ping;
    QString guid;
    QString name;
    QString lastmsg;
    QString address;
    QString qport;
    QString rate;
};

// The column rule under the table's heading, exactly as the four games print it.
inline constexpr QLatin1String kStatusColumnRule(
    "--- ----- ---- ------ --------------- ------- --------------------- ----- -----");

// Reads the player rows out of the text of a box that holds a "status" reply (the console or the
// reply buffer, CR LF line ends). The rows start two characters after the column rule; without
// the rule, at the 81st character of the text. Runs of blanks count as one blank, so a row reads
// as fields; a row of ten fields is a player, a longer row a player whose name holds blanks
// (the name is then the text between the fifth field and the last four), anything else is not a
// player row. A row cut in two by a datagram boundary is two lines and usually neither is read.
// `betweenRounds` runs after each round of folding blanks, for a caller that keeps its window
// answering meanwhile.
QList<StatusRow> parseStatusTable(const QString &text,
                                  const std::function<void()> &betweenRounds = {});
