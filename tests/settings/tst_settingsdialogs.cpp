#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"
#include "settings/GeneralTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"
#include "settings/frmDialogGeneral.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// A session logged in to a fake server of one game, with every box answered, and one dialog:
// "general" or the settings dialog of a game. Ten times faster leaves a retrieval 30 ms between a
// query and its read, which a busy machine still keeps.
struct Rig
{
    Rig(const QString &form, const QString &kind, double clockSpeed = 10.0)
        : env(clockSpeed)
        , server(fakeGameFromName(kind))
        , form(form)
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
        if (form == QLatin1String("general"))
            window = std::make_unique<frmDialogGeneral>(&session);
        else if (!form.isEmpty())
            window = std::make_unique<SettingsDialog>(*settingsTable(form), &session);
        if (window)
            window->show();
    }

    template<typename T = QPushButton> T *control(const QString &name) const
    {
        if (T *c = window->findChild<T *>(name))
            return c;
        qFatal("no control %s", qPrintable(name));
    }

    // The row that makes a group, field or slider of the dialog.
    const SettingRow &row(const QString &target) const
    {
        QList<std::span<const SettingRow>> parts;
        if (form == QLatin1String("general")) {
            const GeneralTable &t = generalTable();
            parts = {t.serverFields, t.serverToggles, t.privateSlots, t.voting, t.timeOuts};
        } else {
            for (const SettingsTab &tab : settingsTable(form)->tabs)
                parts << tab.rows;
        }
        for (const std::span<const SettingRow> &rows : std::as_const(parts)) {
            for (const SettingRow &r : rows) {
                if (rowHasTarget(r, target.toStdString()))
                    return r;
            }
        }
        qFatal("no row %s", qPrintable(target));
    }

    // A field's text, a slider's position, or the names of the group's buttons that are bold.
    QStringList shown(const QString &target) const
    {
        const SettingRow &r = row(target);
        if (r.kind == RowKind::Field)
            return {control<QLineEdit>(target)->text()};
        if (r.kind == RowKind::Slider)
            return {QString::number(control<QSlider>(target)->value())};
        QStringList bold;
        for (const Choice &c : r.choices->choices) {
            const QString name = target + QLatin1String(c.suffix);
            if (control(QStringLiteral("cmd") + name)->font().bold())
                bold << name;
        }
        return bold;
    }

    TestProgramDir env;
    DialogRecorder recorder;
    FakeGameServer server;
    RconSession session;
    QString form;
    std::unique_ptr<SettingsWindow> window;
};

// Waits in a running event loop. QTRY_* sleep between their looks, and a 30 ms step (300 ms on
// the fast clock) would then often read before its reply has been let in.
bool waitUntil(const std::function<bool()> &done)
{
    QTestEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.exitLoop();
    });
    look.start(2);
    if (!done())
        loop.enterLoopMSecs(20000);
    return done();
}

// Runs one retrieval to its end: the progress bar gone and OK back.
bool retrieve(Rig &rig)
{
    QTest::mouseClick(rig.control(QStringLiteral("cmdGetServerInfo")), Qt::LeftButton);
    const QPushButton *ok = rig.control(QStringLiteral("cmdOK"));
    return ok->isHidden() && waitUntil([ok] { return !ok->isHidden(); });
}

QByteArray say(const char *text)
{
    return QByteArray("Say ^7Vantor " VANTOR_VERSION " ^4||^7 ") + text + " by ^4Admin";
}

} // namespace

class tst_SettingsDialogs : public QObject
{
    Q_OBJECT
private slots:
    void retrieval_data();
    void retrieval();
    void readBack_data();
    void readBack();
    void clicks_data();
    void clicks();
    void teamNamesOneSecondApart();
    void retrievalCadence();
    void generalTabs_data();
    void generalTabs();
    void connectionWatch_data();
    void connectionWatch();
    void openedFromMainWindow();
    void cod4TabCaptionsFromLanguagePack();
};

void tst_SettingsDialogs::retrieval_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("reads");
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QByteArray>("passwordQuery");
    const auto row
        = [](const char *form, const char *kind, int reads, int ticks, const char *password) {
              QTest::addRow("%s %s", form, kind)
                  << form << kind << reads << ticks << QByteArray(password);
          };
    row("general", "cod", 33, 67, "rconPassword");
    row("general", "coduo", 33, 67, "rconPassword");
    row("general", "cod2", 20, 40, "rcon_Password");
    row("general", "cod4", 20, 40, "rcon_Password");
    row("cod", "cod", 7, 15, nullptr);
    row("coduo", "coduo", 18, 37, nullptr);
    row("cod2", "cod2", 20, 41, nullptr);
    row("cod4", "cod4", 42, 85, nullptr);
}

// Every variable gets its own value on the server; the retrieval must put each where it belongs,
// ask in order one step apart, and end with a fresh console and "status".
void tst_SettingsDialogs::retrieval()
{
    QFETCH(QString, form);
    QFETCH(QString, kind);
    QFETCH(int, reads);
    QFETCH(int, ticks);
    QFETCH(QByteArray, passwordQuery);
    Rig rig(form, kind);
    QVERIFY(rig.server.isListening());
    const SettingsWindow::RetrievalPlan plan = rig.window->retrievalPlan();
    QCOMPARE(plan.reads.size(), reads);

    QList<QByteArray> asked;
    QHash<QString, QStringList> expected;
    for (int i = 0; i < plan.reads.size(); ++i) {
        const SettingsWindow::Read &read = plan.reads[i];
        asked << read.query.toLatin1();
        const SettingRow &row = rig.row(read.targets.first());
        // Another rcon password would lock us out for the rest of the retrieval.
        QByteArray value = read.targets.first() == QLatin1String("txtRconPassword")
                               ? QByteArray("pw")
                               : "v" + QByteArray::number(i) + " x";
        if (row.kind == RowKind::Slider)
            value = "7";
        for (const QString &target : read.targets) {
            if (row.kind == RowKind::Buttons) {
                const Choice &c = row.choices->choices[i % row.choices->choices.size()];
                value = QByteArray::number(c.value);
                expected[target] = QStringList{target + QLatin1String(c.suffix)};
            } else { // a field keeps the reply's colour code
                const char *code = row.kind == RowKind::Field ? "^7" : "";
                expected[target] = QStringList{QString::fromLatin1(value + code)};
            }
        }
        rig.server.setCvar(read.query.toLatin1(), value);
    }
    QVERIFY(passwordQuery.isEmpty() || asked.contains(passwordQuery));

    QSignalSpy tick(rig.control<QTimer>(QStringLiteral("tmrGetServerInfo")), &QTimer::timeout);
    QVERIFY(retrieve(rig));
    QCOMPARE(tick.count(), ticks);
    QTRY_COMPARE(rig.server.commands(), asked + QList<QByteArray>{"status"});
    QVERIFY(!rig.session.console()->text().contains(plan.reads.first().query));
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        QCOMPARE(rig.shown(it.key()), it.value());
}

void tst_SettingsDialogs::readBack_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QByteArray>("query");
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("reply"); // the whole answer the second time
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("shown");
    const auto cod = [](const char *name, const char *value) {
        return QByteArray("\"") + name + "\" is:\"" + value + "^7\" default:\"1^7\"\n";
    };
    const auto cod4 = [](const char *name, const char *value) {
        return QByteArray("\"") + name + "\" is: \"" + value
               + "^7\" default: \"1^7\"\n  Domain is any integer from 0 to 2\n";
    };
    const auto row = [](const char *tag, const char *form, const char *query, const char *before,
                        const QByteArray &reply, const char *target, const char *shown) {
        QTest::newRow(tag) << form << QByteArray(query) << QByteArray(before) << reply << target
                           << shown;
    };
    row("friendly fire 5 changes nothing", "cod", "scr_friendlyfire", "2",
        cod("scr_friendlyfire", "5"), "FriendlyFire", "FriendlyFireREFLECT");
    row("killcam 0", "cod", "scr_killcam", "1", cod("scr_killcam", "0"), "Killcam", "KillcamOFF");
    row("killcam 2", "cod", "scr_killcam", "1", cod("scr_killcam", "2"), "Killcam", "KillcamOFF");
    row("killcam no number", "cod", "scr_killcam", "1", cod("scr_killcam", "on"), "Killcam",
        "KillcamOFF");
    row("unknown variable keeps the fonts", "cod", "scr_friendlyfire", "2",
        "unknown command: scr_friendlyfire\n", "FriendlyFire", "FriendlyFireREFLECT");
    row("spectate type 2 is Free", "cod4", "scr_game_spectatetype", "0",
        cod4("scr_game_spectatetype", "2"), "SpectateType", "SpectateTypeFREE");
    row("spectate type 7 is Disable", "cod4", "scr_game_spectatetype", "2",
        cod4("scr_game_spectatetype", "7"), "SpectateType", "SpectateTypeDISABLE");
    row("a reply cut short keeps the field", "general", "sv_hostname", "Old",
        "\"sv_hostname\" is:", "txtServername", "Old^7");
}

// Two retrievals: the first sets a known state, the second brings the odd value.
void tst_SettingsDialogs::readBack()
{
    QFETCH(QString, form);
    QFETCH(QByteArray, query);
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, reply);
    QFETCH(QString, target);
    QFETCH(QString, shown);
    Rig rig(form, form == QLatin1String("general") ? QStringLiteral("cod") : form);
    rig.server.setCvar(query, before);
    QVERIFY(retrieve(rig));
    rig.server.setReply(query, reply);
    QVERIFY(retrieve(rig));
    QCOMPARE(rig.shown(target), QStringList{shown});
}

void tst_SettingsDialogs::clicks_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("field"); // filled before the click
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArrayList>("sent");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QStringList>("bold"); // of the group, after the click
    const auto row = [](const char *tag, const char *form, const char *kind, const char *field,
                        const char *text, const char *button, const QByteArrayList &sent,
                        const char *group = "", const QStringList &bold = {}) {
        QTest::newRow(tag) << form << kind << field << text << button << sent << group << bold;
    };
    row("Reflect on CoD", "cod", "cod", "", "", "cmdFriendlyFireREFLECT",
        {say("Friendlyfire set to REFLECT"), "setfriendlyfire 2"}, "FriendlyFire",
        {"FriendlyFireREFLECT"});
    row("server name quoted, blanks kept", "general", "cod", "txtServername", "My  Big Server",
        "cmdSetServername", {"sv_hostname \"My  Big Server\""});
    row("rcon password unquoted on UO", "general", "coduo", "txtRconPassword", "new pw",
        "cmdSetRconPassword", {"rconpassword new pw"});
    row("rcon password unquoted on CoD4", "general", "cod4", "txtRconPassword", "secret",
        "cmdSetRconPassword", {"rcon_password secret"});
    row("server name with a quote refused", "general", "cod", "txtServername", "a\"b",
        "cmdSetServername", {});
    row("team name with a quote sends neither", "general", "cod", "txtTeamNameAxis", "Red \"A\"",
        "cmdChangeTeamNames", {});
    row("Remove pass", "general", "cod2", "", "", "cmdRemoveServerPassword", {"g_password \"\""});
    row("console chat sent without announcement", "general", "cod", "", "", "cmdConsoleChatENABLED",
        {"sv_disableClientConsole 1"}, "ConsoleChat", {"ConsoleChatENABLED"});
    row("one Allow Vote pair leaves the other", "general", "cod", "", "", "cmdAllowVoteOFF",
        {say("Vote set to OFF"), "g_allowvote 0"}, "Vote", {});
    row("Killserver No", "general", "cod", "", "no", "cmdKillserver", {});
    row("Killserver Yes", "general", "cod", "", "yes", "cmdKillserver",
        {say("Server is shutting down"), "killserver"});
    row("CoD4 Sprint Time, two blanks", "cod4", "cod4", "txtSprintTime", "4", "cmdSetSprintTime",
        {"scr_player_sprinttime  4"});
    row("voice quality as a whole number", "cod2", "cod2", "slrVoiceChatQuality", "5",
        "cmdSetVoiceChatQuality", {"sv_voicequality 5"});
    row("Night time sends, fonts stay", "coduo", "coduo", "", "", "cmdNightTimeENABLE",
        {"sv_night 1"}, "NightTime", {});
}

void tst_SettingsDialogs::clicks()
{
    QFETCH(QString, form);
    QFETCH(QString, kind);
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, button);
    QFETCH(QByteArrayList, sent);
    QFETCH(QString, group);
    QFETCH(QStringList, bold);
    Rig rig(form, kind);
    if (field.startsWith(QLatin1String("slr")))
        rig.control<QSlider>(field)->setValue(text.toInt());
    else if (!field.isEmpty())
        rig.control<QLineEdit>(field)->setText(text);
    rig.recorder.answers.enqueue(text == QLatin1String("no") ? MsgAnswer::No : MsgAnswer::Yes);
    QTest::mouseClick(rig.control(button), Qt::LeftButton);
    // Whatever the click sent reaches the server before this.
    rig.session.SendCommand(QStringLiteral("marker"));
    QTRY_COMPARE(rig.server.commands(), sent + QByteArrayList{"marker"});
    if (!group.isEmpty())
        QCOMPARE(rig.shown(group), bold);
    // Only the kill-server question and a refused quote show a box.
    const bool killserver = button == QLatin1String("cmdKillserver");
    QCOMPARE(rig.recorder.boxes.size(), killserver || text.contains(QLatin1Char('"')) ? 1 : 0);
    if (killserver)
        QVERIFY(rig.recorder.last().title == "Killserver!"
                && rig.recorder.last().buttons == MsgButtons::YesNo);
}

// At real speed: the Axis name follows the Allies name after a second, not sooner.
void tst_SettingsDialogs::teamNamesOneSecondApart()
{
    Rig rig(QStringLiteral("general"), QStringLiteral("cod2"), 1.0);
    rig.control<QLineEdit>(QStringLiteral("txtTeamNameAxis"))->setText(QStringLiteral("Red Team"));
    QTest::mouseClick(rig.control(QStringLiteral("cmdChangeTeamNames")), Qt::LeftButton);
    QTRY_COMPARE(rig.server.commands(), (QByteArrayList{"g_teamname_allies \"Good Guys\"",
                                                        "g_teamname_axis \"Red Team\""}));
    const QList<ReceivedDatagram> got = rig.server.received();
    const qint64 gap = got[1].elapsedMs - got[0].elapsedMs;
    qInfo("team names %lld ms apart", gap);
    QVERIFY2(gap >= 990 && gap < 1300, qPrintable(QString::number(gap)));
}

// At real speed: one query every 600 ms, the first 300 ms after the click, "status" at 4.5 s.
// The timer keeps its schedule when a tick comes late, so each datagram is held to the schedule
// rather than to the one before it.
void tst_SettingsDialogs::retrievalCadence()
{
    Rig rig(QStringLiteral("cod"), QStringLiteral("cod"), 1.0);
    QElapsedTimer clock;
    clock.start();
    QVERIFY(retrieve(rig));
    const qint64 took = clock.elapsed();
    QTRY_COMPARE(rig.server.commands().size(), 8);
    const QList<ReceivedDatagram> got = rig.server.received();
    for (int i = 1; i < got.size(); ++i) {
        const qint64 at = got[i].elapsedMs - got[0].elapsedMs;
        QVERIFY2(at >= 600 * i - 20 && at < 600 * i + 150, qPrintable(QString::number(at)));
    }
    qInfo("retrieval took %lld ms", took);
    QVERIFY2(took >= 4500 && took < 5200, qPrintable(QString::number(took)));
}

void tst_SettingsDialogs::generalTabs_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("frames"); // shown by tabs 1 to 4
    const QStringList cod{"frameGeneral", "frameOther", "frameVoting", "frameCoDCoDUOCoD2"};
    const QStringList cod4{"frameGeneral", "frameOther", "frameNonCoD24", "frameNonCoD24"};
    QTest::newRow("coduo") << "coduo" << cod;
    QTest::newRow("cod4") << "cod4" << cod4;
}

void tst_SettingsDialogs::generalTabs()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, frames);
    Rig rig(QStringLiteral("general"), kind);
    auto *tabs = rig.control<QTabBar>(QStringLiteral("ts1"));
    auto *stack = rig.control<QStackedWidget>(QStringLiteral("stkFrames"));
    for (int i = 0; i < frames.size(); ++i) {
        tabs->setCurrentIndex(i);
        QCOMPARE(stack->currentWidget()->objectName(), frames[i]);
        QVERIFY(stack->currentWidget()->isVisible());
    }
}

void tst_SettingsDialogs::connectionWatch_data()
{
    QTest::addColumn<QString>("form");
    QTest::addColumn<bool>("watched");
    QTest::newRow("general") << "general" << true;
    QTest::newRow("coduo") << "coduo" << false;
    QTest::newRow("cod4") << "cod4" << true;
}

// Closed link: the retrieve button goes grey where the dialog watches. Where it does not, a
// retrieval runs through with a box from every query and from the closing "status", and a click
// still marks its button.
void tst_SettingsDialogs::connectionWatch()
{
    QFETCH(QString, form);
    QFETCH(bool, watched);
    Rig rig(form, form == QLatin1String("general") ? QStringLiteral("cod") : form);
    QPushButton *retrieveButton = rig.control(QStringLiteral("cmdGetServerInfo"));
    auto *watch = rig.window->findChild<QTimer *>(QStringLiteral("tmrCheckIfConnected"));
    QCOMPARE(watch && Clock::interval(watch) == 200, watched);
    QVERIFY(retrieveButton->isEnabled());
    rig.session.link()->close();
    if (watched) {
        QTRY_VERIFY(!retrieveButton->isEnabled());
        rig.session.link()->open();
        QTRY_VERIFY(retrieveButton->isEnabled());
        return;
    }
    QVERIFY(retrieve(rig));
    QCOMPARE(rig.recorder.boxes.size(), rig.window->retrievalPlan().reads.size() + 1);
    QVERIFY(retrieveButton->isVisible());
    QTest::mouseClick(rig.control(QStringLiteral("cmdKillcamOFF")), Qt::LeftButton);
    QCOMPARE(rig.shown(QStringLiteral("Killcam")), QStringList{"KillcamOFF"});
    QVERIFY(rig.server.received().isEmpty());
}

void tst_SettingsDialogs::openedFromMainWindow()
{
    Rig rig(QString(), QStringLiteral("cod2"));
    frmMain main(&rig.session);
    rig.session.setGameKind(QStringLiteral("cod2")); // the main window starts not connected
    main.cmdOptionsSettings->click();
    auto *cod2 = main.findChild<QWidget *>(QStringLiteral("frmDialogCoD2"));
    QVERIFY(cod2 && cod2->isVisible());
    main.mnuOptionsGameSettings[3]->trigger();
    QVERIFY(main.findChild<QWidget *>(QStringLiteral("frmDialogCoD4"))->isVisible());

    main.cmdOptionsGeneral->click();
    auto *general = main.findChild<QWidget *>(QStringLiteral("frmDialogGeneral"));
    QVERIFY(general && general->isVisible());
    general->findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
    QVERIFY(!general->isVisible());
    // Hidden, not gone: the same window, with what its fields held, comes back.
    main.mnuOptionsGeneral->trigger();
    QVERIFY(main.findChild<QWidget *>(QStringLiteral("frmDialogGeneral")) == general);
    QVERIFY(general->isVisible());
}

void tst_SettingsDialogs::cod4TabCaptionsFromLanguagePack()
{
    Rig rig(QString(), QStringLiteral("cod4"));
    WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Deutsch"));
    rig.env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                      "[frmDialogCoD4]\r\ntabGeneral=Allgemein\r\ntabSpecials=Spezial\r\n"
                      "tabWeapons=Waffen\r\ntabVoiceChat=Sprache\r\ntabClientSettings=Spieler\r\n");
    SettingsDialog dialog(*settingsTable(QStringLiteral("cod4")), &rig.session);
    auto *tabs = dialog.findChild<QTabWidget *>(QStringLiteral("ts1"));
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{"Allgemein", "Spezial", "Waffen", "Sprache", "Spieler"}));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Call of Duty 4"));
}

QTEST_MAIN(tst_SettingsDialogs)
#include "tst_settingsdialogs.moc"
