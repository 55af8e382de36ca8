#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One entry of the Messaging Center: a chat line and the seconds to wait after it, both as the
// administrator typed them (or as a file held them).
struct TimedMessage
{
    QString message;
    QString seconds;

    bool operator==(const TimedMessage &other) const = default;
};

// Saved message lists live in \Logs\MessagingCenter\<name>.log, one "message:seconds" line per
// entry.
QString messageListPath(const QString &name);
// The names of the saved lists, without ".log", in alphabetical order.
QStringList savedMessageLists();

// Replaces the file with the entries; the folder is made when missing. A file that cannot be
// written stays as it was, without a word, like any file fault of the window.
void saveMessageList(const QString &path, const QList<TimedMessage> &entries);

// The entries a file holds. Files have always been read field by field, where a comma ends a
// field as a line end does, and each field is cut at its first colon into message and seconds:
// a message with a comma comes back as two entries, one with a colon loses what follows it.
// Fields without a colon keep their text as the message with no seconds, so the lists stay in
// step. A missing file gives nothing.
QList<TimedMessage> loadMessageList(const QString &path);
