#include "ServerRig.h"

#include "mainwindow/GameLauncher.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QMenu>
#include <QtTest>

#include <memory>

namespace {

// The main window on a session logged in to a fake server of one game.
struct Rig : ServerRig
{
    explicit Rig(FakeGame game)
        : ServerRig(game)
    {
        main = std::make_unique<frmMain>(&session);
        session.setAddress(u"127.0.0.1"_s);
        session.setPort(QString::number(server.port()));
        session.setGameKind(fakeGameName(game).toLower());
    }

    std::unique_ptr<frmMain> main;
};

} // namespace

class tst_GameLauncher : public QObject
{
    Q_OBJECT
private slots:
    void joinServer_data()
    {
        QTest::addColumn<FakeGame>("game");
        QTest::addColumn<QString>("joinPassword"); // panel 2's tag
        QTest::addColumn<QByteArray>(
            "privateSlots"); // the server's sv_privatePassword; null: unset
        QTest::addColumn<bool>("announce");
        QTest::addColumn<QString>("preference"); // [section] key set to "1"
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("tail"); // the command line after "<address>:<port>"

        // clang-format off
        QTest::newRow("CoD2, join password in the tag")
            << FakeGame::CoD2 << "club" << QByteArray("slots") << false << "" << "CoD2MP_s.exe"
            << " +password club +rcon_password pw";
        QTest::newRow("CoD public, no private slots")
            << FakeGame::CoD << "" << QByteArray("") << true << "Console/ColorNames" << "CoDMP.exe"
            << " +password  +rconpassword pw";
        QTest::newRow("CoD UO, private slots as answered")
            << FakeGame::CoDUO << "" << QByteArray("slot pw") << false << "" << "CoDUOMP.exe"
            << " +password slot pw^7 +rconpassword pw";
        QTest::newRow("CoD UO, private slots without ^7")
            << FakeGame::CoDUO << "" << QByteArray("slot pw") << false
            << "GameSettings/PrivatePasswordWithoutEndColour" << "CoDUOMP.exe"
            << " +password slot pw +rconpassword pw";
        QTest::newRow("CoD4, no quoted answer")
            << FakeGame::CoD4 << "" << QByteArray() << true << "" << "iw3mp.exe"
            << " +password  +rcon_password pw";
        // clang-format on
    }

    // The client starts from its directory with the server's address and the right password, after
    // the three one-second waits, with the notice first when the administrator wants it.
    void joinServer()
    {
        QFETCH(FakeGame, game);
        QFETCH(QString, joinPassword);
        QFETCH(QByteArray, privateSlots);
        QFETCH(bool, announce);
        QFETCH(QString, preference);
        QFETCH(QString, program);
        QFETCH(QString, tail);
        Rig rig(game);
        if (!privateSlots.isNull())
            rig.server.setCvar("sv_privatePassword", privateSlots);
        rig.session.setJoinPassword(joinPassword);
        const QString dir = rig.env.path() + u"/Games/Client/"_s;
        for (const char *key : {"JoinGame", "JoinGameUO", "JoinGame2", "JoinGame4"})
            WritePref(u"Directory"_s, QLatin1String(key), dir);
        WritePref(u"GameSettings"_s, u"MessageJoin"_s, announce ? u"1"_s : u"0"_s);
        if (!preference.isEmpty())
            WritePref(preference.section(u'/', 0, 0), preference.section(u'/', 1), u"1"_s);

        rig.main->mnuJoinGameJoinServer->trigger();
        QCOMPARE(rig.boxes.programs.size(), 1);
        const DialogRecorder::Program started = rig.boxes.programs.first();
        QCOMPARE(started.program, dir + program);
        QCOMPARE(started.workingDir, dir);
        QCOMPARE(started.arguments.join(u' '), u"-console -game +connect 127.0.0.1:"_s
                                                   + QString::number(rig.server.port()) + tail);

        const QList<ReceivedDatagram> received = rig.server.received();
        QList<QByteArray> expected{"sv_privatePassword"};
        if (announce)
            expected.prepend("Say Admin is joining the server via ^4Vantor ^79.0.1");
        QCOMPARE(rig.server.commands(), expected);
        // One second on the clock (50 ms here) before asking, one after the notice.
        if (announce)
            QVERIFY(received[1].elapsedMs - received[0].elapsedMs >= 45);
        QVERIFY(rig.boxes.boxes.isEmpty());
    }

    void directoryMenusFollowPreferences()
    {
        Rig rig(FakeGame::CoD4);
        frmMain &m = *rig.main;
        // Nothing set: the Directory's items hidden, Join Server off for the connected CoD4.
        QVERIFY(!m.mnuJoinGameDirCoD->isVisible() && !m.mnuJoinGameDirCoD4->isVisible());
        QVERIFY(m.mnuJoinGameDirectorys->menuAction()->isEnabled());
        QVERIFY(m.mnuJoinGameDirectorys->actions().contains(m.mnuJoinGameSetDirectorys));
        QVERIFY(!m.mnuJoinGameJoinServer->isEnabled());

        WritePref(u"Directory"_s, u"JoinGame4"_s, u"/g/cod4/"_s);
        QVERIFY(m.mnuJoinGameDirCoD4->isVisible());
        QCOMPARE(m.mnuJoinGameDirCoD4->text(), u"Call of Duty 4: /g/cod4/"_s);
        QVERIFY(m.mnuJoinGameJoinServer->isEnabled());

        // A file edited by hand shows within the second.
        rig.env.writeFile(u"Preferences.ini"_s,
                          "[Directory]\r\nJoinGame2=/g/cod2/\r\nJoinGame4=\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(m.mnuJoinGameDirCoD2->isVisible(), 1000);
        QVERIFY(!m.mnuJoinGameDirCoD4->isVisible());
        QVERIFY(!m.mnuJoinGameJoinServer->isEnabled());
    }

    // Not connected, Join Server still goes to the tray and tries both sends, each meeting the
    // not-connected box; no game is started.
    void notConnectedStartsNothing()
    {
        Rig rig(FakeGame::CoD2);
        WritePref(u"Directory"_s, u"JoinGame2"_s, u"/g/"_s);
        WritePref(u"GameSettings"_s, u"MessageJoin"_s, u"1"_s);
        WritePref(u"GameSettings"_s, u"BringToTray"_s, u"1"_s);
        rig.main->show();
        rig.session.link()->close();
        rig.session.setGameKind(u"noco"_s);
        QVERIFY(rig.main->mnuJoinGameJoinServer->isEnabled());
        rig.main->mnuJoinGameJoinServer->trigger();
        QVERIFY(rig.boxes.programs.isEmpty() && rig.server.received().isEmpty());
        QCOMPARE(rig.boxes.boxes.size(), 2);
        QCOMPARE(rig.boxes.last().title, u"Not connected"_s);
        QVERIFY(!rig.main->isVisible() || rig.main->isMinimized());
    }
};

QTEST_MAIN(tst_GameLauncher)
#include "tst_gamelauncher.moc"
