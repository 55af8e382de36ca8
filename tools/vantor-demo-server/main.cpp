// A simulated Call of Duty server on the loopback interface, for demos and for trying Vantor
// without a real game server. Every command it receives is printed on one line.

#include "FakeGameServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>

namespace {

volatile std::sig_atomic_t g_stopRequested = 0;

extern "C" void requestStop(int)
{
    g_stopRequested = 1;
}

void printLine(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

void printError(const QString &text)
{
    const QString line = QStringLiteral("vantor-demo-server: ") + text + QLatin1Char('\n');
    std::fputs(line.toLocal8Bit().constData(), stderr);
}

// Scores and pings wander a little so that the players list looks like a live game.
void drift(FakeGameServer &server)
{
    QList<FakePlayer> players = server.players();
    QRandomGenerator *random = QRandomGenerator::global();
    for (FakePlayer &p : players) {
        if (p.ping < 0 || p.address == "bot")
            continue;
        p.ping = std::clamp(p.ping + random->bounded(-8, 9), 5, 400);
        if (random->bounded(4) == 0)
            p.score += random->bounded(-1, 3);
        p.lastmsg = random->bounded(0, 100);
    }
    server.setPlayers(players);
}

// Control bytes are shown as \xNN so that every datagram stays on one line of the log.
QString printable(const QByteArray &bytes)
{
    QString out;
    for (const char c : bytes) {
        const uchar u = uchar(c);
        if (u < 0x20 || u == 0x7f || u == 0xff)
            out += QStringLiteral("\\x%1").arg(u, 2, 16, QLatin1Char('0'));
        else
            out += QChar(u);
    }
    return out;
}

QString describe(const ReceivedDatagram &d)
{
    const QString time = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    const QString sender = d.from.toString() + QLatin1Char(':') + QString::number(d.fromPort);
    const QString what
        = d.rcon ? printable(d.command) : QStringLiteral("(not rcon) ") + printable(d.bytes);
    return time + QLatin1Char(' ') + sender + QLatin1Char(' ') + what;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vantor-demo-server"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated Call of Duty game server on 127.0.0.1 that answers rcon."));
    parser.addHelpOption();
    const QCommandLineOption gameOption(QStringLiteral("game"),
                                        QStringLiteral("cod, coduo, cod2 or cod4 (default cod4)."),
                                        QStringLiteral("game"), QStringLiteral("cod4"));
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("UDP port on 127.0.0.1, 0 for any (default 28960)."),
        QStringLiteral("port"), QStringLiteral("28960"));
    const QCommandLineOption passwordOption(QStringLiteral("password"),
                                            QStringLiteral("The rcon password (default demo)."),
                                            QStringLiteral("password"), QStringLiteral("demo"));
    const QCommandLineOption noPasswordOption(QStringLiteral("no-rcon-password"),
                                              QStringLiteral("The server has no rcon password."));
    const QCommandLineOption silentOption(QStringLiteral("silent"),
                                          QStringLiteral("Receive but never answer."));
    const QCommandLineOption floodOption(
        QStringLiteral("flood-protection"),
        QStringLiteral("Ignore rcon within 500 ms of the previous one, as stock servers do."));
    const QCommandLineOption dropByteOption(
        QStringLiteral("drop-byte-bug"),
        QStringLiteral("Lose the last byte of every full reply datagram, as CoD2 and CoD4 do."));
    parser.addOptions({gameOption, portOption, passwordOption, noPasswordOption, silentOption,
                       floodOption, dropByteOption});
    parser.process(app);

    bool ok = false;
    const FakeGame game = fakeGameFromName(parser.value(gameOption), &ok);
    if (!ok) {
        printError(QStringLiteral("unknown game \"%1\": use cod, coduo, cod2 or cod4")
                       .arg(parser.value(gameOption)));
        return 2;
    }
    const uint port = parser.value(portOption).toUInt(&ok);
    if (!ok || port > 65535) {
        printError(QStringLiteral("bad port \"%1\"").arg(parser.value(portOption)));
        return 2;
    }

    FakeGameServer server(game);
    server.setPassword(parser.value(passwordOption).toLatin1());
    server.setNoRconPassword(parser.isSet(noPasswordOption));
    server.setSilent(parser.isSet(silentOption));
    server.setFloodProtection(parser.isSet(floodOption));
    server.setDropByteBug(parser.isSet(dropByteOption));
    if (!server.start(quint16(port))) {
        printError(QStringLiteral("cannot listen on 127.0.0.1:%1: %2")
                       .arg(port)
                       .arg(server.errorString()));
        return 1;
    }
    QObject::connect(&server, &FakeGameServer::datagramReceived, &app,
                     [](const ReceivedDatagram &d) { printLine(describe(d)); });

    const QString password
        = parser.isSet(noPasswordOption)
              ? QStringLiteral("no rcon password")
              : QStringLiteral("rcon password \"%1\"").arg(parser.value(passwordOption));
    printLine(QStringLiteral("%1 server listening on 127.0.0.1:%2 (%3)")
                  .arg(QString::fromLatin1(server.cvar("gamename")))
                  .arg(server.port())
                  .arg(password));

    // A signal handler may only set a flag; the event loop picks it up.
    std::signal(SIGINT, requestStop);
    std::signal(SIGTERM, requestStop);
    QTimer stopPoll;
    QObject::connect(&stopPoll, &QTimer::timeout, &app, [] {
        if (g_stopRequested)
            QCoreApplication::quit();
    });
    stopPoll.start(100);

    QTimer driftTimer;
    QObject::connect(&driftTimer, &QTimer::timeout, &server, [&server] { drift(server); });
    driftTimer.start(3000);

    return app.exec();
}
