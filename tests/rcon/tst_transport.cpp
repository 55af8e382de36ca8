#include "DialogRecorder.h"
#include "TestEnv.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/Transport.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QNetworkDatagram>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QUdpSocket>

#include <memory>

namespace {
const QByteArray kHeader("\xFF\xFF\xFF\xFF", 4);
const QByteArray kPrint = kHeader + "print\n";

// A bare UDP peer on loopback standing in for the game server: it keeps what arrives, with the
// arrival time, and answers to whoever wrote last.
struct Peer
{
    QUdpSocket socket;
    QList<QByteArray> got;
    QList<qint64> at;
    QElapsedTimer clock;
    QHostAddress client;
    quint16 clientPort = 0;

    explicit Peer(const QHostAddress &address = QHostAddress::LocalHost)
    {
        socket.bind(address, 0);
        clock.start();
        QObject::connect(&socket, &QUdpSocket::readyRead, [this] {
            while (socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = socket.receiveDatagram();
                got << d.data();
                at << clock.elapsed();
                client = d.senderAddress();
                clientPort = static_cast<quint16>(d.senderPort());
            }
        });
    }
    void reply(const QByteArray &bytes) { socket.writeDatagram(bytes, client, clientPort); }
};
} // namespace

class TestTransport : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestProgramDir> env;
    std::unique_ptr<DialogRecorder> boxes;
    std::unique_ptr<frmMain> main;
    std::unique_ptr<Peer> peer;

    void openTo(Peer &p)
    {
        main->UDPClient->setRemoteHost(QStringLiteral("127.0.0.1"));
        main->UDPClient->setRemotePort(p.socket.localPort());
        main->UDPClient->open();
    }

    // Sends a command and waits until the peer holds it, so that the peer knows where to answer.
    void handshake()
    {
        const int before = peer->got.size();
        SendCommand(QStringLiteral("status"));
        QTRY_COMPARE(peer->got.size(), before + 1);
        main->txtConsole->clearText();
        main->txtConsoleCommands->clearText();
    }

private slots:
    void init()
    {
        env = std::make_unique<TestProgramDir>(20.0);
        boxes = std::make_unique<DialogRecorder>();
        main = std::make_unique<frmMain>();
        peer = std::make_unique<Peer>();
    }

    void cleanup()
    {
        main.reset();
        peer.reset();
        boxes.reset();
        env.reset();
    }

    void datagramIsByteExact_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("wire");
        QTest::newRow("plain") << "secret"
                               << "status" << kHeader + "rcon secret status";
        QTest::newRow("password with blanks, case kept")
            << " my pass "
            << "g_gametype TDM" << kHeader + "rcon  my pass  g_gametype TDM";
        QTest::newRow("empty password") << ""
                                        << "serverinfo" << kHeader + "rcon  serverinfo";
        QTest::newRow("latin-1 name")
            << "pw" << QString::fromLatin1("kick J\xF6rg") << kHeader + "rcon pw kick J\xF6rg";
    }

    void datagramIsByteExact()
    {
        QFETCH(QString, password);
        QFETCH(QString, command);
        QFETCH(QByteArray, wire);
        openTo(*peer);
        main->txtServerRCON->setText(QStringLiteral("old"));
        main->txtServerRCON->setText(password); // read afresh on every send
        SendCommand(command);
        QTRY_COMPARE(peer->got.size(), 1);
        QCOMPARE(peer->got.first(), wire);
    }

    void echoGoesToTheConsoleOnly()
    {
        openTo(*peer);
        SendCommand(QStringLiteral("map_restart"));
        static const QRegularExpression echo(
            QStringLiteral("^\\r\\n-{22}\\r\\n\\[\\d\\d:\\d\\d:\\d\\d\\] map_restart\\r\\n-{22}$"));
        QVERIFY2(echo.match(main->txtConsole->text()).hasMatch(),
                 qPrintable(main->txtConsole->text()));
        QCOMPARE(main->txtConsoleCommands->text(), QString());

        main->txtConsole->clearText();
        SendCommand(QStringLiteral("pb_sv_uconempty"));
        QTRY_COMPARE(peer->got.size(), 2);
        QCOMPARE(peer->got.last(), kHeader + "rcon  pb_sv_uconempty");
        QCOMPARE(main->txtConsole->text(), QString());
    }

    void notConnectedShowsTheBoxAndSendsNothing()
    {
        SendCommand(QStringLiteral("status"));
        QCOMPARE(boxes->boxes.size(), 1);
        QCOMPARE(boxes->last().text, QStringLiteral("You are not connected to a server!"));
        QCOMPARE(boxes->last().title, QStringLiteral("Not connected"));
        QCOMPARE(boxes->last().icon, MsgIcon::Exclamation);
        QCOMPARE(main->txtConsole->text(), QString());

        // The first datagram the peer ever sees is the one sent after opening.
        openTo(*peer);
        SendCommand(QStringLiteral("after"));
        QTRY_COMPARE(peer->got.size(), 1);
        QVERIFY(peer->got.first().endsWith(" after"));

        main->UDPClient->close();
        SendCommand(QStringLiteral("closed again"));
        QCOMPARE(boxes->boxes.size(), 2);
    }

    void receivePathCleansTheText_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<bool>("checkBox");
        QTest::addColumn<QString>("pref");
        QTest::addColumn<QString>("shown");

        QTest::newRow("login refusal") << kPrint + "Bad rconpassword.\n"
                                       << false << ""
                                       << "\r\nBad rconpassword.\r\n";
        QTest::newRow("marker anywhere")
            << QByteArray("a\n") + kPrint + "b\n" + kPrint << false << ""
            << "\r\na\r\nb\r\n";
        QTest::newRow("colours kept when not asked") << kPrint + "^1Red ^9grey\n"
                                                     << false << "0"
                                                     << "\r\n^1Red ^9grey\r\n";
        QTest::newRow("check box strips ^0-^7, keeps ^8 ^9") << kPrint + "^0^1^2^3^4^5^6^7x^8y^9z\n"
                                                             << true << ""
                                                             << "\r\nx^8y^9z\r\n";
        QTest::newRow("preference strips") << kPrint + "^1Big^9Player^7\n"
                                           << false << "1"
                                           << "\r\nBig^9Player\r\n";
        QTest::newRow("no header") << QByteArray("plain text") << false << ""
                                   << "\r\nplain text";
        QTest::newRow("empty datagram") << QByteArray() << false << ""
                                        << "\r\n";
        QTest::newRow("NUL and high bytes")
            << QByteArray("a\0b\xFE\n", 5) << false << ""
            << QString(QStringLiteral("\r\na") + QChar(0) + QStringLiteral("b") + QChar(0xFE)
                       + QStringLiteral("\r\n"));
    }

    void receivePathCleansTheText()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(bool, checkBox);
        QFETCH(QString, pref);
        QFETCH(QString, shown);
        WritePref(QStringLiteral("Console"), QStringLiteral("ColorNames"), pref);
        main->ckColorNames->setChecked(checkBox);
        openTo(*peer);
        handshake();
        peer->reply(datagram);
        QTRY_COMPARE(main->txtConsoleCommands->text(), shown);
        QCOMPARE(main->txtConsole->text(), shown);
        QCOMPARE(main->receiveString, datagram);
    }

    void splitReplyArrivesAsSeveralAppends()
    {
        openTo(*peer);
        handshake();
        peer->reply(kPrint + "map: mp_crash\nnum sco");
        peer->reply(kPrint + "re ping\n  0  ");
        peer->reply(kPrint + "  12\n\n");
        QTRY_COMPARE(
            main->txtConsoleCommands->text(),
            QStringLiteral("\r\nmap: mp_crash\r\nnum sco\r\nre ping\r\n  0  \r\n  12\r\n\r\n"));
    }

    void hugeBinaryDatagramIsShownNotFatal()
    {
        openTo(*peer);
        handshake();
        QByteArray blob(65000, '\0');
        for (int i = 0; i < blob.size(); ++i)
            blob[i] = static_cast<char>(i * 7);
        peer->reply(blob);
        QTRY_VERIFY(main->txtConsoleCommands->text().size() > 65000);
        peer->reply(kPrint + "still alive\n");
        QTRY_VERIFY(main->txtConsole->text().endsWith(QStringLiteral("still alive\r\n")));
    }

    void strangersCannotWriteIntoTheConsole()
    {
        openTo(*peer);
        handshake();
        Peer otherPort;
        otherPort.socket.writeDatagram(kPrint + "from another port\n", QHostAddress::LocalHost,
                                       peer->clientPort);
        Peer otherHost(QHostAddress(QStringLiteral("127.0.0.2")));
        otherHost.socket.writeDatagram(kPrint + "from another host\n", QHostAddress::LocalHost,
                                       peer->clientPort);
        // The server's own answer, sent after both, is the only text that arrives.
        peer->reply(kPrint + "from the server\n");
        QTRY_COMPARE(main->txtConsoleCommands->text(), QStringLiteral("\r\nfrom the server\r\n"));
        QCoreApplication::processEvents();
        QCOMPARE(main->txtConsole->text(), QStringLiteral("\r\nfrom the server\r\n"));
    }

    void announceChange_data()
    {
        QTest::addColumn<QString>("ingameMess");
        QTest::addColumn<QString>("onChange");
        QTest::addColumn<QList<QByteArray>>("sent");
        const QByteArray rcon = kHeader + "rcon pw ";
        QTest::newRow("full form")
            << "0"
            << "0"
            << QList<QByteArray>{rcon + "Say ^7Vantor 9.0.1 ^4||^7 Map restart by ^4Admin",
                                 rcon + "map_restart"};
        QTest::newRow("without the program's name")
            << "0"
            << "1"
            << QList<QByteArray>{rcon + "Say  ^4||^7 Map restart by ^4Admin", rcon + "map_restart"};
        QTest::newRow("announcements off") << "1"
                                           << "0" << QList<QByteArray>{rcon + "map_restart"};
    }

    void announceChange()
    {
        QFETCH(QString, ingameMess);
        QFETCH(QString, onChange);
        QFETCH(QList<QByteArray>, sent);
        WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"), ingameMess);
        WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnChange"), onChange);
        main->txtServerRCON->setText(QStringLiteral("pw"));
        main->txtServername->setText(QStringLiteral("Admin"));
        openTo(*peer);
        AnnounceChange(QStringLiteral("map_restart"), QStringLiteral("Map restart"));
        QTRY_COMPARE(peer->got.size(), sent.size());
        QCOMPARE(peer->got, sent);
    }

    void announcementPausesTwoSecondsOnTheWire()
    {
        Clock::setSpeed(1.0);
        openTo(*peer);
        AnnounceChange(QStringLiteral("g_gametype sd"), QStringLiteral("Gametype sd"));
        QTRY_COMPARE(peer->got.size(), 2);
        const qint64 gap = peer->at.at(1) - peer->at.at(0);
        QVERIFY2(gap >= 1950 && gap < 2400, qPrintable(QString::number(gap)));
    }

    void waitKeepsEventsFlowing()
    {
        openTo(*peer);
        handshake();
        QTimer::singleShot(Clock::scaled(100), [this] { peer->reply(kPrint + "during wait\n"); });
        Wait(1.0);
        QCOMPARE(main->txtConsoleCommands->text(), QStringLiteral("\r\nduring wait\r\n"));
    }

    void cvarValueTakesTheFourthPiece_data()
    {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QString>("value");
        QTest::newRow("CoD form") << "\r\n\"g_password\" is:\"secret^7\" default:\"^7\"\r\n"
                                  << "secret^7";
        QTest::newRow("CoD4 form") << "\r\n\"gamename\" is: \"Call of Duty 4\" default: \"x\"\r\n"
                                   << "Call of Duty 4";
        QTest::newRow("no quotes") << "\r\nBad rconpassword.\r\n"
                                   << "\r\nBad rconpassword.\r\n";
        QTest::newRow("empty") << ""
                               << "";
    }

    void cvarValueTakesTheFourthPiece()
    {
        QFETCH(QString, reply);
        QFETCH(QString, value);
        QCOMPARE(cvarValue(reply), value);
    }
};

QTEST_MAIN(TestTransport)
#include "tst_transport.moc"
