#pragma once

#include "platform/Ini.h"

#include <QObject>
#include <QString>

class ConsoleText;
class UdpLink;

// The one remote-console session with the game server, under every window: the UDP link, the
// connection fields, the exact console and reply-buffer texts, and what the connection learnt
// about the server (game, PunkBuster, join password). Windows get it when they are made and hold
// views of its texts; nothing here knows a widget.
//
// Replies are never matched to requests. A window that needs an answer clears the reply buffer,
// sends, lets time pass (Wait, or its own timer) and reads the buffer's whole text.
class RconSession : public QObject
{
    Q_OBJECT
public:
    explicit RconSession(QObject *parent = nullptr);
    ~RconSession() override;

    // --- connection fields, as the administrator typed them ----------------------------------
    QString address() const { return m_address; }
    QString port() const { return m_port; }
    QString password() const { return m_password; }
    QString adminName() const { return m_adminName; } // named in every announcement
    void setAddress(const QString &address);
    void setPort(const QString &port);
    void setPassword(const QString &password);
    void setAdminName(const QString &name);

    UdpLink *link() const { return m_link; }
    bool isConnected() const;

    // --- what the server told us --------------------------------------------------------------
    // "noco" (not connected), "cod", "coduo", "cod2", "cod4".
    QString gameKind() const { return m_gameKind; }
    void setGameKind(const QString &kind);
    // The server's join password, learnt at login; kept until another private server is joined.
    QString joinPassword() const { return m_joinPassword; }
    void setJoinPassword(const QString &password);
    // Whether the PunkBuster windows make sense on this server.
    bool punkBusterEnabled() const { return m_punkBuster; }
    void setPunkBusterEnabled(bool on);
    // The loaded server profile; empty when the program runs without one.
    QString profile() const { return m_profile; }
    void setProfile(const QString &profile);
    // Colour codes are taken out of every reply while set (the connection sequence needs the
    // bare values); the [Console] ColorNames preference does the same for good.
    bool stripColours() const { return m_stripColours; }
    void setStripColours(bool on);

    // --- the texts ----------------------------------------------------------------------------
    ConsoleText *console() const { return m_console; }
    ConsoleText *replyBuffer() const { return m_replyBuffer; }
    QString replyText() const;
    void clearReplyBuffer();

    // --- operations ---------------------------------------------------------------------------
    // Sends one command and echoes it into the console (never the quiet "pb_sv_uconempty").
    // Not connected: the not-connected box, nothing sent, nothing echoed.
    void SendCommand(const QString &command);
    // Announces a setting change in the game's chat, waits two seconds, then sends the command;
    // with announcements switched off ([Messages] IngameMess) only the command is sent.
    void AnnounceChange(const QString &command, const QString &description);
    // The announcement line AnnounceChange says before the command.
    QString announcementFor(const QString &description) const;
    // Clears the reply buffer and sends; false when not connected (the box has been shown), so
    // that the caller leaves what it shows alone.
    bool sendForReply(const QString &command);
    // A server variable's value: clears the reply buffer, sends the bare name, waits, and takes
    // the fourth quoted piece of the reply.
    QString readVariable(const QString &name, double seconds = 1.0);

    // The receive path: one datagram from the server into the console and the reply buffer.
    // A reader looks at the buffer within seconds of clearing it; text nobody cleared away is
    // dropped from its front once the buffer holds more than kReplyBufferLimit characters, so a
    // chatty server cannot make it grow for days.
    void receive(const QByteArray &datagram);
    QByteArray lastDatagram() const { return m_lastDatagram; }
    static constexpr qsizetype kReplyBufferLimit = 4 * 1024 * 1024;

signals:
    void fieldsChanged();
    void gameKindChanged(const QString &kind);
    void joinPasswordChanged(const QString &password);
    void punkBusterChanged(bool enabled);
    void profileChanged(const QString &profile);
    void stripColoursChanged(bool on);
    // Any of the above, for windows that only need to look again.
    void stateChanged();
    // A datagram was appended to the console and the reply buffer.
    void datagramReceived(const QByteArray &datagram);

private:
    void setField(QString &field, const QString &value);

    UdpLink *m_link;
    ConsoleText *m_console;
    ConsoleText *m_replyBuffer;
    QString m_address;
    QString m_port;
    QString m_password;
    QString m_adminName;
    QString m_gameKind = QStringLiteral("noco");
    QString m_joinPassword;
    QString m_profile;
    bool m_punkBuster = true;
    bool m_stripColours = false;
    QByteArray m_lastDatagram;
    CachedIniValue m_colorNames{QStringLiteral("Console"), QStringLiteral("ColorNames")};
};
