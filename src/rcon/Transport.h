#pragma once

#include <QByteArray>
#include <QString>

class frmMain;

// The datagram for one command: FF FF FF FF "rcon " password " " command, one byte per character.
QByteArray rconDatagram(const QString &password, const QString &command);

// Sends one command to the connected server and echoes it into the console (never the quiet
// "pb_sv_uconempty"). Not connected: the not-connected box, nothing sent, nothing echoed.
void SendCommand(const QString &command);

// Announces a setting change in the game's chat, waits two seconds, then sends the command; with
// announcements switched off ([Messages] IngameMess) only the command is sent.
void AnnounceChange(const QString &command, const QString &description);

// The announcement line AnnounceChange says before the command.
QString announcementFor(const QString &description);

// A received datagram as the console shows it: colour codes ^0..^7 removed when asked, every
// FF FF FF FF "print" LF marker removed, LF turned into CR LF.
QString cleanReply(const QByteArray &datagram, bool stripColours);

// The receive path: one datagram from the server into the console and the reply buffer.
void ReceiveDatagram(frmMain *main, const QByteArray &datagram);

// A server variable's value from a reply: the text split at double quotes, the fourth piece; the
// whole text when it holds fewer than four pieces.
QString cvarValue(const QString &reply);
