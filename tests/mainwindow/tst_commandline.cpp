#include "ServerRig.h"

#include "mainwindow/CommandLine.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/ConsoleText.h"
#include "platform/Ini.h"

#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest>

namespace {
// A main window beside a fake CoD2 server; when asked, logged in through its connection boxes
// and Connect button.
struct Rig : ServerRig
{
    explicit Rig(bool connect = false)
        : ServerRig(FakeGame::CoD2, 20.0, Link::Closed)
    {
        if (!connect)
            return;
        fillConnectionFields(main);
        QTest::mouseClick(main.cmdConnect, Qt::LeftButton);
        // Logged in once the reply to the finishing "status" is in.
        ok = QTest::qWaitFor([this] { return main.txtConsole->text().contains("map: "); }, 5000)
             && session.gameKind() == "cod2"_L1;
        server.clearReceived();
    }
    void type(const QString &line)
    {
        QTest::keyClicks(main.cbCommand->lineEdit(), line);
        QTest::keyClick(main.cbCommand->lineEdit(), Qt::Key_Return);
    }

    frmMain main{&session};
    bool ok = false;
};
} // namespace

class tst_CommandLine : public QObject
{
    Q_OBJECT
private slots:
    void commands_data()
    {
        QTest::addColumn<QString>("input"); // a line typed, or a button clicked
        QTest::addColumn<QByteArrayList>("sent");
        for (const char *line : {"/clear", "/clearall", "/mini", "/def", "/quit"})
            QTest::newRow(line) << QString::fromLatin1(line) << QByteArrayList();
        QTest::newRow("/CLEAR is no slash command") << "/CLEAR" << QByteArrayList{"/CLEAR"};
        QTest::newRow("/connect with an address is sent")
            << "/connect 1.2.3.4:28960" << QByteArrayList{"/connect 1.2.3.4:28960"};
        QTest::newRow("empty line") << "" << QByteArrayList{""};
        QTest::newRow("status") << "cmdStatus" << QByteArrayList{"status"};
        QTest::newRow("restart map")
            << "cmdRestartMap"
            << QByteArrayList{ServerRig::announced("Map restart"), "map_restart"};
    }

    // Slash commands act on the window and send nothing (not connected, a send would bring a
    // box); other lines go out as typed and are echoed. The info buttons ask on a fresh reply
    // buffer, the restarts are announced.
    void commands()
    {
        QFETCH(QString, input);
        QFETCH(QByteArrayList, sent);
        Rig r(!sent.isEmpty());
        QVERIFY(r.ok || sent.isEmpty());
        r.main.show();
        r.main.resize(1200, 900);
        r.main.txtServerIP->setText(u"10.0.0.1"_s);
        r.main.txtConsole->setText(u"old"_s);
        r.main.txtConsoleCommands->setText(u"old"_s);
        if (input.startsWith("cmd"_L1))
            QTest::mouseClick(control(&r.main, input), Qt::LeftButton);
        else
            r.type(input);
        if (!sent.isEmpty()) {
            QTRY_COMPARE(r.server.commands(), sent);
            QCOMPARE(r.server.received().last().bytes, ServerRig::datagram(sent.last()));
            QVERIFY(r.main.txtConsole->text().contains("] " + sent.last() + "\r\n"));
            QCOMPARE(r.session.replyText().startsWith("old"_L1), !input.startsWith("cmdS"_L1));
            QVERIFY(!r.main.tmrConnectProcess->isActive());
            return;
        }
        QVERIFY(r.boxes.boxes.isEmpty());
        if (input.startsWith("/clear"_L1)) {
            QCOMPARE(r.session.console()->text() + r.session.replyText(), QString());
            QCOMPARE(r.main.txtServerIP->text().isEmpty(), input == "/clearall"_L1);
        } else if (input == "/mini"_L1) {
            // Hidden where the tray icon can bring it back, otherwise down on the task bar.
            QTRY_VERIFY(trayCanRestoreWindow() ? !r.main.isVisible() : r.main.isMinimized());
        } else if (input == "/def"_L1) {
            QCOMPARE(r.main.size(),
                     QSize(twipsToPixels(13815, &r.main), twipsToPixels(9420, &r.main)));
        } else {
            QVERIFY(!r.main.isVisible()); // "/quit"
        }
    }

    // The history file is made when missing, read line by line as bytes, and every line typed is
    // added to it; nothing completes what is typed. Not connected, a line brings the box and goes
    // nowhere, but is kept.
    void history()
    {
        Rig r;
        QVERIFY(QFileInfo::exists(r.env.path() + u"/Logs/Console/Commands.log"_s));
        const QByteArray file = "status\r\nsay \"hi\xE9\"\r\n\r\n/clear\nlast";
        r.env.writeFile(u"Logs/Console/Commands.log"_s, file);
        r.main.commandLine->loadHistory();
        QCOMPARE(r.main.cbCommand->count(), 5);
        QCOMPARE(r.main.cbCommand->itemText(1) + r.main.cbCommand->itemText(2), "say \"hi\u00E9\"");
        QCOMPARE(r.main.cbCommand->currentText(), QString());
        r.type(u"/CLEA"_s);
        r.type(u"/clear"_s);
        QCOMPARE(r.env.readFile(u"Logs/Console/Commands.log"_s), file + "/CLEA\r\n/clear\r\n");
        QCOMPARE(r.main.cbCommand->itemText(r.main.cbCommand->count() - 1), "/clear");
        QCOMPARE(r.boxes.boxes.size(), 1);
        QCOMPARE(r.session.console()->text(), QString());
    }

    // Copy and select all act on the console only while it has the focus; the colour chosen is
    // stored as 0x00BBGGRR in decimal, cancelling changes nothing, the default goes back.
    void consoleMenu()
    {
        Rig r;
        r.main.show();
        QVERIFY(QTest::qWaitForWindowActive(&r.main));
        r.main.txtConsole->setText(u"\r\nmap: mp_carentan\r\nnum score"_s);
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(u"before"_s);
        r.main.cbCommand->setFocus();
        r.main.txtConsole->selectRange(2, 3);
        r.main.mnuConsoleCopy->trigger();
        r.main.mnuConsoleSelectAll->trigger();
        QCOMPARE(clipboard->text() + r.main.txtConsole->selectedModelText(), "beforemap");
        r.main.txtConsole->setFocus();
        r.main.mnuConsoleSelectAll->trigger();
        r.main.mnuConsoleCopy->trigger();
        QCOMPARE(clipboard->text(), u"\r\nmap: mp_carentan\r\nnum score"_s);
        r.main.mnuConsoleClear->trigger();
        QCOMPARE(r.session.console()->text(), QString());

        const auto stored = [] { return ReadPref(u"Console"_s, u"BackColor"_s); };
        r.boxes.colorAnswers.enqueue(QColor(0x10, 0x20, 0x30));
        r.main.mnuConsoleColorChange->trigger();
        r.main.mnuConsoleColorChange->trigger();
        QCOMPARE(r.main.txtConsole->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
        QCOMPARE(stored(), QString::number(0x302010));
        r.main.mnuConsoleColorDefault->trigger();
        QCOMPARE(stored(), u"&H80000001"_s);
    }

    void backColor_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QColor>(
            "colour"); // invalid: the theme's; refused text keeps the one before
        QTest::newRow("decimal blue") << "16711680" << QColor(0, 0, 255);
        QTest::newRow("hex with a trailing &") << "&h8080&" << QColor(128, 128, 0);
        QTest::newRow("system colour as a negative number") << "-2147483647" << QColor();
        QTest::newRow("junk") << "blue" << QColor(1, 0, 0);
    }

    void backColor()
    {
        QFETCH(QString, text);
        QFETCH(QColor, colour);
        Rig r;
        const QPalette theme = r.main.txtConsole->palette();
        r.main.commandLine->applyBackColor(u"1"_s); // something else first
        r.main.commandLine->applyBackColor(text);
        QCOMPARE(r.main.txtConsole->palette().color(QPalette::Base),
                 colour.isValid() ? colour : theme.color(QPalette::Base));
        QCOMPARE(r.main.txtConsole->palette().color(QPalette::Text), theme.color(QPalette::Text));
    }

    // "status" every second, or the console emptied every second (50 ms on this clock), from the
    // end of the connection on; disconnecting stops both.
    void consoleTimers()
    {
        Rig r(true);
        QVERIFY(r.ok);
        const auto reconnect = [&r](const QByteArray &console) {
            r.env.writeFile(u"Preferences.ini"_s, "[Console]\r\n" + console);
            QTest::mouseClick(r.main.cmdConnect, Qt::LeftButton);
            QTRY_VERIFY(!r.main.tmrConnectProcess->isActive());
        };
        reconnect("ConsoleStatus=1\r\nConsoleStatusTime=1\r\nConsoleClear=0\r\n");
        QTRY_VERIFY_WITH_TIMEOUT(r.server.commands().count("status") >= 4, 3000);
        reconnect("ConsoleStatus=0\r\nConsoleClear=1\r\nConsoleClearTime=1\r\n");
        QTRY_VERIFY(r.main.txtConsole->text().contains("map: "_L1));
        QTRY_COMPARE(r.main.txtConsole->text(), QString());
        r.main.cmdDisconnect->click();
        QVERIFY(!r.main.tmrConsoleClear->isActive() && !r.main.tmrConsoleStatus->isActive());
    }
};

QTEST_MAIN(tst_CommandLine)
#include "tst_commandline.moc"
