#include "ServerRig.h"

#include "config/Profiles.h"
#include "mainwindow/CommandLine.h"
#include "mainwindow/PingMeter.h"
#include "mainwindow/ShortcutKeys.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmShortkeys.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/KeyState.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QtTest>

namespace {
constexpr int Ctrl = 17, Alt = 18, kTimedOut = -1, kNoIcmp = -2;
const QString kBlockedHint = u"It's possible that the server blocked ping."_s;

// The main window on a session logged in to a fake CoD4 server, with a keyboard the test holds.
struct Rig : ServerRig
{
    Rig()
    {
        KeyState::setOverride([this](int key) { return held.contains(key); });
        main = std::make_unique<frmMain>(&session);
        session.setGameKind(u"cod4"_s);
        main->txtServerIP->setText(u"127.0.0.1"_s);
        env.writeFile(u"Other.ini"_s, "[ShortkeySay]\r\nSay1=gg all\r\nSay2=\r\n");
    }
    ~Rig()
    {
        main.reset();
        KeyState::setOverride({});
    }
    void useProfile(const QString &name, const QByteArray &pingSettings)
    {
        env.writeFile(u"Profiles/"_s + name + u"/Preferences.ini"_s,
                      "[Ping Settings]\r\n" + pingSettings);
        session.setProfile(name);
    }
    void poll(const QList<int> &keys)
    {
        held = keys;
        main->tmrShortKeys->stop();
        main->shortcutKeys->tmrShortKeys_Timer();
    }

    QList<int> held;
    std::unique_ptr<frmMain> main;
};
} // namespace

class tst_PingKeys : public QObject
{
    Q_OBJECT
private slots:
    void pingMeter_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QList<int>>("echoes"); // the round trips reported, or how they fail
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("toolTip");
        QTest::addColumn<int>("nextMs");
        const QByteArray every5 = "PingMeterEnable=1\r\nPingMeterTime=5\r\n";
        QTest::newRow("999 ms") << every5 << QList{999} << "Ping: 999 " << QString() << 5000;
        QTest::newRow("1000 ms") << every5 << QList{1000} << "Ping: 999 " << kBlockedHint << 30000;
        QTest::newRow("no answer")
            << every5 << QList{kTimedOut} << "Ping: 999 " << kBlockedHint << 30000;
        QTest::newRow("an answer keeps the hint of the failure before")
            << every5 << QList{kTimedOut, 12} << "Ping: 12 " << kBlockedHint << 5000;
        QTest::newRow("no ICMP socket") << every5 << QList{kNoIcmp} << "Ping unavailable "
                                        << "no socket" << 30000;
        QTest::newRow("no period reads one second")
            << QByteArray("PingMeterEnable=1\r\nPingMeterTime=x\r\n") << QList{3} << "Ping: 3 "
            << QString() << 1000;
    }

    // The starter arms the meter from the profile's settings; each echo's outcome sets panel 3
    // and when the next echo goes. Another profile re-arms it.
    void pingMeter()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QList<int>, echoes);
        QFETCH(int, nextMs);
        const qsizetype planned = echoes.size();
        Rig rig;
        PingMeter *meter = rig.main->pingMeter;
        QStringList pinged, shownWhenSent;
        meter->setEchoSender([&](const QString &address) {
            pinged << address;
            shownWhenSent << rig.main->sb1->text(3);
            const int echo = echoes.size() > 1 ? echoes.takeFirst() : echoes.first();
            if (echo == kTimedOut)
                meter->echoFailed(IcmpPing::TimedOut, u"No answer within 200 ms"_s);
            else if (echo == kNoIcmp)
                meter->echoFailed(IcmpPing::NotAvailable, u"no socket"_s);
            else
                meter->echoReplied(echo);
        });
        QTRY_COMPARE(rig.main->sb1->text(3), u"Ping meter off "_s);
        rig.useProfile(u"Clan"_s, settings);
        QTRY_VERIFY(!pinged.isEmpty());
        QCOMPARE(pinged.first() + shownWhenSent.first(), "127.0.0.1Starting ping meter... ");
        while (pinged.size() < planned)
            meter->tmrPing_Timer();
        QTEST(rig.main->sb1->text(3), "shown");
        QTEST(rig.main->sb1->panelToolTip(3), "toolTip");
        QVERIFY(rig.main->tmrPing->isActive());
        QCOMPARE(Clock::interval(rig.main->tmrPing), nextMs);

        rig.useProfile(u"Off"_s, "PingMeterEnable=0\r\nPingMeterTime=5\r\n");
        QTRY_COMPARE(rig.main->sb1->text(3), u"Ping meter off "_s);
        const qsizetype before = pinged.size();
        Wait(nextMs / 1000.0 + 1);
        QCOMPARE(pinged.size(), before);
        WriteIni(Profiles::preferencesFile(u"Off"_s), u"Ping Settings"_s, u"PingMeterEnable"_s,
                 u"1"_s);
        QTRY_VERIFY(pinged.size() > before);
    }

    void pingLoopbackForReal()
    {
        if (!IcmpPing::isAvailable())
            QSKIP(qPrintable(IcmpPing::unavailableReason()));
        Rig rig;
        rig.useProfile(u"Clan"_s, "PingMeterEnable=1\r\nPingMeterTime=1\r\n");
        const QRegularExpression measured(u"^Ping: \\d{1,3} $"_s);
        QTRY_VERIFY2(measured.match(rig.main->sb1->text(3)).hasMatch(),
                     qPrintable(rig.main->sb1->text(3)));
    }

    void screenshots_data()
    {
        QTest::addColumn<QString>("period");
        QTest::newRow("30") << "30";
        QTest::newRow("29.5") << "29.5";
        QTest::newRow("no number") << "thirty";
    }

    // On the fast clock a second is 50 ms: "pb_sv_getss" goes at the 30th tick and every 30
    // after; a shorter period is refused. Start and Stop stay usable throughout.
    void screenshots()
    {
        QFETCH(QString, period);
        Rig rig;
        frmMain &m = *rig.main;
        QElapsedTimer clock;
        QList<qint64> sentAt;
        connect(&rig.server, &FakeGameServer::datagramReceived, this,
                [&](const ReceivedDatagram &) { sentAt << clock.elapsed(); });
        m.txtAutoPBSSSec->setText(period);
        clock.start();
        QTest::mouseClick(m.cmdAutoPBSSStart, Qt::LeftButton);
        const bool accepted = period == "30"_L1;
        QCOMPARE(m.tmrAutoPBSS->isActive() && !m.txtAutoPBSSSec->isEnabled(), accepted);
        QVERIFY(m.cmdAutoPBSSStart->isEnabled() && m.cmdAutoPBSSStop->isEnabled());
        if (!accepted) {
            QCOMPARE(rig.boxes.last().text, "The refresh rate must be 30 or higher!");
            QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical);
            return;
        }
        QTRY_COMPARE_WITH_TIMEOUT(sentAt.size(), 2, 5000);
        QCOMPARE(rig.server.commands(), QByteArrayList({"pb_sv_getss", "pb_sv_getss"}));
        QVERIFY2(sentAt[0] >= 1450 && sentAt[0] < 1750, qPrintable(QString::number(sentAt[0])));
        QVERIFY2(qAbs(sentAt[1] - sentAt[0] - 1500) < 150, qPrintable(QString::number(sentAt[1])));
        QTest::mouseClick(m.cmdAutoPBSSStop, Qt::LeftButton);
        QVERIFY(!m.tmrAutoPBSS->isActive() && m.txtAutoPBSSSec->isEnabled());
        QCOMPARE(m.pbAutoPBSS->value(), 0);
        QCOMPARE(m.lblAutoPBSSCounter->text(), u"2"_s);
        QVERIFY(rig.boxes.boxes.isEmpty());
    }

    void shortcutPoll_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<bool>("switchedOn");
        QTest::addColumn<QList<int>>("held");
        QTest::addColumn<QByteArrayList>("sent");
        QTest::addColumn<bool>("onAfter");
        const auto announced = [](const char *text, const char *command) {
            return QByteArrayList{ServerRig::announced(text), command};
        };
        const QByteArrayList none;
        QTest::newRow("Ctrl+F5 switched off")
            << "cod4" << false << QList{Ctrl, 116} << none << false;
        QTest::newRow("Ctrl+keypad + when off")
            << "cod4" << false << QList{Ctrl, 107} << none << true;
        QTest::newRow("Ctrl+keypad -") << "cod4" << true << QList{Ctrl, 109} << none << false;
        QTest::newRow("F5 without Ctrl") << "cod4" << true << QList{116} << none << true;
        QTest::newRow("Ctrl+F5 on CoD4")
            << "cod4" << true << QList{Ctrl, 116}
            << announced("Friendlyfire set to ON", "scr_team_fftype 1") << true;
        QTest::newRow("Ctrl and Alt with F1, in table order")
            << "cod4" << true << QList{Ctrl, Alt, 112}
            << announced("Vote set to ON", "g_allowvote 1")
                   + announced("Vote set to OFF", "g_allowvote 0")
            << true;
        QTest::newRow("Ctrl+keypad 1")
            << "cod4" << true << QList{Ctrl, 97} << QByteArrayList{"fast_restart"} << true;
        QTest::newRow("Ctrl+keypad 3 and 6, Say2 empty")
            << "cod4" << true << QList{Ctrl, 99, 102} << QByteArrayList{"Say gg all", "Say "}
            << true;
    }

    // One poll with the keys held: exactly the commands of the rows that fire, and the switch.
    void shortcutPoll()
    {
        QFETCH(QString, game);
        QFETCH(bool, switchedOn);
        QFETCH(bool, onAfter);
        Rig rig;
        rig.session.setGameKind(game);
        (switchedOn ? rig.main->mnuExtraShortkeysEnable : rig.main->mnuExtraShortkeysDisable)
            ->trigger();
        QFETCH(QList<int>, held);
        rig.poll(held);
        QTEST(rig.commandsUpToNow(), "sent");
        QCOMPARE(rig.main->sb1->text(4),
                 onAfter ? u"Shortcut keys: Enabled "_s : u"Shortcut keys: Disabled "_s);
        QCOMPARE(rig.main->mnuExtraShortkeysEnable->isChecked(), onAfter);
        QVERIFY(rig.boxes.boxes.isEmpty());
    }

    // Held down, a combination fires on every poll; Ctrl+Insert starts the screenshots and
    // Alt+Insert stops them.
    void heldKeysFireOnEveryPoll()
    {
        Rig rig;
        WritePref(u"Messages"_s, u"IngameMess"_s, u"1"_s);
        rig.main->mnuExtraShortkeysEnable->trigger();
        rig.held = {Ctrl, 96};
        QTRY_VERIFY(rig.server.commands().count("map_restart") >= 3);
        rig.held = {Ctrl, 45};
        QTRY_VERIFY(rig.main->tmrAutoPBSS->isActive());
        rig.held = {Alt, 45};
        QTRY_VERIFY(!rig.main->tmrAutoPBSS->isActive() && rig.main->txtAutoPBSSSec->isEnabled());
    }

    // Extra > Shortkeys > Setup edits the three texts of \Other.ini; Cancel writes nothing and
    // the window, only hidden, still holds the edit when it reopens.
    void sayTextsWindow()
    {
        Rig rig;
        rig.main->mnuExtraShortkeysSetup->trigger();
        auto *window = rig.main->findChild<frmShortkeys *>(u"frmShortkeys"_s);
        QVERIFY(window && window->isVisible());
        window->txtSay2->setText(u"^1Go ^7go"_s);
        window->findChild<QPushButton *>(u"cmdCancel"_s)->click();
        rig.main->mnuExtraShortkeysSetup->trigger();
        QCOMPARE(window->txtSay2->text(), u"^1Go ^7go"_s);
        QCOMPARE(rig.env.readFile(u"Other.ini"_s), "[ShortkeySay]\r\nSay1=gg all\r\nSay2=\r\n");
        window->txtSay3->setText(u"brb"_s);
        window->findChild<QPushButton *>(u"cmdOK"_s)->click();
        QVERIFY(!window->isVisible());
        QCOMPARE(rig.env.readFile(u"Other.ini"_s),
                 "[ShortkeySay]\r\nSay1=gg all\r\nSay2=^1Go ^7go\r\nSay3=brb\r\n");
    }
};

QTEST_MAIN(tst_PingKeys)
#include "tst_pingkeys.moc"
