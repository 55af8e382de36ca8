#include "ServerRig.h"

#include "admin/frmDialogKickCenter.h"
#include "admin/frmLog.h"
#include "mainwindow/frmMain.h"
#include "platform/Clock.h"
#include "platform/ConsoleBox.h"
#include "platform/ConsoleText.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QTreeWidget>
#include <QtTest>

namespace {

// The Kick Center on a fake server, the clock ten times faster: the one-second pause before a
// removal takes 100 ms.
struct Rig : ServerRig
{
    explicit Rig(FakeGame game = FakeGame::CoD2)
        : ServerRig(game, 10.0)
    {
        reopen();
    }
    void reopen()
    {
        delete window;
        window = new frmDialogKickCenter(&session);
    }
    QTreeWidget *loadPlayers() const
    {
        control("cmdGetPlayerInfo")->click();
        [&] { QTRY_VERIFY(!control<QTimer>("tmrGetPlayerInfo")->isActive()); }();
        return control<QTreeWidget>("lv1");
    }
};

} // namespace

class tst_KickCenter : public QObject
{
    Q_OBJECT

private slots:
    void playerList_data()
    {
        QTest::addColumn<FakeGame>("game");
        QTest::newRow("cod") << FakeGame::CoD;
        QTest::newRow("cod4") << FakeGame::CoD4;
    }

    // All nine columns of every row the server printed, a name with blanks among them. The player
    // whose 22-character address runs into the qport and CoD4's bot without a guid are not players
    // to the shared parser; the empty line closing the table adds nothing.
    void playerList()
    {
        QFETCH(FakeGame, game);
        Rig rig(game);
        QStringList expected;
        for (const FakePlayer &p : fakeDefaultPlayers(game)) {
            if (p.address.size() >= 22 || p.guid.isEmpty())
                continue;
            const QString ping = p.ping < 0 ? u"CNCT"_s : QString::number(p.ping);
            // The shared parser reads runs of blanks in a name as one blank.
            expected << u"%1|%2|%3|%4|%5|%6|%7|%8|%9"_s.arg(
                QString::number(p.slot), QString::number(p.score), ping,
                QString::fromLatin1(p.guid), QString::fromLatin1(p.name + "^7").simplified(),
                QString::number(p.lastmsg), QString::fromLatin1(p.address),
                QString::number(p.qport), QString::number(p.rate));
        }
        QCOMPARE(expected.size(), 5);
        rig.session.console()->append(u"before the request"_s);
        QCOMPARE(rowsOf(rig.loadPlayers()->model()), expected);
        QVERIFY(!rig.session.console()->text().contains(u"before the request"_s));
    }

    void removals_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("row"); // -1: none selected
        QTest::addColumn<bool>("noReason");
        QTest::addColumn<bool>("plainName"); // [KickCenter] NameWithoutEndColour
        QTest::addColumn<QByteArray>("deed");
        QTest::addColumn<QByteArray>("command");
        // The second player on the server: slot 1, ^1Red^7Baron (listed with status's ^7 at its
        // end), 82.16.4.200:28960.
        const char *const table[][3] = {
            {"cmdClientKick", " is kicked by ", "clientkick \"1\""},
            {"cmdClientTempBan", " is temporary banned by ", "tempBanClient \"1\""},
            {"cmdNameKick", " is kicked by ", "kick \"^1Red^7Baron^7\""},
            {"cmdNameBan", " is banned by ", "banUser \"^1Red^7Baron^7\""},
            {"cmdIPBan", " is banned by ", "g_banIPs \"82.16.4.200:28960\""},
        };
        for (const auto &r : table)
            QTest::newRow(r[0]) << r[0] << 1 << false << false << QByteArray(r[1])
                                << QByteArray(r[2]);
        QTest::newRow("cmdClientTempBan, no reason")
            << "cmdClientTempBan" << 1 << true << false << QByteArray(" is temporary banned by ")
            << QByteArray("tempBanClient \"1\"");
        QTest::newRow("cmdNameBan, name without its end colour")
            << "cmdNameBan" << 1 << false << true << QByteArray(" is banned by ")
            << QByteArray("banUser \"^1Red^7Baron\"");
        QTest::newRow("cmdClientKick, no row selected")
            << "cmdClientKick" << -1 << false << false << QByteArray(" is kicked by ")
            << QByteArray("clientkick \"\"");
    }

    // The announcement at once, the command a second later; the player is gone from the server when
    // the command names him as the server knows him.
    void removals()
    {
        QFETCH(QString, button);
        QFETCH(int, row);
        QFETCH(bool, noReason);
        QFETCH(bool, plainName);
        QFETCH(QByteArray, deed);
        QFETCH(QByteArray, command);
        Rig rig;
        if (plainName)
            rig.env.writeFile(u"Preferences.ini"_s, "[KickCenter]\r\nNameWithoutEndColour=1\r\n");
        QTreeWidget *lv1 = rig.loadPlayers();
        if (row >= 0)
            lv1->setCurrentItem(lv1->topLevelItem(row));
        rig.control<QComboBox>("cbReason")->setCurrentText(u"team killing"_s);
        rig.control<QCheckBox>("ckNoReason")->setChecked(noReason);
        QTRY_COMPARE_WITH_TIMEOUT(rig.control<QComboBox>("cbReason")->isHidden(), noReason, 100);
        rig.server.clearReceived();

        rig.control(button)->click();
        const QByteArray player = row >= 0 ? "^1Red^7Baron^7" : "";
        const QByteArray tail = noReason ? " ^4||" : " ^4Reason: ^7team killing ^4||";
        QCOMPARE(rig.commandsUpToNow(),
                 QList<QByteArray>({"Say ^4||^7 " + player + deed + "Admin" + tail, command}));
        const QList<ReceivedDatagram> got = rig.server.received();
        QCOMPARE(got[1].bytes, ServerRig::datagram(command));
        const double gap = double(got[1].elapsedMs - got[0].elapsedMs) * Clock::speed();
        QVERIFY2(gap >= 950 && gap <= 1600, qPrintable(QString::number(gap)));
        if (button == "cmdIPBan"_L1)
            QCOMPARE(rig.server.cvar("g_banIPs"), QByteArray("82.16.4.200:28960"));
        else // only the server's own spelling of a name finds its player
            QCOMPARE(rig.server.players().size() + (row >= 0 && !command.endsWith("^7\"")),
                     fakeDefaultPlayers(FakeGame::CoD2).size());
        QCOMPARE(rig.env.readFile(u"Logs/KickCenter/Reason.log"_s), QByteArray("team killing\r\n"));
    }

    // Every reason used, in order, duplicates and empty ones too, on disk and after reopening, also
    // while not connected, where both sends of a removal say so. Kick All asks first; No sends
    // nothing, Yes only the announcement, and adds no reason. "Set" sends the ban time as typed.
    void reasonsAndKickAll()
    {
        Rig rig;
        rig.env.writeFile(u"Logs/KickCenter/Reason.log"_s, "old\r\n");
        rig.reopen();
        QTreeWidget *lv1 = rig.loadPlayers();
        for (const char *reason : {"camping", "camping", ""}) {
            lv1->setCurrentItem(lv1->topLevelItem(0));
            rig.control<QComboBox>("cbReason")->setCurrentText(QLatin1String(reason));
            rig.control("cmdClientKick")->click();
        }
        rig.commandsUpToNow(); // every removal has arrived
        rig.server.clearReceived();
        rig.boxes.answers.enqueue(MsgAnswer::No);
        rig.control("cmdKickAll")->click();
        rig.control("cmdKickAll")->click();
        rig.control<QLineEdit>("txtKickBanTime")->clear();
        rig.control("cmdKickBanTime")->click();
        QCOMPARE(rig.boxes.boxes.size(), 2);
        QCOMPARE(
            rig.commandsUpToNow(),
            QList<QByteArray>({"Say ^4||^7 Everybody will be kicked by Admin ^4Reason: ^7 ^4||",
                               "sv_kickBanTime "}));
        rig.session.link()->close();
        rig.control<QComboBox>("cbReason")->setCurrentText(u"afk"_s);
        rig.control("cmdNameKick")->click();
        QCOMPARE(rig.boxes.boxes.size(), 4);
        QCOMPARE(rig.boxes.last().title, u"Not connected"_s);
        QCOMPARE(rig.env.readFile(u"Logs/KickCenter/Reason.log"_s),
                 QByteArray("old\r\ncamping\r\ncamping\r\n\r\nafk\r\n"));
        for (int pass = 0; pass < 2; ++pass, rig.reopen())
            QCOMPARE(rowsOf(rig.control<QComboBox>("cbReason")->model()),
                     QStringList({"old", "camping", "camping", "", "afk"}));
    }

    void banList_data()
    {
        QTest::addColumn<QString>("server"); // "up" or "refusing" (wrong password)
        QTest::addColumn<bool>("reload");    // [KickCenter] BanListReload
        QTest::addColumn<QStringList>("bans");
        QTest::addColumn<QString>("box");
        // Fetched twice while up: the list grows by the file's lines from the third on, split at
        // CR LF only; or, reloading, shows the file's lines once.
        const QStringList asSplit{"123456 Big Player\n^1Red^7Baron", "", ""};
        QTest::newRow("up") << "up" << false << asSplit + asSplit << QString();
        QTest::newRow("up, reload")
            << "up" << true << QStringList{"123456 Big Player", "^1Red^7Baron", ""} << QString();
        QTest::newRow("refusing") << "refusing" << false << QStringList{} << "refused the login";
    }

    // The profile's FTP settings fetch ban.txt from its logs directory; lines 3 on are the list.
    void banList()
    {
        QFETCH(QString, server);
        QFETCH(bool, reload);
        QFETCH(QString, box);
        const QString python = u"/usr/bin/python3"_s;
        if (QProcess::execute(python, {u"-c"_s, u"import pyftpdlib"_s}))
            QSKIP("python3-pyftpdlib is not installed");
        Rig rig;
        const QByteArray banFile
            = "// banned players\r\n//\r\n123456 Big Player\n^1Red^7Baron\r\n\r\n";
        rig.env.writeFile(u"ftp/main/ban.txt"_s, banFile);
        if (reload)
            rig.env.writeFile(u"Preferences.ini"_s, "[KickCenter]\r\nBanListReload=1\r\n");
        QProcess ftp;
        const auto stop = qScopeGuard([&ftp] { ftp.kill(), ftp.waitForFinished(); });
        ftp.start(python, {QFINDTESTDATA("../support/ftp_server.py"), rig.env.path() + "/ftp",
                           u"admin"_s, u"s3cret"_s});
        QVERIFY(ftp.waitForStarted() && ftp.waitForReadyRead(10000));
        const int port = ftp.readLine().trimmed().toInt();
        rig.session.setProfile(u"My Server"_s);
        rig.env.writeFile(u"Profiles/My Server/Preferences.ini"_s,
                          "[FTP Settings]\r\nIP=127.0.0.1\r\nPort=" + QByteArray::number(port)
                              + "\r\nUsername=admin\r\nPassword="
                              + (server == "refusing"_L1 ? "guess" : "s3cret")
                              + "\r\nLogsDirectory=/main/\r\n");

        auto *get = rig.control("cmdGetBanList");
        for (int fetch = 0; fetch < (box.isEmpty() ? 2 : 1); ++fetch) {
            get->click();
            QVERIFY(!get->isEnabled()); // the window goes on working while the file comes
            QTRY_VERIFY_WITH_TIMEOUT(get->isEnabled(), 20000);
        }
        QTEST(rowsOf(rig.control<QListWidget>("lstBans")->model()), "bans");
        QCOMPARE(rig.boxes.boxes.size(), box.isEmpty() ? 0 : 1);
        QVERIFY2(rig.boxes.last().text.contains(box), qPrintable(rig.boxes.last().text));
        QCOMPARE(rig.env.readFile(u"Tempfiles/ban.txt"_s), box.isEmpty() ? banFile : QByteArray());
    }

    // "status" every N seconds; a second later the console as it then stands replaces the log.
    void captureCycle()
    {
        Rig rig;
        Clock::setSpeed(5.0); // 200 ms for the second between request and snapshot
        frmLog log(&rig.session);
        control<QLineEdit>(&log, "txtSec")->setText(u"2 s"_s);
        control(&log, "cmdStart")->click();
        QCOMPARE(rig.boxes.last().text, u"Enter a number in the Seconds box!"_s);
        QVERIFY(!log.isLogging() && control(&log, "cmdStop")->isEnabled());
        control<QLineEdit>(&log, "txtSec")->setText(u"2"_s);
        control<QLineEdit>(&log, "txtSave")->setText(u"my log"_s);
        QElapsedTimer clock;
        QList<qint64> statusAt, writtenAt;
        QList<QByteArray> written, console;
        connect(&rig.server, &FakeGameServer::datagramReceived, this,
                [&](const ReceivedDatagram &) { statusAt << clock.elapsed(); });
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            QFile f(rig.env.path() + u"/Logs/Console/my log.log"_s);
            if (!f.open(QIODevice::ReadOnly)
                || (!written.isEmpty() && f.peek(1 << 20) == written.last()))
                return;
            writtenAt << clock.elapsed();
            written << f.readAll();
            console << rig.session.console()->midBytes(0, rig.session.console()->size());
        });
        poll.start(1);
        clock.start();
        control(&log, "cmdStart")->click();
        QVERIFY(!control<QLineEdit>(&log, "txtSec")->isEnabled()
                && !control(&log, "cmdClose")->isEnabled());
        QTRY_COMPARE_WITH_TIMEOUT(written.size(), 2, 5000);
        // Not connected: the send says so, and the console, emptied meanwhile, is still captured.
        rig.session.link()->close();
        rig.session.console()->clear();
        QTRY_COMPARE_WITH_TIMEOUT(written.size(), 3, 5000);
        QCOMPARE(written[2], QByteArray("\r\n"));
        QCOMPARE(rig.boxes.last().title, u"Not connected"_s);
        control(&log, "cmdStop")->click();
        // Logs written meanwhile are listed when the window opens again.
        QCOMPARE(control<QListWidget>(&log, "lstLogs")->count(), 0);

        QCOMPARE(rig.server.commands().mid(0, 2), QList<QByteArray>({"status", "status"}));
        const double cycle = double(statusAt[1] - statusAt[0]) * Clock::speed();
        QVERIFY2(cycle >= 1900 && cycle <= 2500, qPrintable(QString::number(cycle)));
        for (int i = 0; i < 2; ++i) {
            const double delay = double(writtenAt[i] - statusAt[i]) * Clock::speed();
            QVERIFY2(delay >= 900 && delay <= 1500, qPrintable(QString::number(delay)));
            QCOMPARE(written[i], console[i] + "\r\n");
            QCOMPARE(written[i].count("\r\nnum score ping guid"), i + 1);
        }
    }

    // A one-second cycle captures too, and a log that cannot be written says so in a line of the
    // window's own width: the whole path once widened the window past the screen, out of reach of
    // Stop.
    void aFailedCaptureKeepsTheWindowsWidth()
    {
        Rig rig;
        frmLog log(&rig.session);
        log.show();
        QVERIFY(QTest::qWaitForWindowExposed(&log));
        const int width = log.width();
        control<QLineEdit>(&log, "txtSec")->setText(u"1"_s);
        control<QLineEdit>(&log, "txtSave")->setText(QString(300, u'L')); // no file name so long
        control(&log, "cmdStart")->click();
        QTRY_VERIFY_WITH_TIMEOUT(
            log.findChild<QLabel *>(u"lblLastCapture"_s)->text().startsWith(u"Could not write"_s),
            2000);
        QCOMPARE(log.width(), width);
    }

    // Listed at opening, shown in the viewer, removed.
    void logsViewedAndRemoved()
    {
        Rig rig;
        rig.env.writeFile(u"Logs/Console/b.log"_s, "bee\r\n");
        rig.env.writeFile(u"Logs/Console/a b.log"_s, "\r\nfirst\r\n\xE9t\xE9\r\n");
        rig.env.writeFile(u"Logs/Console/notes.txt"_s, "not a log");
        frmMain main(&rig.session);
        // The console keeps its command history in the same folder.
        QFile::remove(rig.env.path() + u"/Logs/Console/Commands.log"_s);
        main.mnuExtraLogger->trigger();
        auto *log = main.findChild<frmLog *>(u"frmLog"_s);
        QVERIFY(log && log->isVisible());
        auto *list = control<QListWidget>(log, "lstLogs");
        QCOMPARE(rowsOf(list->model()), QStringList({"a b", "b"}));
        QPushButton *view = control(log, "cmdViewLog"), *remove = control(log, "cmdRemoveLog");
        QVERIFY(!view->isEnabled() && !remove->isEnabled());

        list->setCurrentRow(0);
        QTRY_VERIFY_WITH_TIMEOUT(view->isEnabled() && remove->isEnabled(), 100);
        view->click();
        auto *viewer = main.findChild<QWidget *>(u"frmLogViewer"_s);
        QVERIFY(viewer && viewer->isVisible());
        QCOMPARE(control<ConsoleBox>(viewer, "rtb1")->text(), u"\r\nfirst\r\nété\r\n"_s);
        rig.boxes.fileAnswers.enqueue(rig.env.path() + u"/Logs/Console/gone.log"_s);
        control<QAction>(viewer, "mnuOpen")->trigger();
        QCOMPARE(rig.boxes.last().title, u"Sorry"_s);

        QFile::remove(rig.env.path() + u"/Logs/Console/b.log"_s); // gone meanwhile
        list->setCurrentRow(1);
        remove->click();
        QCOMPARE(rig.boxes.last().text, u"Error deleting file."_s);
        list->setCurrentRow(0);
        remove->click();
        QCOMPARE(rig.boxes.boxes.size(), 2);
        QVERIFY(rig.env.readFile(u"Logs/Console/a b.log"_s).isNull());
        QCOMPARE(rowsOf(list->model()), QStringList());
        QTRY_VERIFY_WITH_TIMEOUT(!view->isEnabled(), 100);
    }
};

QTEST_MAIN(tst_KickCenter)
#include "tst_kickcenter_logger.moc"
