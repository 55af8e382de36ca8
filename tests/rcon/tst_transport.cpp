// The session's transport: the bytes that leave for each command, the receive path that turns
// datagrams into the console's and the reply buffer's exact text, and the reads built on them.

#include "ServerRig.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QRegularExpression>
#include <QTest>
#include <QUdpSocket>

namespace {
const QByteArray kHeader("\xFF\xFF\xFF\xFF", 4);
const QByteArray kPrint = kHeader + "print\n";

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
        ServerRig rig;
        rig.session.setPassword(password); // a corrected password counts from the next command
        rig.session.SendCommand(command);
        // The echo: a rule, the time and the command, a rule.
        static const QRegularExpression echo(
            u"^\\r\\n-{22}\\r\\n\\[\\d\\d:\\d\\d:\\d\\d\\] (.*)\\r\\n-{22}$"_s);
        const bool quiet = command == "pb_sv_uconempty"_L1;
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
            u"\r\na"_s + QChar(0) + u"b"_s + QChar(0xFE));
    }

    void receivePathCleansTheText()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, strip);
        QFETCH(QString, pref);
        QFETCH(QString, shown);
        ServerRig rig;
        WritePref(u"Console"_s, u"ColorNames"_s, pref);
        rig.session.setStripColours(strip);
        rig.session.console()->setText(u"before"_s);
        rig.session.receive(datagram);
        QCOMPARE(rig.session.console()->text(), u"before"_s + shown);
        QCOMPARE(rig.session.replyText(), shown);
    }

    // Only the server is heard, and a long reply arrives as several appends: a row cut at a
    // datagram boundary is cut in the text too.
    void repliesArriveOverTheLink()
    {
        ServerRig rig;
        rig.server.setSilent(true); // only what the test sends comes back
        rig.session.SendCommand(u"status"_s);
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
        QTRY_VERIFY(rig.session.replyText().endsWith("\r\nstill alive\r\n"_L1));
        const QString text = rig.session.replyText();
        QVERIFY(text.startsWith("\r\nmap: mp_crash\r\nnum sco\r\nre ping\r\n\r\n"_L1));
        QVERIFY(!rig.session.console()->text().contains("stranger"_L1));
    }

    // At real speed: the announcement goes out, two seconds pass, then the command.
    void announceChange()
    {
        ServerRig rig;
        Clock::setSpeed(1.0);
        const auto announce
            = [&rig] { rig.session.AnnounceChange(u"map_restart"_s, u"Map restart"_s); };
        announce();
        WritePref(u"Messages"_s, u"IngameMessOnChange"_s, u"1"_s);
        announce(); // without the program's name
        WritePref(u"Messages"_s, u"IngameMess"_s, u"1"_s);
        announce(); // announcements off: the command alone
        QTRY_COMPARE(
            rig.server.commands(),
            QByteArrayList({ServerRig::announced("Map restart"), "map_restart",
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
        ServerRig rig;
        if (reply.isEmpty())
            rig.session.link()->close();
        rig.session.receive(kPrint + "stale\n");
        rig.server.setReply("g_password", reply);
        QTEST(rig.session.readVariable(u"g_password"_s), "value");
        QCOMPARE(rig.boxes.boxes.size(), reply.isEmpty() ? 1 : 0);
        QCOMPARE(rig.server.commands().size(), reply.isEmpty() ? 0 : 1);
    }
};

QTEST_MAIN(TestTransport)
#include "tst_transport.moc"
