#include "FakeGameServer.h"

#include "FakeGameData.h"

#include <QNetworkDatagram>
#include <QUdpSocket>

namespace {

const QByteArray kOutOfBand = "\xff\xff\xff\xff";

// Splits "rcon <password> <command>" the way the stock engines do: the password runs to the
// first blank, and the command is everything after the blanks that follow it.
bool splitRcon(const QByteArray &bytes, QByteArray *password, QByteArray *command)
{
    if (!bytes.startsWith(kOutOfBand))
        return false;
    const QByteArray body = bytes.mid(kOutOfBand.size());
    if (body.left(4).toLower() != "rcon" || (body.size() > 4 && body[4] != ' '))
        return false;
    qsizetype i = 4;
    while (i < body.size() && body[i] == ' ')
        ++i;
    const qsizetype passwordStart = i;
    while (i < body.size() && body[i] != ' ')
        ++i;
    *password = body.mid(passwordStart, i - passwordStart);
    if (*password == "\"\"") // the console's way of writing an empty word
        password->clear();
    while (i < body.size() && body[i] == ' ')
        ++i;
    *command = body.mid(i);
    return true;
}

} // namespace

FakeGameServer::FakeGameServer(FakeGame game, QObject *parent)
    : QObject(parent)
    , m_game(game)
    , m_badNames(fakeDefaultBadNames())
{
    setGame(game);
}

FakeGameServer::~FakeGameServer()
{
    stop();
}

bool FakeGameServer::start(quint16 port)
{
    stop();
    m_socket = new QUdpSocket(this);
    // Without DontShareAddress a second server could quietly share the port with the first.
    if (!m_socket->bind(QHostAddress::LocalHost, port, QAbstractSocket::DontShareAddress)) {
        m_error = m_socket->errorString();
        delete m_socket;
        m_socket = nullptr;
        return false;
    }
    m_error.clear();
    connect(m_socket, &QUdpSocket::readyRead, this, &FakeGameServer::readPending);
    m_clock.start();
    m_lastAcceptedMs = -1;
    return true;
}

void FakeGameServer::stop()
{
    if (!m_socket)
        return;
    m_socket->close();
    delete m_socket;
    m_socket = nullptr;
}

bool FakeGameServer::isListening() const
{
    return m_socket != nullptr;
}

quint16 FakeGameServer::port() const
{
    return m_socket ? m_socket->localPort() : 0;
}

QString FakeGameServer::errorString() const
{
    return m_error;
}

void FakeGameServer::setGame(FakeGame game)
{
    const QByteArray keptPassword = m_cvars.isEmpty() ? QByteArray() : password();
    m_game = game;
    m_cvars = fakeDefaultCvars(game);
    // As if the server had been started with map_rotate: the first map is up, the rest waits.
    mapRotateCommand({});
    m_players = fakeDefaultPlayers(game);
    m_dirListings = fakeDefaultDirListings(game);
    setPassword(keptPassword);
}

FakeGame FakeGameServer::game() const
{
    return m_game;
}

QByteArray FakeGameServer::passwordCvarName() const
{
    return fakePasswordCvarName(m_game);
}

void FakeGameServer::setPassword(const QByteArray &password)
{
    setCvar(passwordCvarName(), password);
}

QByteArray FakeGameServer::password() const
{
    return cvarValue(passwordCvarName());
}

void FakeGameServer::setNoRconPassword(bool on)
{
    m_noRconPassword = on;
}

void FakeGameServer::setSilent(bool on)
{
    m_silent = on;
}

void FakeGameServer::setCvar(const QByteArray &name, const QByteArray &value,
                             const QByteArray &defaultValue)
{
    if (FakeCvar *c = findCvar(name)) {
        c->value = value;
        if (!defaultValue.isNull())
            c->defaultValue = defaultValue;
        return;
    }
    m_cvars.append({name, value, defaultValue.isNull() ? value : defaultValue, {}, 0});
}

QByteArray FakeGameServer::cvar(const QByteArray &name) const
{
    return cvarValue(name);
}

QList<FakeCvar> FakeGameServer::cvars() const
{
    return m_cvars;
}

void FakeGameServer::setGamename(const QByteArray &value)
{
    setCvar("gamename", value);
}

void FakeGameServer::setMap(const QByteArray &map)
{
    setCvar("mapname", map);
}

QByteArray FakeGameServer::map() const
{
    return cvarValue("mapname");
}

void FakeGameServer::setPlayers(const QList<FakePlayer> &players)
{
    m_players = players;
}

QList<FakePlayer> FakeGameServer::players() const
{
    return m_players;
}

void FakeGameServer::setDirListing(const QByteArray &dirArgs, const QList<QByteArray> &files)
{
    m_dirListings.insert(fakeTokenize(dirArgs).join(' '), files);
}

void FakeGameServer::setReply(const QByteArray &command, const QByteArray &text)
{
    m_replies.insert(command, text);
}

void FakeGameServer::clearReplies()
{
    m_replies.clear();
}

void FakeGameServer::setChunkSize(int bytes)
{
    m_chunkSize = bytes;
}

int FakeGameServer::chunkSize() const
{
    return m_chunkSize > 0 ? m_chunkSize : fakeDefaultChunkSize(m_game);
}

void FakeGameServer::setDropByteBug(bool on)
{
    m_dropByteBug = on;
}

void FakeGameServer::setFloodProtection(bool on, int intervalMs)
{
    m_floodProtection = on;
    m_floodIntervalMs = intervalMs;
}

void FakeGameServer::sendRaw(const QByteArray &datagram)
{
    if (m_socket && m_lastSenderPort != 0)
        m_socket->writeDatagram(datagram, m_lastSender, m_lastSenderPort);
}

std::optional<QByteArray> FakeGameServer::runCommand(const QByteArray &line)
{
    return execute(line);
}

QList<ReceivedDatagram> FakeGameServer::received() const
{
    return m_received;
}

void FakeGameServer::clearReceived()
{
    m_received.clear();
}

QList<QByteArray> FakeGameServer::commands() const
{
    QList<QByteArray> out;
    for (const ReceivedDatagram &d : m_received) {
        if (d.rcon)
            out.append(d.command);
    }
    return out;
}

void FakeGameServer::readPending()
{
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket->receiveDatagram();
        handle(d.data(), d.senderAddress(), quint16(d.senderPort()));
    }
}

void FakeGameServer::handle(const QByteArray &bytes, const QHostAddress &from, quint16 fromPort)
{
    ReceivedDatagram d;
    d.bytes = bytes;
    d.rcon = splitRcon(bytes, &d.password, &d.command);
    d.elapsedMs = m_clock.elapsed();
    d.from = from;
    d.fromPort = fromPort;
    m_received.append(d);
    m_lastSender = from;
    m_lastSenderPort = fromPort;
    emit datagramReceived(d);

    if (!d.rcon || m_silent)
        return;
    // The stock engines keep one timestamp for every sender, and a dropped packet does not move it.
    if (m_floodProtection && m_lastAcceptedMs >= 0
        && d.elapsedMs - m_lastAcceptedMs < m_floodIntervalMs)
        return;
    m_lastAcceptedMs = d.elapsedMs;

    if (const Reply reply = answer(d.password, d.command))
        sendText(*reply, from, fromPort);
}

FakeGameServer::Reply FakeGameServer::answer(const QByteArray &password, const QByteArray &command)
{
    const auto canned = m_replies.constFind(command);
    if (canned != m_replies.constEnd())
        return *canned;
    const QByteArray expected = this->password();
    if (m_noRconPassword || expected.isEmpty())
        return fakeNoPasswordText(m_game);
    if (password.isEmpty())
        return fakeEmptyPasswordText(m_game);
    if (password != expected)
        return fakeBadPasswordText(m_game);
    return execute(command);
}

void FakeGameServer::sendText(const QByteArray &text, const QHostAddress &to, quint16 toPort)
{
    if (!m_socket)
        return;
    const QList<QByteArray> chunks = fakeChunks(text, chunkSize(), m_dropByteBug);
    for (const QByteArray &chunk : chunks)
        m_socket->writeDatagram(chunk, to, toPort);
}
