// The fake game server stands in for the real ones in every other test, so these are the facts a
// mistake in it would hide: login refusals, the game names, the status layout of each engine
// family, long replies cut into datagrams (with the byte CoD2 and CoD4 lose), flood protection.

#include "FakeGameServer.h"

#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTest>
#include <QUdpSocket>

namespace {
const QByteArray kHeader = "\xff\xff\xff\xffprint\n";

// A fake server with the password "secret" (or none) and a remote console as bare as it gets.
struct Rig
{
    explicit Rig(FakeGame game, const QByteArray &password = "secret")
        : server(game)
    {
        server.setPassword(password);
        if (!server.start() || !socket.bind(QHostAddress::LocalHost, 0))
            qFatal("no UDP port on 127.0.0.1");
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams())
                inbox.append(socket.receiveDatagram().data());
        });
    }
    void send(const QByteArray &request) // after "rcon "
    {
        socket.writeDatagram("\xff\xff\xff\xffrcon " + request, QHostAddress::LocalHost,
                             server.port());
    }
    // Sends the request, then one the server answers with a canned marker: datagrams keep their
    // order on loopback, so all before the marker's answer are the request's. Leaves them in the
    // inbox and gives their text after the headers.
    QByteArray ask(const QByteArray &request)
    {
        const QByteArray marker = kHeader + "marker\n";
        server.setReply("marker", "marker\n");
        inbox.clear();
        send(request);
        send("secret marker");
        if (!QTest::qWaitFor([&] { return inbox.contains(marker); }, 5000))
            return "no answer";
        inbox = inbox.mid(0, inbox.indexOf(marker));
        QByteArray text;
        for (const QByteArray &d : inbox)
            text += d.startsWith(kHeader) ? d.mid(kHeader.size()) : "<no header>";
        return text;
    }

    FakeGameServer server;
    QUdpSocket socket;
    QList<QByteArray> inbox;
};

} // namespace

class tst_FakeGameServer : public QObject
{
    Q_OBJECT

private slots:
    void replies_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QByteArray>("password"); // the server's
        QTest::addColumn<QByteArray>("request");  // after "rcon "
        QTest::addColumn<QByteArray>("expected");
        const auto row = [](const char *name, FakeGame game, const QByteArray &password,
                            const QByteArray &request, const QByteArray &expected) {
            QTest::newRow(name) << int(game) << password << request << expected;
        };
        row("cod wrong", FakeGame::CoD, "secret", "nope status", "Bad rconpassword.\n");
        row("cod4 wrong", FakeGame::CoD4, "secret", "nope status", "Invalid password.\n");
        row("coduo none", FakeGame::CoDUO, "", "x status", "No rconpassword set on the server.\n");
        row("cod2 none", FakeGame::CoD2, "", "x status",
            "The server must set 'rcon_password' for clients to use 'rcon'.\n");
        row("cod gamename", FakeGame::CoD, "secret", "secret gamename",
            "\"gamename\" is:\"Call of Duty^7\" default:\"Call of Duty^7\"\n");
        row("cod2 gamename", FakeGame::CoD2, "secret", "secret gamename",
            "\"gamename\" is: \"Call of Duty 2^7\" default: \"Call of Duty 2^7\"\n"
            "  Domain is any text\n");

        // The status table of the default players: column rules and rows of each family.
        const auto status = [](const char *name, FakeGame game, const QByteArray &line) {
            QTest::newRow(name) << int(game) << QByteArray("secret") << QByteArray("secret status")
                                << '\n' + line + '\n';
        };
        status("rule", FakeGame::CoD2,
               "--- ----- ---- ------ --------------- ------- --------------------- ----- -----");
        status("colour codes take no room", FakeGame::CoDUO,
               "  1     7   95      0 ^1Red^7Baron^7              0 82.16.4.200:28960      4567 "
               "20000");
        status("22-character address runs into qport", FakeGame::CoD2,
               "  5    21   61 222333 LongerThanSixteen^7      0 192.168.100.200:-2741923456 "
               "25000");
        status("cod4 bot", FakeGame::CoD4,
               "  8     4  999                                  bot0^7                  0 bot    "
               "               34812  5000");
    }

    void replies()
    {
        QFETCH(int, game);
        QFETCH(QByteArray, password);
        QFETCH(QByteArray, request);
        QFETCH(QByteArray, expected);
        Rig rig(FakeGame(game), password);
        const QByteArray text = rig.ask(request);
        // A line of the status table stands between line ends.
        QVERIFY2(expected.startsWith('\n') ? text.contains(expected) && text.endsWith("\n\n")
                                           : text == expected,
                 text);
    }

    void longRepliesComeInChunks_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("chunk"); // text bytes the server's buffer holds
        QTest::addColumn<bool>("dropByteBug");
        QTest::newRow("cod") << int(FakeGame::CoD) << 1300 << false;
        QTest::newRow("cod4 loses a byte") << int(FakeGame::CoD4) << 1294 << true;
    }

    // Cut mid-line where the buffer fills, each piece with its own header; with the bug, the
    // last byte of each full buffer is lost.
    void longRepliesComeInChunks()
    {
        QFETCH(int, game);
        QFETCH(int, chunk);
        QFETCH(bool, dropByteBug);
        Rig rig{FakeGame(game)};
        rig.server.setDropByteBug(dropByteBug);
        rig.server.setPlayers(QList<FakePlayer>(48, fakeDefaultPlayers(FakeGame(game)).first()));
        rig.ask("secret status");
        const QByteArray whole
            = fakeStatusText(FakeGame(game), rig.server.map(), rig.server.players());
        const int full = (whole.size() - 1) / chunk; // all but the last
        QCOMPARE(rig.inbox.size(), full + 1);
        for (int i = 0; i <= full; ++i)
            QCOMPARE(rig.inbox[i],
                     kHeader + whole.mid(i * chunk, i < full && dropByteBug ? chunk - 1 : chunk));
    }

    // Stock engines answer nothing within 500 ms of the last accepted packet, whoever sent it.
    void floodProtectionDropsQuickRepeats()
    {
        Rig rig(FakeGame::CoD4), other(FakeGame::CoD4);
        rig.server.setFloodProtection(true);
        QElapsedTimer clock;
        clock.start();
        for (Rig *sender : {&rig, &other, &rig})
            sender->socket.writeDatagram("\xff\xff\xff\xffrcon secret g_gametype",
                                         QHostAddress::LocalHost, rig.server.port());
        QTRY_COMPARE(rig.server.received().size(), 3);
        QVERIFY2(clock.elapsed() < 500, "the three packets should arrive within 500 ms");
        QTRY_VERIFY(clock.elapsed() >= 520);
        rig.send("secret sv_punkbuster");
        QTRY_COMPARE(rig.inbox.size(), 2);
        QVERIFY(rig.inbox.last().contains("\"sv_punkbuster\" is:"));
        QVERIFY(other.inbox.isEmpty());
    }
};

QTEST_MAIN(tst_FakeGameServer)
#include "tst_fakegameserver.moc"
