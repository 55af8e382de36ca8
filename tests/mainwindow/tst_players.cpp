#include "ServerRig.h"

#include "mainwindow/Communication.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

namespace {
// Bob, a name with one blank, one with runs of blanks, one with colour codes, and Zed last.
QList<FakePlayer> fivePlayers(FakeGame game)
{
    QList<FakePlayer> players;
    for (const auto &[slot, name] :
         {std::pair(0, "Bob"), std::pair(3, "Big Player"), std::pair(7, "The  Long   One"),
          std::pair(12, "^1Red^7Baron"), std::pair(15, "Zed")}) {
        FakePlayer p;
        p.slot = p.qport = slot;
        p.name = name;
        p.guid = game == FakeGame::CoD4 ? QByteArray(32, 'a' + slot % 6)
                                        : QByteArray::number(90 + slot);
        p.address = "10.0.0." + QByteArray::number(slot) + ":28960";
        players << p;
    }
    return players;
}

const QStringList kFiveNames
    = {"Bob^7", "Big Player^7", "The Long One^7", "^1Red^7Baron^7", "Zed^7"};
const QStringList kFiveSlots = {"0", "3", "7", "12", "15"};

// The main window on a session with a server whose five players are in.
struct Session : ServerRig
{
    explicit Session(FakeGame game)
        : ServerRig(game)
    {
        server.setPlayers(fivePlayers(game));
        main.show();
    }
    void load() { QTest::mouseClick(main.cmdCommunicationLoad, Qt::LeftButton); }
    void pick(int n) { main.cbCommunicationPlayerList->setCurrentIndex(n); }
    QStringList players() const { return rowsOf(main.cbCommunicationPlayerList->model()); }
    QStringList slotIds() const { return rowsOf(main.lstCommunicationID->model()); }
    // The last datagram the server received, exactly as it came.
    QByteArray last() const { return server.received().value(server.received().size() - 1).bytes; }

    frmMain main{&session};
};

} // namespace

class tst_Players : public QObject
{
    Q_OBJECT
private slots:
    void loadPlayers_data()
    {
        QTest::addColumn<FakeGame>("game");
        QTest::addColumn<QString>("cutAfter"); // where the reply is split in two datagrams
        QTest::addColumn<int>("listed");
        QTest::newRow("CoD4") << FakeGame::CoD4 << QString() << 5;
        // Each datagram is appended after a line break of its own: a cut between rows loses
        // nothing, a cut inside a row loses that player.
        QTest::newRow("CoD2, split between rows") << FakeGame::CoD2 << "12 25000\n" << 5;
        QTest::newRow("CoD4, split inside a row") << FakeGame::CoD4 << "Z" << 4;
        QTest::newRow("not connected") << FakeGame::CoD2 << QString() << 0;
    }

    // "status" fills the player list with the names and the hidden list with the slots, from an
    // emptied console; nobody is picked. Not connected, the box shows and the lists stay empty.
    void loadPlayers()
    {
        QFETCH(FakeGame, game);
        QFETCH(QString, cutAfter);
        QFETCH(int, listed);
        Session s(game);
        if (!cutAfter.isEmpty()) {
            const QByteArray text = fakeStatusText(game, s.server.map(), s.server.players());
            const qsizetype cut = text.indexOf(cutAfter.toLatin1()) + cutAfter.size();
            QVERIFY(cut > text.size() / 2); // one cut, so two datagrams
            s.server.setChunkSize(int(cut));
        }
        s.main.txtConsole->setText(u"old text that must go"_s);
        if (listed == 0)
            s.session.link()->close();
        s.load();
        QCOMPARE(s.server.commands(), QByteArrayList(listed ? 1 : 0, "status"));
        QCOMPARE(s.players(), kFiveNames.mid(0, listed));
        QCOMPARE(s.slotIds(), kFiveSlots.mid(0, listed));
        QCOMPARE(s.main.cbCommunicationPlayerList->currentText(), QString());
        QVERIFY(!s.main.txtConsole->text().contains(u"old text"_s));
        QCOMPARE(s.boxes.boxes.size(), listed ? 0 : 1);
    }

    // A line said goes out once, with the program's name unless that is switched off, and joins
    // the history and its file; Enter says it as the button does, and the box empties.
    void sayLine()
    {
        Session s(FakeGame::CoD);
        s.env.writeFile(u"Logs/Communication/Communication.log"_s, "earlier\r\n");
        s.main.communication->loadHistory();
        QComboBox *say = s.main.cbCommunicationSay;
        QTest::keyClicks(say, u"hello ^1there"_s);
        QTest::mouseClick(s.main.cmdCommunicationSend, Qt::LeftButton);
        WritePref(u"Messages"_s, u"IngameMessOnSend"_s, u"1"_s);
        QTest::keyClicks(say, u"bye"_s);
        QTest::keyClick(say, Qt::Key_Return);
        QTRY_COMPARE(s.server.received().size(), 2);
        QCOMPARE(s.server.received().first().bytes,
                 ServerRig::datagram("Say ^7Vantor 9.0.1 ^4|| Admin says: ^7hello ^1there"));
        QCOMPARE(s.last(), ServerRig::datagram("Say ^4Admin says: ^7bye"));
        QCOMPARE(say->currentText(), QString());
        QCOMPARE(rowsOf(say->model()), QStringList({"earlier", "hello ^1there", "bye"}));
        QCOMPARE(s.env.readFile(u"Logs/Communication/Communication.log"_s),
                 QByteArray("earlier\r\nhello ^1there\r\nbye\r\n"));
    }

    void privateMessage_data()
    {
        QTest::addColumn<QString>("color"); // [Messages] PrivateMessageColor
        QTest::addColumn<QByteArray>("code");
        QTest::newRow("yellow") << "65535" << QByteArray("^3");
        QTest::newRow("not in the table") << "123456" << QByteArray("123456");
        QTest::newRow("none") << "" << QByteArray();
    }

    // With nobody picked, PM and Info show their boxes and send nothing. A private message goes
    // to the picked player's slot, coloured, and stays in the box and out of the history; Info
    // asks for the picked player by the name the status table gave.
    void privateMessage()
    {
        QFETCH(QString, color);
        QFETCH(QByteArray, code);
        Session s(FakeGame::CoD2);
        WritePref(u"Messages"_s, u"PrivateMessageColor"_s, color);
        s.load();
        s.main.cbCommunicationSay->setEditText(u"psst, you"_s);
        QTest::mouseClick(s.main.cmdCommunicationSendPM, Qt::LeftButton); // nobody picked yet
        QTest::mouseClick(s.main.cmdCommunicationPlayerInfo, Qt::LeftButton);
        QCOMPARE(s.boxes.boxes.size(), 2);
        s.pick(2);
        QTest::mouseClick(s.main.cmdCommunicationSendPM, Qt::LeftButton);
        QTRY_COMPARE(s.server.commands().size(), 2);
        QCOMPARE(s.last(), ServerRig::datagram("tell 7 \"^4Vantor ^79.0.1 ^4|| Admin ^7PM's: "
                                               + code + "psst, you\""));
        QCOMPARE(s.main.cbCommunicationSay->currentText(), u"psst, you"_s);
        QVERIFY(s.env.readFile(u"Logs/Communication/Communication.log"_s).isEmpty());
        QTest::mouseClick(s.main.cmdCommunicationPlayerInfo, Qt::LeftButton);
        QTRY_COMPARE(s.last(), ServerRig::datagram("dumpuser \"The Long One^7\""));
    }

    // The picked name replaces the selection in the say box, or goes in at the caret: the button
    // leaves both where the administrator put them.
    void addName()
    {
        Session s(FakeGame::CoD2);
        s.load();
        s.pick(1);
        QLineEdit *say = s.main.cbCommunicationSay->lineEdit();
        say->setFocus();
        QTest::keyClicks(say, u"Hello you, welcome"_s);
        say->setSelection(6, 3);
        QTest::mouseClick(s.main.cmdCommunicationAdd, Qt::LeftButton);
        QCOMPARE(say->text(), u"Hello Big Player^7, welcome"_s);
        say->setCursorPosition(5);
        QTest::mouseClick(s.main.cmdCommunicationAdd, Qt::LeftButton);
        QCOMPARE(say->text(), u"HelloBig Player^7 Big Player^7, welcome"_s);
    }
};

QTEST_MAIN(tst_Players)
#include "tst_players.moc"
