#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/GameLauncher.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

#include <memory>

namespace {

// The main window on a session logged in to a fake server of one game, every box answered.
struct Rig
{
    explicit Rig(FakeGame game)
        : server(game)
    {
        server.setPassword("pw");
        server.start(0);
        main = std::make_unique<frmMain>(&session);
        session.setAddress(QStringLiteral("127.0.0.1"));
        session.setPort(QString::number(server.port()));
        session.setPassword(QStringLiteral("pw"));
        session.setAdminName(QStringLiteral("Ann"));
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(server.port());
        session.link()->open();
        session.setGameKind(fakeGameName(game).toLower());
    }
    ~Rig()
    {
        main.reset();
        server.stop();
    }

    TestProgramDir env{20.0};
    DialogRecorder dialogs;
    FakeGameServer server;
    RconSession session;
    std::unique_ptr<frmMain> main;
};

} // namespace

class tst_GameLauncher : public QObject
{
    Q_OBJECT
private slots:
    void joinServer_data();
    void joinServer();
    void directoryMenusFollowPreferences();
    void notConnectedStartsNothing();
};

void tst_GameLauncher::joinServer_data()
{
    QTest::addColumn<FakeGame>("game");
    QTest::addColumn<QString>("joinPassword");    // panel 2's tag
    QTest::addColumn<QByteArray>("privateSlots"); // the server's sv_privatePassword; null: unset
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
void tst_GameLauncher::joinServer()
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
    const QString dir = rig.env.path() + QStringLiteral("/Games/Client/");
    for (const char *key : {"JoinGame", "JoinGameUO", "JoinGame2", "JoinGame4"})
        WritePref(QStringLiteral("Directory"), QLatin1String(key), dir);
    WritePref(QStringLiteral("GameSettings"), QStringLiteral("MessageJoin"),
              announce ? QStringLiteral("1") : QStringLiteral("0"));
    if (!preference.isEmpty())
        WritePref(preference.section(u'/', 0, 0), preference.section(u'/', 1), QStringLiteral("1"));

    rig.main->mnuJoinGameJoinServer->trigger();
    QCOMPARE(rig.dialogs.programs.size(), 1);
    const DialogRecorder::Program started = rig.dialogs.programs.first();
    QCOMPARE(started.program, dir + program);
    QCOMPARE(started.workingDir, dir);
    QCOMPARE(started.arguments.join(u' '), QStringLiteral("-console -game +connect 127.0.0.1:")
                                               + QString::number(rig.server.port()) + tail);

    const QList<ReceivedDatagram> received = rig.server.received();
    QList<QByteArray> expected{"sv_privatePassword"};
    if (announce)
        expected.prepend("Say Ann is joining the server via ^4Vantor ^79.0.1");
    QCOMPARE(rig.server.commands(), expected);
    // One second on the clock (50 ms here) before asking, one after the notice.
    if (announce)
        QVERIFY(received[1].elapsedMs - received[0].elapsedMs >= 45);
    QVERIFY(rig.dialogs.boxes.isEmpty());
}

void tst_GameLauncher::directoryMenusFollowPreferences()
{
    Rig rig(FakeGame::CoD4);
    frmMain &m = *rig.main;
    // Nothing set: the Directory's items hidden, Join Server off for the connected CoD4.
    QVERIFY(!m.mnuJoinGameDirCoD->isVisible() && !m.mnuJoinGameDirCoD4->isVisible());
    QVERIFY(m.mnuJoinGameDirectorys->menuAction()->isEnabled());
    QVERIFY(m.mnuJoinGameDirectorys->actions().contains(m.mnuJoinGameSetDirectorys));
    QVERIFY(!m.mnuJoinGameJoinServer->isEnabled());

    WritePref(QStringLiteral("Directory"), QStringLiteral("JoinGame4"), QStringLiteral("/g/cod4/"));
    QVERIFY(m.mnuJoinGameDirCoD4->isVisible());
    QCOMPARE(m.mnuJoinGameDirCoD4->text(), QStringLiteral("Call of Duty 4: /g/cod4/"));
    QVERIFY(m.mnuJoinGameJoinServer->isEnabled());

    // A file edited by hand shows within the second.
    rig.env.writeFile(QStringLiteral("Preferences.ini"),
                      "[Directory]\r\nJoinGame2=/g/cod2/\r\nJoinGame4=\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(m.mnuJoinGameDirCoD2->isVisible(), 1000);
    QVERIFY(!m.mnuJoinGameDirCoD4->isVisible());
    QVERIFY(!m.mnuJoinGameJoinServer->isEnabled());

    m.mnuJoinGameDirCoD2->trigger();
    QCOMPARE(rig.dialogs.programs.size(), 1);
    QCOMPARE(rig.dialogs.programs[0].program, QStringLiteral("/g/cod2/CoD2MP_s.exe"));
    QCOMPARE(rig.dialogs.programs[0].arguments, (QStringList{"-console", "-game"}));
    QCOMPARE(rig.dialogs.programs[0].workingDir, QStringLiteral("/g/cod2/"));
}

// Not connected, Join Server still goes to the tray and tries both sends, each meeting the
// not-connected box; no game is started.
void tst_GameLauncher::notConnectedStartsNothing()
{
    Rig rig(FakeGame::CoD2);
    WritePref(QStringLiteral("Directory"), QStringLiteral("JoinGame2"), QStringLiteral("/g/"));
    WritePref(QStringLiteral("GameSettings"), QStringLiteral("MessageJoin"), QStringLiteral("1"));
    WritePref(QStringLiteral("GameSettings"), QStringLiteral("BringToTray"), QStringLiteral("1"));
    rig.main->show();
    rig.session.link()->close();
    rig.session.setGameKind(QStringLiteral("noco"));
    QVERIFY(rig.main->mnuJoinGameJoinServer->isEnabled());
    rig.main->mnuJoinGameJoinServer->trigger();
    QVERIFY(rig.dialogs.programs.isEmpty() && rig.server.received().isEmpty());
    QCOMPARE(rig.dialogs.boxes.size(), 2);
    QCOMPARE(rig.dialogs.last().title, QStringLiteral("Not connected"));
    QVERIFY(!rig.main->isVisible() || rig.main->isMinimized());
}

QTEST_MAIN(tst_GameLauncher)
#include "tst_gamelauncher.moc"
