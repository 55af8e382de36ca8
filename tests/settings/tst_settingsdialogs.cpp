#include "ServerRig.h"

#include "platform/Clock.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"
#include "settings/GeneralTables.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsTables.h"
#include "settings/frmDialogGeneral.h"

#include <QLineEdit>
#include <QSlider>
#include <QTabWidget>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

// One dialog, "general" or the settings dialog of a game, on a session logged in to a fake
// server. Ten times faster leaves a retrieval 30 ms between a query and its read, which a busy
// machine still keeps.
struct Rig : ServerRig
{
    Rig(const QString &form, const QString &kind, double clockSpeed = 10.0)
        : ServerRig(kind, clockSpeed)
        , form(form)
    {
        if (form == "general"_L1)
            window = dialog = new frmDialogGeneral(&session);
        else
            window = dialog = new SettingsDialog(*settingsTable(form), &session);
        window->show();
    }

    // The row that makes a group, field or slider of the dialog.
    const SettingRow &row(const QString &target) const
    {
        QList<std::span<const SettingRow>> parts;
        if (form == "general"_L1) {
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
            if (control(u"cmd"_s + name)->font().bold())
                bold << name;
        }
        return bold;
    }

    QString form;
    SettingsWindow *dialog = nullptr;
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
    QTest::mouseClick(rig.control(u"cmdGetServerInfo"_s), Qt::LeftButton);
    const QPushButton *ok = rig.control(u"cmdOK"_s);
    return ok->isHidden() && waitUntil([ok] { return !ok->isHidden(); });
}

} // namespace

class tst_SettingsDialogs : public QObject
{
    Q_OBJECT
private slots:
    void retrieval_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("ticks");
        QTest::addColumn<QByteArray>("passwordQuery");
        const auto row = [](const char *form, const char *kind, int ticks, const char *password) {
            QTest::addRow("%s %s", form, kind) << form << kind << ticks << QByteArray(password);
        };
        row("general", "cod", 67, "rconPassword");
        row("general", "cod2", 40, "rcon_Password");
        row("cod", "cod", 15, nullptr);
        row("coduo", "coduo", 37, nullptr);
        row("cod2", "cod2", 41, nullptr);
        row("cod4", "cod4", 85, nullptr);
    }

    // Every variable gets its own value on the server; the retrieval must put each where it
    // belongs, ask in order one step apart, and end with a fresh console and "status".
    void retrieval()
    {
        QFETCH(QString, form);
        QFETCH(QString, kind);
        QFETCH(QByteArray, passwordQuery);
        Rig rig(form, kind);
        const SettingsWindow::RetrievalPlan plan = rig.dialog->retrievalPlan();

        QList<QByteArray> asked;
        QHash<QString, QStringList> expected;
        for (int i = 0; i < plan.reads.size(); ++i) {
            const SettingsWindow::Read &read = plan.reads[i];
            asked << read.query.toLatin1();
            const SettingRow &row = rig.row(read.targets.first());
            // Another rcon password would lock us out for the rest of the retrieval.
            QByteArray value = read.targets.first() == "txtRconPassword"_L1
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

        QSignalSpy tick(rig.control<QTimer>(u"tmrGetServerInfo"_s), &QTimer::timeout);
        QVERIFY(retrieve(rig));
        QTEST(int(tick.count()), "ticks");
        QTRY_COMPARE(rig.server.commands(), asked + QList<QByteArray>{"status"});
        QVERIFY(!rig.session.console()->text().contains(plan.reads.first().query));
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            QCOMPARE(rig.shown(it.key()), it.value());
    }

    void readBack_data()
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
        const auto row
            = [](const char *tag, const char *form, const char *query, const char *before,
                 const QByteArray &reply, const char *target, const char *shown) {
                  QTest::newRow(tag) << form << QByteArray(query) << QByteArray(before) << reply
                                     << target << shown;
              };
        row("friendly fire 5 changes nothing", "cod", "scr_friendlyfire", "2",
            cod("scr_friendlyfire", "5"), "FriendlyFire", "FriendlyFireREFLECT");
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
    void readBack()
    {
        QFETCH(QString, form);
        QFETCH(QByteArray, query);
        QFETCH(QByteArray, before);
        QFETCH(QByteArray, reply);
        QFETCH(QString, target);
        QFETCH(QString, shown);
        Rig rig(form, form == "general"_L1 ? u"cod"_s : form);
        rig.server.setCvar(query, before);
        QVERIFY(retrieve(rig));
        rig.server.setReply(query, reply);
        QVERIFY(retrieve(rig));
        QCOMPARE(rig.shown(target), QStringList{shown});
    }

    void clicks_data()
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
            {ServerRig::announced("Friendlyfire set to REFLECT"), "setfriendlyfire 2"},
            "FriendlyFire", {"FriendlyFireREFLECT"});
        row("server name quoted, blanks kept", "general", "cod", "txtServername", "My  Big Server",
            "cmdSetServername", {"sv_hostname \"My  Big Server\""});
        row("rcon password unquoted on CoD4", "general", "cod4", "txtRconPassword", "secret",
            "cmdSetRconPassword", {"rcon_password secret"});
        row("team names, the Allies' first", "general", "cod2", "txtTeamNameAxis", "Red Team",
            "cmdChangeTeamNames",
            {"g_teamname_allies \"Good Guys\"", "g_teamname_axis \"Red Team\""});
        row("team name with a quote sends neither", "general", "cod", "txtTeamNameAxis",
            "Red \"A\"", "cmdChangeTeamNames", {});
        row("Remove pass", "general", "cod2", "", "", "cmdRemoveServerPassword",
            {"g_password \"\""});
        row("console chat sent without announcement", "general", "cod", "", "",
            "cmdConsoleChatENABLED", {"sv_disableClientConsole 1"}, "ConsoleChat",
            {"ConsoleChatENABLED"});
        row("one Allow Vote pair leaves the other", "general", "cod", "", "", "cmdAllowVoteOFF",
            {ServerRig::announced("Vote set to OFF"), "g_allowvote 0"}, "Vote", {});
        row("Killserver No", "general", "cod", "", "no", "cmdKillserver", {});
        row("Killserver Yes", "general", "cod", "", "yes", "cmdKillserver",
            {ServerRig::announced("Server is shutting down"), "killserver"});
        row("voice quality as a whole number", "cod2", "cod2", "slrVoiceChatQuality", "5",
            "cmdSetVoiceChatQuality", {"sv_voicequality 5"});
        row("Night time sends, fonts stay", "coduo", "coduo", "", "", "cmdNightTimeENABLE",
            {"sv_night 1"}, "NightTime", {});
    }

    void clicks()
    {
        QFETCH(QString, form);
        QFETCH(QString, kind);
        QFETCH(QString, field);
        QFETCH(QString, text);
        QFETCH(QString, button);
        QFETCH(QString, group);
        Rig rig(form, kind);
        if (!field.isEmpty())
            fill(rig.window, {field + u'=' + text});
        rig.boxes.answers.enqueue(text == "no"_L1 ? MsgAnswer::No : MsgAnswer::Yes);
        QTest::mouseClick(rig.control(button), Qt::LeftButton);
        QTEST(rig.commandsUpToNow(), "sent");
        if (!group.isEmpty())
            QTEST(rig.shown(group), "bold");
        // Only the kill-server question and a refused quote show a box.
        const bool killserver = button == "cmdKillserver"_L1;
        QCOMPARE(rig.boxes.boxes.size(), killserver || text.contains(QLatin1Char('"')) ? 1 : 0);
        if (killserver)
            QVERIFY(rig.boxes.last().title == "Killserver!"
                    && rig.boxes.last().buttons == MsgButtons::YesNo);
    }

    // At real speed: one query every 600 ms, the first 300 ms after the click, "status" at 4.5 s.
    // The timer keeps its schedule when a tick comes late, so each datagram is held to the schedule
    // rather than to the one before it.
    void retrievalCadence()
    {
        Rig rig(u"cod"_s, u"cod"_s, 1.0);
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

    // A vehicle's switch is about as wide as its caption needs, not stretched over the tab.
    void vehicleSwitchesKeepTheirWidth()
    {
        Rig rig(u"coduo"_s, u"coduo"_s);
        rig.window->findChild<QTabWidget *>(u"ts1"_s)->setCurrentIndex(2);
        QPushButton *flak = rig.control(u"cmdEnable_flak88"_s);
        QVERIFY(flak->isVisible());
        QVERIFY(flak->width() < 2 * flak->sizeHint().width());
    }

    void connectionWatch_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<bool>("watched");
        QTest::newRow("general") << "general" << true;
        QTest::newRow("coduo") << "coduo" << false;
    }

    // Closed link: the retrieve button goes grey where the dialog watches. Where it does not, a
    // retrieval runs through with a box from every query and from the closing "status", and a click
    // still marks its button.
    void connectionWatch()
    {
        QFETCH(QString, form);
        QFETCH(bool, watched);
        Rig rig(form, form == "general"_L1 ? u"cod"_s : form);
        QPushButton *retrieveButton = rig.control(u"cmdGetServerInfo"_s);
        auto *watch = rig.window->findChild<QTimer *>(u"tmrCheckIfConnected"_s);
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
        QCOMPARE(rig.boxes.boxes.size(), rig.dialog->retrievalPlan().reads.size() + 1);
        QVERIFY(retrieveButton->isVisible());
        QTest::mouseClick(rig.control(u"cmdKillcamOFF"_s), Qt::LeftButton);
        QCOMPARE(rig.shown(u"Killcam"_s), QStringList{"KillcamOFF"});
        QVERIFY(rig.server.received().isEmpty());
    }
};

QTEST_MAIN(tst_SettingsDialogs)
#include "tst_settingsdialogs.moc"
