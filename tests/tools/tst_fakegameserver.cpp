#include "FakeGameServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QUdpSocket>

#include <memory>

namespace {

const QByteArray kHeader = "\xff\xff\xff\xffprint\n";
const QByteArray kMarker = "vantor-test-marker";
const QByteArray kMarkerReply = kHeader + "end of exchange\n";

// A remote console as bare as it gets: one socket on 127.0.0.1 that keeps every datagram.
class Client : public QObject
{
public:
    explicit Client(quint16 serverPort)
        : m_serverPort(serverPort)
    {
        m_socket.bind(QHostAddress::LocalHost, 0);
        connect(&m_socket, &QUdpSocket::readyRead, this, [this] {
            while (m_socket.hasPendingDatagrams())
                inbox.append(m_socket.receiveDatagram().data());
        });
    }
    void sendRaw(const QByteArray &bytes)
    {
        m_socket.writeDatagram(bytes, QHostAddress::LocalHost, m_serverPort);
    }
    void rcon(const QByteArray &password, const QByteArray &command)
    {
        sendRaw("\xff\xff\xff\xffrcon " + password + ' ' + command);
    }
    quint16 port() const { return m_socket.localPort(); }

    QList<QByteArray> inbox;

private:
    QUdpSocket m_socket;
    quint16 m_serverPort;
};

QByteArray textOf(const QList<QByteArray> &datagrams)
{
    QByteArray text;
    for (const QByteArray &d : datagrams)
        text += d.mid(kHeader.size());
    return text;
}

FakeGame gameNamed(const QString &name)
{
    bool ok = false;
    const FakeGame game = fakeGameFromName(name, &ok);
    Q_ASSERT(ok);
    return game;
}

// A server with the password "secret" and one client talking to it.
struct Rig
{
    explicit Rig(const QString &game)
        : server(gameNamed(game))
    {
        server.setPassword("secret");
    }
    bool start()
    {
        if (!server.start())
            return false;
        client = std::make_unique<Client>(server.port());
        return true;
    }
    // Sends the command, then a marker the server answers with a canned text. Datagrams arrive
    // in order on the loopback, so everything before the marker's reply belongs to the command,
    // and an empty list proves that the command got no datagram at all.
    bool ask(const QByteArray &command, QList<QByteArray> *datagrams,
             const QByteArray &password = "secret")
    {
        server.setReply(kMarker, kMarkerReply.mid(kHeader.size()));
        client->inbox.clear();
        client->rcon(password, command);
        client->rcon(password, kMarker);
        if (!QTest::qWaitFor([&] { return client->inbox.contains(kMarkerReply); }, 5000))
            return false;
        *datagrams = client->inbox.mid(0, client->inbox.indexOf(kMarkerReply));
        return true;
    }

    FakeGameServer server;
    std::unique_ptr<Client> client;
};

enum Match { Whole, Start, Part };

QString demoServerPath()
{
    return QDir(QCoreApplication::applicationDirPath())
        .filePath(QStringLiteral("vantor-demo-server"));
}

} // namespace

class tst_FakeGameServer : public QObject
{
    Q_OBJECT

private slots:
    void loginOutcomes_data();
    void loginOutcomes();
    void replies_data();
    void replies();
    void settingVariables_data();
    void settingVariables();
    void statusRows_data();
    void statusRows();
    void longRepliesComeInChunks_data();
    void longRepliesComeInChunks();
    void commandsChangeTheGame_data();
    void commandsChangeTheGame();
    void punkBusterPlayerList_data();
    void punkBusterPlayerList();
    void silentServerRecordsButNeverAnswers();
    void floodProtectionDropsQuickRepeats();
    void everyDatagramIsRecorded_data();
    void everyDatagramIsRecorded();
    void sendRawReachesTheLastSender();
    void demoServerAnswersAndLogs();
    void demoServerRefusesATakenPort();
};

void tst_FakeGameServer::loginOutcomes_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QByteArray>("serverPassword");
    QTest::addColumn<QByteArray>("request"); // after the FF header
    QTest::addColumn<QByteArray>("expected");
    const auto row = [](const char *name, const char *game, const QByteArray &serverPassword,
                        const QByteArray &request, const QByteArray &expected) {
        QTest::newRow(name) << QString::fromLatin1(game) << serverPassword << request << expected;
    };

    const QByteArray badCod = "Bad rconpassword.\n";
    const QByteArray badCod4 = "Invalid password.\n";
    const QByteArray noneCod = "No rconpassword set on the server.\n";
    const QByteArray noneCod4 = "The server must set 'rcon_password' for clients to use 'rcon'.\n";
    const QByteArray logIn = "You must log in with 'rcon login <password>' before using 'rcon'.\n";

    row("cod wrong", "cod", "secret", "rcon nope status", badCod);
    row("coduo wrong case", "coduo", "secret", "rcon Secret status", badCod);
    row("cod2 wrong", "cod2", "secret", "rcon nope status", badCod4);
    row("cod4 wrong", "cod4", "secret", "rcon nope status", badCod4);
    row("cod empty", "cod", "secret", "rcon", badCod);
    row("cod2 empty", "cod2", "secret", "rcon ", logIn);
    row("cod4 quoted empty", "cod4", "secret", "rcon \"\" status", logIn);
    row("cod none", "cod", "", "rcon x status", noneCod);
    row("coduo none", "coduo", "", "rcon x status", noneCod);
    row("cod2 none", "cod2", "", "rcon x status", noneCod4);
    row("cod4 none", "cod4", "", "rcon x status", noneCod4);
    // The password ends at the first blank, so one with a blank never works.
    row("cod blank in password", "cod", "two words", "rcon two words status", badCod);
    row("cod4 blank in password", "cod4", "two words", "rcon two words status", badCod4);
}

void tst_FakeGameServer::loginOutcomes()
{
    QFETCH(QString, game);
    QFETCH(QByteArray, serverPassword);
    QFETCH(QByteArray, request);
    QFETCH(QByteArray, expected);

    FakeGameServer server(gameNamed(game));
    server.setPassword(serverPassword);
    QVERIFY(server.start());
    Client client(server.port());
    client.sendRaw("\xff\xff\xff\xff" + request);
    QTRY_COMPARE(client.inbox, QList<QByteArray>{kHeader + expected});
}

void tst_FakeGameServer::replies_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<int>("match");
    QTest::addColumn<QByteArray>("text");
    const auto row = [](const char *name, const char *game, const QByteArray &command, Match match,
                        const QByteArray &text) {
        QTest::newRow(name) << QString::fromLatin1(game) << command << int(match) << text;
    };
    const QByteArray oldTop
        = "num score ping guid   name            lastmsg address               qport rate\n"
          "--- ----- ---- ------ --------------- ------- --------------------- ----- -----\n";

    row("cod gamename", "cod", "gamename", Whole,
        "\"gamename\" is:\"Call of Duty^7\" default:\"Call of Duty^7\"\n");
    row("coduo gamename", "coduo", "gamename", Whole,
        "\"gamename\" is:\"CoD:United Offensive^7\" default:\"CoD:United Offensive^7\"\n");
    row("cod2 gamename", "cod2", "gamename", Whole,
        "\"gamename\" is: \"Call of Duty 2^7\" default: \"Call of Duty 2^7\"\n"
        "  Domain is any text\n");
    row("cod4 gamename", "cod4", "GameName", Whole,
        "\"gamename\" is: \"Call of Duty 4^7\" default: \"Call of Duty 4^7\"\n"
        "  Domain is any text\n");
    row("cod empty value", "cod", "g_password", Whole, "\"g_password\" is:\"^7\" default:\"^7\"\n");
    row("cod4 empty value", "cod4", "g_password", Whole,
        "\"g_password\" is: \"^7\" default: \"^7\"\n  Domain is any text\n");
    row("registered spelling", "cod2", "sv_maxrate", Whole,
        "\"sv_maxRate\" is: \"25000^7\" default: \"0^7\"\n  Domain is any integer from 0 to "
        "25000\n");
    row("cod unknown", "cod", "nosuchthing", Whole, "Unknown command \"nosuchthing\"\n");
    row("cod4 unknown", "cod4", "scr_nothing", Whole, "Unknown command \"scr_nothing\"\n");

    row("cod status", "cod", "status", Start, "map: mp_harbor\n" + oldTop);
    row("coduo status", "coduo", "status", Start, "map: mp_arnhem\n" + oldTop);
    row("cod2 status", "cod2", "status", Start, "map: mp_toujane\n" + oldTop);
    row("cod4 status", "cod4", "status", Start,
        "map: mp_crash\n"
        "num score ping guid                             name            lastmsg address          "
        "     qport rate\n"
        "--- ----- ---- -------------------------------- --------------- ------- ----------------"
        "----- ----- -----\n");

    row("serverinfo", "cod2", "serverinfo", Start,
        "Server info settings:\ngamename            Call of Duty 2\n");
    row("long key runs into value", "cod4", "serverinfo", Part, "\nsv_disableClientConsole0\n");
    row("dir maps", "cod", "dir maps/mp bsp", Start,
        "Directory of maps/mp bsp\n---------------\nmp_harbor.bsp\nmp_carentan.bsp\n");
    row("dir lists duplicates", "cod", "dir maps/mp bsp", Part,
        "\nmp_tigertown.bsp\nmp_carentan.bsp\n");
    row("dir configs", "cod4", "dir . cfg", Start,
        "Directory of . cfg\n---------------\nserver.cfg\n");
    row("dumpuser", "cod4", "dumpuser \"Big Player\"", Start,
        "userinfo\n--------\nname                Big Player\n");
    row("dumpuser without colours", "cod", "dumpuser redbaron", Part, "^1Red^7Baron\n");
    row("dumpuser absent", "cod4", "dumpuser Nobody", Whole,
        "Player Nobody is not on the server\n");
    row("say", "cod4", "say hello there", Whole, "");
    row("Say", "cod", "Say hello", Whole, "");
    row("empty command", "cod2", "", Whole, "");
    row("exec", "cod2", "exec server", Whole, "execing server.cfg\n");
    row("clientkick free slot", "cod4", "clientkick 3", Whole, "Client 3 is not active\n");
    row("bad names", "cod2", "pb_sv_badnamelist", Start,
        "^3PunkBuster Server: Slot: Grace Filter\n^3PunkBuster Server: 1: ");
    row("punkbuster command", "coduo", "pb_sv_kick 2 5 spam", Start, "^3PunkBuster Server: ");
}

void tst_FakeGameServer::replies()
{
    QFETCH(QString, game);
    QFETCH(QByteArray, command);
    QFETCH(int, match);
    QFETCH(QByteArray, text);

    Rig rig(game);
    QVERIFY(rig.start());
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask(command, &datagrams));
    QCOMPARE(datagrams.size(), 1);
    QVERIFY(datagrams.first().startsWith(kHeader));
    const QByteArray actual = textOf(datagrams);
    if (match == Whole)
        QCOMPARE(actual, text);
    else
        QVERIFY2(match == Start ? actual.startsWith(text) : actual.contains(text), actual);
}

void tst_FakeGameServer::settingVariables_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("value");
    const auto row = [](const char *name, const char *game, const QByteArray &command,
                        const QByteArray &reply, const QByteArray &cvar, const QByteArray &value) {
        QTest::newRow(name) << QString::fromLatin1(game) << command << reply << cvar << value;
    };

    row("quoted value", "cod4", "sv_hostname \"My Server\"", "", "sv_hostname", "My Server");
    row("bare name takes one word", "cod2", "sv_hostname My Server", "", "sv_hostname", "My");
    row("set joins words", "cod", "set sv_hostname My   Server", "", "sv_hostname", "My Server");
    row("seta", "cod2", "seta g_password \"let me in\"", "", "g_password", "let me in");
    row("any case", "cod4", "SV_MAPROTATION \"gametype dm map mp_bog\"", "", "sv_mapRotation",
        "gametype dm map mp_bog");
    row("script variable", "cod4", "scr_custom_limit 9", "", "scr_custom_limit", "9");
    row("emptied", "cod2", "sv_hostname \"\"", "", "sv_hostname", "");
    row("rcon password", "cod4", "rcon_password other", "", "rcon_password", "other");
    row("read only", "cod4", "gamename hacked", "gamename is read only.\n", "gamename",
        "Call of Duty 4");
    row("set without value", "cod", "set sv_hostname", "usage: set <variable> <value>\n",
        "sv_hostname", "^1Vantor ^7Demo Server");
}

void tst_FakeGameServer::settingVariables()
{
    QFETCH(QString, game);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, reply);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, value);

    Rig rig(game);
    QVERIFY(rig.start());
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask(command, &datagrams));
    QCOMPARE(datagrams, QList<QByteArray>{kHeader + reply});
    QCOMPARE(rig.server.cvar(name), value);

    // The next query shows it under the registered spelling; a new password counts at once.
    const QByteArray password = name == "rcon_password" ? value : QByteArray("secret");
    QVERIFY(rig.ask(name.toLower(), &datagrams, password));
    const QByteArray text = textOf(datagrams);
    QVERIFY2(text.startsWith('"' + name + "\" is:"), text);
    QVERIFY2(text.contains('"' + value + "^7\""), text);
}

void tst_FakeGameServer::statusRows_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<FakePlayer>("player");
    QTest::addColumn<QByteArray>("row");
    const auto row
        = [](const char *name, const char *game, const FakePlayer &player, const QByteArray &line) {
              QTest::newRow(name) << QString::fromLatin1(game) << player << line;
          };

    // slot score ping guid name lastmsg address qport rate [ping text]
    row("one blank", "cod",
        {0, 12, 48, "123456", "Big Player", 50, "192.168.0.10:28960", 12345, 25000, {}},
        "  0    12   48 123456 Big Player^7           50 192.168.0.10:28960    12345 25000");
    row("colour codes take no room", "coduo",
        {1, 7, 95, "0", "^1Red^7Baron", 0, "82.16.4.200:28960", 4567, 20000, {}},
        "  1     7   95      0 ^1Red^7Baron^7              0 82.16.4.200:28960      4567 20000");
    row("several blanks, longer than 16", "cod2",
        {2, 3, 130, "654321", "[VT] Big  Bad Wolf", 100, "10.0.0.5:28960", 31000, 25000, {}},
        "  2     3  130 654321 [VT] Big  Bad Wolf^7    100 10.0.0.5:28960        31000 25000");
    row("exactly 16 visible", "cod",
        {3, 0, 0, "0", "^2Exactly^3SixteenCh", 0, "1.2.3.4:28960", 1, 25000, {}},
        "  3     0    0      0 ^2Exactly^3SixteenCh^7      0 1.2.3.4:28960             1 25000");
    row("22-character address runs into qport", "cod2",
        {5, 21, 61, "222333", "LongerThanSixteen", 0, "192.168.100.200:-27419", 23456, 25000, {}},
        "  5    21   61 222333 LongerThanSixteen^7      0 192.168.100.200:-2741923456 25000");
    row("connecting", "cod", {4, 0, -1, "0", "Newcomer", 3150, "172.16.3.99:28960", 999, 5000, {}},
        "  4     0 CNCT      0 Newcomer^7           3150 172.16.3.99:28960       999  5000");
    row("zombie", "cod2", {11, -3, 0, "7", "Gone", 9999, "10.1.1.1:-1", 42, 3000, "ZMBI"},
        " 11    -3 ZMBI      7 Gone^7               9999 10.1.1.1:-1              42  3000");
    row("raw bytes", "cod",
        {7, -2, 210, "99", "\xc8\xe2\xe0\xed", 50, "77.88.21.3:28961", 6100, 25000, {}},
        "  7    -2  210     99 \xc8\xe2\xe0\xed^7                 50 77.88.21.3:28961       6100 "
        "25000");
    row("cod4 guid", "cod4",
        {0,
         12,
         48,
         "0a1b2c3d4e5f60718293a4b5c6d7e8f9",
         "Big Player",
         50,
         "192.168.0.10:28960",
         12345,
         25000,
         {}},
        "  0    12   48 0a1b2c3d4e5f60718293a4b5c6d7e8f9 Big Player^7           50 "
        "192.168.0.10:28960    12345 25000");
    row("cod4 bot", "cod4", {8, 4, 999, {}, "bot0", 0, "bot", 34812, 5000, {}},
        "  8     4  999                                  bot0^7                  0 "
        "bot                   34812  5000");
}

void tst_FakeGameServer::statusRows()
{
    QFETCH(QString, game);
    QFETCH(FakePlayer, player);
    QFETCH(QByteArray, row);

    const QList<QByteArray> lines = fakeStatusText(gameNamed(game), "mp_x", {player}).split('\n');
    QCOMPARE(lines.size(), 6); // map, header, rule, the row, the empty closing line, after it
    QCOMPARE(lines[3], row);
}

void tst_FakeGameServer::longRepliesComeInChunks_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("chunkSize"); // 0: the game's own
    QTest::addColumn<bool>("dropByteBug");
    QTest::addColumn<int>("fullChunk"); // text bytes in every datagram but the last

    QTest::newRow("cod own size") << "cod" << 0 << false << 1300;
    QTest::newRow("small chunks") << "coduo" << 100 << false << 100;
    QTest::newRow("cod2 loses a byte") << "cod2" << 0 << true << 1293;
    QTest::newRow("small chunks lose a byte") << "cod4" << 77 << true << 76;
}

void tst_FakeGameServer::longRepliesComeInChunks()
{
    QFETCH(QString, game);
    QFETCH(int, chunkSize);
    QFETCH(bool, dropByteBug);
    QFETCH(int, fullChunk);

    Rig rig(game);
    rig.server.setChunkSize(chunkSize);
    rig.server.setDropByteBug(dropByteBug);
    QList<FakePlayer> players;
    for (int slot = 0; slot < 48; ++slot) {
        players.append({slot,
                        slot * 3,
                        40 + slot,
                        QByteArray::number(100000 + slot),
                        "Player number " + QByteArray::number(slot),
                        slot,
                        "10.0.0.1:28960",
                        slot,
                        25000,
                        {}});
    }
    rig.server.setPlayers(players);
    QVERIFY(rig.start());
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask("status", &datagrams));

    // The whole table, less the byte that fills each full buffer when the engine has the bug.
    const QByteArray whole = fakeStatusText(rig.server.game(), rig.server.map(), players);
    const int size = rig.server.chunkSize();
    QByteArray expected;
    for (qsizetype pos = 0; pos < whole.size(); pos += size) {
        const QByteArray piece = whole.mid(pos, size);
        expected += dropByteBug && piece.size() == size ? piece.chopped(1) : piece;
    }
    QCOMPARE(datagrams.size(), (whole.size() + size - 1) / size);
    for (qsizetype i = 0; i < datagrams.size(); ++i) {
        QVERIFY(datagrams[i].startsWith(kHeader));
        const qsizetype textSize = datagrams[i].size() - kHeader.size();
        QVERIFY(i + 1 < datagrams.size() ? textSize == fullChunk : textSize <= fullChunk);
    }
    QCOMPARE(textOf(datagrams), expected);
}

void tst_FakeGameServer::commandsChangeTheGame_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<bool>("replied");
    QTest::addColumn<QByteArray>("followUp");
    QTest::addColumn<QByteArray>("present");
    QTest::addColumn<QByteArray>("absent");
    const auto row
        = [](const char *name, const char *game, const QByteArray &command, bool replied,
             const QByteArray &followUp, const QByteArray &present, const QByteArray &absent) {
              QTest::newRow(name) << QString::fromLatin1(game) << command << replied << followUp
                                  << present << absent;
          };

    row("clientkick", "cod4", "clientkick 1", true, "status", "Big Player", "Red^7Baron");
    row("kick by clean name", "cod", "kick \"big player\"", true, "status", "Red^7Baron",
        "Big Player");
    row("tempbanclient", "cod2", "tempbanclient 4", true, "status", "Big Player", "CNCT");
    // Scores start again on a new map; the server answers nothing while it loads one.
    row("map", "cod4", "map mp_backlot", false, "status", "map: mp_backlot\n", "    12 ");
    row("map_rotate", "cod4", "map_rotate", false, "serverinfo", "\ng_gametype          dm\n",
        "mp_crash");
    row("map_restart", "cod2", "map_restart", true, "status", "map: mp_toujane\n", "    12 ");
    row("sets", "cod", "sets sv_admin \"Mr X\"", true, "serverinfo", "\nsv_admin            Mr X\n",
        "");
}

void tst_FakeGameServer::commandsChangeTheGame()
{
    QFETCH(QString, game);
    QFETCH(QByteArray, command);
    QFETCH(bool, replied);
    QFETCH(QByteArray, followUp);
    QFETCH(QByteArray, present);
    QFETCH(QByteArray, absent);

    Rig rig(game);
    QVERIFY(rig.start());
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask(command, &datagrams));
    QCOMPARE(datagrams, replied ? QList<QByteArray>{kHeader} : QList<QByteArray>{});
    QVERIFY(rig.ask(followUp, &datagrams));
    const QByteArray text = textOf(datagrams);
    QVERIFY2(text.contains(present), text);
    QVERIFY2(absent.isEmpty() || !text.contains(absent), text);
}

void tst_FakeGameServer::punkBusterPlayerList_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<int>("players"); // the first few of the default players
    QTest::addColumn<bool>("punkBuster");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray pb = "^3PunkBuster Server: ";
    const QByteArray top
        = pb
          + "Player List: [Slot #] [GUID] [Address] [Status] [Power] [Auth Rate] [Recent SS] "
            "[O/S] [Name]\n";
    QTest::newRow("nobody") << "cod2" << 0 << true << top + pb + "End of Player List (0 Players)\n";
    QTest::newRow("one player, slots from 1")
        << "cod4" << 1 << true
        << top + pb + "1  0a1b2c3d4e5f60718293a4b5c6d7e8f9(-) 192.168.0.10:28960 OK   1 5.0 0 "
               + "(W) \"Big Player\"\n" + pb + "End of Player List (1 Player)\n";
    QTest::newRow("off") << "cod4" << 1 << false << QByteArray("Unknown command \"pb_sv_plist\"\n");
}

void tst_FakeGameServer::punkBusterPlayerList()
{
    QFETCH(QString, game);
    QFETCH(int, players);
    QFETCH(bool, punkBuster);
    QFETCH(QByteArray, expected);

    Rig rig(game);
    rig.server.setPlayers(fakeDefaultPlayers(rig.server.game()).mid(0, players));
    rig.server.setCvar("sv_punkbuster", punkBuster ? "1" : "0");
    QVERIFY(rig.start());
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask("pb_sv_plist", &datagrams));
    QCOMPARE(textOf(datagrams), expected);
    // PunkBuster does not see bots.
    QVERIFY(fakePunkBusterPlayerList(FakeGame::CoD4, fakeDefaultPlayers(FakeGame::CoD4))
                .endsWith("(6 Players)\n"));
}

void tst_FakeGameServer::silentServerRecordsButNeverAnswers()
{
    Rig rig(QStringLiteral("cod2"));
    rig.server.setSilent(true);
    QVERIFY(rig.start());
    rig.client->rcon("secret", "status");
    rig.client->rcon("wrong", "status");
    QTRY_COMPARE(rig.server.commands(), (QList<QByteArray>{"status", "status"}));

    // Whatever was on its way has arrived by the time the next reply does.
    rig.server.setSilent(false);
    rig.client->rcon("secret", "g_gametype");
    QTRY_COMPARE(rig.client->inbox.size(), 1);
    QVERIFY(rig.client->inbox.first().contains("\"g_gametype\" is:"));
}

void tst_FakeGameServer::floodProtectionDropsQuickRepeats()
{
    Rig rig(QStringLiteral("cod4"));
    rig.server.setFloodProtection(true);
    QVERIFY(rig.start());
    Client other(rig.server.port());

    rig.client->rcon("secret", "g_gametype");
    other.rcon("secret", "mapname"); // every sender shares one clock
    rig.client->rcon("wrong", "status");
    QTRY_COMPARE(rig.server.received().size(), 3);
    QTRY_COMPARE(rig.client->inbox.size(), 1);
    QVERIFY(rig.client->inbox.first().contains("\"g_gametype\""));
    const QList<ReceivedDatagram> burst = rig.server.received();
    const qint64 burstMs = burst.last().elapsedMs - burst.first().elapsedMs;
    QVERIFY2(burstMs < 500, "the three packets should arrive within 500 ms");

    // Dropped packets do not move the clock: 500 ms after the first one, the next one counts.
    QElapsedTimer sinceBurst;
    sinceBurst.start();
    QTRY_VERIFY_WITH_TIMEOUT(burstMs + sinceBurst.elapsed() >= 520, 2000);
    rig.client->rcon("secret", "sv_punkbuster");
    QTRY_COMPARE(rig.client->inbox.size(), 2);
    QVERIFY(rig.client->inbox.last().contains("\"sv_punkbuster\""));
    QVERIFY(other.inbox.isEmpty());
}

void tst_FakeGameServer::everyDatagramIsRecorded_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("rcon");
    QTest::addColumn<QByteArray>("password");
    QTest::addColumn<QByteArray>("command");
    const auto row = [](const char *name, const QByteArray &bytes, bool rcon,
                        const QByteArray &password, const QByteArray &command) {
        QTest::newRow(name) << bytes << rcon << password << command;
    };

    row("no header", "rcon secret status", false, "", "");
    row("short header", "\xff\xff\xffrcon secret status", false, "", "");
    row("status query", "\xff\xff\xff\xffgetstatus", false, "", "");
    row("rcon glued", "\xff\xff\xff\xffrconsecret status", false, "", "");
    row("empty", "", false, "", "");
    row("rcon", "\xff\xff\xff\xffrcon   secret   say  \"hi\"  ", true, "secret", "say  \"hi\"  ");
    row("RCON", "\xff\xff\xff\xffRCON secret status", true, "secret", "status");
}

void tst_FakeGameServer::everyDatagramIsRecorded()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, rcon);
    QFETCH(QByteArray, password);
    QFETCH(QByteArray, command);

    Rig rig(QStringLiteral("cod"));
    QVERIFY(rig.start());
    QSignalSpy spy(&rig.server, &FakeGameServer::datagramReceived);
    rig.client->sendRaw(bytes);
    QList<QByteArray> datagrams;
    QVERIFY(rig.ask("g_password", &datagrams));
    QCOMPARE(datagrams.size(), rcon ? 2 : 1); // only rcon gets an answer

    const QList<ReceivedDatagram> received = rig.server.received();
    QCOMPARE(received.size(), 3);
    QCOMPARE(spy.size(), 3);
    const ReceivedDatagram d = received.first();
    QCOMPARE(d.bytes, bytes);
    QCOMPARE(spy.first().first().value<ReceivedDatagram>().bytes, bytes);
    QCOMPARE(d.rcon, rcon);
    QCOMPARE(d.password, password);
    QCOMPARE(d.command, command);
    QCOMPARE(d.from, QHostAddress(QHostAddress::LocalHost));
    QCOMPARE(d.fromPort, rig.client->port());
    QVERIFY(d.elapsedMs <= received.last().elapsedMs);
}

void tst_FakeGameServer::sendRawReachesTheLastSender()
{
    FakeGameServer server(FakeGame::CoD2);
    QVERIFY(server.start());
    Client first(server.port());
    Client second(server.port());
    first.sendRaw("hello");
    QTRY_COMPARE(server.received().size(), 1);
    second.sendRaw("hello");
    QTRY_COMPARE(server.received().size(), 2);
    const QByteArray garbage("\xff\xff\xff\xffprint\x00\x01 half a", 16);
    server.sendRaw(garbage);
    QTRY_COMPARE(second.inbox, QList<QByteArray>{garbage});
    QVERIFY(first.inbox.isEmpty());
}

void tst_FakeGameServer::demoServerAnswersAndLogs()
{
    QProcess demo;
    demo.start(demoServerPath(),
               {QStringLiteral("--game"), QStringLiteral("cod2"), QStringLiteral("--port"),
                QStringLiteral("0"), QStringLiteral("--password"), QStringLiteral("pw")});
    QVERIFY2(demo.waitForStarted(), qPrintable(demo.errorString()));
    QTRY_VERIFY_WITH_TIMEOUT(demo.canReadLine(), 10000);
    const QString banner = QString::fromLocal8Bit(demo.readLine());
    const QRegularExpressionMatch where
        = QRegularExpression(QStringLiteral("^Call of Duty 2 .*127\\.0\\.0\\.1:(\\d+)"))
              .match(banner);
    QVERIFY2(where.hasMatch(), qPrintable(banner));

    Client client(quint16(where.captured(1).toUInt()));
    client.rcon("pw", "sv_maxclients");
    QTRY_COMPARE(client.inbox.size(), 1);
    QVERIFY(client.inbox.first().startsWith(kHeader + "\"sv_maxclients\" is: \"20^7\""));
    QTRY_VERIFY(demo.canReadLine());
    const QString logged = QString::fromLocal8Bit(demo.readLine()).trimmed();
    QVERIFY2(logged.endsWith(QStringLiteral(" 127.0.0.1:%1 sv_maxclients").arg(client.port())),
             qPrintable(logged));

    demo.terminate();
    QVERIFY(demo.waitForFinished(5000));
    QCOMPARE(demo.exitStatus(), QProcess::NormalExit);
    QCOMPARE(demo.exitCode(), 0);
}

void tst_FakeGameServer::demoServerRefusesATakenPort()
{
    QUdpSocket holder;
    QVERIFY(holder.bind(QHostAddress::LocalHost, 0, QAbstractSocket::DontShareAddress));
    QProcess demo;
    demo.start(demoServerPath(), {QStringLiteral("--port"), QString::number(holder.localPort())});
    QVERIFY2(demo.waitForStarted(), qPrintable(demo.errorString()));
    QVERIFY(demo.waitForFinished(10000));
    QCOMPARE(demo.exitCode(), 1);
    const QString error = QString::fromLocal8Bit(demo.readAllStandardError());
    const QString expected
        = QStringLiteral("cannot listen on 127.0.0.1:%1").arg(holder.localPort());
    QVERIFY2(error.contains(expected), qPrintable(error));
}

QTEST_MAIN(tst_FakeGameServer)
#include "tst_fakegameserver.moc"
