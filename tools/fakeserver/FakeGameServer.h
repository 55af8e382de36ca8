#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QMetaType>
#include <QObject>
#include <QPair>
#include <QString>

#include <optional>

class QUdpSocket;

enum class FakeGame { CoD, CoDUO, CoD2, CoD4 };

// "cod", "coduo", "cod2", "cod4" (any case); anything else gives CoD4 and *ok = false.
FakeGame fakeGameFromName(const QString &name, bool *ok = nullptr);
QString fakeGameName(FakeGame game);

struct FakePlayer
{
    int slot = 0;
    int score = 0;
    int ping = 0;    // below 0: still connecting, printed as CNCT
    QByteArray guid; // CoD4: 32 hex digits, empty for a bot; the others: a number
    QByteArray name; // raw bytes, colour codes and blanks included
    int lastmsg = 0;
    QByteArray address; // "ip:port" as the server prints it, "bot" for a CoD4 bot
    int qport = 0;
    int rate = 25000;
    QByteArray pingText; // printed instead of the ping when set, e.g. "ZMBI"
};
Q_DECLARE_METATYPE(FakePlayer)

struct ReceivedDatagram
{
    QByteArray bytes;  // exactly as received
    bool rcon = false; // FF FF FF FF "rcon " header: password and command are filled in
    QByteArray password;
    QByteArray command;
    qint64 elapsedMs = 0; // since start()
    QHostAddress from;
    quint16 fromPort = 0;
};
Q_DECLARE_METATYPE(ReceivedDatagram)

struct FakeCvar
{
    enum Flag { ServerInfo = 1, SystemInfo = 2, ReadOnly = 4 };
    QByteArray name; // spelled as the server registered it
    QByteArray value;
    QByteArray defaultValue;
    QByteArray domain; // the second line of a CoD2/CoD4 reply; empty means any text
    int flags = 0;
};

// A UDP server on 127.0.0.1 that answers remote-console datagrams byte for byte as one of the four
// games does, and records everything it receives with the arrival time. Switching the game
// (constructor or setGame) loads that game's variables, players, map and file listings; the
// password, the behaviour switches and the canned replies stay.
class FakeGameServer : public QObject
{
    Q_OBJECT

public:
    explicit FakeGameServer(FakeGame game = FakeGame::CoD4, QObject *parent = nullptr);
    ~FakeGameServer() override;

    bool start(quint16 port = 0); // 0 = any free port
    void stop();
    bool isListening() const;
    quint16 port() const;
    QString errorString() const; // why start() failed

    void setGame(FakeGame game);
    FakeGame game() const;

    // Stored in the game's own variable (rconpassword or rcon_password), so the remote console
    // can read and change it like on a real server. Empty means none is set.
    void setPassword(const QByteArray &password);
    QByteArray password() const;
    void setNoRconPassword(bool on);
    void setSilent(bool on);

    // A null default keeps the known default; a new variable then gets its value as default.
    void setCvar(const QByteArray &name, const QByteArray &value,
                 const QByteArray &defaultValue = QByteArray());
    QByteArray cvar(const QByteArray &name) const; // null when unknown
    QList<FakeCvar> cvars() const;
    void setGamename(const QByteArray &value);
    void setMap(const QByteArray &map);
    QByteArray map() const;
    void setPlayers(const QList<FakePlayer> &players);
    QList<FakePlayer> players() const;
    void setDirListing(const QByteArray &dirArgs, const QList<QByteArray> &files);

    // Answers this exact command line with this text whatever the password; silence and flood
    // protection still apply.
    void setReply(const QByteArray &command, const QByteArray &text);
    void clearReplies();

    void setChunkSize(int bytes); // 0 = the game's own size
    int chunkSize() const;
    void setDropByteBug(bool on);
    void setFloodProtection(bool on, int intervalMs = 500);

    void sendRaw(const QByteArray &datagram); // to the last sender

    // What the console prints for a command line that got past the password, with the same
    // effects as over the wire; nullopt when the engine sends no datagram at all.
    std::optional<QByteArray> runCommand(const QByteArray &line);

    QList<ReceivedDatagram> received() const;
    void clearReceived();
    QList<QByteArray> commands() const; // of the rcon datagrams, in order

signals:
    void datagramReceived(const ReceivedDatagram &datagram);

private:
    using Args = QList<QByteArray>;
    using Reply = std::optional<QByteArray>; // nullopt: the engine sends no datagram at all

    void readPending();
    void handle(const QByteArray &bytes, const QHostAddress &from, quint16 fromPort);
    Reply answer(const QByteArray &password, const QByteArray &command);
    void sendText(const QByteArray &text, const QHostAddress &to, quint16 toPort);
    QByteArray passwordCvarName() const;

    // The engine's console, in FakeGameCommands.cpp.
    Reply execute(const QByteArray &line);
    bool cvarCommand(const Args &args, QByteArray *reply);
    Reply setCommand(const Args &args);
    Reply statusCommand(const Args &args);
    Reply serverinfoCommand(const Args &args);
    Reply systeminfoCommand(const Args &args);
    Reply dumpuserCommand(const Args &args);
    Reply quietCommand(const Args &args);
    Reply mapCommand(const Args &args);
    Reply mapRotateCommand(const Args &args);
    Reply mapRestartCommand(const Args &args);
    Reply quitCommand(const Args &args);
    Reply kickByNameCommand(const Args &args);
    Reply kickBySlotCommand(const Args &args);
    Reply dirCommand(const Args &args);
    Reply execCommand(const Args &args);
    Reply punkBusterCommand(const Args &args);

    FakeCvar *findCvar(const QByteArray &name);
    const FakeCvar *findCvar(const QByteArray &name) const;
    QByteArray cvarValue(const QByteArray &name) const;
    QByteArray assign(const QByteArray &name, const QByteArray &value, int extraFlags = 0);
    QByteArray infoText(const QByteArray &title, int flag) const;
    int playerIndexByName(const QByteArray &name) const;
    void loadMap(const QByteArray &map);

    QUdpSocket *m_socket = nullptr;
    QString m_error;
    FakeGame m_game;
    bool m_noRconPassword = false;
    bool m_silent = false;
    bool m_dropByteBug = false;
    bool m_floodProtection = false;
    int m_floodIntervalMs = 500;
    qint64 m_lastAcceptedMs = -1;
    int m_chunkSize = 0;
    QList<FakeCvar> m_cvars;
    QList<FakePlayer> m_players;
    QHash<QByteArray, QList<QByteArray>> m_dirListings;
    QList<QPair<QByteArray, QByteArray>> m_badNames; // PunkBuster's: grace seconds, filter
    QHash<QByteArray, QByteArray> m_replies;
    QList<ReceivedDatagram> m_received;
    QElapsedTimer m_clock;
    QHostAddress m_lastSender;
    quint16 m_lastSenderPort = 0;
};

// Pure builders, for parser tests that need no socket.
QByteArray fakeStatusText(FakeGame game, const QByteArray &map, const QList<FakePlayer> &players);
// Each chunk carries its own FF FF FF FF "print" LF header; an empty text gives one bare header.
QList<QByteArray> fakeChunks(const QByteArray &text, int chunkSize, bool dropByteBug);
// Names with one and several blanks, colour codes, a CP1251 name, a long name, a client still
// connecting, a negative port on a 22-character address, and a bot on CoD4.
QList<FakePlayer> fakeDefaultPlayers(FakeGame game);
QByteArray fakePunkBusterPlayerList(FakeGame game, const QList<FakePlayer> &players);
