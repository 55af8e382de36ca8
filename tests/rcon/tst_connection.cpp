// The connection sequence as the administrator sees it: the main window on one session, beside a
// fake game server, on the fast clock unless a test proves the absolute cadence.

#include "ServerRig.h"

#include "mainwindow/Icons.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/UdpLink.h"

#include <QtTest>
#include <QtWidgets>

#include <functional>

namespace {
const QString kNotConnectedTitle = u"Vantor 9.0.1 - Not Connected to a server!"_s;
const QByteArrayList kGoodSequence = {"g_password", "gamename", "sv_punkbuster", "status"};

// The main window beside a fake server, its connection boxes filled for it.
struct Rig : ServerRig
{
    explicit Rig(FakeGame game = FakeGame::CoD2, double speed = 20.0)
        : ServerRig(game, speed, Link::Closed)
    {
        fillConnectionFields(main);
    }
    void clickConnect() { QTest::mouseClick(main.cmdConnect, Qt::LeftButton); }
    bool running() const { return main.tmrConnectProcess->isActive(); }
    bool waitForEnd(int ms = 5000)
    {
        return QTest::qWaitFor([this] { return !running(); }, ms);
    }
    bool connectAndWait() { return clickConnect(), waitForEnd(); }
    QString at() const { return u"127.0.0.1:"_s + QString::number(server.port()); }

    frmMain main{&session};
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

QList<QMenu *> gameMenus(const frmMain &m)
{
    return {m.mnuOptionsCoD, m.mnuOptionsCoDUO, m.mnuOptionsCoD2, m.mnuOptionsCoD4};
}

// What only a known game shows: its settings, maps and gametype buttons, its name and picture.
QList<QWidget *> gameControls(const frmMain &m)
{
    return {m.cmdOptionsSettings, m.cmdOptionsMaps, m.cmdOptionsGametype, m.lblGame, m.imgGame};
}

// The window's state after a login that failed or a disconnect.
void verifyNotConnectedLayout(const Rig &rig, const QString &title = kNotConnectedTitle)
{
    QVERIFY(!rig.session.link()->isOpen());
    QCOMPARE(rig.session.gameKind(), u"noco"_s);
    QCOMPARE(rig.main.tag(), u"noco"_s);
    QCOMPARE(rig.main.windowTitle(), title);
    for (const QWidget *w : gameControls(rig.main))
        QVERIFY2(w->isHidden(), qPrintable(w->objectName()));
    QVERIFY(!rig.main.mapRestartConnected());
    QVERIFY(rig.main.mnuOptionsWarCenter->isEnabled());
}
} // namespace

class tst_Connection : public QObject
{
    Q_OBJECT

private slots:
    void forgottenFields()
    {
        Rig rig;
        rig.main.txtServerPORT->clear();
        rig.main.txtServername->clear();
        rig.session.console()->setText(u"kept"_s);
        rig.clickConnect();
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QCOMPARE(rig.boxes.last().text, QStringLiteral("You forgot to fill in this field(s):\r\n "
                                                       "-Server Port\r\n -Name"));
        QVERIFY(!rig.running());
        QVERIFY(!rig.session.link()->isOpen());
        QCOMPARE(rig.session.console()->text(), u"kept"_s);
    }

    void loginOutcomes_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QString>("server");   // what the server does, or its join password
        QTest::addColumn<QString>("panel2");   // %1 = the server's address and port
        QTest::addColumn<QString>("boxTitle"); // empty: a good login, no box
        const auto row = [](const char *name, FakeGame game, const char *server, const char *panel2,
                            const char *title = "") {
            QTest::newRow(name) << int(game) << QString::fromLatin1(server)
                                << QString::fromLatin1(panel2) << QString::fromLatin1(title);
        };
        const char *wrong = "Details: wrong rconpassword for: %1 ";
        const char *noRcon = "Details: %1 has no rconpassword set ";
        row("no answer", FakeGame::CoD2, "silent",
            "Details: can't connect to the selected server! ", "Connection error");
        row("Bad rconpassword.", FakeGame::CoD, "wrong", wrong, "Bad rconpassword");
        row("Invalid password.", FakeGame::CoD4, "wrong", wrong, "Bad rconpassword");
        row("No rconpassword set on the server.", FakeGame::CoDUO, "norcon", noRcon,
            "No rconpassword");
        row("The server must set 'rcon_password'", FakeGame::CoD4, "norcon", noRcon,
            "No rconpassword");
        row("public", FakeGame::CoD2, "", "Details: public ");
        row("public: only colour codes", FakeGame::CoD, "^1^3", "Details: public ");
        row("private", FakeGame::CoD4, "join me", "Details: private - pass: join me ");
        // Any other text is a login too; without quotes the whole text is the join password.
        row("garbage answer", FakeGame::CoD2, "garbage",
            "Details: private - pass: \r\n\x01junk\xFF ");
        row("answered twice", FakeGame::CoD2, "twice", "Details: private - pass: clan ");
    }

    void loginOutcomes()
    {
        QFETCH(int, game);
        QFETCH(QString, server);
        QFETCH(QString, panel2);
        QFETCH(QString, boxTitle);

        Rig rig{FakeGame(game)};
        const QByteArray extra = server == "garbage"_L1 ? "\x01junk\xFF"
                                 : server == "twice"_L1
                                     ? "\xFF\xFF\xFF\xFFprint\n\"g_password\" is: \"clan^7\"\n"
                                     : "";
        rig.server.setSilent(server == "silent"_L1 || server == "garbage"_L1);
        rig.server.setNoRconPassword(server == "norcon"_L1);
        rig.server.setCvar("g_password", server == "twice"_L1 ? "clan" : server.toLatin1());
        if (server == "wrong"_L1)
            rig.main.txtServerRCON->setText(u"guess"_s);
        connect(&rig.server, &FakeGameServer::datagramReceived, this,
                [&](const ReceivedDatagram &d) {
                    if (d.command == "g_password" && !extra.isEmpty())
                        rig.server.sendRaw(extra);
                });
        QList<int> progress; // after the step of each tick
        connect(rig.main.tmrConnectProcess, &QTimer::timeout, this,
                [&] { progress << rig.main.pbConnectProcess->value(); });
        // The console timers stop while the steps run and start again at the end, whatever it is.
        rig.env.writeFile(u"Preferences.ini"_s, "[Console]\r\nConsoleStatus=1\r\n"
                                                "ConsoleStatusTime=100\r\n");
        rig.main.tmrConsoleStatus->start();
        rig.clickConnect();
        QVERIFY(!rig.main.tmrConsoleStatus->isActive());
        QVERIFY(rig.main.ckColorNames->isChecked()); // values are read without colour codes
        QVERIFY(rig.waitForEnd());

        StatusPanels *sb = rig.main.sb1;
        QCOMPARE(sb->text(2), QString(panel2).replace("%1"_L1, rig.at()));
        QVERIFY(!rig.main.ckColorNames->isChecked());
        QVERIFY(rig.main.tmrConsoleStatus->isActive());
        // Periods past the old 65 s limit are kept as set.
        QCOMPARE(Clock::interval(rig.main.tmrConsoleStatus), 100000);
        if (!boxTitle.isEmpty()) {
            QCOMPARE(rig.boxes.boxes.size(), 1);
            QCOMPARE(rig.boxes.last().title, boxTitle);
            QCOMPARE(Icons::shownName(rig.main.imgServerType), u"error"_s);
            verifyNotConnectedLayout(rig);
            // A failed login skips to the finish in its second tick and sends nothing more.
            QCOMPARE(progress, QList<int>({1, 0}));
            QCOMPARE(rig.server.commands(), QByteArrayList{"g_password"});
            return;
        }
        QCOMPARE(rig.boxes.boxes.size(), 0);
        QCOMPARE(sb->text(1), u"Connected with: "_s + rig.at());
        QCOMPARE(Icons::shownName(rig.main.imgServerType), u"connected"_s);
        QVERIFY(rig.session.link()->isOpen());
        QCOMPARE(progress, QList<int>({1, 2, 3, 4, 5, 6, 7, 0}));
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands(), kGoodSequence, 2000);
        const QString join = panel2.section("pass: "_L1, 1).chopped(1);
        QCOMPARE(rig.session.joinPassword(), join);
        QCOMPARE(sb->tag(2), join);
    }

    // Fields the sequence cannot use: nobody answers, and the box names the server as typed.
    void unusableFields_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<QString>("port"); // empty: the server's
        const char *const rows[][3] = {{"port is no number", "127.0.0.1", "28960x"},
                                       {"host that does not resolve", "no-such-host.invalid", ""}};
        for (const auto &r : rows)
            QTest::newRow(r[0]) << QString::fromLatin1(r[1]) << QString::fromLatin1(r[2]);
    }

    void unusableFields()
    {
        QFETCH(QString, host);
        QFETCH(QString, port);
        Rig rig;
        rig.main.txtServerIP->setText(host);
        if (!port.isEmpty())
            rig.main.txtServerPORT->setText(port);
        QVERIFY(rig.connectAndWait());
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QVERIFY2(rig.boxes.last().text.contains(host + QLatin1Char(':') + rig.session.port() + ' '),
                 qPrintable(rig.boxes.last().text));
        QVERIFY(rig.server.commands().isEmpty());
        verifyNotConnectedLayout(rig);
    }

    void gameDetection_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<QByteArray>("gamename"); // empty: the game's own
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("extraButtons"); // systeminfo and fast_restart
        QTest::addColumn<QString>("menus");
        QTest::addColumn<bool>("warCenter");
        const auto row = [](const char *name, FakeGame game, const QByteArray &gamename,
                            const char *kind, bool extra, const char *menus, bool warCenter) {
            QTest::newRow(name) << int(game) << gamename << QString::fromLatin1(kind) << extra
                                << QString::fromLatin1(menus) << warCenter;
        };
        row("cod", FakeGame::CoD, {}, "cod", false, "1000", true);
        row("coduo", FakeGame::CoDUO, {}, "coduo", false, "0100", true);
        row("cod2", FakeGame::CoD2, {}, "cod2", true, "0010", true);
        row("cod4", FakeGame::CoD4, {}, "cod4", true, "0001", false);
        row("unrecognised", FakeGame::CoD2, "Quake III Arena", "noco", true, "1111", true);
        // After a CoD4 login the game stays; only a failed login or a disconnect forgets it.
        row("unrecognised after CoD4", FakeGame::CoD4, "baseoa", "cod4", true, "1111", false);
    }

    void gameDetection()
    {
        QFETCH(int, game);
        QFETCH(QByteArray, gamename);
        QFETCH(QString, kind);
        QFETCH(bool, extraButtons);

        Rig rig{FakeGame(game)};
        frmMain &m = rig.main;
        const bool known = gamename.isEmpty();
        if (!known && kind == "cod4"_L1)
            QVERIFY(rig.connectAndWait());
        // The opposite beforehand, so that each change below is the sequence's doing.
        m.cmdSystemInfo->setHidden(extraButtons);
        m.cmdFastRestartMap->setHidden(extraButtons);
        for (QMenu *menu : gameMenus(m))
            menu->menuAction()->setEnabled(false);
        if (!known)
            rig.server.setGamename(gamename);
        QVERIFY(rig.connectAndWait());

        QVERIFY(rig.session.link()->isOpen());
        QCOMPARE(rig.session.gameKind(), kind);
        QCOMPARE(!m.cmdSystemInfo->isHidden(), extraButtons);
        QCOMPARE(!m.cmdFastRestartMap->isHidden(), extraButtons);
        QTEST(m.mnuOptionsWarCenter->isEnabled(), "warCenter");
        for (const QWidget *w : gameControls(m))
            QCOMPARE(!w->isHidden(), known);
        QCOMPARE(m.mapRestartConnected(), known);
        QString enabled;
        for (const QMenu *menu : gameMenus(m))
            enabled += menu->menuAction()->isEnabled() ? QLatin1Char('1') : QLatin1Char('0');
        QTEST(enabled, "menus");
        if (known)
            QCOMPARE(Icons::shownName(m.imgGame), kind);
    }

    void punkBuster_data()
    {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("not a number") << QByteArray("yes") << false; // left as it was
    }

    void punkBuster()
    {
        QFETCH(QByteArray, value);
        QFETCH(bool, enabled);
        Rig rig(FakeGame::CoD4);
        rig.server.setCvar("sv_punkbuster", value);
        rig.session.setPunkBusterEnabled(false);
        rig.clickConnect();
        QVERIFY(rig.session.punkBusterEnabled()); // connect offers the PunkBuster windows again
        // Taken away while the steps run, so that a value that is no number visibly leaves them.
        afterStep(rig, 3, [&] { rig.session.setPunkBusterEnabled(false); });
        QVERIFY(rig.waitForEnd());
        QCOMPARE(rig.session.punkBusterEnabled(), enabled);
        const frmMain &m = rig.main;
        QVERIFY(m.mnuTrayPunkbuster); // the tray menu's own entry
        for (const QObject *o : QList<const QObject *>{m.cmdOptionsPB, m.mnuOptionsPunkbuster,
                                                       m.mnuTrayPunkbuster.data()})
            QCOMPARE(o->property("enabled").toBool(), enabled);
    }

    // The one check of the absolute cadence: eight ticks 800 ms apart.
    void stepsAtRealSpeed()
    {
        Rig rig(FakeGame::CoD2, 1.0);
        QElapsedTimer clock;
        QList<qint64> at;
        connect(&rig.server, &FakeGameServer::datagramReceived, this,
                [&](const ReceivedDatagram &) { at << clock.elapsed(); });
        clock.start();
        rig.clickConnect();
        QVERIFY(rig.waitForEnd(9000));
        QTRY_COMPARE_WITH_TIMEOUT(at.size(), 4, 1000);

        QCOMPARE(rig.server.received().first().bytes, ServerRig::datagram("g_password"));
        QCOMPARE(rig.server.commands(), kGoodSequence);
        const qint64 expected[] = {800, 3200, 4800, 6400}; // ticks 1, 4, 6 and 8
        for (int i = 0; i < 4; ++i) {
            QVERIFY2(qAbs(at[i] - expected[i]) < 250,
                     qPrintable(u"datagram %1 at %2 ms"_s.arg(i).arg(at[i])));
        }
        // The console starts afresh with the status reply.
        QTRY_VERIFY(rig.session.console()->text().contains("map: "_L1));
        QVERIFY(!rig.session.console()->text().contains("gamename"_L1));
    }

    // Every way to connect runs the same steps; a port that is no number keeps the old one.
    void connectPaths()
    {
        Rig rig;
        QVERIFY(rig.connectAndWait());
        rig.main.txtServerPORT->setText(u"abc"_s);
        rig.main.mnuFileConnect->trigger();
        QVERIFY(rig.running());
        QVERIFY(rig.waitForEnd());
        QTest::keyClicks(rig.main.cbCommand->lineEdit(), u"/connect"_s);
        QTest::keyClick(rig.main.cbCommand->lineEdit(), Qt::Key_Return);
        QVERIFY(rig.running());
        QVERIFY(rig.waitForEnd());
        QCOMPARE(rig.boxes.boxes.size(), 0);
        QTRY_COMPARE(rig.server.commands(), kGoodSequence + kGoodSequence + kGoodSequence);
    }

    void disconnect()
    {
        Rig rig(FakeGame::CoD4);
        frmMain &m = rig.main;
        rig.server.setCvar("sv_punkbuster", "0");
        rig.server.setCvar("g_password", "clanwar");
        QVERIFY(rig.connectAndWait());
        // The join password stays until another private server is joined.
        rig.server.setCvar("g_password", "");
        QVERIFY(rig.connectAndWait());
        QVERIFY(!m.cmdOptionsPB->isEnabled());
        QTRY_VERIFY_WITH_TIMEOUT(m.txtConsole->text().contains("map: "_L1), 2000);
        // A server away for the moment: its note must not come back over the disconnect.
        rig.server.stop();
        m.cmdStatus->click();
        QTRY_VERIFY(!rig.session.link()->isReachable());

        m.findChild<QAction *>(u"mnuFileDisconnect"_s)->trigger();
        QCOMPARE(rig.session.console()->text(), QString());
        QCOMPARE(m.sb1->text(1) + m.sb1->iconName(1), u"Connection terminated! notconnected"_s);
        QCOMPARE(m.sb1->text(2),
                 u"Details: disconnected from 127.0.0.1:"_s + rig.session.port() + ' ');
        QCOMPARE(Icons::shownName(m.imgServerType), u"notconnected"_s);
        verifyNotConnectedLayout(rig, u"Vantor 9.0.1 - Disconnected!"_s);
        QVERIFY(m.cmdOptionsPB->isEnabled() && m.mnuTrayPunkbuster
                && m.mnuTrayPunkbuster->isEnabled());
        QCOMPARE(Icons::shownName(m.mnuOptionsCoD4->menuAction()), u"notconnected"_s);
        QCOMPARE(rig.session.joinPassword(), u"clanwar"_s);
        QCOMPARE(m.sb1->tag(2), u"clanwar"_s);
    }

    void disconnectDuringSequence()
    {
        Rig rig(FakeGame::CoD2);
        bool stillRunning = false;
        afterStep(rig, 3, [&] {
            rig.main.cmdDisconnect->click();
            stillRunning = rig.running();
        });
        QVERIFY(rig.connectAndWait());
        QVERIFY(stillRunning); // the steps go on to their end
        // "gamename" and "sv_punkbuster" met the closed link; the finish sends nothing.
        QCOMPARE(rig.boxes.boxes.size(), 2);
        QCOMPARE(rig.boxes.boxes[0].icon, MsgIcon::Exclamation);
        QCOMPARE(rig.server.commands(), QByteArrayList{"g_password"});
        verifyNotConnectedLayout(rig);
        QCOMPARE(rig.main.sb1->text(1), u"Connected with: "_s + rig.at());
    }
};

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
