// The session's transport: the bytes that leave for each command, the receive path that turns
// datagrams into the console's and the reply buffer's exact text, and the reads built on them.

#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QRegularExpression>
#include <QTest>
#include <QUdpSocket>

namespace {
const QByteArray kHeader("\xFF\xFF\xFF\xFF", 4);
const QByteArray kPrint = kHeader + "print\n";

// A session whose link is open to a fake game server on loopback.
struct Rig
{
    Rig()
    {
        server.setPassword("pw");
        if (!server.start())
            qFatal("the fake game server found no port on 127.0.0.1");
        session.setPassword(QStringLiteral("pw"));
        session.setAdminName(QStringLiteral("Admin"));
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(server.port());
        session.link()->open();
    }

    TestProgramDir env{20.0};
    DialogRecorder boxes;
    FakeGameServer server;
    RconSession session;
};
} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

private slots:
    void sendsOneDatagramAndEchoes_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("wire"); // after the FF FF FF FF header
        const auto row = [](const char *name, const char *password, const QString &command,
                            const QByteArray &wire) {
            QTest::newRow(name) << QString::fromLatin1(password) << command << wire;
        };
        row("plain", "secret", "status", "rcon secret status");
        row("password with blanks, case kept", " my pass ", "g_gametype TDM",
            "rcon  my pass  g_gametype TDM");
        row("empty password", "", "serverinfo", "rcon  serverinfo");
        row("latin-1 name", "pw", QString::fromLatin1("kick J\xF6rg"), "rcon pw kick J\xF6rg");
        // The PunkBuster windows poll with it; the console is not flooded with its echo.
        row("quiet command", "pw", "pb_sv_uconempty", "rcon pw pb_sv_uconempty");
    }

    void sendsOneDatagramAndEchoes()
    {
        QFETCH(QString, password);
        QFETCH(QString, command);
        QFETCH(QByteArray, wire);
        Rig rig;
        rig.session.setPassword(password); // a corrected password counts from the next command
        rig.session.SendCommand(command);
        // The echo: a rule, the time and the command, a rule.
        static const QRegularExpression echo(
            QStringLiteral("^\\r\\n-{22}\\r\\n\\[\\d\\d:\\d\\d:\\d\\d\\] (.*)\\r\\n-{22}$"));
        const bool quiet = command == QLatin1String("pb_sv_uconempty");
        QCOMPARE(rig.session.console()->text().isEmpty(), quiet);
        QCOMPARE(echo.match(rig.session.console()->text()).captured(1),
                 quiet ? QString() : command);
        QCOMPARE(rig.session.replyText(), QString());
        QTRY_COMPARE(rig.server.received().value(0).bytes, kHeader + wire);
    }

    void receivePathCleansTheText_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("strip");
        QTest::addColumn<QString>("pref"); // [Console] ColorNames
        QTest::addColumn<QString>("shown");
        const auto row = [](const char *name, const QByteArray &datagram, bool strip,
                            const char *pref, const QString &shown) {
            QTest::newRow(name) << datagram << strip << QString::fromLatin1(pref) << shown;
        };
        row("login refusal", kPrint + "Bad rconpassword.\n", false, "",
            "\r\nBad rconpassword.\r\n");
        row("marker anywhere", "a\n" + kPrint + "b\n" + kPrint, false, "", "\r\na\r\nb\r\n");
        row("session strips ^0-^7, keeps ^8 ^9", kPrint + "^0^1^2^3^4^5^6^7x^8y^9z\n", true, "",
            "\r\nx^8y^9z\r\n");
        row("preference strips", kPrint + "^1Big^9Player^7\n", false, "1", "\r\nBig^9Player\r\n");
        row("NUL and high bytes", QByteArray("a\0b\xFE", 4), false, "",
            QStringLiteral("\r\na") + QChar(0) + QStringLiteral("b") + QChar(0xFE));
    }

    void receivePathCleansTheText()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, strip);
        QFETCH(QString, pref);
        QFETCH(QString, shown);
        Rig rig;
        WritePref(QStringLiteral("Console"), QStringLiteral("ColorNames"), pref);
        rig.session.setStripColours(strip);
        rig.session.console()->setText(QStringLiteral("before"));
        rig.session.receive(datagram);
        QCOMPARE(rig.session.console()->text(), QStringLiteral("before") + shown);
        QCOMPARE(rig.session.replyText(), shown);
    }

    // Only the server is heard, and a long reply arrives as several appends: a row cut at a
    // datagram boundary is cut in the text too.
    void repliesArriveOverTheLink()
    {
        Rig rig;
        rig.server.setSilent(true); // only what the test sends comes back
        rig.session.SendCommand(QStringLiteral("status"));
        QTRY_COMPARE(rig.server.received().size(), 1);
        const quint16 ours = rig.server.received().first().fromPort;
        for (const char *host : {"127.0.0.1", "127.0.0.2"}) { // another port, another host
            QUdpSocket stranger;
            stranger.bind(QHostAddress(QLatin1String(host)), 0);
            stranger.writeDatagram(kPrint + "stranger\n", QHostAddress::LocalHost, ours);
        }
        for (const QByteArray &d : {kPrint + "map: mp_crash\nnum sco", kPrint + "re ping\n",
                                    QByteArray(65000, '\xFE'), kPrint + "still alive\n"})
            rig.server.sendRaw(d);
        QTRY_VERIFY(rig.session.replyText().endsWith(QLatin1String("\r\nstill alive\r\n")));
        const QString text = rig.session.replyText();
        QVERIFY(text.startsWith(QLatin1String("\r\nmap: mp_crash\r\nnum sco\r\nre ping\r\n\r\n")));
        QVERIFY(!rig.session.console()->text().contains(QLatin1String("stranger")));
    }

    // At real speed: the announcement goes out, two seconds pass, then the command.
    void announceChange()
    {
        Rig rig;
        Clock::setSpeed(1.0);
        const auto announce = [&rig] {
            rig.session.AnnounceChange(QStringLiteral("map_restart"),
                                       QStringLiteral("Map restart"));
        };
        announce();
        WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnChange"),
                  QStringLiteral("1"));
        announce(); // without the program's name
        WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"), QStringLiteral("1"));
        announce(); // announcements off: the command alone
        QTRY_COMPARE(
            rig.server.commands(),
            QByteArrayList({"Say ^7Vantor 9.0.1 ^4||^7 Map restart by ^4Admin", "map_restart",
                            "Say  ^4||^7 Map restart by ^4Admin", "map_restart", "map_restart"}));
        const QList<ReceivedDatagram> got = rig.server.received();
        for (int i : {1, 3}) {
            const qint64 gap = got[i].elapsedMs - got[i - 1].elapsedMs;
            QVERIFY2(gap >= 1950 && gap < 2400, qPrintable(QString::number(gap)));
        }
        QVERIFY(got[4].elapsedMs - got[3].elapsedMs < 500);
    }

    // The reply comes while the read waits: Wait keeps datagrams flowing.
    void readVariable_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("value");
        const auto row = [](const char *name, const QByteArray &reply, const QString &value) {
            QTest::newRow(name) << reply << value;
        };
        row("CoD", "\"g_password\" is:\"secret^7\" default:\"^7\"\n", "secret^7");
        row("CoD4, two lines",
            "\"g_password\" is: \"a b^7\" default: \"^7\"\n  Domain is any text\n", "a b^7");
        row("ioquake3 default", "\"g_password\" is:\"^7\", the default\n", "^7");
        row("no quotes: the whole text", "unknown command: g_password\n",
            "\r\nunknown command: g_password\r\n");
        row("not connected: the box, nothing sent", {}, {});
    }

    void readVariable()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, value);
        Rig rig;
        if (reply.isEmpty())
            rig.session.link()->close();
        rig.session.receive(kPrint + "stale\n");
        rig.server.setReply("g_password", reply);
        QCOMPARE(rig.session.readVariable(QStringLiteral("g_password")), value);
        QCOMPARE(rig.boxes.boxes.size(), reply.isEmpty() ? 1 : 0);
        QCOMPARE(rig.server.commands().size(), reply.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(TestTransport)
#include "tst_transport.moc"
