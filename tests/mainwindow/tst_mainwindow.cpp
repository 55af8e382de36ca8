#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/MainLifecycle.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/TrayIcon.h"
#include "mainwindow/Twips.h"
#include "mainwindow/frmExit.h"
#include "mainwindow/frmMain.h"
#include "platform/ConsoleBox.h"
#include "platform/Ini.h"
#include "platform/OnTop.h"
#include "platform/ProgramDir.h"
#include "platform/UdpLink.h"
#include "rcon/Transport.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

namespace {
QAction *action(frmMain &main, const char *name)
{
    return main.findChild<QAction *>(QLatin1String(name));
}

// Chooses a menu item as the user would: it has to exist and be enabled.
void choose(frmMain &main, const char *name)
{
    QAction *a = action(main, name);
    QVERIFY2(a, name);
    QVERIFY2(a->isEnabled(), name);
    a->trigger();
}

int twips(int pixels, const QWidget *on)
{
    return qRound(pixelsToTwips(pixels, on));
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void startUp_data();
    void startUp();
    void minimumSizeKeepsEveryControlInside_data();
    void minimumSizeKeepsEveryControlInside();
    void closeButton_data();
    void closeButton();
    void fileExit_data();
    void fileExit();
    void alwaysOnTop();
    void shortcutKeysSwitch();
    void helpAndServerStatus_data();
    void helpAndServerStatus();
    void aboutAndExitWindows_data();
    void aboutAndExitWindows();
    void optionButtons_data();
    void optionButtons();
    void chatPage();
};

void tst_MainWindow::startUp_data()
{
    QTest::addColumn<bool>("withPrefs");
    QTest::addColumn<QByteArray>("prefs");
    QTest::addColumn<QByteArray>("history");
    QTest::addColumn<int>("widthTwips");
    QTest::addColumn<int>("heightTwips");
    QTest::addColumn<bool>("onTop");
    QTest::addColumn<QStringList>("sayHistory");

    QFile shipped(QFINDTESTDATA("../../defaults/Preferences.ini"));
    QVERIFY(shipped.open(QIODevice::ReadOnly));
    const QByteArray shippedPrefs = shipped.readAll();

    QTest::newRow("no preferences file")
        << false << QByteArray() << QByteArray() << 13815 << 9420 << false << QStringList();
    QTest::newRow("empty preferences file")
        << true << QByteArray() << QByteArray() << 13815 << 9420 << false << QStringList();
    QTest::newRow("shipped preferences")
        << true << shippedPrefs << QByteArray() << 13815 << 9420 << false << QStringList();
    QTest::newRow("own size, on top, say history")
        << true
        << QByteArray("[Settings]\r\nmWidth=15000\r\nmHeight=8010\r\nMainOnTop=Yes\r\n"
                      "[Console]\r\nBackColor=255\r\n")
        << QByteArray("first line\r\nsecond, with ^1colour\r\n") << 15000 << 8010 << true
        << QStringList{QStringLiteral("first line"), QStringLiteral("second, with ^1colour")};
    QTest::newRow("size below the minimum, broken numbers")
        << true << QByteArray("[Settings]\r\nmWidth=9000\r\nmHeight=abc\r\nMainOnTop=yes\r\n")
        << QByteArray() << 13815 << 9420 << false << QStringList();
}

void tst_MainWindow::startUp()
{
    QFETCH(bool, withPrefs);
    QFETCH(QByteArray, prefs);
    QFETCH(QByteArray, history);
    QFETCH(int, widthTwips);
    QFETCH(int, heightTwips);
    QFETCH(bool, onTop);
    QFETCH(QStringList, sayHistory);
    TestProgramDir env;
    DialogRecorder dialogs;
    if (withPrefs)
        env.writeFile(QStringLiteral("Preferences.ini"), prefs);
    if (!history.isEmpty())
        env.writeFile(QStringLiteral("Logs/Communication/Communication.log"), history);

    frmMain main;
    QCOMPARE(twips(main.width(), &main), widthTwips);
    QCOMPARE(twips(main.height(), &main), heightTwips);
    QCOMPARE(isOnTop(&main), onTop);
    QCOMPARE(main.mnuExtraAlwaysOnTop->isChecked(), isOnTop(&main));

    QCOMPARE(main.sb1->text(1), QStringLiteral("Not connected to a server! "));
    QCOMPARE(main.sb1->text(2), QStringLiteral("Details: select a server and press connect! "));
    QCOMPARE(main.sb1->text(4), QStringLiteral("Shortcut keys: Disabled "));
    QVERIFY(!main.sb1->iconName(1).isEmpty());
    QCOMPARE(main.lblServerStatus->text(), QStringLiteral("Not connected!"));
    QVERIFY(!main.imgServerType->pixmap().isNull());
    QCOMPARE(main.lblAppNamer->text(), QStringLiteral("Vantor"));
    QCOMPARE(main.lblAppShortNamer->text(), QStringLiteral("Vantor"));
    QCOMPARE(main.lblAppVersionr->text(), QStringLiteral("9.0.1"));
    QCOMPARE(main.lblAutoPBSSCounter->text(), QStringLiteral("0"));
    QCOMPARE(GameKind(), QStringLiteral("noco"));
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("Version")),
             QStringLiteral("9.0.1"));
    QVERIFY(isTrayIconInstalled());
    QCOMPARE(trayWindowMarker(), QStringLiteral("WINDOWOPEN"));
    QVERIFY(main.tmrCheckPingMeter->isActive());

    QStringList said;
    for (int i = 0; i < main.cbCommunicationSay->count(); ++i)
        said << main.cbCommunicationSay->itemText(i);
    QCOMPARE(said, sayHistory);
    QCOMPARE(main.cbCommunicationSay->currentText(), QString());
    QCOMPARE(main.txtIngameChat->text(),
             QStringLiteral("\r\nThis feature is not yet available!\r\n"));
    QVERIFY(dialogs.boxes.isEmpty());
    if (QTest::currentDataTag() == QByteArrayLiteral("own size, on top, say history"))
        QCOMPARE(main.txtConsole->palette().color(QPalette::Base), QColor(255, 0, 0));
}

void tst_MainWindow::minimumSizeKeepsEveryControlInside_data()
{
    QTest::addColumn<bool>("connected");
    QTest::newRow("not connected") << false;
    QTest::newRow("connected to a known game") << true;
}

// The smallest window still shows every control whole, without one covering another.
void tst_MainWindow::minimumSizeKeepsEveryControlInside()
{
    QFETCH(bool, connected);
    TestProgramDir env;
    DialogRecorder dialogs;
    frmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    if (connected) {
        for (QWidget *w :
             std::initializer_list<QWidget *>{main.cmdOptionsSettings, main.cmdOptionsMaps,
                                              main.cmdOptionsGametype, main.imgGame, main.lblGame})
            w->show();
        main.lblGame->setText(QStringLiteral("Call of Duty 2 "));
        main.setMapRestartConnected(true);
    }

    main.resize(twipsToPixels(10000, &main), twipsToPixels(6000, &main));
    QTRY_COMPARE_WITH_TIMEOUT(twips(main.width(), &main), 13815, 5000);
    QCOMPARE(twips(main.height(), &main), 7515);

    QWidget *client = main.centralWidget();
    QList<QWidget *> shown;
    const QList<QWidget *> children = client->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *w : children) {
        if (w->isVisible() && w != main.ts1)
            shown << w;
    }
    QVERIFY(shown.size() > 20);
    for (QWidget *w : shown) {
        QVERIFY2(client->rect().contains(w->geometry()), qPrintable(w->objectName()));
        auto *caption = qobject_cast<QLabel *>(w);
        if (qobject_cast<QPushButton *>(w) || (caption && !caption->wordWrap()))
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
        for (QWidget *other : shown) {
            if (other != w)
                QVERIFY2(
                    !w->geometry().intersects(other->geometry()),
                    qPrintable(w->objectName() + QStringLiteral(" covers ") + other->objectName()));
        }
    }
}

void tst_MainWindow::closeButton_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<bool>("sizeSaved");
    QTest::addColumn<bool>("trayIconStays");
    QTest::newRow("0: end the program") << QStringLiteral("0") << true << true << false;
    QTest::newRow("unset reads as 0") << QString() << true << true << false;
    QTest::newRow("1: hide to the tray") << QStringLiteral("1") << false << false << true;
    QTest::newRow("2: plain close") << QStringLiteral("2") << true << false << true;
}

void tst_MainWindow::closeButton()
{
    QFETCH(QString, mode);
    QFETCH(bool, closes);
    QFETCH(bool, sizeSaved);
    QFETCH(bool, trayIconStays);
    TestProgramDir env;
    DialogRecorder dialogs;
    if (!mode.isNull())
        WritePref(QStringLiteral("Settings"), QStringLiteral("MainCloseButtonFunction"), mode);
    frmMain main;
    main.show();
    main.resize(twipsToPixels(15000, &main), twipsToPixels(9000, &main));
    QTRY_COMPARE_WITH_TIMEOUT(twips(main.width(), &main), 15000, 5000);

    QCOMPARE(main.close(), closes);
    if (closes) {
        QVERIFY(!main.isVisible());
    } else {
        // Out of the way, but alive: hidden to the tray, or kept on the task bar where there
        // is no tray icon to come back from.
        QVERIFY(!main.isVisible() || main.isMinimized());
        QCOMPARE(trayWindowMarker(), QStringLiteral("WINDOWCLOSED"));
        QCOMPARE(trayWindowEntryCaption(), QStringLiteral("Show Window"));
    }
    QCOMPARE(isTrayIconInstalled(), trayIconStays);
    if (sizeSaved) {
        QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mWidth")),
                 QStringLiteral("15000"));
        QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mHeight")),
                 QStringLiteral("9000"));
    } else {
        QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mWidth")), QString());
    }
    RemoveTrayIcon();
}

void tst_MainWindow::fileExit_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QStringList>("commands");
    const QString goodbye
        = QStringLiteral("Say Vantor 9.0.1 ^4||^7 Username:^4 Big Admin ^7disconnecting. ^4||");
    QTest::newRow("connected") << QStringLiteral("cod2")
                               << QStringList{goodbye, QStringLiteral("after")};
    QTest::newRow("not connected")
        << QStringLiteral("noco") << QStringList{QStringLiteral("after")};
}

void tst_MainWindow::fileExit()
{
    QFETCH(QString, game);
    QFETCH(QStringList, commands);
    TestProgramDir env;
    DialogRecorder dialogs;
    FakeGameServer server(FakeGame::CoD2);
    QVERIFY(server.start(0));
    frmMain main;
    main.show();
    main.resize(twipsToPixels(14400, &main), twipsToPixels(8400, &main));
    QTRY_COMPARE_WITH_TIMEOUT(twips(main.width(), &main), 14400, 5000);
    main.txtServerRCON->setText(QStringLiteral("secret"));
    main.txtServername->setText(QStringLiteral("Big Admin"));
    main.UDPClient->setRemoteHost(QStringLiteral("127.0.0.1"));
    main.UDPClient->setRemotePort(server.port());
    main.UDPClient->open();
    main.setTag(game);

    choose(main, "mnuExit");
    QVERIFY(!main.isVisible());
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mWidth")),
             QStringLiteral("14400"));
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mHeight")),
             QStringLiteral("8400"));
    QVERIFY(dialogs.boxes.isEmpty());

    // A marker sent afterwards on the same socket proves nothing else left before it.
    main.UDPClient->send(rconDatagram(QStringLiteral("secret"), QStringLiteral("after")));
    QStringList received;
    QTRY_VERIFY_WITH_TIMEOUT(
        !server.commands().isEmpty() && server.commands().constLast() == "after", 5000);
    for (const QByteArray &c : server.commands())
        received << QString::fromLatin1(c);
    QCOMPARE(received, commands);
    main.UDPClient->close();
    server.stop();
}

void tst_MainWindow::alwaysOnTop()
{
    TestProgramDir env;
    DialogRecorder dialogs;
    frmMain main;
    main.show();
    const QRect before = main.geometry();

    choose(main, "mnuExtraAlwaysOnTop");
    QVERIFY(isOnTop(&main));
    QVERIFY(main.mnuExtraAlwaysOnTop->isChecked());
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("MainOnTop")),
             QStringLiteral("Yes"));
    QVERIFY(main.isVisible());
    QCOMPARE(main.geometry().size(), before.size());

    choose(main, "mnuExtraAlwaysOnTop");
    QVERIFY(!isOnTop(&main));
    QVERIFY(!main.mnuExtraAlwaysOnTop->isChecked());
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("MainOnTop")),
             QStringLiteral("No"));
}

void tst_MainWindow::shortcutKeysSwitch()
{
    TestProgramDir env;
    DialogRecorder dialogs;
    frmMain main;
    const auto state = [&] {
        return QStringList{main.mnuExtraShortkeys->menuAction()->data().toString(),
                           main.mnuExtraShortkeysEnable->isChecked() ? "on" : "off",
                           main.mnuExtraShortkeysDisable->isChecked() ? "on" : "off",
                           main.sb1->text(4)};
    };
    QCOMPARE(state(), QStringList({"0", "off", "on", "Shortcut keys: Disabled "}));
    choose(main, "mnuExtraShortkeysEnable");
    QCOMPARE(state(), QStringList({"1", "on", "off", "Shortcut keys: Enabled "}));
    choose(main, "mnuExtraShortkeysEnable"); // choosing it again keeps it on
    QCOMPARE(state(), QStringList({"1", "on", "off", "Shortcut keys: Enabled "}));
    choose(main, "mnuExtraShortkeysDisable");
    QCOMPARE(state(), QStringList({"0", "off", "on", "Shortcut keys: Disabled "}));
}

void tst_MainWindow::helpAndServerStatus_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("programStarts");
    QTest::addColumn<QString>("webPage");
    QTest::addColumn<bool>("box");
    QTest::newRow("web site") << "mnuHelpWebsite" << true << "https://vantor.example.org/" << false;
    QTest::newRow("forum") << "mnuHelpForum" << true << "https://vantor.example.org/forum/"
                           << false;
    QTest::newRow("bug report") << "mnuHelpBugReport" << true << "https://vantor.example.org/bugs/"
                                << false;
    QTest::newRow("manual") << "mnuHelpManual" << true << "https://vantor.example.org/manual/"
                            << false;
    QTest::newRow("server status starts") << "mnuExtraServerStatus" << true << QString() << false;
    QTest::newRow("server status missing") << "mnuExtraServerStatus" << false << QString() << true;
}

void tst_MainWindow::helpAndServerStatus()
{
    QFETCH(QString, item);
    QFETCH(QString, webPage);
    QFETCH(bool, box);
    QFETCH(bool, programStarts);
    TestProgramDir env;
    DialogRecorder dialogs;
    dialogs.programResult = programStarts;
    frmMain main;
    choose(main, item.toLatin1().constData());
    if (webPage.isEmpty()) {
        QCOMPARE(dialogs.webPages, QStringList());
        QCOMPARE(dialogs.programs.size(), 1);
        QCOMPARE(dialogs.programs.at(0).program, programPath(QStringLiteral("Server Status.exe")));
    } else {
        QCOMPARE(dialogs.webPages, QStringList{webPage});
        QVERIFY(dialogs.programs.isEmpty());
    }
    QCOMPARE(dialogs.boxes.size(), box ? 1 : 0);
    if (box) {
        QCOMPARE(dialogs.last().icon, MsgIcon::Exclamation);
        QCOMPARE(dialogs.last().title, QStringLiteral("Server Status"));
        QVERIFY(dialogs.last().text.contains(QStringLiteral("Server Status.exe")));
    }
}

void tst_MainWindow::aboutAndExitWindows_data()
{
    QTest::addColumn<QByteArray>("pack");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("question");
    QTest::newRow("English") << QByteArray() << "Version 9.0.1"
                             << "Do you really want to exit?";
    QTest::newRow("language pack")
        << QByteArray("[frmInfo]\r\nlblVersion=Versie\r\n[frmExit]\r\nlblExit=Echt stoppen?\r\n"
                      "cmdYes=Ja\r\ncmdNo=Nee\r\n")
        << "Versie 9.0.1"
        << "Echt stoppen?";
}

void tst_MainWindow::aboutAndExitWindows()
{
    QFETCH(QByteArray, pack);
    QFETCH(QString, version);
    QFETCH(QString, question);
    TestProgramDir env;
    DialogRecorder dialogs;
    if (!pack.isEmpty()) {
        env.writeFile(QStringLiteral("Lang/Nederlands.ini"), pack);
        WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Nederlands"));
    }
    frmMain main;
    main.show();

    choose(main, "mnuHelpAbout");
    QDialog *about = main.findChild<QDialog *>(QStringLiteral("frmInfo"));
    QVERIFY(about && about->isVisible());
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("lblVersion"))->text(), version);
    QTest::mouseClick(about->findChild<QPushButton *>(QStringLiteral("cmdOK")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!main.findChild<QDialog *>(QStringLiteral("frmInfo")), 5000);

    // The tray's Exit asks first; No leaves everything running.
    QDialog *exit = main.lifecycle->showExitConfirmation();
    QCOMPARE(exit->findChild<QLabel *>(QStringLiteral("lblExit"))->text(), question);
    QTest::mouseClick(exit->findChild<QPushButton *>(QStringLiteral("cmdNo")), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!main.findChild<QDialog *>(QStringLiteral("frmExit")), 5000);
    QVERIFY(main.isVisible());
    QVERIFY(isTrayIconInstalled());

    // Yes ends the program even where the close button would only hide the window.
    WritePref(QStringLiteral("Settings"), QStringLiteral("MainCloseButtonFunction"),
              QStringLiteral("1"));
    exit = main.lifecycle->showExitConfirmation();
    QTest::mouseClick(exit->findChild<QPushButton *>(QStringLiteral("cmdYes")), Qt::LeftButton);
    QVERIFY(!main.isVisible());
    QVERIFY(!isTrayIconInstalled());
    QCOMPARE(ReadPref(QStringLiteral("Settings"), QStringLiteral("mWidth")), QString());
}

void tst_MainWindow::optionButtons_data()
{
    QTest::addColumn<QString>("game");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("opens");
    QTest::newRow("settings, not connected") << "noco"
                                             << "cmdOptionsSettings" << QString();
    QTest::newRow("gametype, not connected") << "noco"
                                             << "cmdOptionsGametype" << QString();
    QTest::newRow("settings, CoD") << "cod"
                                   << "cmdOptionsSettings"
                                   << "mnuOptionsCoDSettings";
    QTest::newRow("gametype, CoD UO") << "coduo"
                                      << "cmdOptionsGametype"
                                      << "mnuOptionsCoDUOGametype";
    QTest::newRow("settings, CoD 4") << "cod4"
                                     << "cmdOptionsSettings"
                                     << "mnuOptionsCoD4Settings";
    QTest::newRow("general") << "noco"
                             << "cmdOptionsGeneral"
                             << "mnuOptionsGeneral";
    QTest::newRow("kick center") << "noco"
                                 << "cmdOptionsKickcenter"
                                 << "mnuOptionsKickCenter";
    QTest::newRow("punkbuster") << "cod2"
                                << "cmdOptionsPB"
                                << "mnuOptionsPunkbuster";
}

// The option buttons open what their Options menu items open.
void tst_MainWindow::optionButtons()
{
    QFETCH(QString, button);
    QFETCH(QString, opens);
    QFETCH(QString, game);
    TestProgramDir env;
    DialogRecorder dialogs;
    frmMain main;
    main.show();
    main.setTag(game);
    QStringList triggered;
    const QList<QAction *> all = main.findChildren<QAction *>();
    for (QAction *a : all) {
        if (a->objectName().startsWith(QLatin1String("mnuOptions")))
            connect(a, &QAction::triggered, &main,
                    [&triggered, a] { triggered << a->objectName(); });
    }
    auto *b = main.findChild<QPushButton *>(button);
    QVERIFY(b);
    b->show();
    QTest::mouseClick(b, Qt::LeftButton);
    QCOMPARE(triggered, opens.isEmpty() ? QStringList() : QStringList{opens});
}

void tst_MainWindow::chatPage()
{
    TestProgramDir env;
    DialogRecorder dialogs;
    env.writeFile(QStringLiteral("Chat/pbucon.log"),
                  QByteArray("[12:00] Big Player: hi\r\n[12:01] ^1Red: \xe9t\xe9\r\n"));
    frmMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QVERIFY(main.frameConsole->isVisible());
    QVERIFY(!main.frameIngameChat->isVisible());
    QVERIFY(!main.Command2->isVisible());

    QTest::mouseClick(main.ts1, Qt::LeftButton, {}, main.ts1->tabRect(1).center());
    QVERIFY(!main.frameConsole->isVisible());
    QVERIFY(main.frameIngameChat->isVisible());
    QVERIFY(main.Command2->isVisible());
    QTest::mouseClick(main.Command2, Qt::LeftButton);
    QCOMPARE(main.txtIngameChat->text(),
             QString::fromLatin1("[12:00] Big Player: hi\r\n[12:01] ^1Red: \xe9t\xe9\r\n"));

    QTest::mouseClick(main.ts1, Qt::LeftButton, {}, main.ts1->tabRect(0).center());
    QVERIFY(main.frameConsole->isVisible());
    QVERIFY(!main.frameIngameChat->isVisible());
    QVERIFY(!main.Command2->isVisible());
}

QTEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
