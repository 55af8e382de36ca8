#include "ServerRig.h"

#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "settings/GametypeDialog.h"
#include "settings/GametypeTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"

#include <QProgressBar>
#include <QtTest>

#include <memory>

namespace {

// One window of a game, its gametype dialog or its settings dialog with the weapon tabs, on a
// session logged in to a fake server of that game.
struct Rig : ServerRig
{
    Rig(const QString &form, const QString &kind, double clockSpeed = 20.0)
        : ServerRig(kind, clockSpeed)
    {
        if (form == "gametype"_L1)
            window = new GametypeDialog(*gametypeTable(kind), &session);
        else
            window = new SettingsDialog(*settingsTable(kind), &session);
        window->show();
    }

    // Runs a weapon set to its end; the number of ticks it took.
    int runSet(const QString &name)
    {
        auto *timer = control<QTimer>(u"tmr"_s + name);
        QSignalSpy ticks(timer, &QTimer::timeout);
        QTest::mouseClick(control(u"cmd"_s + name), Qt::LeftButton);
        const bool started = timer->isActive();
        const bool ended = QTest::qWaitFor([timer] { return !timer->isActive(); }, 10000);
        return started && ended ? int(ticks.count()) : -1;
    }
};

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
    void sends_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("setting"); // made before the click, as fill() takes it
        QTest::addColumn<QString>("button");
        QTest::addColumn<QByteArrayList>("sent");
        const auto row = [](const char *tag, const char *window, const char *kind,
                            const char *setting, const char *button, const QByteArrayList &sent) {
            QTest::newRow(tag) << window << kind << setting << button << sent;
        };
        row("CoD4 Team Deathmatch is war, no restart", "gametype", "cod4", "", "cmdTeamDeathmatch",
            {ServerRig::announced("Gametype changed to Team Deathmatch"), "g_gametype war"});
        row("UO DOM clear score ticked", "gametype", "coduo", "ckDOMClearScore",
            "cmdSetDOMClearScore", {"scr_dom_clearscoreeachround 1"});
        row("UO CTF clear score unticked", "gametype", "coduo", "", "cmdSetCTFClearScore",
            {"scr_ctf_clearscoreeachround 0"});
        row("emptied field sends the prefix alone", "gametype", "cod",
            "txtDMScoreLimit=", "cmdSetDMScoreLimit", {"scr_dm_scorelimit "});
        row("CoD4 lives as typed", "gametype", "cod4", "txtTDMLives= 3 x", "cmdSetTDMLives",
            {"scr_war_numlives  3 x"});
        row("UO machine gun with capitals", "settings", "coduo", "", "cmdEnable_MG30cal",
            {"scr_allow_MG30cal 1"});
        row("CoD4 weapon", "settings", "cod4", "", "cmdDisable_ak47", {"weap_allow_ak47 0"});
    }

    // One click, exactly these datagrams, and no button turns bold.
    void sends()
    {
        QFETCH(QString, window);
        QFETCH(QString, kind);
        QFETCH(QString, setting);
        QFETCH(QString, button);
        Rig rig(window, kind);
        if (!setting.isEmpty())
            fill(rig.window, {setting});
        QPushButton *clicked = rig.control(button);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QTEST(rig.commandsUpToNow(), "sent");
        QVERIFY(!clicked->font().bold());
        QVERIFY(rig.boxes.boxes.isEmpty());
    }

    void weaponSets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("bar");
        QTest::addColumn<QByteArrayList>("sent");
        QTest::newRow("Disable ALL Russia on CoD2")
            << "cod2"
            << "RusDisableAll"
            << "pbRus" << allowed({"nagant", "svt40", "nagantsniper", "pps42", "ppsh"}, "0");
        QTest::newRow("Rifles On on UO")
            << "coduo"
            << "RiflesON"
            << "pbRifles" << allowed({"m1carbine", "m1garand", "kar98k", "enfield", "nagant"}, "1");
    }

    // A set sends its commands in order, one per tick, and its bar returns to 0.
    void weaponSets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, set);
        QFETCH(QString, bar);
        QFETCH(QByteArrayList, sent);
        Rig rig(u"settings"_s, kind);
        auto *progress = rig.control<QProgressBar>(bar);
        int highest = 0;
        connect(progress, &QProgressBar::valueChanged, this,
                [&](int v) { highest = qMax(highest, v); });
        QCOMPARE(rig.runSet(set), int(sent.size()));
        QTRY_COMPARE(rig.server.commands(), sent);
        QCOMPARE(highest, int(sent.size()));
        QCOMPARE(progress->value(), 0);
        QVERIFY(rig.boxes.boxes.isEmpty());
    }

    // "No weapons" waits until "All weapons" is through, which is not restarted by a second click;
    // a nation set on its own bar runs beside it.
    void setsSharingABarRunOneAtATime()
    {
        Rig rig(u"settings"_s, u"cod"_s);
        QPushButton *all = rig.control(u"cmdAllWeapons"_s);
        QPushButton *none = rig.control(u"cmdNoWeapons"_s);
        QSignalSpy allTicks(rig.control<QTimer>(u"tmrAllWeapons"_s), &QTimer::timeout);
        QSignalSpy noneTicks(rig.control<QTimer>(u"tmrNoWeapons"_s), &QTimer::timeout);
        QTest::mouseClick(all, Qt::LeftButton);
        QTRY_COMPARE(allTicks.count(), 3);
        QVERIFY(!none->isEnabled() && !all->isEnabled());
        none->click();
        all->click();
        QCOMPARE(rig.runSet(u"USEnableAll"_s), 5);
        QTRY_VERIFY(none->isEnabled() && all->isEnabled());
        QCOMPARE(allTicks.count(), 15);
        QCOMPARE(noneTicks.count(), 0);
        QTRY_COMPARE(rig.server.commands().size(), 20);
    }

    void setsFollowTheLink_data()
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
    void setsFollowTheLink()
    {
        QFETCH(QString, kind);
        QFETCH(int, boxes);
        QFETCH(QString, stopPref);
        Rig rig(u"settings"_s, kind);
        WritePref(u"Settings"_s, u"StopWeaponSetsWhenNotConnected"_s, stopPref);
        QPushButton *sniper = rig.control(u"cmdSniperOnly"_s);
        rig.session.link()->close();
        if (boxes < 0) {
            QTRY_VERIFY(!sniper->isEnabled());
            rig.session.link()->open();
            QTRY_VERIFY(sniper->isEnabled());
            return;
        }
        QCOMPARE(rig.runSet(u"SniperOnly"_s), boxes);
        QCOMPARE(rig.boxes.boxes.size(), boxes);
        QVERIFY(rig.server.received().isEmpty());
        QCOMPARE(rig.control<QProgressBar>(u"pbWeaponType"_s)->value(), 0);
        QVERIFY(sniper->isEnabled());
    }

    // At real speed: a class set one command a second, a CoD2 type set one every 800 ms, side by
    // side.
    void setCadencesAtRealSpeed()
    {
        Rig rig(u"settings"_s, u"cod2"_s, 1.0);
        QTest::mouseClick(rig.control(u"cmdNoWeapons"_s), Qt::LeftButton);
        QTest::mouseClick(rig.control(u"cmdSniperRiflesON"_s), Qt::LeftButton);
        auto *classTimer = rig.control<QTimer>(u"tmrSniperRiflesON"_s);
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
};

QTEST_MAIN(tst_Gametypes)
#include "tst_gametypes.moc"
