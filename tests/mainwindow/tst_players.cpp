#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {
const QByteArray kPassword = "secret";

FakePlayer player(int slot, const QByteArray &name, FakeGame game)
{
    FakePlayer p;
    p.slot = slot;
    p.score = slot * 3 - 4;
    p.ping = 40 + slot;
    p.guid = game == FakeGame::CoD4 ? QByteArray(32, 'a' + char(slot % 6))
                                    : QByteArray::number(100000 + slot);
    p.name = name;
    p.lastmsg = 50;
    p.address = "192.168.1." + QByteArray::number(10 + slot) + ":28960";
    p.qport = 1000 + slot;
    return p;
}

// Bob, a name with one blank, one with runs of blanks, one with colour codes, and Zed last.
QList<FakePlayer> fivePlayers(FakeGame game)
{
    return {player(0, "Bob", game), player(3, "Big Player", game),
            player(7, "The  Long   One", game), player(12, "^1Red^7Baron", game),
            player(15, "Zed", game)};
}

const QStringList kFiveNames
    = {"Bob^7", "Big Player^7", "The Long One^7", "^1Red^7Baron^7", "Zed^7"};
const QStringList kFiveSlots = {"0", "3", "7", "12", "15"};

// The administrator's side of one session with a server, without the login sequence: the socket
// is opened on the server's loopback port as a finished login leaves it.
struct Session
{
    explicit Session(FakeGame game, const QByteArray &sayHistory = QByteArray())
        : server(game)
        , historyWritten(writeHistory(sayHistory))
    {
        server.start(0);
        main.txtServerRCON->setText(QString::fromLatin1(kPassword));
        main.txtServername->setText(QStringLiteral("Big Admin"));
        main.UDPClient->setRemoteHost(QStringLiteral("127.0.0.1"));
        main.UDPClient->setRemotePort(server.port());
        main.UDPClient->open();
        server.setPassword(kPassword);
        main.show();
    }
    ~Session()
    {
        main.UDPClient->close();
        server.stop();
    }

    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < main.cbCommunicationPlayerList->count(); ++i)
            names << main.cbCommunicationPlayerList->itemText(i);
        return names;
    }
    QStringList slotNumbers() const
    {
        QStringList ids;
        for (int i = 0; i < main.lstCommunicationID->count(); ++i)
            ids << main.lstCommunicationID->item(i)->text();
        return ids;
    }
    void load() { QTest::mouseClick(main.cmdCommunicationLoad, Qt::LeftButton); }
    // Picks the n-th entry of the player list with the keyboard.
    void pick(int n)
    {
        for (int i = 0; i <= n; ++i)
            QTest::keyClick(main.cbCommunicationPlayerList, Qt::Key_Down);
    }
    // The datagram that carried a command, as the server received it.
    QByteArray lastDatagram() const
    {
        const QList<ReceivedDatagram> all = server.received();
        return all.isEmpty() ? QByteArray() : all.constLast().bytes;
    }

    bool writeHistory(const QByteArray &lines)
    {
        if (!lines.isEmpty())
            env.writeFile(QStringLiteral("Logs/Communication/Communication.log"), lines);
        return true;
    }

    TestProgramDir env{20.0};
    DialogRecorder dialogs;
    FakeGameServer server;
    bool historyWritten; // before the window loads it
    frmMain main;
};

QByteArray datagram(const QByteArray &command)
{
    return "\xff\xff\xff\xffrcon " + kPassword + ' ' + command;
}
} // namespace

class tst_Players : public QObject
{
    Q_OBJECT
private slots:
    void loadPlayers_data();
    void loadPlayers();
    void loadWhileNotConnected();
    void thirdNameSelectsThirdSlot();
    void playerInfo();
    void sayLine_data();
    void sayLine();
    void privateMessage_data();
    void privateMessage();
    void addName_data();
    void addName();
};

void tst_Players::loadPlayers_data()
{
    QTest::addColumn<FakeGame>("game");
    QTest::addColumn<QString>("cutAfter"); // where the reply is split in two datagrams
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("slotIds");

    const QList<std::pair<const char *, FakeGame>> games = {{"CoD", FakeGame::CoD},
                                                            {"CoD UO", FakeGame::CoDUO},
                                                            {"CoD 2", FakeGame::CoD2},
                                                            {"CoD 4", FakeGame::CoD4}};
    for (const auto &[name, game] : games)
        QTest::newRow(name) << game << QString() << kFiveNames << kFiveSlots;
    // Each datagram is appended after a line break of its own: a cut between rows loses
    // nothing, a cut inside a row loses that player.
    QTest::newRow("CoD 2, split between rows")
        << FakeGame::CoD2 << QStringLiteral("1012 25000\n") << kFiveNames << kFiveSlots;
    QTest::newRow("CoD 2, split inside a row")
        << FakeGame::CoD2 << QStringLiteral("Z") << kFiveNames.mid(0, 4) << kFiveSlots.mid(0, 4);
    QTest::newRow("CoD 4, split inside a row")
        << FakeGame::CoD4 << QStringLiteral("Z") << kFiveNames.mid(0, 4) << kFiveSlots.mid(0, 4);
}

void tst_Players::loadPlayers()
{
    QFETCH(FakeGame, game);
    QFETCH(QString, cutAfter);
    QFETCH(QStringList, names);
    QFETCH(QStringList, slotIds);
    Session s(game);
    QVERIFY(s.server.isListening());
    s.server.setPlayers(fivePlayers(game));
    if (!cutAfter.isEmpty()) {
        const QByteArray text = fakeStatusText(game, s.server.map(), s.server.players());
        const qsizetype cut = text.indexOf(cutAfter.toLatin1()) + cutAfter.size();
        QVERIFY(cut > text.size() / 2); // one cut, so two datagrams
        s.server.setChunkSize(int(cut));
    }
    s.main.txtConsole->setText(QStringLiteral("old text that must go"));

    s.load();
    QCOMPARE(s.server.commands(), QList<QByteArray>{"status"});
    QCOMPARE(s.listed(), names);
    QCOMPARE(s.slotNumbers(), slotIds);
    QCOMPARE(s.main.cbCommunicationPlayerList->currentText(), QString());
    QVERIFY(!s.main.txtConsole->text().contains(QStringLiteral("old text")));
    QVERIFY(s.dialogs.boxes.isEmpty());
}

void tst_Players::loadWhileNotConnected()
{
    Session s(FakeGame::CoD2);
    s.load();
    s.main.UDPClient->close();
    s.load();
    QCOMPARE(s.dialogs.boxes.size(), 1);
    QCOMPARE(s.dialogs.last().title, QStringLiteral("Not connected"));
    QCOMPARE(s.listed(), QStringList());
    QCOMPARE(s.slotNumbers(), QStringList());
}

void tst_Players::thirdNameSelectsThirdSlot()
{
    Session s(FakeGame::CoD4);
    s.server.setPlayers(fivePlayers(FakeGame::CoD4));
    s.load();
    s.pick(2);
    QCOMPARE(s.main.cbCommunicationPlayerList->currentText(), QStringLiteral("The Long One^7"));
    QCOMPARE(s.main.lstCommunicationID->currentRow(), 2);
    s.main.cbCommunicationSay->setEditText(QStringLiteral("hi"));
    QTest::mouseClick(s.main.cmdCommunicationSendPM, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(s.server.commands().size() == 2, 5000);
    QVERIFY(s.server.commands().constLast().startsWith("tell 7 \""));
}

void tst_Players::playerInfo()
{
    Session s(FakeGame::CoD2);
    s.server.setPlayers(fivePlayers(FakeGame::CoD2));
    s.load();

    // Nobody picked: a box, nothing sent; the same for a private message.
    QTest::mouseClick(s.main.cmdCommunicationPlayerInfo, Qt::LeftButton);
    QTest::mouseClick(s.main.cmdCommunicationSendPM, Qt::LeftButton);
    QCOMPARE(s.dialogs.boxes.size(), 2);
    QCOMPARE(s.dialogs.boxes.at(0).text, QStringLiteral("Select a player to show info of."));
    QCOMPARE(s.dialogs.boxes.at(0).title, QStringLiteral("Select player..."));
    QCOMPARE(s.dialogs.boxes.at(0).icon, MsgIcon::Information);
    QCOMPARE(s.dialogs.boxes.at(1).text, QStringLiteral("Select a player to send the PM to."));
    QCOMPARE(s.dialogs.boxes.at(1).title, QStringLiteral("Select player..."));
    QCOMPARE(s.dialogs.boxes.at(1).icon, MsgIcon::Information);

    s.pick(1);
    QTest::mouseClick(s.main.cmdCommunicationPlayerInfo, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(s.server.commands().size(), 2, 5000);
    QCOMPARE(s.lastDatagram(), datagram("dumpuser \"Big Player^7\""));
    QCOMPARE(s.dialogs.boxes.size(), 2);
}

void tst_Players::sayLine_data()
{
    QTest::addColumn<QString>("withoutName"); // [Messages] IngameMessOnSend
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QByteArray>("command");
    const QByteArray full = "Say ^7Vantor 9.0.1 ^4|| Big Admin says: ^7hello ^1there";
    const QByteArray brief = "Say ^4Big Admin says: ^7hello ^1there";
    QTest::newRow("with the program's name, button") << QStringLiteral("0") << false << full;
    QTest::newRow("with the program's name, Enter") << QString() << true << full;
    QTest::newRow("name only, Enter") << QStringLiteral("1") << true << brief;
    QTest::newRow("name only, button") << QStringLiteral("1") << false << brief;
}

void tst_Players::sayLine()
{
    QFETCH(QString, withoutName);
    QFETCH(bool, byEnter);
    QFETCH(QByteArray, command);
    Session s(FakeGame::CoD, "earlier\r\n");
    if (!withoutName.isNull())
        WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnSend"), withoutName);

    QTest::keyClicks(s.main.cbCommunicationSay, QStringLiteral("hello ^1there"));
    if (byEnter)
        QTest::keyClick(s.main.cbCommunicationSay, Qt::Key_Return);
    else
        QTest::mouseClick(s.main.cmdCommunicationSend, Qt::LeftButton);

    QTRY_COMPARE_WITH_TIMEOUT(s.server.received().size(), 1, 5000);
    QCOMPARE(s.lastDatagram(), datagram(command));
    QCOMPARE(s.main.cbCommunicationSay->currentText(), QString());
    QCOMPARE(s.main.cbCommunicationSay->count(), 2);
    QCOMPARE(s.main.cbCommunicationSay->itemText(1), QStringLiteral("hello ^1there"));
    QCOMPARE(s.env.readFile(QStringLiteral("Logs/Communication/Communication.log")),
             QByteArray("earlier\r\nhello ^1there\r\n"));
}

void tst_Players::privateMessage_data()
{
    QTest::addColumn<QString>("color"); // [Messages] PrivateMessageColor; null: key absent
    QTest::addColumn<QByteArray>("command");
    const QByteArray start = "tell 3 \"^4Vantor ^79.0.1 ^4|| Big Admin ^7PM's: ";
    QTest::newRow("yellow") << QStringLiteral("65535") << start + "^3psst, you\"";
    QTest::newRow("grey") << QStringLiteral("8421504") << start + "^9psst, you\"";
    QTest::newRow("black") << QStringLiteral("0") << start + "^0psst, you\"";
    QTest::newRow("not in the table") << QStringLiteral("123456") << start + "123456psst, you\"";
    QTest::newRow("absent") << QString() << start + "psst, you\"";
}

void tst_Players::privateMessage()
{
    QFETCH(QString, color);
    QFETCH(QByteArray, command);
    Session s(FakeGame::CoD2);
    if (!color.isNull())
        WritePref(QStringLiteral("Messages"), QStringLiteral("PrivateMessageColor"), color);
    s.server.setPlayers(fivePlayers(FakeGame::CoD2));
    s.load();
    s.pick(1);
    s.main.cbCommunicationSay->setEditText(QStringLiteral("psst, you"));

    QTest::mouseClick(s.main.cmdCommunicationSendPM, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(s.server.commands().size(), 2, 5000);
    QCOMPARE(s.lastDatagram(), datagram(command));
    // A private message stays in the box and out of the history.
    QCOMPARE(s.main.cbCommunicationSay->currentText(), QStringLiteral("psst, you"));
    QCOMPARE(s.main.cbCommunicationSay->count(), 0);
    QVERIFY(s.env.readFile(QStringLiteral("Logs/Communication/Communication.log")).isEmpty());
}

void tst_Players::addName_data()
{
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("selected");
    QTest::addColumn<QString>("result");
    QTest::newRow("replaces the selection") << 6 << 3 << "Hello Big Player^7, welcome";
    QTest::newRow("at the caret") << 9 << 0 << "Hello youBig Player^7, welcome";
}

void tst_Players::addName()
{
    QFETCH(int, caret);
    QFETCH(int, selected);
    QFETCH(QString, result);
    Session s(FakeGame::CoD2);
    s.server.setPlayers(fivePlayers(FakeGame::CoD2));
    s.load();
    s.pick(1);
    QComboBox *say = s.main.cbCommunicationSay;
    say->setFocus();
    QTest::keyClicks(say, QStringLiteral("Hello you, welcome"));
    QTest::keyClick(say, Qt::Key_Home);
    for (int i = 0; i < caret; ++i)
        QTest::keyClick(say, Qt::Key_Right);
    for (int i = 0; i < selected; ++i)
        QTest::keyClick(say, Qt::Key_Right, Qt::ShiftModifier);

    QTest::mouseClick(s.main.cmdCommunicationAdd, Qt::LeftButton);
    QCOMPARE(s.main.cbCommunicationSay->currentText(), result);
}

QTEST_MAIN(tst_Players)
#include "tst_players.moc"
