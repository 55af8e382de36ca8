#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/CommandLine.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {
// A main window logged in to a fake CoD2 server, on the fast clock.
struct Connected
{
    Connected()
        : env(20.0)
        , server(FakeGame::CoD2)
    {
        server.setPassword("secret");
        if (!server.start(0))
            return;
        main.txtServerIP->setText(QStringLiteral("127.0.0.1"));
        main.txtServerPORT->setText(QString::number(server.port()));
        main.txtServerRCON->setText(QStringLiteral("secret"));
        main.txtServername->setText(QStringLiteral("Admin"));
        QTest::mouseClick(main.cmdConnect, Qt::LeftButton);
        // Logged in once the reply to the finishing "status" is in.
        ok = QTest::qWaitFor(
                 [this] { return main.txtConsole->text().contains(QLatin1String("map: ")); }, 5000)
             && GameKind() == QLatin1String("cod2");
        server.clearReceived();
    }

    TestProgramDir env;
    DialogRecorder rec;
    FakeGameServer server;
    frmMain main;
    bool ok = false;
};

void typeLine(frmMain &m, const QString &line)
{
    QTest::keyClicks(m.cbCommand->lineEdit(), line);
    QTest::keyClick(m.cbCommand->lineEdit(), Qt::Key_Return);
}

QStringList items(const QComboBox *cb)
{
    QStringList out;
    for (int i = 0; i < cb->count(); ++i)
        out << cb->itemText(i);
    return out;
}

const QString kCommandList
    = QStringLiteral("\r\nVantor 9.0.1 commandlist::\r\n"
                     "==============================\r\n"
                     "/clear - clears the console\r\n"
                     "/clearall - clears all the fields in the main window\r\n"
                     "/mini - minimizes application to the system tray\r\n"
                     "/def - goes back to default width and height for the mainwindow\r\n"
                     "/connect - connects to the given ip and port\r\n"
                     "/disconnect - disconnects from the current server\r\n"
                     "/quit - shuts down the application\r\n"
                     "==============================\r\n");
} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT

private slots:
    void slashCommands_data();
    void slashCommands();
    void commandListInAnotherLanguage();
    void history();
    void linesWhileNotConnected();
    void quickButtons_data();
    void quickButtons();
    void consoleMenu();
    void backColor_data();
    void backColor();
    void consoleTimers();
};

void tst_CommandLine::slashCommands_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QByteArray>("sent"); // what reaches the server, if anything
    QTest::newRow("/clear") << QStringLiteral("/clear") << QByteArray();
    QTest::newRow("/CLEAR is no slash command") << QStringLiteral("/CLEAR") << QByteArray("/CLEAR");
    QTest::newRow("/clearall") << QStringLiteral("/clearall") << QByteArray();
    QTest::newRow("/mini") << QStringLiteral("/mini") << QByteArray();
    QTest::newRow("/def") << QStringLiteral("/def") << QByteArray();
    QTest::newRow("/c") << QStringLiteral("/c") << QByteArray();
    QTest::newRow("/?") << QStringLiteral("/?") << QByteArray();
    QTest::newRow("/connect with an address is sent")
        << QStringLiteral("/connect 1.2.3.4:28960") << QByteArray("/connect 1.2.3.4:28960");
    QTest::newRow("/disconnect") << QStringLiteral("/disconnect") << QByteArray();
    QTest::newRow("/quit") << QStringLiteral("/quit") << QByteArray();
    QTest::newRow("empty line") << QString() << QByteArray("");
}

void tst_CommandLine::slashCommands()
{
    QFETCH(QString, line);
    QFETCH(QByteArray, sent);
    Connected c;
    QVERIFY(c.ok);
    frmMain &m = c.main;
    m.show();
    m.resize(1200, 900);
    m.txtConsole->setText(QStringLiteral("old"));
    m.txtConsoleCommands->setText(QStringLiteral("old"));
    typeLine(m, line);

    // Every line is logged and kept in the list, and the command line is ready for the next.
    QCOMPARE(c.env.readFile(QStringLiteral("Logs/Console/Commands.log")), line.toLatin1() + "\r\n");
    QCOMPARE(items(m.cbCommand).last(), line);
    QCOMPARE(m.cbCommand->currentText(), QString());

    if (!sent.isNull()) {
        QTRY_COMPARE_WITH_TIMEOUT(c.server.commands(), QByteArrayList{sent}, 2000);
        QVERIFY(
            m.txtConsole->text().contains(QStringLiteral("] ") + line + QStringLiteral("\r\n")));
        QVERIFY(!m.tmrConnectProcess->isActive());
        QVERIFY(m.UDPClient->isOpen());
        return;
    }
    if (line == QLatin1String("/clear") || line == QLatin1String("/clearall")) {
        QCOMPARE(m.txtConsole->text(), QString());
        QCOMPARE(m.txtConsoleCommands->text(), QString());
        const bool all = line == QLatin1String("/clearall");
        QCOMPARE(m.txtServerIP->text().isEmpty(), all);
        QCOMPARE(m.txtServerPORT->text().isEmpty(), all);
        QCOMPARE(m.txtServerRCON->text().isEmpty(), all);
        QCOMPARE(m.txtServername->text().isEmpty(), all);
    } else if (line == QLatin1String("/mini")) {
        // Hidden where the tray icon can bring it back, otherwise down on the task bar: never
        // out of reach.
        if (trayCanRestoreWindow())
            QVERIFY(!m.isVisible());
        else
            QTRY_VERIFY_WITH_TIMEOUT(m.isVisible() && m.isMinimized(), 2000);
        QVERIFY(m.UDPClient->isOpen());
    } else if (line == QLatin1String("/def")) {
        QCOMPARE(m.size(), QSize(twipsToPixels(13815, &m), twipsToPixels(9420, &m)));
    } else if (line == QLatin1String("/c")) {
        QCOMPARE(c.rec.boxes.size(), 1);
        QCOMPARE(c.rec.last().icon, MsgIcon::Information);
        QVERIFY(c.rec.last().text.startsWith(QLatin1String("Vantor 9.0.1\r\n")));
    } else if (line == QLatin1String("/?")) {
        QCOMPARE(m.txtConsole->text(), QStringLiteral("old") + kCommandList);
    } else if (line == QLatin1String("/disconnect")) {
        QVERIFY(!m.UDPClient->isOpen());
        QCOMPARE(GameKind(), QStringLiteral("noco"));
    } else if (line == QLatin1String("/quit")) {
        QVERIFY(!m.isVisible());
    }
    // Nothing went out before a marker sent now.
    if (m.UDPClient->isOpen()) {
        m.txtServerRCON->setText(QStringLiteral("secret"));
        m.cmdServerInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(c.server.commands(), QByteArrayList{"serverinfo"}, 2000);
    }
}

void tst_CommandLine::commandListInAnotherLanguage()
{
    TestProgramDir env;
    DialogRecorder rec;
    env.writeFile(QStringLiteral("Preferences.ini"), "[Settings]\r\nLang=Deutsch\r\n");
    env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                  "[ConsoleMessages]\r\nConsole1=Befehle:\r\nConsole2=leert die Konsole\r\n");
    frmMain m;
    typeLine(m, QStringLiteral("/?"));
    const QString text = m.txtConsole->text();
    QVERIFY(text.startsWith(QLatin1String("\r\nVantor 9.0.1 Befehle::\r\n")));
    QVERIFY(text.contains(QLatin1String("\r\n/clear - leert die Konsole\r\n/clearall - \r\n")));
}

void tst_CommandLine::history()
{
    TestProgramDir env;
    DialogRecorder rec;
    frmMain m;

    // No history yet: the folder and the file are made.
    m.commandLine->loadHistory();
    QVERIFY(QFileInfo::exists(env.path() + QStringLiteral("/Logs/Console/Commands.log")));
    QCOMPARE(m.cbCommand->count(), 0);

    env.writeFile(QStringLiteral("Logs/Console/Commands.log"),
                  "status\r\nsay \"hi\xE9\"\r\n\r\n/clear\nlast");
    m.commandLine->loadHistory();
    QCOMPARE(items(m.cbCommand),
             QStringList({QStringLiteral("status"), QStringLiteral("say \"hi\u00E9\""), QString(),
                          QStringLiteral("/clear"), QStringLiteral("last")}));
    QCOMPARE(m.cbCommand->currentText(), QString());

    // A history entry's case is kept: nothing completes what is typed.
    typeLine(m, QStringLiteral("/CLEA"));
    typeLine(m, QStringLiteral("/?"));
    QCOMPARE(env.readFile(QStringLiteral("Logs/Console/Commands.log")),
             QByteArray("status\r\nsay \"hi\xE9\"\r\n\r\n/clear\nlast/CLEA\r\n/?\r\n"));
    QCOMPARE(items(m.cbCommand).mid(5),
             QStringList({QStringLiteral("/CLEA"), QStringLiteral("/?")}));
}

void tst_CommandLine::linesWhileNotConnected()
{
    TestProgramDir env;
    DialogRecorder rec;
    frmMain m;
    typeLine(m, QStringLiteral("kick all"));
    QCOMPARE(rec.boxes.size(), 1);
    QCOMPARE(rec.last().text, QStringLiteral("You are not connected to a server!"));
    QCOMPARE(m.txtConsole->text(), QString());
    QCOMPARE(items(m.cbCommand), QStringList{QStringLiteral("kick all")});
    QCOMPARE(env.readFile(QStringLiteral("Logs/Console/Commands.log")), QByteArray("kick all\r\n"));
    typeLine(m, QStringLiteral("/clear")); // slash commands need no server
    QCOMPARE(rec.boxes.size(), 1);
}

void tst_CommandLine::quickButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QByteArrayList>("sent");
    QTest::addColumn<bool>("freshBuffer");
    QTest::newRow("status") << QStringLiteral("cmdStatus") << QByteArrayList{"status"} << true;
    QTest::newRow("server info") << QStringLiteral("cmdServerInfo") << QByteArrayList{"serverinfo"}
                                 << true;
    QTest::newRow("system info") << QStringLiteral("cmdSystemInfo") << QByteArrayList{"systeminfo"}
                                 << true;
    QTest::newRow("restart map")
        << QStringLiteral("cmdRestartMap")
        << QByteArrayList{"Say ^7Vantor 9.0.1 ^4||^7 Map restart by ^4Admin", "map_restart"}
        << false;
    QTest::newRow("fast restart")
        << QStringLiteral("cmdFastRestartMap")
        << QByteArrayList{"Say ^7Vantor 9.0.1 ^4||^7 Fast map restart by ^4Admin", "fast_restart"}
        << false;
}

void tst_CommandLine::quickButtons()
{
    QFETCH(QString, button);
    QFETCH(QByteArrayList, sent);
    QFETCH(bool, freshBuffer);
    Connected c;
    QVERIFY(c.ok);
    c.main.txtConsoleCommands->setText(QStringLiteral("stale"));
    auto *b = c.main.findChild<QPushButton *>(button);
    QVERIFY(b);
    QTest::mouseClick(b, Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(c.server.commands(), sent, 3000);
    QCOMPARE(c.main.txtConsoleCommands->text().startsWith(QLatin1String("stale")), !freshBuffer);
}

void tst_CommandLine::consoleMenu()
{
    TestProgramDir env;
    DialogRecorder rec;
    frmMain m;
    m.show();
    QVERIFY(QTest::qWaitForWindowActive(&m));
    m.txtConsole->setText(QStringLiteral("\r\nmap: mp_carentan\r\nnum score"));
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("before"));

    // Copy and select all act on the console only while it has the focus.
    m.cbCommand->setFocus();
    m.txtConsole->selectRange(2, 3);
    m.mnuConsoleCopy->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("before"));
    m.mnuConsoleSelectAll->trigger();
    QCOMPARE(m.txtConsole->selectedModelText(), QStringLiteral("map"));

    m.txtConsole->setFocus();
    m.txtConsole->selectRange(0, 0);
    m.mnuConsoleCopy->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("before")); // nothing selected
    m.mnuConsoleSelectAll->trigger();
    QCOMPARE(m.txtConsole->selectedModelText(), m.txtConsole->text());
    m.mnuConsoleCopy->trigger();
    QCOMPARE(clipboard->text(), QStringLiteral("\r\nmap: mp_carentan\r\nnum score"));

    m.mnuConsoleClear->trigger();
    QCOMPARE(m.txtConsole->text(), QString());

    // Colours: the chosen one is stored as 0x00BBGGRR in decimal; cancelling changes nothing.
    rec.colorAnswers.enqueue(QColor(0x10, 0x20, 0x30));
    m.mnuConsoleColorChange->trigger();
    QCOMPARE(m.txtConsole->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
    QCOMPARE(ReadPref(QStringLiteral("Console"), QStringLiteral("BackColor")),
             QString::number(0x302010));
    m.mnuConsoleColorChange->trigger();
    QCOMPARE(ReadPref(QStringLiteral("Console"), QStringLiteral("BackColor")),
             QString::number(0x302010));
    m.mnuConsoleColorDefault->trigger();
    QCOMPARE(ReadPref(QStringLiteral("Console"), QStringLiteral("BackColor")),
             QStringLiteral("&H80000001"));
    QVERIFY(m.txtConsole->palette().color(QPalette::Base) != QColor(0x10, 0x20, 0x30));
}

void tst_CommandLine::backColor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("colour"); // invalid: the theme's; none when the text is refused
    QTest::addColumn<bool>("accepted");
    QTest::newRow("decimal red") << QStringLiteral("255") << QColor(255, 0, 0) << true;
    QTest::newRow("decimal blue") << QStringLiteral("16711680") << QColor(0, 0, 255) << true;
    QTest::newRow("hex") << QStringLiteral("&H00FF00") << QColor(0, 255, 0) << true;
    QTest::newRow("hex with a trailing &")
        << QStringLiteral("&h8080&") << QColor(128, 128, 0) << true;
    QTest::newRow("desktop") << QStringLiteral("&H80000001") << QColor() << true;
    QTest::newRow("system colour as a negative number")
        << QStringLiteral("-2147483647") << QColor() << true;
    QTest::newRow("junk") << QStringLiteral("blue") << QColor() << false;
}

void tst_CommandLine::backColor()
{
    QFETCH(QString, text);
    QFETCH(QColor, colour);
    QFETCH(bool, accepted);
    TestProgramDir env;
    frmMain m;
    const QColor theme = m.txtConsole->palette().color(QPalette::Base);
    m.commandLine->applyBackColor(QStringLiteral("1")); // something else first
    QCOMPARE(m.commandLine->applyBackColor(text), accepted);
    const QColor shown = m.txtConsole->palette().color(QPalette::Base);
    if (!accepted)
        QCOMPARE(shown, QColor(1, 0, 0));
    else
        QCOMPARE(shown, colour.isValid() ? colour : theme);
}

void tst_CommandLine::consoleTimers()
{
    Connected c;
    QVERIFY(c.ok);
    const auto reconnect = [&c](const QByteArray &console) {
        c.env.writeFile(QStringLiteral("Preferences.ini"), "[Console]\r\n" + console);
        QTest::mouseClick(c.main.cmdConnect, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!c.main.tmrConnectProcess->isActive(), 5000);
    };
    // "status" every second (50 ms on this clock).
    reconnect("ConsoleStatus=1\r\nConsoleStatusTime=1\r\nConsoleClear=0\r\n");
    QTRY_VERIFY_WITH_TIMEOUT(c.server.commands().count("status") >= 4, 3000);
    QVERIFY(c.rec.boxes.isEmpty());

    // The console emptied every second; the finishing status reply is the last thing in it.
    reconnect("ConsoleStatus=0\r\nConsoleClear=1\r\nConsoleClearTime=1\r\n");
    QVERIFY(c.main.tmrConsoleClear->isActive());
    QTRY_VERIFY_WITH_TIMEOUT(c.main.txtConsole->text().contains(QLatin1String("map: ")), 2000);
    QTRY_COMPARE_WITH_TIMEOUT(c.main.txtConsole->text(), QString(), 2000);

    c.main.cmdDisconnect->click();
    QVERIFY(!c.main.tmrConsoleClear->isActive());
    QVERIFY(!c.main.tmrConsoleStatus->isActive());
}

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
