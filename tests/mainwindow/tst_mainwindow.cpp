#include "ServerRig.h"

#include "mainwindow/MainLifecycle.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmExit.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "platform/UdpLink.h"
#include "rcon/ConnectionSequence.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
QString pref(const char *key)
{
    return ReadPref(u"Settings"_s, QLatin1String(key));
}

bool writeFiles(const TestProgramDir &env, const QByteArray &prefs, const QByteArray &said,
                const QByteArray &pack)
{
    if (!pack.isNull())
        env.writeFile(u"Lang/Pack.ini"_s, pack);
    if (!prefs.isNull())
        env.writeFile(u"Preferences.ini"_s, prefs);
    env.writeFile(u"Logs/Communication/Communication.log"_s, said);
    return true;
}

// A main window on its own session in a fresh program directory, every box answered; the
// preferences (none when null), the say box's history and a language pack "Pack" are in place
// before the window starts.
struct Window
{
    explicit Window(const QByteArray &prefs = QByteArray(), const QByteArray &said = QByteArray(),
                    const QByteArray &pack = QByteArray())
        : filesWritten(writeFiles(env, prefs, said, pack))
    {}
    QSize twips() const
    {
        return {qRound(pixelsToTwips(main.width(), &main)),
                qRound(pixelsToTwips(main.height(), &main))};
    }

    TestProgramDir env;
    bool filesWritten;
    DialogRecorder dialogs;
    RconSession session;
    frmMain main{&session};
};
} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp_data()
    {
        QTest::addColumn<QByteArray>("prefs");
        QTest::addColumn<QSize>("sizeTwips");
        QTest::addColumn<bool>("onTop");
        QFile shipped(QFINDTESTDATA("../../defaults/Preferences.ini"));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        const QSize standard(13815, 9420);
        QTest::newRow("no preferences file") << QByteArray() << standard << false;
        QTest::newRow("shipped preferences") << shipped.readAll() << standard << false;
        QTest::newRow("own size, on top, red console")
            << QByteArray("[Settings]\r\nmWidth=15000\r\nmHeight=8010\r\nMainOnTop=Yes\r\n"
                          "[Console]\r\nBackColor=255\r\n")
            << QSize(15000, 8010) << true;
        QTest::newRow("below the minimum, broken numbers")
            << QByteArray("[Settings]\r\nmWidth=9000\r\nmHeight=abc\r\nMainOnTop=yes\r\n")
            << standard << false;
    }

    // The window comes up as the preferences say, records the version it ran, sits in the tray
    // and holds the say box's history, bytes as written.
    void startUp()
    {
        QFETCH(QByteArray, prefs);
        QFETCH(bool, onTop);
        Window w(prefs, "one\r\n^1tw\xF6\r\n");
        QTEST(w.twips(), "sizeTwips");
        QCOMPARE(isOnTop(&w.main), onTop);
        QCOMPARE(w.main.mnuExtraAlwaysOnTop->isChecked(), onTop);
        // Only the row on top also colours its console.
        QCOMPARE(w.main.txtConsole->palette().color(QPalette::Base) == QColor(255, 0, 0), onTop);
        QCOMPARE(pref("Version"), u"9.0.1"_s);
        QVERIFY(isTrayIconInstalled() && w.main.tmrCheckPingMeter->isActive());
        QCOMPARE(w.main.cbCommunicationSay->count(), 2);
        QCOMPARE(w.main.cbCommunicationSay->itemText(1), QString::fromLatin1("^1tw\xF6"));
        QCOMPARE(w.main.cbCommunicationSay->currentText(), QString());
        QVERIFY(w.dialogs.boxes.isEmpty());

        // The menu item turns it round and stores the choice, the window staying as it was.
        w.main.show();
        const QSize before = w.main.size();
        w.main.mnuExtraAlwaysOnTop->trigger();
        QCOMPARE(isOnTop(&w.main), !onTop);
        QCOMPARE(w.main.mnuExtraAlwaysOnTop->isChecked(), !onTop);
        QCOMPARE(pref("MainOnTop"), QLatin1String(onTop ? "No" : "Yes"));
        QVERIFY(w.main.isVisible() && w.main.size() == before);
    }

    // A window opened while the main window is on top comes up on top too, or it would open
    // behind it; it goes back among the others with the main window.
    void windowsFollowTheMainWindowOnTop()
    {
        Window w("[Settings]\r\nMainOnTop=Yes\r\n");
        w.main.show();
        w.main.mnuOptionsKickCenter->trigger();
        auto *kickCenter = w.main.findChild<QWidget *>(u"frmDialogKickCenter"_s);
        QVERIFY(kickCenter && kickCenter->isVisible());
        QTRY_VERIFY(isOnTop(kickCenter));
        w.main.mnuExtraAlwaysOnTop->trigger();
        QVERIFY(!isOnTop(kickCenter) && kickCenter->isVisible());
    }

    void minimumSizeKeepsEveryControlInside_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QByteArray>("captions");
        QTest::newRow("not connected") << QString() << QByteArray();
        QTest::newRow("connected to a known game") << u"cod2"_s << QByteArray();
        // Values are cut to 199 characters when read: the longest a pack can give.
        const QByteArray longest(199, 'W');
        QByteArray pack = "[frmMain]\r\n";
        for (const char *key :
             {"lblServerIP", "lblServerPORT", "lblServerRCON", "lblServername", "cmdConnect"})
            pack += key + ("=" + longest) + "\r\n";
        QTest::newRow("overlong captions") << QString() << pack;
    }

    // The smallest window still shows every control whole, without one covering another, and
    // every status panel but the details whole inside it.
    void minimumSizeKeepsEveryControlInside()
    {
        QFETCH(QString, game);
        QFETCH(QByteArray, captions);
        Window w(captions.isEmpty() ? QByteArray() : "[Settings]\r\nLang=Pack\r\n", QByteArray(),
                 captions);
        w.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        if (!game.isEmpty())
            emit w.main.connection->gameDetected(game);
        w.main.resize(twipsToPixels(10000, &w.main), twipsToPixels(6000, &w.main));
        QTRY_COMPARE(w.twips(), QSize(13815, 7515));
        QWidget *client = w.main.centralWidget();
        QList<QWidget *> shown;
        for (QWidget *c : client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (c->isVisible() && c != w.main.ts1)
                shown << c;
        }
        QCOMPARE(shown.contains(w.main.cmdOptionsMaps), !game.isEmpty());
        for (QWidget *c : shown) {
            QVERIFY2(client->rect().contains(c->geometry()), qPrintable(c->objectName()));
            auto *caption = qobject_cast<QLabel *>(c);
            if (captions.isEmpty()
                && (qobject_cast<QPushButton *>(c) || (caption && !caption->wordWrap())))
                QVERIFY2(c->width() >= c->sizeHint().width(), qPrintable(c->objectName()));
            for (QWidget *other : shown)
                QVERIFY2(other == c || !c->geometry().intersects(other->geometry()),
                         qPrintable(c->objectName() + " covers " + other->objectName()));
        }

        // A long join password in the details, beside a loaded profile.
        w.main.sb1->setText(2, u"Details: private - pass: "_s + QString(60, u'w') + u' ');
        w.main.sb1->setText(5, u"Profile: Nowhere "_s);
        for (int round = 0; round < 4; ++round) // the bar lays out one nested panel at a time
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        auto *profile = w.main.sb1->findChild<QLabel *>(u"sb1Panel5"_s);
        QVERIFY(w.main.rect().contains(QRect(profile->mapTo(&w.main, QPoint()), profile->size())));
        QVERIFY(profile->width() >= profile->sizeHint().width());
    }

    void closeButton_data()
    {
        QTest::addColumn<QByteArray>("mode"); // [Settings] MainCloseButtonFunction
        QTest::addColumn<bool>("ends");
        QTest::addColumn<bool>("sizeSaved");
        QTest::addColumn<QString>("marker"); // the tray's window entry
        QTest::newRow("0: end the program") << QByteArray("0") << true << true << "WINDOWOPEN";
        QTest::newRow("1: hide to the tray") << QByteArray("1") << false << false << "WINDOWCLOSED";
        QTest::newRow("2: window goes, program stays")
            << QByteArray("2") << false << false << "WINDOWOPEN";
    }

    void closeButton()
    {
        QFETCH(QByteArray, mode);
        QFETCH(bool, ends);
        QFETCH(bool, sizeSaved);
        Window w("[Settings]\r\nMainCloseButtonFunction=" + mode);
        w.main.show();
        w.main.resize(twipsToPixels(15000, &w.main), twipsToPixels(9000, &w.main));
        QTRY_COMPARE(w.twips(), QSize(15000, 9000));
        QCOMPARE(w.main.close(), ends);
        // Kept alive, it is out of the way: hidden to the tray, or minimised where no tray icon
        // could bring it back.
        QVERIFY(!w.main.isVisible() || (!ends && w.main.isMinimized()));
        QTEST(trayWindowMarker(), "marker");
        QCOMPARE(isTrayIconInstalled(), !ends);
        QCOMPARE(pref("mWidth") + pref("mHeight"), QLatin1String(sizeSaved ? "150009000" : ""));
        RemoveTrayIcon();
    }

    void fileExit_data()
    {
        QTest::addColumn<QString>("game");
        QTest::addColumn<QByteArrayList>("sent");
        const QByteArray bye
            = "Say Vantor 9.0.1 ^4||^7 Username:^4 Big Admin ^7disconnecting. ^4||";
        QTest::newRow("connected") << "cod2" << QByteArrayList{bye, "after"};
        QTest::newRow("not connected") << "noco" << QByteArrayList{"after"};
    }

    // The goodbye goes out with the password and name as typed into the window; the size is kept.
    void fileExit()
    {
        QFETCH(QString, game);
        QFETCH(QByteArrayList, sent);
        Window w;
        FakeGameServer server(FakeGame::CoD2);
        QVERIFY(server.start(0));
        w.main.show();
        QTest::keyClicks(w.main.txtServerRCON, u"secret"_s);
        QTest::keyClicks(w.main.txtServername, u"Big Admin"_s);
        w.session.link()->setRemoteHost(u"127.0.0.1"_s);
        w.session.link()->setRemotePort(server.port());
        w.session.link()->open();
        w.session.setGameKind(game);
        w.main.mnuExit->trigger();
        QVERIFY(!w.main.isVisible() && w.dialogs.boxes.isEmpty());
        QCOMPARE(pref("mWidth"), QString::number(w.twips().width()));
        // A marker sent afterwards on the same link proves nothing else left before it.
        w.session.SendCommand(u"after"_s);
        QTRY_COMPARE(server.received().size(), sent.size());
        for (int i = 0; i < sent.size(); ++i)
            QCOMPARE(server.received().at(i).bytes, "\xFF\xFF\xFF\xFFrcon secret " + sent.at(i));
    }

    // No to the exit question leaves everything running, Yes ends the program even where the
    // close button would only hide it.
    void exitQuestion()
    {
        Window w("[Settings]\r\nMainCloseButtonFunction=1\r\n");
        w.main.show();
        QDialog *exit = w.main.lifecycle->showExitConfirmation();
        QTest::mouseClick(exit->findChild<QPushButton *>(u"cmdNo"_s), Qt::LeftButton);
        QTRY_VERIFY(!w.main.findChild<QDialog *>(u"frmExit"_s));
        QVERIFY(w.main.isVisible() && isTrayIconInstalled());
        exit = w.main.lifecycle->showExitConfirmation();
        QTest::mouseClick(exit->findChild<QPushButton *>(u"cmdYes"_s), Qt::LeftButton);
        QVERIFY(!w.main.isVisible() && !isTrayIconInstalled());
        QCOMPARE(pref("mWidth"), QString());
    }

    void windowsOpen_data()
    {
        QTest::addColumn<QString>("row"); // game, button or item, the window it shows ("-": none)
        for (const char *row :
             {"noco cmdOptionsSettings -", "noco cmdOptionsMaps -",
              "cod2 cmdOptionsSettings frmDialogCoD2", "cod2 cmdOptionsMaps frmDialogCoD2Maps",
              "coduo cmdOptionsGametype frmDialogCoDUOGametype",
              "noco cmdOptionsKickcenter frmDialogKickCenter",
              "cod4 cmdOptionsPB frmDialogPunkbuster", "noco cmdOptionsGeneral frmDialogGeneral",
              "noco mnuOptionsCoD4Settings frmDialogCoD4",
              "noco mnuOptionsCoD4Gametype frmDialogcoD4Gametype",
              "noco mnuOptionsExecConfig frmDialogExecConfig",
              "noco mnuOptionsWarCenter frmDialogWarCenter", "noco mnuExtraLogger frmLog"})
            QTest::newRow(row) << QString::fromLatin1(row);
    }

    // The Options buttons open the windows of the detected game. A window is made once: hidden,
    // it comes back as the same one, with what was typed into it.
    void windowsOpen()
    {
        QFETCH(QString, row);
        const QStringList part = row.split(QLatin1Char(' '));
        Window w;
        w.main.show();
        w.session.setGameKind(part[0]);
        const auto open = [&] {
            if (auto *button = w.main.findChild<QPushButton *>(part[1])) {
                button->show();
                QTest::mouseClick(button, Qt::LeftButton);
            } else {
                control<QAction>(&w.main, part[1])->trigger();
            }
            QStringList shown;
            for (const QWidget *c : w.main.findChildren<QWidget *>()) {
                if (c->isWindow() && c->isVisible())
                    shown << c->objectName();
            }
            return shown.isEmpty() ? u"-"_s : shown.join(QLatin1Char(' '));
        };
        QCOMPARE(open(), part[2]);
        if (part[2] == "-"_L1)
            return;
        auto *window = control<QWidget>(&w.main, part[2]);
        QLineEdit *field = window->findChild<QLineEdit *>();
        if (field)
            field->setText(u"kept"_s);
        window->hide();
        QCOMPARE(open(), part[2]);
        QCOMPARE(w.main.findChildren<QWidget *>(part[2]).size(), 1);
        QVERIFY(!field || field->text() == "kept"_L1);
    }

    // The chat page swaps with the console; its button shows the chat log, bytes as written, with
    // the caret after its last line.
    void chatPage()
    {
        Window w;
        const QByteArray log = "[12:00] Big: hi\r\n[12:01] ^1Red: \xe9t\xe9\r\n";
        w.env.writeFile(u"Chat/pbucon.log"_s, log);
        w.main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w.main));
        QTest::mouseClick(w.main.ts1, Qt::LeftButton, {}, w.main.ts1->tabRect(1).center());
        QVERIFY(w.main.frameIngameChat->isVisible() && !w.main.frameConsole->isVisible());
        QTest::mouseClick(w.main.Command2, Qt::LeftButton);
        QCOMPARE(w.main.txtIngameChat->text(), QString::fromLatin1(log));
        QCOMPARE(w.main.txtIngameChat->selectionStart(), log.size()); // the caret at the end
    }
};

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
