#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"
#include "settings/GametypeDialog.h"
#include "settings/GametypeTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

#include <memory>

namespace {

// A session logged in to a fake server of one game, every box answered, and one window of that
// game: its gametype dialog, or its settings dialog with the weapon tabs.
struct Rig
{
    Rig(const QString &window, const QString &kind, double clockSpeed = 20.0)
        : env(clockSpeed)
        , server(fakeGameFromName(kind))
    {
        server.setPassword("pw");
        session.setPassword(QStringLiteral("pw"));
        session.setAdminName(QStringLiteral("Admin"));
        session.setGameKind(kind);
        if (server.start(0)) {
            session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
            session.link()->setRemotePort(server.port());
            session.link()->open();
        }
        if (window == QLatin1String("gametype"))
            dialog = std::make_unique<GametypeDialog>(*gametypeTable(kind), &session);
        else if (window == QLatin1String("settings"))
            dialog = std::make_unique<SettingsDialog>(*settingsTable(kind), &session);
        if (dialog)
            dialog->show();
    }

    template<typename T = QPushButton> T *control(const QString &name) const
    {
        if (T *c = dialog->findChild<T *>(name))
            return c;
        qFatal("no control %s", qPrintable(name));
    }

    // Runs a weapon set to its end; the number of ticks it took.
    int runSet(const QString &name)
    {
        auto *timer = control<QTimer>(QStringLiteral("tmr") + name);
        QSignalSpy ticks(timer, &QTimer::timeout);
        QTest::mouseClick(control(QStringLiteral("cmd") + name), Qt::LeftButton);
        const bool started = timer->isActive();
        const bool ended = QTest::qWaitFor([timer] { return !timer->isActive(); }, 10000);
        return started && ended ? int(ticks.count()) : -1;
    }

    TestProgramDir env;
    DialogRecorder recorder;
    FakeGameServer server;
    RconSession session;
    std::unique_ptr<QWidget> dialog;
};

QByteArray say(const char *text)
{
    return QByteArray("Say ^7Vantor " VANTOR_VERSION " ^4||^7 ") + text + " by ^4Admin";
}

QByteArrayList allowed(const QByteArrayList &weapons, const char *value)
{
    QByteArrayList commands;
    for (const QByteArray &w : weapons)
        commands << "scr_allow_" + w + ' ' + value;
    return commands;
}

} // namespace

class tst_Gametypes : public QObject
{
    Q_OBJECT
private slots:
    void sends_data();
    void sends();
    void weaponSets_data();
    void weaponSets();
    void setsSharingABarRunOneAtATime();
    void setsFollowTheLink_data();
    void setsFollowTheLink();
    void openedFromMainWindow();
    void setCadencesAtRealSpeed();
};

void tst_Gametypes::sends_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("control"); // set before the click: a text, or a box ticked by "1"
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArrayList>("sent");
    const auto row = [](const char *tag, const char *window, const char *kind, const char *control,
                        const char *value, const char *button, const QByteArrayList &sent) {
        QTest::newRow(tag) << window << kind << control << value << button << sent;
    };
    row("CoD4 Team Deathmatch is war, no restart", "gametype", "cod4", "", "", "cmdTeamDeathmatch",
        {say("Gametype changed to Team Deathmatch"), "g_gametype war"});
    row("CoD BEL announced as always spelt", "gametype", "cod", "", "", "cmdBehindEnemyLines",
        {say("Gametype changed to Behind Enemey Lines"), "g_gametype bel"});
    row("CoD2 TeamDeathmatch in one word", "gametype", "cod2", "", "", "cmdTeamDeathmatch",
        {say("Gametype changed to TeamDeathmatch"), "g_gametype tdm"});
    row("UO DOM clear score ticked", "gametype", "coduo", "ckDOMClearScore", "1",
        "cmdSetDOMClearScore", {"scr_dom_clearscoreeachround 1"});
    row("UO CTF clear score unticked", "gametype", "coduo", "", "", "cmdSetCTFClearScore",
        {"scr_ctf_clearscoreeachround 0"});
    row("KOTH spawn delay keeps its capital", "gametype", "cod4", "", "", "cmdSetKOTHSpawnDelay",
        {"koth_spawnDelay 60"});
    row("emptied field sends the prefix alone", "gametype", "cod", "txtDMScoreLimit", "",
        "cmdSetDMScoreLimit", {"scr_dm_scorelimit "});
    row("CoD4 lives as typed", "gametype", "cod4", "txtTDMLives", " 3 x", "cmdSetTDMLives",
        {"scr_war_numlives  3 x"});
    row("CoD4 SD time limit keeps its point", "gametype", "cod4", "", "", "cmdSetSDTimeLimit",
        {"scr_sd_timelimit 2.5"});
    row("BEL alive point time", "gametype", "coduo", "", "", "cmdSetBELAlivePointTime",
        {"scr_bel_alivepointtime 10"});
    row("UO machine gun with capitals", "settings", "coduo", "", "", "cmdEnable_MG30cal",
        {"scr_allow_MG30cal 1"});
    row("UO vehicle", "settings", "coduo", "", "", "cmdDisable_t34", {"scr_allow_t34 0"});
    row("CoD FG42", "settings", "cod", "", "", "cmdEnable_fg42", {"scr_allow_fg42 1"});
    row("CoD4 weapon", "settings", "cod4", "", "", "cmdDisable_ak47", {"weap_allow_ak47 0"});
}

// One click, exactly these datagrams, and no button turns bold.
void tst_Gametypes::sends()
{
    QFETCH(QString, window);
    QFETCH(QString, kind);
    QFETCH(QString, control);
    QFETCH(QString, value);
    QFETCH(QString, button);
    QFETCH(QByteArrayList, sent);
    Rig rig(window, kind);
    QVERIFY(rig.server.isListening());
    if (control.startsWith(QLatin1String("ck")))
        rig.control<QCheckBox>(control)->setChecked(value == QLatin1String("1"));
    else if (!control.isEmpty())
        rig.control<QLineEdit>(control)->setText(value);
    QPushButton *clicked = rig.control(button);
    QTest::mouseClick(clicked, Qt::LeftButton);
    rig.session.SendCommand(QStringLiteral("marker"));
    QTRY_COMPARE(rig.server.commands(), sent + QByteArrayList{"marker"});
    QVERIFY(!clicked->font().bold());
    QVERIFY(rig.recorder.boxes.isEmpty());
}

void tst_Gametypes::weaponSets_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QString>("bar");
    QTest::addColumn<int>("interval");
    QTest::addColumn<QByteArrayList>("sent");
    const auto row = [](const char *tag, const char *kind, const char *set, const char *bar,
                        int interval, const QByteArrayList &sent) {
        QTest::newRow(tag) << kind << set << bar << interval << sent;
    };
    const auto on = [](const QByteArrayList &weapons) { return allowed(weapons, "1"); };
    const auto off = [](const QByteArrayList &weapons) { return allowed(weapons, "0"); };
    row("Sniper only on CoD", "cod", "SniperOnly", "pbWeaponType", 1000,
        on({"springfield", "kar98ksniper"}) + off({"kar98k", "mp40", "mp44"}) + on({"nagantsniper"})
            + off({"ppsh", "nagant", "bren", "enfield", "sten", "bar", "m1carbine", "m1garand",
                   "thompson"}));
    row("Disable ALL Russia on CoD2", "cod2", "RusDisableAll", "pbRus", 1000,
        off({"nagant", "svt40", "nagantsniper", "pps42", "ppsh"}));
    row("Rifles On on UO", "coduo", "RiflesON", "pbRifles", 1000,
        on({"m1carbine", "m1garand", "kar98k", "enfield", "nagant"}));
    row("Sniper only on CoD2", "cod2", "SniperOnly", "pbWeaponType", 800,
        on({"springfield", "kar98ksniper"}) + off({"kar98k", "mp40", "mp44"}) + on({"nagantsniper"})
            + off({"ppsh", "nagant", "bren", "enfield", "sten", "bar", "m1carbine", "m1garand",
                   "thompson", "greasegun", "g43", "svt40", "pps42"})
            + on({"enfieldsniper"}) + off({"shotgun"}));
}

// A set sends its commands in order, one per tick, and its bar returns to 0.
void tst_Gametypes::weaponSets()
{
    QFETCH(QString, kind);
    QFETCH(QString, set);
    QFETCH(QString, bar);
    QFETCH(int, interval);
    QFETCH(QByteArrayList, sent);
    Rig rig(QStringLiteral("settings"), kind);
    QCOMPARE(Clock::interval(rig.control<QTimer>(QStringLiteral("tmr") + set)), interval);
    auto *progress = rig.control<QProgressBar>(bar);
    int highest = 0;
    connect(progress, &QProgressBar::valueChanged, this,
            [&](int v) { highest = qMax(highest, v); });
    QCOMPARE(rig.runSet(set), int(sent.size()));
    QTRY_COMPARE(rig.server.commands(), sent);
    QCOMPARE(highest, int(sent.size()));
    QCOMPARE(progress->value(), 0);
    QVERIFY(rig.recorder.boxes.isEmpty());
}

// "No weapons" waits until "All weapons" is through, which is not restarted by a second click;
// a nation set on its own bar runs beside it.
void tst_Gametypes::setsSharingABarRunOneAtATime()
{
    Rig rig(QStringLiteral("settings"), QStringLiteral("cod"));
    QPushButton *all = rig.control(QStringLiteral("cmdAllWeapons"));
    QPushButton *none = rig.control(QStringLiteral("cmdNoWeapons"));
    QSignalSpy allTicks(rig.control<QTimer>(QStringLiteral("tmrAllWeapons")), &QTimer::timeout);
    QSignalSpy noneTicks(rig.control<QTimer>(QStringLiteral("tmrNoWeapons")), &QTimer::timeout);
    QTest::mouseClick(all, Qt::LeftButton);
    QTRY_COMPARE(allTicks.count(), 3);
    QVERIFY(!none->isEnabled() && !all->isEnabled());
    none->click();
    all->click();
    QCOMPARE(rig.runSet(QStringLiteral("USEnableAll")), 5);
    QTRY_VERIFY(none->isEnabled() && all->isEnabled());
    QCOMPARE(allTicks.count(), 15);
    QCOMPARE(noneTicks.count(), 0);
    QTRY_COMPARE(rig.server.commands().size(), 20);
}

void tst_Gametypes::setsFollowTheLink_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("boxes");        // -1: the buttons follow the link instead
    QTest::addColumn<QString>("stopPref"); // [Settings] StopWeaponSetsWhenNotConnected
    QTest::newRow("CoD watches the link") << "cod" << -1 << "";
    QTest::newRow("UO: a box from every tick") << "coduo" << 15 << "";
    QTest::newRow("UO stopped at the first box") << "coduo" << 1 << "1";
}

// Without a link the set buttons go grey where the dialog watches; where it does not, the set
// runs through and every send tells there is no connection, unless the set is to stop at once.
void tst_Gametypes::setsFollowTheLink()
{
    QFETCH(QString, kind);
    QFETCH(int, boxes);
    QFETCH(QString, stopPref);
    Rig rig(QStringLiteral("settings"), kind);
    WritePref(QStringLiteral("Settings"), QStringLiteral("StopWeaponSetsWhenNotConnected"),
              stopPref);
    QPushButton *sniper = rig.control(QStringLiteral("cmdSniperOnly"));
    rig.session.link()->close();
    if (boxes < 0) {
        QTRY_VERIFY(!sniper->isEnabled());
        rig.session.link()->open();
        QTRY_VERIFY(sniper->isEnabled());
        return;
    }
    QCOMPARE(rig.runSet(QStringLiteral("SniperOnly")), boxes);
    QCOMPARE(rig.recorder.boxes.size(), boxes);
    QVERIFY(rig.server.received().isEmpty());
    QCOMPARE(rig.control<QProgressBar>(QStringLiteral("pbWeaponType"))->value(), 0);
    QVERIFY(sniper->isEnabled());
}

void tst_Gametypes::openedFromMainWindow()
{
    Rig rig(QString(), QStringLiteral("cod2"));
    WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Deutsch"));
    rig.env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                      "[General]\r\nGametype=Spielmodus\r\n"
                      "[frmDialogCoD2Gametype]\r\ncmdSetTDMScoreLimit=Setzen\r\n");
    frmMain main(&rig.session);
    rig.session.setGameKind(QStringLiteral("cod2")); // the main window starts not connected
    main.cmdOptionsGametype->click();
    auto *cod2 = main.findChild<QWidget *>(QStringLiteral("frmDialogCoD2Gametype"));
    QVERIFY(cod2 && cod2->isVisible());
    QCOMPARE(cod2->windowTitle(), QStringLiteral("Call of Duty 2 - Spielmodus"));
    QCOMPARE(cod2->findChild<QPushButton *>(QStringLiteral("cmdSetTDMScoreLimit"))->text(),
             QStringLiteral("Setzen"));

    // Hidden by OK, not gone: the same window comes back with what its fields held.
    cod2->findChild<QLineEdit *>(QStringLiteral("txtSDBombTimer"))->setText(QStringLiteral("90"));
    cod2->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    QVERIFY(!cod2->isVisible());
    main.mnuOptionsGameGametype[2]->trigger();
    QVERIFY(main.findChild<QWidget *>(QStringLiteral("frmDialogCoD2Gametype")) == cod2);
    QCOMPARE(cod2->findChild<QLineEdit *>(QStringLiteral("txtSDBombTimer"))->text(),
             QStringLiteral("90"));

    main.mnuOptionsGameGametype[3]->trigger();
    auto *cod4 = main.findChild<QWidget *>(QStringLiteral("frmDialogcoD4Gametype"));
    QVERIFY(cod4 && cod4->isVisible());
    QCOMPARE(cod4->windowTitle(), QStringLiteral("Call of Duty 4 - Spielmodus"));
}

// At real speed: a class set one command a second, a CoD2 type set one every 800 ms, side by side.
void tst_Gametypes::setCadencesAtRealSpeed()
{
    Rig rig(QStringLiteral("settings"), QStringLiteral("cod2"), 1.0);
    QTest::mouseClick(rig.control(QStringLiteral("cmdNoWeapons")), Qt::LeftButton);
    QTest::mouseClick(rig.control(QStringLiteral("cmdSniperRiflesON")), Qt::LeftButton);
    auto *classTimer = rig.control<QTimer>(QStringLiteral("tmrSniperRiflesON"));
    QTRY_VERIFY_WITH_TIMEOUT(!classTimer->isActive(), 6000);
    QHash<bool, QList<qint64>> arrivals; // by the value sent: 1 the class set, 0 the type set
    QTRY_VERIFY([&] {
        arrivals.clear();
        const QList<ReceivedDatagram> got = rig.server.received();
        for (const ReceivedDatagram &d : got)
            arrivals[d.command.endsWith(" 1")] << d.elapsedMs;
        return arrivals[true].size() == 4;
    }());
    // Each gap near its interval; their mean close to it, whatever one late tick took.
    const auto cadence = [](const QList<qint64> &times, qint64 interval) {
        for (int i = 1; i < times.size(); ++i) {
            const qint64 gap = times[i] - times[i - 1];
            if (qAbs(gap - interval) > 150)
                return false;
        }
        const double mean = double(times.last() - times.first()) / double(times.size() - 1);
        qInfo("%lld ms asked, %.1f ms kept", interval, mean);
        return times.size() > 2 && qAbs(mean - double(interval)) < interval * 0.03;
    };
    QVERIFY(cadence(arrivals[true], 1000));
    QVERIFY(cadence(arrivals[false], 800));
}

QTEST_MAIN(tst_Gametypes)
#include "tst_gametypes.moc"
