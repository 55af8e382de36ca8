#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "admin/frmDialogMessagingCenter.h"
#include "admin/frmDialogWarCenter.h"
#include "config/AppInfo.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

namespace {

const QByteArray kProgram = (AppInfo::shortName() + u' ' + AppInfo::version()).toLatin1();

// Answers every box at once; after holdFor is set, one box stays open (its event loop running,
// as a modal box's does) until that many more boxes have come.
struct Boxes : DialogRecorder
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

// A session logged in to a fake server, one of the two windows on it, every box answered.
struct Rig
{
    Rig(FakeGame game, const char *kind, double clockSpeed = 20.0)
        : env(clockSpeed)
        , server(game)
    {
        server.setPassword("pw");
        server.start(0);
        session.setPassword(QStringLiteral("pw"));
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(server.port());
        session.link()->open();
        session.setGameKind(QLatin1String(kind));
    }
    ~Rig()
    {
        delete window;
        server.stop();
    }
    template<typename W> void open()
    {
        delete window;
        window = new W(&session);
    }
    template<typename T = QPushButton> T *control(QAnyStringView name) const
    {
        return window->findChild<T *>(name.toString());
    }
    void click(QAnyStringView name) const { control(name)->click(); }
    // "txtName=text" fills a field, "ckName" ticks a box, "cbName=item" chooses an item.
    void fill(const QStringList &settings) const
    {
        for (const QString &s : settings) {
            const QString name = s.section(u'=', 0, 0), value = s.section(u'=', 1);
            if (name.startsWith(u"ck"))
                control<QCheckBox>(name)->setChecked(true);
            else if (name.startsWith(u"cb"))
                control<QComboBox>(name)->setCurrentText(value);
            else
                control<QLineEdit>(name)->setText(value);
        }
    }
    void add(const QString &message, const QString &seconds) const
    {
        fill({QStringLiteral("txtMessage=") + message, QStringLiteral("txtTime=") + seconds});
        click("cmdAdd");
    }
    QStringList texts(QAnyStringView list) const
    {
        QStringList out;
        for (int i = 0; i < control<QListWidget>(list)->count(); ++i)
            out << control<QListWidget>(list)->item(i)->text();
        return out;
    }

    TestProgramDir env;
    Boxes boxes;
    FakeGameServer server;
    RconSession session;
    QPointer<QWidget> window;
};

} // namespace

class tst_Centers : public QObject
{
    Q_OBJECT

private slots:
    void rotation_data();
    void rotation();
    void addChecks_data();
    void addChecks();
    void saveAndLoadBack_data();
    void saveAndLoadBack();
    void menuItems();
    void everySendShowsItsBox();
    void warSequences_data();
    void warSequences();
    void missingFieldSendsNothing_data();
    void missingFieldSendsNothing();
    void warCadenceAtRealSpeed();
};

void tst_Centers::rotation_data()
{
    QTest::addColumn<QString>("onAuto");
    QTest::addColumn<QByteArray>("prefix");
    QTest::newRow("with the program's name") << QString() << "Say " + kProgram + " ^4|| ^7";
    QTest::newRow("bare") << QStringLiteral("1") << QByteArray("Say ");
}

// Each entry waits its own pause after it, round and round, between the ON and OFF lines.
void tst_Centers::rotation()
{
    QFETCH(QString, onAuto);
    QFETCH(QByteArray, prefix);
    Rig rig(FakeGame::CoD2, "cod2");
    rig.open<frmDialogMessagingCenter>();
    WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMessOnAuto"), onAuto);
    rig.add(QStringLiteral("first"), QStringLiteral("10"));
    rig.add(QStringLiteral("second"), QStringLiteral("20"));
    rig.add(QStringLiteral("third"), QStringLiteral("30"));

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
                 qPrintable(QStringLiteral("pause %1: %2 ms").arg(i).arg(gap)));
    }
}

void tst_Centers::addChecks_data()
{
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("seconds");
    QTest::addColumn<QString>("box"); // empty: the entry is added
    QTest::addColumn<QString>("title");
    const QString forgotten = QStringLiteral("You forgot to fill in this field(s):");
    const QString tooLong = QStringLiteral("Don't add a time higher as 65!");
    // clang-format off
    QTest::newRow("nothing") << "" << "" << forgotten + "\r\n -Message\r\n -Time"
        << "Forgotten fields...";
    QTest::newRow("no time") << "Hi" << "" << forgotten + "\r\n -Time" << "Forgotten fields...";
    QTest::newRow("65") << "Hi" << "65" << "" << "";
    QTest::newRow("66") << "Hi" << "66" << tooLong << "Messaging Center";
    QTest::newRow("65.5") << "Hi" << "65.5" << tooLong << "Messaging Center";
    // clang-format on
}

void tst_Centers::addChecks()
{
    QFETCH(QString, message);
    QFETCH(QString, seconds);
    QFETCH(QString, box);
    QFETCH(QString, title);
    Rig rig(FakeGame::CoD2, "cod2");
    rig.open<frmDialogMessagingCenter>();
    rig.add(message, seconds);
    QCOMPARE(rig.boxes.last().text, box);
    QCOMPARE(rig.boxes.last().title, title);
    QCOMPARE(rig.texts("lstTime"), box.isEmpty() ? QStringList{seconds} : QStringList());
}

void tst_Centers::saveAndLoadBack_data()
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
void tst_Centers::saveAndLoadBack()
{
    QFETCH(QStringList, entries);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, loaded);
    Rig rig(FakeGame::CoD2, "cod2");
    rig.open<frmDialogMessagingCenter>();
    for (int i = 0; i + 1 < entries.size(); i += 2)
        rig.add(entries[i], entries[i + 1]);
    QTest::keyClicks(rig.control<QLineEdit>("txtFileName"), "Round/trip");
    rig.click("cmdSave");
    QCOMPARE(rig.env.readFile(QStringLiteral("Logs/MessagingCenter/Roundtrip.log")), file);

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
    QVERIFY(rig.env.readFile(QStringLiteral("Logs/MessagingCenter/Roundtrip.log")).isNull());
}

// The Messaging Center's item carries a check mark while the window is shown or hidden; closing
// it, running or not, ends the window, its rotation and the mark.
void tst_Centers::menuItems()
{
    Rig rig(FakeGame::CoD2, "noco");
    frmMain main(&rig.session);
    QAction *item = main.mnuOptionsMessagingCenter;
    item->trigger();
    QPointer<frmDialogMessagingCenter> window
        = main.findChild<frmDialogMessagingCenter *>(QStringLiteral("frmDialogMessagingCenter"));
    QVERIFY(window && window->isVisible() && item->isChecked());
    window->findChild<QPushButton *>("cmdHideMe")->click();
    QVERIFY(!window->isVisible() && item->isChecked());

    rig.window = window;
    rig.add(QStringLiteral("Hi"), QStringLiteral("30"));
    rig.click("cmdStart");
    item->trigger();
    QVERIFY(window->isVisible() && window->isRunning() && item->isChecked());
    window->close();
    QTRY_VERIFY(!window);
    QVERIFY(!item->isChecked());

    main.mnuOptionsWarCenter->trigger();
    QVERIFY(main.findChild<frmDialogWarCenter *>(QStringLiteral("frmDialogWarCenter")));
}

// Not connected, a box left open holds up neither the run nor the boxes of the sends after it.
void tst_Centers::everySendShowsItsBox()
{
    Rig rig(FakeGame::CoD2, "cod2");
    rig.session.link()->close();
    rig.open<frmDialogMessagingCenter>();
    rig.add(QStringLiteral("Hi"), QStringLiteral("10"));
    rig.click("cmdStart"); // the ON line's box comes before the rotation starts
    rig.boxes.holdFor = 2;
    QTRY_COMPARE(rig.boxes.held, 1);

    rig.open<frmDialogWarCenter>();
    rig.fill({"txtTDMPassword=x", "cbMap2=mp_toujane"});
    rig.boxes.holdFor = 20;
    rig.click("cmdSetTDM");
    QTRY_COMPARE(rig.boxes.held, 2);
}

void tst_Centers::warSequences_data()
{
    QTest::addColumn<int>("game");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("set");
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QStringList>("expected");
    const QString say = QStringLiteral("say ") + QLatin1String(kProgram)
                        + QStringLiteral(" ^4||^7 Setting up War Configuration for ");
    // clang-format off
    QTest::newRow("TDM on CoD2, every box ticked")
        << int(FakeGame::CoD2) << "cod2" << "cmdSetTDM"
        << QStringList{"txtTDMPassword=clan war", "cbMap2=mp_toujane", "ckTDMKillcam",
                       "ckTDMFreelook", "ckTDMEnemySpectate", "ckTDMFriendlyFire",
                       "ckTDMDrawFriend", "ckTDMForceRespawn", "ckTDMFG42", "ckTDMPF"}
        << QStringList{say + "Team Deathmatch",
                       "scr_killcam 1", "scr_spectatefree 1", "scr_spectateenemy 1",
                       "scr_friendlyfire 1", "scr_teambalance 0", "scr_drawfriend 1",
                       "g_password clan war", "scr_tdm_scorelimit 0", "scr_tdm_timelimit 15",
                       "scr_forcerespawn 1", "scr_allow_fg42 1", "scr_allow_panzerfaust 1",
                       "set g_allowVote 0", "sv_minPing 0", "sv_maxPing 0", "sv_pure 1",
                       "sv_cheats 0", "logfile 1", "g_gametype tdm", "map mp_harbor"};
    QTest::newRow("SD on CoD4, some boxes ticked")
        << int(FakeGame::CoD4) << "cod4" << "cmdSetSD"
        << QStringList{"txtSDPassword=pw2", "txtSDTimeLimit=3", "cbMap1=mp_carentan",
                       "ckSDKillcam", "ckSDFreelook", "ckSDFriendlyFire", "ckSDDrawFriend"}
        << QStringList{say + "Search and Destroy",
                       "setkillcam 1", "scr_freelook 1", "scr_spectateenemy 0",
                       "setfriendlyfire 1", "scr_teambalance 0", "setdrawfriend 1",
                       "g_password pw2", "scr_sd_scorelimit 10", "scr_sd_timelimit 3",
                       "scr_sd_roundlimit 10", "scr_sd_roundlength 4", "scr_sd_graceperiod 15",
                       "scr_allow_fg42 0", "scr_allow_panzerfaust 0", "set g_allowVote 0",
                       "sv_minPing 0", "sv_maxPing 0", "sv_pure 1", "sv_cheats 0", "logfile 1",
                       "g_gametype sd", "map mp_carentan"};
    // clang-format on
}

// The whole set-up leaves in order, byte for byte, with the Set button off until the map change.
void tst_Centers::warSequences()
{
    QFETCH(int, game);
    QFETCH(QString, kind);
    QFETCH(QString, set);
    QFETCH(QStringList, settings);
    QFETCH(QStringList, expected);
    Rig rig(FakeGame(game), kind.toLatin1().constData());
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
                 "\xFF\xFF\xFF\xFFrcon pw " + expected[i].toLatin1());
}

void tst_Centers::missingFieldSendsNothing_data()
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
void tst_Centers::missingFieldSendsNothing()
{
    QFETCH(QString, set);
    QFETCH(QStringList, settings);
    QFETCH(QString, message);
    Rig rig(FakeGame::CoD2, "cod2");
    rig.open<frmDialogWarCenter>();
    rig.fill(settings);
    rig.click(set);
    QCOMPARE(rig.boxes.boxes.size(), 1);
    QCOMPARE(rig.boxes.last().text, message);
    QCOMPARE(rig.boxes.last().icon, MsgIcon::Critical);
    QVERIFY(rig.control(set)->isEnabled());
    QVERIFY(!rig.control<QTimer>("tmrSetSD")->isActive());
    QVERIFY(!rig.control<QTimer>("tmrSetTDM")->isActive());
    rig.session.SendCommand(QStringLiteral("marker"));
    QTRY_COMPARE(rig.server.commands(), QList<QByteArray>{"marker"});
}

// At real speed one command leaves every 700 ms, and the server takes every one of them.
void tst_Centers::warCadenceAtRealSpeed()
{
    Rig rig(FakeGame::CoD2, "cod2", 1.0);
    rig.server.setFloodProtection(true);
    rig.open<frmDialogWarCenter>();
    rig.fill({"txtTDMPassword=x", "cbMap2=mp_toujane"});
    rig.click("cmdSetTDM");
    QTRY_COMPARE_WITH_TIMEOUT(rig.server.commands().size(), 21, 20000);
    const QList<ReceivedDatagram> got = rig.server.received();
    for (int i = 1; i < got.size(); ++i) {
        const qint64 gap = got[i].elapsedMs - got[i - 1].elapsedMs;
        QVERIFY2(gap >= 600 && gap <= 850, qPrintable(QStringLiteral("%1: %2 ms").arg(i).arg(gap)));
    }
    const qint64 total = got.last().elapsedMs - got.first().elapsedMs;
    QVERIFY2(total >= 13900 && total <= 14300, qPrintable(QString::number(total)));
    QCOMPARE(rig.server.map(), QByteArray("mp_toujane"));
}

QTEST_MAIN(tst_Centers)
#include "tst_centers.moc"
