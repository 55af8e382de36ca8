#include "ServerRig.h"

#include "admin/frmDialogMessagingCenter.h"
#include "admin/frmDialogWarCenter.h"
#include "config/AppInfo.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QtTest>

namespace {

const QByteArray kProgram = (AppInfo::shortName() + u' ' + AppInfo::version()).toLatin1();

// Answers every box at once; after holdFor is set, one box stays open (its event loop running,
// as a modal box's does) until that many more boxes have come.
struct HoldingBoxes : DialogRecorder
{
    int holdFor = 0;
    int held = 0; // boxes that stayed open until the others had come
    MsgAnswer messageBox(const QString &text, MsgIcon icon, const QString &title,
                         MsgButtons buttons) override
    {
        const qsizetype until = boxes.size() + 1 + std::exchange(holdFor, 0);
        const MsgAnswer answer = DialogRecorder::messageBox(text, icon, title, buttons);
        held += until > boxes.size() && QTest::qWaitFor([&] { return boxes.size() >= until; });
        return answer;
    }
};

// One of the two windows on a session logged in to a fake server.
struct Rig : ServerRig
{
    explicit Rig(const QString &kind, double clockSpeed = 20.0)
        : ServerRig(kind, clockSpeed)
    {}
    template<typename W> void open()
    {
        delete window;
        window = new W(&session);
    }
    void click(QAnyStringView name) const { control(name)->click(); }
    void fill(const QStringList &settings) const { ::fill(window, settings); }
    void add(const QString &message, const QString &seconds) const
    {
        fill({u"txtMessage="_s + message, u"txtTime="_s + seconds});
        click("cmdAdd");
    }
    QStringList texts(QAnyStringView list) const
    {
        return rowsOf(control<QListWidget>(list)->model());
    }
};

} // namespace

class tst_Centers : public QObject
{
    Q_OBJECT

private slots:
    void rotation_data()
    {
        QTest::addColumn<QString>("onAuto");
        QTest::addColumn<QByteArray>("prefix");
        QTest::newRow("with the program's name") << QString() << "Say " + kProgram + " ^4|| ^7";
        QTest::newRow("bare") << u"1"_s << QByteArray("Say ");
    }

    // Each entry waits its own pause after it, round and round, between the ON and OFF lines.
    void rotation()
    {
        QFETCH(QString, onAuto);
        QFETCH(QByteArray, prefix);
        Rig rig("cod2");
        rig.open<frmDialogMessagingCenter>();
        WritePref(u"Messages"_s, u"IngameMessOnAuto"_s, onAuto);
        rig.add(u"first"_s, u"10"_s);
        rig.add(u"second"_s, u"20"_s);
        rig.add(u"third"_s, u"30"_s);

        rig.click("cmdStart");
        QVERIFY(!rig.control("cmdClose")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands().size(), 5, 15000);
        // The times follow the messages' row, whatever is clicked in them.
        rig.control<QListWidget>("lstTime")->setCurrentRow(2);
        QTRY_COMPARE(rig.control<QListWidget>("lstTime")->currentRow(), 1);
        rig.click("cmdStop");
        QTRY_COMPARE(rig.server.commands(),
                     QList<QByteArray>({"say ^4|| ^7Auto-Messages ^4ON ||", prefix + "first",
                                        prefix + "second", prefix + "third", prefix + "first",
                                        "say ^4|| ^7Auto-Messages ^4OFF ||"}));
        QVERIFY(rig.control("cmdClose")->isEnabled());

        const QList<ReceivedDatagram> got = rig.server.received();
        const int pauses[] = {10000, 10000, 20000, 30000};
        for (int i = 0; i < 4; ++i) {
            const double gap = double(got[i + 1].elapsedMs - got[i].elapsedMs) * Clock::speed();
            QVERIFY2(gap > pauses[i] * 0.95 && gap < pauses[i] + 6000,
                     qPrintable(u"pause %1: %2 ms"_s.arg(i).arg(gap)));
        }
    }

    // A round of zero and tiny pauses still goes round, but no faster than a message a second.
    void fastRoundsDoNotFlood()
    {
        Rig rig("cod4");
        rig.open<frmDialogMessagingCenter>();
        rig.add(u"zero"_s, u"0"_s);
        rig.add(u"tiny"_s, u".001"_s);
        rig.click("cmdStart");
        QTRY_VERIFY_WITH_TIMEOUT(rig.server.commands().size() >= 5, 10000);
        const QList<ReceivedDatagram> got = rig.server.received();
        for (int i = 1; i < 4; ++i) {
            const double gap = double(got[i + 1].elapsedMs - got[i].elapsedMs) * Clock::speed();
            QVERIFY2(gap > 950, qPrintable(u"pause %1: %2 ms"_s.arg(i).arg(gap)));
        }
    }

    void addChecks_data()
    {
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("seconds");
        QTest::addColumn<QString>("box"); // empty: the entry is added
        const QString forgotten = u"You forgot to fill in this field(s):"_s;
        const QString tooLong = u"Don't add a time higher as 65!"_s;
        QTest::newRow("nothing") << ""
                                 << "" << forgotten + "\r\n -Message\r\n -Time";
        QTest::newRow("no time") << "Hi"
                                 << "" << forgotten + "\r\n -Time";
        QTest::newRow("65") << "Hi"
                            << "65"
                            << "";
        QTest::newRow("65.5") << "Hi"
                              << "65.5" << tooLong;
    }

    void addChecks()
    {
        QFETCH(QString, message);
        QFETCH(QString, seconds);
        QFETCH(QString, box);
        Rig rig("cod2");
        rig.open<frmDialogMessagingCenter>();
        rig.add(message, seconds);
        QCOMPARE(rig.boxes.last().text, box);
        QCOMPARE(rig.texts("lstTime"), box.isEmpty() ? QStringList{seconds} : QStringList());
    }

    void saveAndLoadBack_data()
    {
        QTest::addColumn<QStringList>("entries"); // message, seconds, ...
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("loaded");
        // clang-format off
        QTest::newRow("plain") << QStringList{"Welcome to the server", "30", "Be nice", "10"}
            << QByteArray("Welcome to the server:30\r\nBe nice:10\r\n")
            << QStringList{"Welcome to the server", "30", "Be nice", "10"};
        QTest::newRow("colon") << QStringList{"Visit: our site", "20"}
            << QByteArray("Visit: our site:20\r\n") << QStringList{"Visit", " our site"};
        QTest::newRow("comma") << QStringList{"Hello, world", "30"}
            << QByteArray("Hello, world:30\r\n") << QStringList{"Hello", "", "world", "30"};
        // clang-format on
    }

    // Saved byte for byte; loaded back onto what the lists hold, twice without Clear; deleted.
    void saveAndLoadBack()
    {
        QFETCH(QStringList, entries);
        QFETCH(QStringList, loaded);
        Rig rig("cod2");
        rig.open<frmDialogMessagingCenter>();
        for (int i = 0; i + 1 < entries.size(); i += 2)
            rig.add(entries[i], entries[i + 1]);
        QTest::keyClicks(rig.control<QLineEdit>("txtFileName"), "Round/trip");
        rig.click("cmdSave");
        QTEST(rig.env.readFile(u"Logs/MessagingCenter/Roundtrip.log"_s), "file");

        rig.open<frmDialogMessagingCenter>(); // the files are listed when the window opens
        rig.control<QListWidget>("lstFiles")->setCurrentRow(0);
        rig.click("cmdLoad");
        rig.click("cmdLoad");
        QStringList messages, seconds;
        for (int i = 0; i + 1 < loaded.size(); i += 2)
            messages << loaded[i], seconds << loaded[i + 1];
        QCOMPARE(rig.texts("lstMessage"), messages + messages);
        QCOMPARE(rig.texts("lstTime"), seconds + seconds);

        rig.click("cmdDelete");
        QCOMPARE(rig.texts("lstFiles"), QStringList());
        QVERIFY(rig.env.readFile(u"Logs/MessagingCenter/Roundtrip.log"_s).isNull());
    }

    // The Messaging Center's item carries a check mark while the window is shown or hidden; closing
    // it, running or not, ends the window, its rotation and the mark.
    void menuItems()
    {
        Rig rig("noco");
        frmMain main(&rig.session);
        QAction *item = main.mnuOptionsMessagingCenter;
        item->trigger();
        QPointer<frmDialogMessagingCenter> window
            = main.findChild<frmDialogMessagingCenter *>(u"frmDialogMessagingCenter"_s);
        QVERIFY(window && window->isVisible() && item->isChecked());
        window->findChild<QPushButton *>("cmdHideMe")->click();
        QVERIFY(!window->isVisible() && item->isChecked());

        rig.window = window;
        rig.add(u"Hi"_s, u"30"_s);
        rig.click("cmdStart");
        item->trigger();
        QVERIFY(window->isVisible() && window->isRunning() && item->isChecked());
        window->close();
        QTRY_VERIFY(!window);
        QVERIFY(!item->isChecked());
    }

    // Not connected, a box left open holds up neither the run nor the boxes of the sends after it.
    void everySendShowsItsBox()
    {
        Rig rig("cod2");
        HoldingBoxes boxes;
        rig.session.link()->close();
        rig.open<frmDialogMessagingCenter>();
        rig.add(u"Hi"_s, u"10"_s);
        rig.click("cmdStart"); // the ON line's box comes before the rotation starts
        boxes.holdFor = 2;
        QTRY_COMPARE(boxes.held, 1);

        rig.open<frmDialogWarCenter>();
        rig.fill({"txtTDMPassword=x", "cbMap2=mp_toujane"});
        boxes.holdFor = 20;
        rig.click("cmdSetTDM");
        QTRY_COMPARE(boxes.held, 2);
    }

    void warSequences_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QStringList>("expected");
        const QString say
            = u"say "_s + QLatin1String(kProgram) + u" ^4||^7 Setting up War Configuration for "_s;
        const QStringList fixed{"set g_allowVote 0", "sv_minPing 0", "sv_maxPing 0",
                                "sv_pure 1",         "sv_cheats 0",  "logfile 1"};
        // clang-format off
        QTest::newRow("TDM on CoD2, every box ticked")
            << "cod2" << "cmdSetTDM"
            << QStringList{"txtTDMPassword=clan war", "cbMap2=mp_toujane", "ckTDMKillcam",
                           "ckTDMFreelook", "ckTDMEnemySpectate", "ckTDMFriendlyFire",
                           "ckTDMDrawFriend", "ckTDMForceRespawn", "ckTDMFG42", "ckTDMPF"}
            << QStringList{say + "Team Deathmatch", "scr_killcam 1", "scr_spectatefree 1",
                           "scr_spectateenemy 1", "scr_friendlyfire 1", "scr_teambalance 0",
                           "scr_drawfriend 1", "g_password clan war", "scr_tdm_scorelimit 0",
                           "scr_tdm_timelimit 15", "scr_forcerespawn 1", "scr_allow_fg42 1",
                           "scr_allow_panzerfaust 1"}
                   + fixed + QStringList{"g_gametype tdm", "map mp_harbor"};
        QTest::newRow("SD on CoD4, some boxes ticked")
            << "cod4" << "cmdSetSD"
            << QStringList{"txtSDPassword=pw2", "txtSDTimeLimit=3", "cbMap1=mp_carentan",
                           "ckSDKillcam", "ckSDFreelook", "ckSDFriendlyFire", "ckSDDrawFriend"}
            << QStringList{say + "Search and Destroy", "setkillcam 1", "scr_freelook 1",
                           "scr_spectateenemy 0", "setfriendlyfire 1", "scr_teambalance 0",
                           "setdrawfriend 1", "g_password pw2", "scr_sd_scorelimit 10",
                           "scr_sd_timelimit 3", "scr_sd_roundlimit 10", "scr_sd_roundlength 4",
                           "scr_sd_graceperiod 15", "scr_allow_fg42 0", "scr_allow_panzerfaust 0"}
                   + fixed + QStringList{"g_gametype sd", "map mp_carentan"};
        // clang-format on
    }

    // The whole set-up leaves in order, byte for byte, with the Set button off until the map
    // change.
    void warSequences()
    {
        QFETCH(QString, kind);
        QFETCH(QString, set);
        QFETCH(QStringList, settings);
        QFETCH(QStringList, expected);
        Rig rig(kind);
        rig.open<frmDialogWarCenter>();
        rig.fill(settings);
        rig.click(set);
        QTRY_VERIFY(!rig.server.commands().isEmpty());
        rig.fill({"cbMap2=mp_harbor"}); // the TDM map is taken when its step comes
        QVERIFY(!rig.control(set)->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands().size(), expected.size(), 10000);
        QVERIFY(rig.control(set)->isEnabled());
        for (int i = 0; i < expected.size(); ++i)
            QCOMPARE(rig.server.received().at(i).bytes,
                     ServerRig::datagram(expected[i].toLatin1()));
    }

    void missingFieldSendsNothing_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("TDM, no map nor password") << "cmdSetTDM" << QStringList{} << "Select a map!";
        QTest::newRow("TDM, no score nor time limit") << "cmdSetTDM"
            << QStringList{"cbMap2=mp_harbor", "txtTDMPassword=x", "txtTDMScoreLimit=",
                           "txtTDMTimeLimit="} << "Set score limit!";
        QTest::newRow("SD, no round limit nor grace period") << "cmdSetSD"
            << QStringList{"cbMap1=mp_harbor", "txtSDPassword=x", "txtSDRoundLimit=",
                           "txtSDGracePeriod="} << "Set round limit!";
        QTest::newRow("SD, no grace period") << "cmdSetSD"
            << QStringList{"cbMap1=mp_harbor", "txtSDPassword=x", "txtSDGracePeriod="}
            << "Set grace period!";
        // clang-format on
    }

    // The first missing field is named, and not one command of the set-up leaves.
    void missingFieldSendsNothing()
    {
        QFETCH(QString, set);
        QFETCH(QStringList, settings);
        Rig rig("cod2");
        rig.open<frmDialogWarCenter>();
        rig.fill(settings);
        rig.click(set);
        QCOMPARE(rig.boxes.boxes.size(), 1);
        QTEST(rig.boxes.last().text, "message");
        QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical);
        QVERIFY(rig.control(set)->isEnabled());
        QVERIFY(!rig.control<QTimer>("tmrSetSD")->isActive());
        QVERIFY(!rig.control<QTimer>("tmrSetTDM")->isActive());
        QCOMPARE(rig.commandsUpToNow(), QByteArrayList());
    }

    // At real speed one command leaves every 700 ms, and the server takes every one of them.
    void warCadenceAtRealSpeed()
    {
        Rig rig("cod2", 1.0);
        rig.server.setFloodProtection(true);
        rig.open<frmDialogWarCenter>();
        rig.fill({"txtTDMPassword=x", "cbMap2=mp_toujane"});
        rig.click("cmdSetTDM");
        QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands().size(), 21, 20000);
        const QList<ReceivedDatagram> got = rig.server.received();
        for (int i = 1; i < got.size(); ++i) {
            const qint64 gap = got[i].elapsedMs - got[i - 1].elapsedMs;
            QVERIFY2(gap >= 600 && gap <= 850, qPrintable(u"%1: %2 ms"_s.arg(i).arg(gap)));
        }
        const qint64 total = got.last().elapsedMs - got.first().elapsedMs;
        QVERIFY2(total >= 13900 && total <= 14300, qPrintable(QString::number(total)));
        QCOMPARE(rig.server.map(), QByteArray("mp_toujane"));
    }
};

QTEST_MAIN(tst_Centers)
#include "tst_centers.moc"
