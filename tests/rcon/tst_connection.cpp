#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/Icons.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {
const QString kCrLf = QStringLiteral("\r\n");
const QString kTitle = QStringLiteral("Vantor 9.0.1");
const QString kNotConnectedTitle = kTitle + QStringLiteral(" - Not Connected to a server!");
const QString kNoRconBox = QStringLiteral(
    "This server has no rconpassword set.\r\n\r\nIf this is your own server follow these steps:"
    "\r\n-Go to the gameconsole of your dedicated server.\r\n-Type for CoD and CoD UO: "
    "''rconpassword hereyourpassword'' (without the '') and for CoD 2 and CoD 4: ''rcon_password "
    "hereyourpassword'' (without the '').\r\n-Press the enter button and reconnect again with "
    "Vantor.");

// A main window beside a fake game server, on the fast clock unless told otherwise.
struct Rig
{
    explicit Rig(FakeGame game = FakeGame::CoD2, double speed = 20.0)
        : env(speed)
        , server(game)
    {
        server.setPassword("secret");
        started = server.start(0);
        fill(QStringLiteral("secret"));
    }
    void fill(const QString &password)
    {
        main.txtServerIP->setText(QStringLiteral("127.0.0.1"));
        main.txtServerPORT->setText(QString::number(server.port()));
        main.txtServerRCON->setText(password);
        main.txtServername->setText(QStringLiteral("Admin"));
    }
    void clickConnect() { QTest::mouseClick(main.cmdConnect, Qt::LeftButton); }
    bool running() const { return main.tmrConnectProcess->isActive(); }
    QString at() const { return QStringLiteral("127.0.0.1:") + QString::number(server.port()); }
    QByteArrayList commands() const { return server.commands(); }

    TestProgramDir env;
    DialogRecorder rec;
    FakeGameServer server;
    frmMain main;
    bool started = false;
};

// Runs `what` once, right after the step of the tick that leaves the counter at `value`.
void afterStep(Rig &rig, int value, const std::function<void()> &what)
{
    auto *hook = new QObject(&rig.main);
    QObject::connect(rig.main.tmrConnectProcess, &QTimer::timeout, hook, [&rig, value, what, hook] {
        if (rig.main.pbConnectProcess->value() != value)
            return;
        hook->deleteLater();
        hook->disconnect();
        what();
    });
}

void typeLine(frmMain &m, const QString &line)
{
    QTest::keyClicks(m.cbCommand->lineEdit(), line);
    QTest::keyClick(m.cbCommand->lineEdit(), Qt::Key_Return);
}

const QByteArrayList kGoodSequence = {"g_password", "gamename", "sv_punkbuster", "status"};

QString menusEnabled(const frmMain &m)
{
    QString s;
    for (const QMenu *menu :
         {m.mnuOptionsCoD, m.mnuOptionsCoDUO, m.mnuOptionsCoD2, m.mnuOptionsCoD4})
        s += menu->menuAction()->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
    return s;
}

// The top edges, in twips, of the map-restart caption, its rule and its two buttons.
void verifyMapRestartTops(const frmMain &m, double caption, double rule, double buttons)
{
    const double onePixel = pixelsToTwips(1, &m);
    const struct
    {
        const QWidget *w;
        double top;
    } expected[] = {{m.lblSubMapRestart, caption},
                    {m.lineSubMapRestart, rule},
                    {m.cmdRestartMap, buttons},
                    {m.cmdFastRestartMap, buttons}};
    for (const auto &e : expected) {
        const double top = pixelsToTwips(e.w->y(), &m);
        QVERIFY2(
            qAbs(top - e.top) < onePixel,
            qPrintable(e.w->objectName() + QStringLiteral(" at %1, not %2").arg(top).arg(e.top)));
    }
}

// The window's state after a login that failed, whatever the reason.
void verifyNotConnectedLayout(const frmMain &m)
{
    QVERIFY(!m.UDPClient->isOpen());
    QCOMPARE(GameKind(), QStringLiteral("noco"));
    QCOMPARE(m.windowTitle(), kNotConnectedTitle);
    QVERIFY(m.cmdOptionsSettings->isHidden());
    QVERIFY(m.cmdOptionsMaps->isHidden());
    QVERIFY(m.cmdOptionsGametype->isHidden());
    QVERIFY(m.lblGame->isHidden());
    QVERIFY(m.imgGame->isHidden());
    QVERIFY(!m.mapRestartConnected());
    verifyMapRestartTops(m, 4560, 4680, 4920);
    QVERIFY(m.mnuOptionsWarCenter->isEnabled());
}
} // namespace

class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void forgottenFields_data();
    void forgottenFields();
    void loginOutcomes_data();
    void loginOutcomes();
    void joinPasswordOutlivesPublicLogin();
    void gameDetection_data();
    void gameDetection();
    void punkBuster_data();
    void punkBuster();
    void stepsAtRealSpeed();
    void stepsShowProgress();
    void failedLoginStillArmsConsoleTimers();
    void connectPaths_data();
    void connectPaths();
    void disconnect();
    void disconnectDuringSequence();
    void badInput_data();
    void badInput();
    void typingDuringSequence();
};

void tst_Connection::forgottenFields_data()
{
    QTest::addColumn<QStringList>("fields"); // ip, port, rcon, name
    QTest::addColumn<QString>("lines");
    QTest::newRow("all empty") << QStringList{{}, {}, {}, {}}
                               << QStringLiteral("\r\n -Server IP Address\r\n -Server Port\r\n "
                                                 "-Server Rconpassword\r\n -Name");
    QTest::newRow("port and name")
        << QStringList{QStringLiteral("127.0.0.1"), {}, QStringLiteral("pw"), {}}
        << QStringLiteral("\r\n -Server Port\r\n -Name");
    QTest::newRow("password") << QStringList{QStringLiteral("h"),
                                             QStringLiteral("1"),
                                             {},
                                             QStringLiteral("n")}
                              << QStringLiteral("\r\n -Server Rconpassword");
}

void tst_Connection::forgottenFields()
{
    QFETCH(QStringList, fields);
    QFETCH(QString, lines);
    Rig rig;
    QVERIFY(rig.started);
    rig.main.txtServerIP->setText(fields[0]);
    rig.main.txtServerPORT->setText(fields[1]);
    rig.main.txtServerRCON->setText(fields[2]);
    rig.main.txtServername->setText(fields[3]);
    rig.main.txtConsole->setText(QStringLiteral("kept"));
    rig.clickConnect();
    QCOMPARE(rig.rec.boxes.size(), 1);
    QCOMPARE(rig.rec.last().title, QStringLiteral("Forgotten fields..."));
    QCOMPARE(rig.rec.last().text, QStringLiteral("You forgot to fill in this field(s):") + lines);
    QCOMPARE(rig.rec.last().icon, MsgIcon::Critical);
    QVERIFY(!rig.running());
    QVERIFY(!rig.main.UDPClient->isOpen());
    QCOMPARE(rig.main.txtConsole->text(), QStringLiteral("kept"));
    QVERIFY(rig.main.pbConnectProcess->isHidden());
}

void tst_Connection::loginOutcomes_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("server"); // "silent", "norcon", "wrong" or the join password
    QTest::addColumn<QString>("panel2"); // %1 = the server's address and port
    QTest::addColumn<QString>("lblStatus");
    QTest::addColumn<QString>("boxTitle"); // empty: a good login, no box
    QTest::addColumn<QString>("boxText");

    const QString refused = QStringLiteral(
        "You've entered the wrong rconpassword.\r\nCheck your rconpassword and correct it.");
    QTest::newRow("no answer")
        << int(FakeGame::CoD2) << QStringLiteral("silent")
        << QStringLiteral("Details: can't connect to the selected server! ")
        << QStringLiteral("Not connected!") << QStringLiteral("Connection error")
        << QStringLiteral("Can't connect to the server.\r\n%1 might be down or you have entered "
                          "a wrong IP addres.");
    QTest::newRow("Bad rconpassword.")
        << int(FakeGame::CoD) << QStringLiteral("wrong")
        << QStringLiteral("Details: wrong rconpassword for: %1 ")
        << QStringLiteral("Connection error!") << QStringLiteral("Bad rconpassword") << refused;
    QTest::newRow("Invalid password.")
        << int(FakeGame::CoD4) << QStringLiteral("wrong")
        << QStringLiteral("Details: wrong rconpassword for: %1 ")
        << QStringLiteral("Connection error!") << QStringLiteral("Bad rconpassword") << refused;
    QTest::newRow("No rconpassword set on the server.")
        << int(FakeGame::CoDUO) << QStringLiteral("norcon")
        << QStringLiteral("Details: %1 has no rconpassword set ")
        << QStringLiteral("Connection error!") << QStringLiteral("No rconpassword") << kNoRconBox;
    QTest::newRow("The server must set 'rcon_password'")
        << int(FakeGame::CoD4) << QStringLiteral("norcon")
        << QStringLiteral("Details: %1 has no rconpassword set ")
        << QStringLiteral("Connection error!") << QStringLiteral("No rconpassword") << kNoRconBox;
    QTest::newRow("public") << int(FakeGame::CoD2) << QString()
                            << QStringLiteral("Details: public ") << QStringLiteral("Connected!")
                            << QString() << QString();
    QTest::newRow("public: only colour codes")
        << int(FakeGame::CoD) << QStringLiteral("^1^3") << QStringLiteral("Details: public ")
        << QStringLiteral("Connected!") << QString() << QString();
    QTest::newRow("private") << int(FakeGame::CoD4) << QStringLiteral("join me")
                             << QStringLiteral("Details: private - pass: join me ")
                             << QStringLiteral("Connected!") << QString() << QString();
}

void tst_Connection::loginOutcomes()
{
    QFETCH(int, game);
    QFETCH(QString, server);
    QFETCH(QString, panel2);
    QFETCH(QString, lblStatus);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxText);

    Rig rig{FakeGame(game)};
    QVERIFY(rig.started);
    if (server == QLatin1String("silent"))
        rig.server.setSilent(true);
    else if (server == QLatin1String("norcon"))
        rig.server.setNoRconPassword(true);
    else if (server == QLatin1String("wrong"))
        rig.fill(QStringLiteral("guess"));
    else
        rig.server.setCvar("g_password", server.toLatin1());
    QSignalSpy ticks(rig.main.tmrConnectProcess, &QTimer::timeout);
    rig.clickConnect();
    QVERIFY(rig.running());
    QVERIFY(rig.main.ckColorNames->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);

    StatusPanels *sb = rig.main.sb1;
    QCOMPARE(sb->text(2), panel2.arg(rig.at()));
    QCOMPARE(rig.main.lblServerStatus->text(), lblStatus);
    QVERIFY(!rig.main.lblServerStatus->isHidden());
    QVERIFY(!rig.main.imgServerType->isHidden());
    QVERIFY(rig.main.pbConnectProcess->isHidden());
    QCOMPARE(rig.main.pbConnectProcess->value(), 0);
    QVERIFY(!rig.main.ckColorNames->isChecked());

    if (!boxTitle.isEmpty()) {
        QCOMPARE(rig.rec.boxes.size(), 1);
        QCOMPARE(rig.rec.last().title, boxTitle);
        QCOMPARE(rig.rec.last().text, boxText.arg(rig.at()));
        QCOMPARE(rig.rec.last().icon, MsgIcon::Critical);
        QCOMPARE(sb->text(1), QStringLiteral("Connection error! "));
        QCOMPARE(sb->iconName(1), QStringLiteral("error"));
        QCOMPARE(Icons::shownName(rig.main.imgServerType), QStringLiteral("error"));
        verifyNotConnectedLayout(rig.main);
        // A failed login skips to the finish in its second tick and sends nothing more.
        QCOMPARE(ticks.size(), 2);
        QCOMPARE(rig.commands(), QByteArrayList{"g_password"});
        QCOMPARE(sb->tag(2), QString());
    } else {
        QCOMPARE(rig.rec.boxes.size(), 0);
        QCOMPARE(sb->text(1), QStringLiteral("Connected with: ") + rig.at());
        QCOMPARE(sb->iconName(1), QStringLiteral("connected"));
        QCOMPARE(Icons::shownName(rig.main.imgServerType), QStringLiteral("connected"));
        QVERIFY(rig.main.UDPClient->isOpen());
        QCOMPARE(ticks.size(), 8);
        QTRY_COMPARE_WITH_TIMEOUT(rig.commands(), kGoodSequence, 2000);
        const bool isPrivate = panel2.contains(QLatin1String("private"));
        QCOMPARE(sb->tag(2), isPrivate ? server : QString());
    }
}

void tst_Connection::joinPasswordOutlivesPublicLogin()
{
    Rig rig(FakeGame::CoD2);
    QVERIFY(rig.started);
    rig.server.setCvar("g_password", "clanwar");
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(rig.main.sb1->tag(2), QStringLiteral("clanwar"));

    rig.server.setCvar("g_password", "");
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(rig.main.sb1->text(2), QStringLiteral("Details: public "));
    QCOMPARE(rig.main.sb1->tag(2), QStringLiteral("clanwar"));
    rig.main.cmdDisconnect->click();
    QCOMPARE(rig.main.sb1->tag(2), QStringLiteral("clanwar"));
}

void tst_Connection::gameDetection_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QByteArray>("gamename"); // empty: the game's own
    QTest::addColumn<bool>("afterCoD4");      // first a login on a CoD4 server
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption"); // empty: the label is hidden
    QTest::addColumn<QString>("titleSuffix");
    QTest::addColumn<bool>("extraButtons");
    QTest::addColumn<QString>("menus");
    QTest::addColumn<bool>("warCenter");

    QTest::newRow("Call of Duty") << int(FakeGame::CoD) << QByteArray() << false << "cod"
                                  << "Call of Duty "
                                  << " - Call of Duty" << false << "1000" << true;
    QTest::newRow("CoD:United Offensive")
        << int(FakeGame::CoDUO) << QByteArray() << false << "coduo"
        << "Call of Duty: UO "
        << " - Call of Duty United Offensive" << false << "0100" << true;
    QTest::newRow("Call of Duty 2") << int(FakeGame::CoD2) << QByteArray() << false << "cod2"
                                    << "Call of Duty 2 "
                                    << " - Call of Duty 2" << true << "0010" << true;
    QTest::newRow("Call of Duty 4") << int(FakeGame::CoD4) << QByteArray() << false << "cod4"
                                    << "Call of Duty 4 "
                                    << " - Call of Duty 4" << true << "0001" << false;
    QTest::newRow("unrecognised") << int(FakeGame::CoD2) << QByteArray("Quake III Arena") << false
                                  << "noco"
                                  << ""
                                  << " - Not Connected to a server!" << true << "1111" << true;
    QTest::newRow("trailing blank")
        << int(FakeGame::CoD4) << QByteArray("Call of Duty 4 ") << false << "noco"
        << ""
        << " - Not Connected to a server!" << true << "1111" << true;
    QTest::newRow("unrecognised after CoD4 keeps the tag")
        << int(FakeGame::CoD4) << QByteArray("baseoa") << true << "cod4"
        << ""
        << " - Not Connected to a server!" << true << "1111" << false;
}

void tst_Connection::gameDetection()
{
    QFETCH(int, game);
    QFETCH(QByteArray, gamename);
    QFETCH(bool, afterCoD4);
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, titleSuffix);
    QFETCH(bool, extraButtons);
    QFETCH(QString, menus);
    QFETCH(bool, warCenter);

    Rig rig(afterCoD4 ? FakeGame::CoD4 : FakeGame(game));
    QVERIFY(rig.started);
    frmMain &m = rig.main;
    if (afterCoD4) {
        rig.clickConnect();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
        QCOMPARE(GameKind(), QStringLiteral("cod4"));
    } else {
        // Shown and disabled beforehand, so that each change below is the sequence's doing.
        m.cmdSystemInfo->setHidden(extraButtons);
        m.cmdFastRestartMap->setHidden(extraButtons);
        m.lblGame->setHidden(!caption.isEmpty());
        if (!caption.isEmpty())
            m.mnuOptionsWarCenter->setEnabled(!warCenter);
        for (QMenu *menu : {m.mnuOptionsCoD, m.mnuOptionsCoDUO, m.mnuOptionsCoD2, m.mnuOptionsCoD4})
            menu->menuAction()->setEnabled(false);
    }
    if (!gamename.isEmpty())
        rig.server.setGamename(gamename);
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);

    QCOMPARE(rig.rec.boxes.size(), 0);
    QCOMPARE(GameKind(), kind);
    QCOMPARE(m.windowTitle(), kTitle + titleSuffix);
    QCOMPARE(m.lblGame->isHidden(), caption.isEmpty());
    if (!caption.isEmpty())
        QCOMPARE(m.lblGame->text(), caption);
    QCOMPARE(!m.cmdSystemInfo->isHidden(), extraButtons);
    QCOMPARE(!m.cmdFastRestartMap->isHidden(), extraButtons);
    QCOMPARE(menusEnabled(m), menus);
    QCOMPARE(m.mnuOptionsWarCenter->isEnabled(), warCenter);
    const bool known = !caption.isEmpty();
    QCOMPARE(!m.cmdOptionsSettings->isHidden(), known);
    QCOMPARE(!m.cmdOptionsMaps->isHidden(), known);
    QCOMPARE(!m.cmdOptionsGametype->isHidden(), known);
    QCOMPARE(!m.imgGame->isHidden(), known);
    QCOMPARE(m.mapRestartConnected(), known);
    if (known)
        verifyMapRestartTops(m, 5640, 5760, 6000);
    else
        verifyMapRestartTops(m, 4560, 4680, 4920);
    if (known) {
        QCOMPARE(Icons::shownName(m.imgGame), kind);
        QMenu *gameMenus[]
            = {m.mnuOptionsCoD, m.mnuOptionsCoDUO, m.mnuOptionsCoD2, m.mnuOptionsCoD4};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(Icons::shownName(gameMenus[i]->menuAction()),
                     menus[i] == QLatin1Char('1') ? kind : QStringLiteral("notconnected"));
    }
    QVERIFY(m.UDPClient->isOpen());
}

void tst_Connection::punkBuster_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("1") << QByteArray("1") << true;
    QTest::newRow("0") << QByteArray("0") << false;
    QTest::newRow("not a number") << QByteArray("yes") << false; // left as it was
}

void tst_Connection::punkBuster()
{
    QFETCH(QByteArray, value);
    QFETCH(bool, enabled);
    Rig rig(FakeGame::CoD4);
    QVERIFY(rig.started);
    frmMain &m = rig.main;
    QVERIFY(m.mnuTrayPunkbuster); // the tray menu's own entry
    rig.server.setCvar("sv_punkbuster", value);
    const auto pbState = [&m] {
        return QList<bool>{m.cmdOptionsPB->isEnabled(), m.mnuOptionsPunkbuster->isEnabled(),
                           m.mnuTrayPunkbuster->isEnabled()};
    };
    const auto takeAway = [&m] {
        m.cmdOptionsPB->setEnabled(false);
        m.mnuOptionsPunkbuster->setEnabled(false);
        m.mnuTrayPunkbuster->setEnabled(false);
    };
    takeAway();
    rig.clickConnect();
    QCOMPARE(pbState(), QList<bool>({true, true, true})); // connect offers them again
    // Taken away while the sequence runs, so that a value that is no number visibly leaves them.
    afterStep(rig, 3, takeAway);
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(pbState(), QList<bool>({enabled, enabled, enabled}));
}

// The one check of the absolute cadence: eight ticks 800 ms apart.
void tst_Connection::stepsAtRealSpeed()
{
    Rig rig(FakeGame::CoD2, 1.0);
    QVERIFY(rig.started);
    QElapsedTimer clock;
    QList<qint64> at;
    connect(&rig.server, &FakeGameServer::datagramReceived, this,
            [&](const ReceivedDatagram &) { at << clock.elapsed(); });
    clock.start();
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 9000);
    QTRY_COMPARE_WITH_TIMEOUT(at.size(), 4, 1000);

    const QByteArray head = QByteArray("\xFF\xFF\xFF\xFF") + "rcon secret ";
    QList<QByteArray> bytes;
    for (const ReceivedDatagram &d : rig.server.received())
        bytes << d.bytes;
    QCOMPARE(bytes, QList<QByteArray>({head + "g_password", head + "gamename",
                                       head + "sv_punkbuster", head + "status"}));
    // Ticks 1, 4, 6 and 8.
    const qint64 expected[] = {800, 3200, 4800, 6400};
    for (int i = 0; i < 4; ++i) {
        QVERIFY2(qAbs(at[i] - expected[i]) < 250,
                 qPrintable(QStringLiteral("datagram %1 at %2 ms").arg(i).arg(at[i])));
    }
    // The console starts afresh with the status reply.
    const QString console = rig.main.txtConsole->text();
    QVERIFY(console.contains(QLatin1String("] status\r\n----------------------\r\n")));
    QVERIFY(console.contains(QLatin1String("map: ")));
    QVERIFY(!console.contains(QLatin1String("gamename")));
}

void tst_Connection::stepsShowProgress()
{
    Rig rig(FakeGame::CoD);
    QVERIFY(rig.started);
    QStringList seen;
    // Runs after the step of each tick.
    connect(rig.main.tmrConnectProcess, &QTimer::timeout, this, [&] {
        seen << QString::number(rig.main.pbConnectProcess->value()) + QLatin1Char('|')
                    + rig.main.sb1->text(1);
    });
    rig.clickConnect();
    QVERIFY(!rig.main.pbConnectProcess->isHidden());
    QVERIFY(rig.main.imgServerType->isHidden());
    QVERIFY(rig.main.lblServerStatus->isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(
        seen,
        QStringList({QStringLiteral("1|Server check... "), QStringLiteral("2|Server check... "),
                     QStringLiteral("3|Logging in... "), QStringLiteral("4|Game check... "),
                     QStringLiteral("5|Game check... "), QStringLiteral("6|Punkbuster check... "),
                     QStringLiteral("7|Punkbuster check... "),
                     QStringLiteral("0|Connected with: ") + rig.at()}));
}

void tst_Connection::failedLoginStillArmsConsoleTimers()
{
    Rig rig(FakeGame::CoD4);
    QVERIFY(rig.started);
    rig.env.writeFile(QStringLiteral("Preferences.ini"),
                      "[Console]\r\nConsoleStatus=1\r\nConsoleStatusTime=2\r\n"
                      "ConsoleClear=1\r\nConsoleClearTime=100\r\n");
    rig.fill(QStringLiteral("guess"));
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(rig.rec.boxes.size(), 1);
    QVERIFY(rig.main.tmrConsoleStatus->isActive());
    QCOMPARE(Clock::interval(rig.main.tmrConsoleStatus), 2000);
    // Periods past the old 65 s limit are kept as set.
    QVERIFY(rig.main.tmrConsoleClear->isActive());
    QCOMPARE(Clock::interval(rig.main.tmrConsoleClear), 100000);

    // Every "status" of the timer now meets the closed socket.
    QTRY_VERIFY_WITH_TIMEOUT(rig.rec.boxes.size() >= 3, 3000);
    for (int i = 1; i < rig.rec.boxes.size(); ++i) {
        QCOMPARE(rig.rec.boxes[i].title, QStringLiteral("Not connected"));
        QCOMPARE(rig.rec.boxes[i].text, QStringLiteral("You are not connected to a server!"));
        QCOMPARE(rig.rec.boxes[i].icon, MsgIcon::Exclamation);
    }
    QCOMPARE(rig.commands(), QByteArrayList{"g_password"});

    // A new connect stops both until its own end.
    rig.fill(QStringLiteral("secret"));
    rig.env.writeFile(QStringLiteral("Preferences.ini"),
                      "[Console]\r\nConsoleStatus=0\r\nConsoleClear=x\r\n");
    rig.clickConnect();
    QVERIFY(!rig.main.tmrConsoleStatus->isActive());
    QVERIFY(!rig.main.tmrConsoleClear->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QVERIFY(!rig.main.tmrConsoleStatus->isActive());
    QVERIFY(!rig.main.tmrConsoleClear->isActive()); // neither "1" nor "0": left stopped
}

void tst_Connection::connectPaths_data()
{
    QTest::addColumn<QString>("path");
    QTest::newRow("button") << QStringLiteral("cmdConnect");
    QTest::newRow("File, Connect") << QStringLiteral("mnuFileConnect");
    QTest::newRow("command line") << QStringLiteral("/connect");
    QTest::newRow("connect-on-select timer") << QStringLiteral("tmrCOS");
}

void tst_Connection::connectPaths()
{
    QFETCH(QString, path);
    Rig rig(FakeGame::CoD2);
    QVERIFY(rig.started);
    if (path == QLatin1String("cmdConnect")) {
        rig.clickConnect();
    } else if (path == QLatin1String("mnuFileConnect")) {
        auto *action = rig.main.findChild<QAction *>(path);
        QVERIFY(action && action->isEnabled());
        action->trigger();
    } else if (path == QLatin1String("tmrCOS")) {
        auto *cos = rig.main.findChild<QTimer *>(path);
        QVERIFY(cos);
        QCOMPARE(Clock::interval(cos), 300);
        cos->start();
        QTRY_VERIFY_WITH_TIMEOUT(rig.running(), 2000);
        QVERIFY(!cos->isActive());
    } else {
        typeLine(rig.main, path);
    }
    QVERIFY(rig.running());
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(GameKind(), QStringLiteral("cod2"));
    QCOMPARE(rig.commands(), kGoodSequence);
}

void tst_Connection::disconnect()
{
    Rig rig(FakeGame::CoD4);
    QVERIFY(rig.started);
    frmMain &m = rig.main;
    QVERIFY(m.mnuTrayPunkbuster); // the tray menu's own entry
    rig.server.setCvar("sv_punkbuster", "0");
    rig.env.writeFile(QStringLiteral("Preferences.ini"),
                      "[Console]\r\nConsoleStatus=1\r\nConsoleStatusTime=30\r\n"
                      "ConsoleClear=1\r\nConsoleClearTime=30\r\n");
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    QCOMPARE(GameKind(), QStringLiteral("cod4"));
    QVERIFY(!m.cmdOptionsPB->isEnabled());
    QVERIFY(m.tmrConsoleStatus->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(m.txtConsole->text().contains(QLatin1String("map: ")), 2000);

    m.findChild<QAction *>(QStringLiteral("mnuFileDisconnect"))->trigger();
    QCOMPARE(m.txtConsole->text(), QString());
    QCOMPARE(m.sb1->text(2),
             QStringLiteral("Details: disconnected from ") + rig.at() + QLatin1Char(' '));
    QCOMPARE(m.sb1->text(1), QStringLiteral("Connection terminated! "));
    QCOMPARE(m.sb1->iconName(1), QStringLiteral("notconnected"));
    QCOMPARE(Icons::shownName(m.imgServerType), QStringLiteral("notconnected"));
    QCOMPARE(m.lblServerStatus->text(), QStringLiteral("Disconnected!"));
    QCOMPARE(m.windowTitle(), kTitle + QStringLiteral(" - Disconnected!"));
    QVERIFY(!m.UDPClient->isOpen());
    QCOMPARE(GameKind(), QStringLiteral("noco"));
    QVERIFY(!m.tmrConsoleStatus->isActive());
    QVERIFY(!m.tmrConsoleClear->isActive());
    QVERIFY(m.cmdOptionsPB->isEnabled());
    QVERIFY(m.mnuOptionsPunkbuster->isEnabled());
    QVERIFY(m.mnuTrayPunkbuster->isEnabled());
    QVERIFY(m.mnuOptionsWarCenter->isEnabled());
    QVERIFY(m.cmdOptionsSettings->isHidden());
    QVERIFY(m.lblGame->isHidden());
    QVERIFY(m.imgGame->isHidden());
    QVERIFY(!m.mapRestartConnected());
    QCOMPARE(Icons::shownName(m.mnuOptionsCoD4->menuAction()), QStringLiteral("notconnected"));

    // Nothing goes out any more.
    const int sent = rig.server.received().size();
    QTest::mouseClick(m.cmdStatus, Qt::LeftButton);
    QCOMPARE(rig.rec.last().title, QStringLiteral("Not connected"));
    QCOMPARE(rig.server.received().size(), sent);
    QTest::mouseClick(m.cmdDisconnect, Qt::LeftButton); // twice is harmless
    QCOMPARE(GameKind(), QStringLiteral("noco"));
}

void tst_Connection::disconnectDuringSequence()
{
    Rig rig(FakeGame::CoD2);
    QVERIFY(rig.started);
    bool disconnected = false, stillRunning = false;
    afterStep(rig, 3, [&] {
        rig.main.cmdDisconnect->click();
        disconnected = true;
        stillRunning = rig.running();
    });
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(disconnected, 5000);
    QVERIFY(stillRunning); // the steps go on to their end
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    // "gamename" and "sv_punkbuster" met the closed socket; the finish sends nothing.
    QCOMPARE(rig.rec.boxes.size(), 2);
    QCOMPARE(rig.rec.boxes[0].title, QStringLiteral("Not connected"));
    QCOMPARE(rig.commands(), QByteArrayList{"g_password"});
    QCOMPARE(GameKind(), QStringLiteral("noco"));
    QVERIFY(!rig.main.UDPClient->isOpen());
    QCOMPARE(rig.main.windowTitle(), kNotConnectedTitle);
    QCOMPARE(rig.main.sb1->text(1), QStringLiteral("Connected with: ") + rig.at());
    QVERIFY(rig.main.pbConnectProcess->isHidden());
}

void tst_Connection::badInput_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("port"); // empty: the server's
    QTest::addColumn<bool>("connectFirst");
    QTest::addColumn<QString>("answer"); // "garbage", "twice"
    QTest::addColumn<QString>("panel2"); // empty: a failed login expected; %1 = address

    QTest::newRow("port is no number") << QStringLiteral("127.0.0.1") << QStringLiteral("28960x")
                                       << false << QString() << QString();
    QTest::newRow("port is no number: the old port stays")
        << QStringLiteral("127.0.0.1") << QStringLiteral("abc") << true << QString()
        << QStringLiteral("Details: public ");
    QTest::newRow("port out of range") << QStringLiteral("127.0.0.1") << QStringLiteral("70000")
                                       << false << QString() << QString();
    QTest::newRow("host name that does not resolve")
        << QStringLiteral("no-such-host.invalid") << QString() << false << QString() << QString();
    QTest::newRow("garbage answer")
        << QStringLiteral("127.0.0.1") << QString() << false << QStringLiteral("garbage")
        << QStringLiteral("Details: private - pass: \r\n\x01junk\xFF ");
    QTest::newRow("answered twice")
        << QStringLiteral("127.0.0.1") << QString() << false << QStringLiteral("twice")
        << QStringLiteral("Details: private - pass: clan ");
}

void tst_Connection::badInput()
{
    QFETCH(QString, host);
    QFETCH(QString, port);
    QFETCH(bool, connectFirst);
    QFETCH(QString, answer);
    QFETCH(QString, panel2);

    Rig rig(FakeGame::CoD2);
    QVERIFY(rig.started);
    if (connectFirst) {
        rig.clickConnect();
        QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
        rig.server.clearReceived();
    }
    if (answer == QLatin1String("twice"))
        rig.server.setCvar("g_password", "clan");
    connect(&rig.server, &FakeGameServer::datagramReceived, this, [&](const ReceivedDatagram &d) {
        if (d.command != "g_password")
            return;
        if (answer == QLatin1String("garbage")) {
            rig.server.setSilent(true);
            rig.server.sendRaw("\x01junk\xFF");
        } else if (answer == QLatin1String("twice")) {
            rig.server.sendRaw(QByteArray("\xFF\xFF\xFF\xFFprint\n\"g_password\" is: "
                                          "\"clan^7\" default: \"^7\"\n"));
        }
    });
    rig.main.txtServerIP->setText(host);
    if (!port.isEmpty())
        rig.main.txtServerPORT->setText(port);
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);
    rig.server.setSilent(false);

    if (panel2.isEmpty()) {
        QCOMPARE(rig.rec.boxes.size(), 1);
        QCOMPARE(rig.rec.last().title, QStringLiteral("Connection error"));
        QCOMPARE(rig.rec.last().text,
                 QStringLiteral("Can't connect to the server.\r\n") + host + QLatin1Char(':')
                     + rig.main.txtServerPORT->text()
                     + QStringLiteral(" might be down or you have entered a wrong IP addres."));
        QCOMPARE(rig.main.sb1->text(2),
                 QStringLiteral("Details: can't connect to the selected server! "));
        QVERIFY(rig.commands().isEmpty());
        verifyNotConnectedLayout(rig.main);
        return;
    }
    QCOMPARE(rig.rec.boxes.size(), 0);
    QCOMPARE(rig.main.sb1->text(2), panel2);
    QVERIFY(rig.main.UDPClient->isOpen());

    // Replies that come after the end only add to the console.
    const QString kind = GameKind();
    rig.server.sendRaw(QByteArray("\xFF\xFF\xFF\xFFprint\n\"gamename\" is:\"Call of Duty^7\"\n"));
    QTRY_VERIFY_WITH_TIMEOUT(rig.main.txtConsole->text().endsWith(
                                 QLatin1String("\"gamename\" is:\"Call of Duty^7\"\r\n")),
                             2000);
    QCOMPARE(GameKind(), kind);
    QCOMPARE(rig.main.sb1->text(2), panel2);
}

// Commands typed while the steps run are sent and logged; their replies land in the same buffer
// as the steps' and here leave the outcome as it was.
void tst_Connection::typingDuringSequence()
{
    Rig rig(FakeGame::CoD4);
    QVERIFY(rig.started);
    afterStep(rig, 1, [&] { typeLine(rig.main, QStringLiteral("status")); });
    afterStep(rig, 4, [&] { typeLine(rig.main, QStringLiteral("serverinfo")); });
    rig.clickConnect();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.running(), 5000);

    QCOMPARE(rig.rec.boxes.size(), 0);
    QCOMPARE(GameKind(), QStringLiteral("cod4"));
    QCOMPARE(rig.main.sb1->text(2), QStringLiteral("Details: public "));
    QCOMPARE(rig.commands(), QByteArrayList({"g_password", "status", "gamename", "serverinfo",
                                             "sv_punkbuster", "status"}));
    QCOMPARE(rig.env.readFile(QStringLiteral("Logs/Console/Commands.log")),
             QByteArray("status\r\nserverinfo\r\n"));
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
