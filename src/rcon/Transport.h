#pragma once

#include <QByteArray>
#include <QString>

// The datagram for one command: FF FF FF FF "rcon " password " " command, one byte per character.
QByteArray rconDatagram(const QString &password, const QString &command);

// A received datagram as the console shows it: colour codes ^0..^7 removed when asked, every
// FF FF FF FF "print" LF marker removed, LF turned into CR LF.
QString cleanReply(const QByteArray &datagram, bool stripColours);
// The same, one byte per character, as the console keeps it.
QByteArray cleanReplyBytes(const QByteArray &datagram, bool stripColours);

// A server variable's value from a reply: the text split at double quotes, the fourth piece; the
// whole text when it holds fewer than four pieces.
QString cvarValue(const QString &reply);
