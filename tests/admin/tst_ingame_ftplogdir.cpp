#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "admin/frmFTPLogDir.h"
#include "admin/frmIngame.h"
#include "config/AppInfo.h"
#include "mainwindow/DialogOpeners.h"
#include "mainwindow/ShortcutKeys.h"
#include "mainwindow/frmMain.h"
#include "platform/FtpClient.h"
#include "platform/KeyState.h"
#include "platform/OnTop.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"
#include "settings/frmPreferences.h"

#include <QTcpServer>
#include <QtTest>
#include <QtWidgets>

namespace {

template<typename T = QPushButton> T *control(const QObject *window, const char *name)
{
    return window->findChild<T *>(QLatin1String(name));
}

// A session logged in to a fake CoD2 server with two players (a name with two blanks, a CP1251
// name), on the clock twenty times faster, the keyboard held by the test, every box answered.
struct IngameRig
{
    IngameRig()
    {
        server.setPassword("pw");
        server.setPlayers({{0, 5, 40, "123", "Big  Player", 0, "10.0.0.1:28960", 111, 25000, {}},
                           {3, 1, 80, "456", "\xc8\xe2\xe0\xed", 0, "10.0.0.2:2", 2, 25000, {}}});
        server.start(0);
        session.setPassword(QStringLiteral("pw"));
        session.setAdminName(QStringLiteral("Admin"));
        session.link()->setRemoteHost(QStringLiteral("127.0.0.1"));
        session.link()->setRemotePort(server.port());
        session.link()->open();
        KeyState::setOverride([this](int key) { return held.contains(key); });
    }
    ~IngameRig()
    {
        KeyState::setOverride({});
        server.stop();
    }
    // Every command the server got, up to a marker sent now.
    QList<QByteArray> commandsUpToNow()
    {
        session.SendCommand(QStringLiteral("marker"));
        if (!QTest::qWaitFor([this] { return server.commands().endsWith("marker"); }))
            return {"the marker never arrived"};
        return server.commands().mid(0, server.commands().size() - 1);
    }
    QComboBox *loadPlayers(QWidget *window)
    {
        control(window, "cmdLoadPList")->click();
        [&] { QTRY_VERIFY(!control<QTimer>(window, "tmrLoadList")->isActive()); }();
        return control<QComboBox>(window, "cbAddNick");
    }

    TestProgramDir env{20.0};
    DialogRecorder boxes;
    FakeGameServer server{FakeGame::CoD2};
    RconSession session;
    QList<int> held;
};

} // namespace

class tst_IngameFtpLogDir : public QObject
{
    Q_OBJECT

    QTemporaryDir m_root;
    QProcess m_ftpServer;
    int m_ftpPort = 0; // 0: no pyftpdlib here

private slots:
    // pyftpdlib on 127.0.0.1 serving  ban.txt  main/readme.txt  main/logs/games_mp.log
    void initTestCase()
    {
        const QString python = QStringLiteral("/usr/bin/python3");
        if (QProcess::execute(python, {QStringLiteral("-c"), QStringLiteral("import pyftpdlib")}))
            return;
        QVERIFY(QDir(m_root.path()).mkpath(QStringLiteral("main/logs")));
        for (const char *name : {"/ban.txt", "/main/readme.txt", "/main/logs/games_mp.log"})
            QVERIFY(QFile(m_root.path() + QLatin1String(name)).open(QIODevice::WriteOnly));
        m_ftpServer.start(python, {QFINDTESTDATA("../support/ftp_server.py"), m_root.path(),
                                   QStringLiteral("admin"), QStringLiteral("s3cret")});
        QVERIFY(m_ftpServer.waitForStarted() && m_ftpServer.waitForReadyRead(10000));
        m_ftpPort = m_ftpServer.readLine().trimmed().toInt();
    }
    void cleanupTestCase()
    {
        m_ftpServer.kill();
        m_ftpServer.waitForFinished();
    }

    // From the preferences' "..." button two directories down to games_mp.log,
    // whose directory lands in the preferences.
    void walksToTheLogDirectory()
    {
        if (!m_ftpPort)
            QSKIP("python3-pyftpdlib is not installed");
        TestProgramDir env(20.0);
        DialogRecorder boxes;
        RconSession session;
        session.setProfile(QStringLiteral("srv"));
        frmMain main(&session);
        frmPreferences *prefs = main.dialogs->showPreferences(frmPreferences::Server);
        control<QLineEdit>(prefs, "txtFTPIP")->setText(QStringLiteral("127.0.0.1"));
        control<QLineEdit>(prefs, "txtFTPPort")->setText(QString::number(m_ftpPort));
        control<QLineEdit>(prefs, "txtFTPUsername")->setText(QStringLiteral("admin"));
        control<QLineEdit>(prefs, "txtFTPPassword")->setText(QStringLiteral("s3cret"));
        prefs->cmdFTPSetDir->click();

        QPointer<QWidget> browser = main.findChild<QWidget *>(QStringLiteral("frmFTPLogDir"));
        QVERIFY(browser && browser->isVisible());
        auto *list = control<QListWidget>(browser, "lstRemoteFile");
        auto *lblDir = control<QLabel>(browser, "lblDir");
        QStringList statuses; // as the window shows them, state by state
        connect(control<FtpClient>(browser, "inetFTP"), &FtpClient::stateChanged, this,
                [&] { statuses << control<QLabel>(browser, "lblStatus")->text(); });
        const auto activate = [list](const QString &entry) {
            QListWidgetItem *item = list->findItems(entry, Qt::MatchExactly).value(0);
            if (item)
                emit list->itemDoubleClicked(item);
            return item != nullptr;
        };

        QTRY_COMPARE(list->count(), 2);
        for (int s = FtpClient::ResolvingHost; s <= FtpClient::ResponseReceived; ++s)
            QVERIFY2(statuses.contains(FtpClient::stateText(s)), qPrintable(statuses.join(u',')));
        QVERIFY(activate(QStringLiteral("main/")));
        QVERIFY(activate(QStringLiteral("main/"))); // while the CD runs: ignored
        QTRY_VERIFY(activate(QStringLiteral("logs/")));
        QCOMPARE(lblDir->text(), QStringLiteral("/main/logs/"));
        QTRY_VERIFY(activate(QStringLiteral("games_mp.log")));
        QTRY_VERIFY(!browser);
        QCOMPARE(prefs->lblFTPLogsDirectory->text(), QStringLiteral("/main/logs/"));
        // Only what ends in a line end is an entry.
        QCOMPARE(frmFTPLogDir::listingEntries("main\r\ngames_mp.log"),
                 QStringList(QStringLiteral("main")));
    }

    void ftpFailures_data()
    {
        // "ftp", "down" (nobody listens), "mute" (never greets), "none" (no address typed)
        QTest::addColumn<QString>("server");
        QTest::addColumn<QString>("reason");
        QTest::newRow("refused login") << QStringLiteral("ftp") << "refused the login";
        QTest::newRow("server down") << QStringLiteral("down") << "is down or refuses";
        // A minute on the clock ten times faster (a refused login is told after 3 s).
        QTest::newRow("time-out") << QStringLiteral("mute") << "did not answer within 6 s";
        QTest::newRow("no address") << QStringLiteral("none") << "No FTP address";
    }
    // Each failure shows in the status line and in a box of the browser's.
    void ftpFailures()
    {
        QFETCH(QString, server);
        QFETCH(QString, reason);
        if (server == QLatin1String("ftp") && !m_ftpPort)
            QSKIP("python3-pyftpdlib is not installed");
        TestProgramDir env(10.0);
        DialogRecorder boxes;
        QTcpServer other;
        QVERIFY(other.listen(QHostAddress::LocalHost));
        if (server == QLatin1String("down"))
            other.close();
        const int port = server == QLatin1String("ftp") ? m_ftpPort : other.serverPort();
        const QString host
            = server == QLatin1String("none") ? QStringLiteral(" ") : QStringLiteral("127.0.0.1");
        frmFTPLogDir browser({host, port, QStringLiteral("admin"), QStringLiteral("guess")});
        browser.show();

        QTRY_COMPARE_WITH_TIMEOUT(boxes.boxes.size(), 1, 15000);
        QVERIFY2(boxes.last().text.contains(reason), qPrintable(boxes.last().text));
        QCOMPARE(boxes.last().icon, MsgIcon::Critical);
        QCOMPARE(control<QLabel>(&browser, "lblStatus")->text(), boxes.last().text);
    }

    void ingameCommands_data()
    {
        QTest::addColumn<QString>("button");    // "Enter": Enter in the message box
        QTest::addColumn<int>("player");        // in the player list, -1: none picked
        QTest::addColumn<QByteArray>("onSend"); // [Messages] IngameMessOnSend
        QTest::addColumn<QByteArray>("sent");   // empty: nothing, but a box
        const QByteArray version = AppInfo::version().toLatin1();
        QTest::newRow("say") << "Command4" << -1 << QByteArray("0")
                             << "Say ^7Vantor " + version + " ^4|| Admin says: ^7hi \"all\"";
        QTest::newRow("say by Enter, no program name")
            << "Enter" << 0 << QByteArray("1") << QByteArray("Say ^4Admin says: ^7hi \"all\"");
        QTest::newRow("PM") << "cmdSendPM" << 1 << QByteArray()
                            << QByteArray("tell 3 ^3hi \"all\"");
        QTest::newRow("kick, raw bytes")
            << "cmdKickPL" << 1 << QByteArray() << QByteArray("kick \"\xc8\xe2\xe0\xed^7\"");
        QTest::newRow("ban, blanks")
            << "cmdBanPL" << 0 << QByteArray() << QByteArray("banUser \"Big Player^7\"");
        for (const char *b : {"cmdSendPM", "cmdKickPL", "cmdBanPL"})
            QTest::addRow("%s, nobody picked", b) << b << -1 << QByteArray() << QByteArray();
    }
    // The players come from "status"; each button sends its bytes, or asks for a player first.
    void ingameCommands()
    {
        QFETCH(QString, button);
        QFETCH(int, player);
        QFETCH(QByteArray, onSend);
        QFETCH(QByteArray, sent);
        IngameRig rig;
        rig.env.writeFile(QStringLiteral("Preferences.ini"),
                          "[Messages]\r\nIngameMessOnSend=" + onSend);
        frmIngame window(&rig.session);
        window.show();
        QComboBox *nicks = rig.loadPlayers(&window);
        QCOMPARE(nicks->currentIndex(), -1);
        nicks->setCurrentIndex(player);
        auto *say = control<QComboBox>(&window, "txtSay");
        say->setEditText(QStringLiteral("hi \"all\""));
        if (button == QLatin1String("Enter"))
            QTest::keyClick(say, Qt::Key_Return); // the box has the focus, not its line
        else
            control(&window, button.toLatin1().constData())->click();

        const QByteArrayList expected{"status", sent};
        QCOMPARE(rig.commandsUpToNow(), expected.mid(0, sent.isEmpty() ? 1 : 2));
        QCOMPARE(rig.boxes.boxes.size(), sent.isEmpty() ? 1 : 0);
        if (sent.isEmpty())
            QCOMPARE(rig.boxes.last().title, QStringLiteral("Select player..."));
        if (sent.startsWith("Say")) // kept in the history, the box emptied for the next one
            QCOMPARE(say->itemText(0) + u'|' + say->currentText(), QStringLiteral("hi \"all\"|"));
        if (player >= 0)
            QTRY_COMPARE(control<QListWidget>(&window, "lstAddID")->currentRow(), player);
    }

    // Ctrl + keypad * opens it on top; its name is the main window's; Options pops up the tray
    // menu; the global Escape ends it, and the next one starts afresh.
    void ingameFromTheMainWindow()
    {
        IngameRig rig;
        frmMain main(&rig.session);
        rig.held = {17, 106};
        main.shortcutKeys->tmrShortKeys_Timer();
        QPointer<QWidget> window = main.findChild<QWidget *>(QStringLiteral("frmIngame"));
        QVERIFY(window && window->isVisible() && isOnTop(window));

        auto *name = control<QLineEdit>(window, "txtName");
        QTest::keyClicks(name, QStringLiteral("X"));
        QCOMPARE(main.txtServername->text(), QStringLiteral("AdminX"));
        rig.loadPlayers(window);

        control<QAction>(window, "mnuOptions")->trigger();
        auto *trayMenu = main.findChild<QMenu *>(QStringLiteral("mnuTrayMain"));
        QTRY_VERIFY(trayMenu->isVisible());
        trayMenu->hide();

        rig.held = {27};
        QTRY_VERIFY(!window);
        rig.held.clear();
        window = main.dialogs->showIngame();
        QCOMPARE(control<QComboBox>(window, "cbAddNick")->count(), 0);
        QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("AdminX"));
    }
};

QTEST_MAIN(tst_IngameFtpLogDir)
#include "tst_ingame_ftplogdir.moc"
