#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/TrayIcon.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmTray.h"
#include "platform/Ini.h"
#include "platform/UdpLink.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QtTest>

class tst_Tray : public QObject
{
    Q_OBJECT
private slots:
    void menuHoldsEveryEntryInOrder();
    void windowEntryShowsAndHides();
    void mapOptionsAnnounce();
    void translatedWithItsOwnSection();
};

namespace {
QStringList entries(const QMenu *menu)
{
    QStringList out;
    const QList<QAction *> actions = menu->actions();
    for (const QAction *a : actions)
        out << (a->isSeparator() ? QStringLiteral("-")
                                 : a->objectName() + QLatin1Char('=') + a->text());
    return out;
}
} // namespace

void tst_Tray::menuHoldsEveryEntryInOrder()
{
    TestProgramDir env;
    DialogRecorder boxes;
    frmMain main;
    auto *tray = main.findChild<frmTray *>(QStringLiteral("frmTray"));
    QVERIFY(tray);
    QCOMPARE(entries(tray->mnuTrayMain),
             QStringList({"mnuTrayTitle=Vantor 9.0.1", "-", "mnuTrayCoD=CoD",
                          "mnuTrayCoDUO=CoD: UO", "mnuTrayCoD2=CoD 2", "mnuTrayCoD4=CoD 4", "-",
                          "mnuTrayPunkbuster=Punkbuster", "mnuTrayKickCenter=Kick Center",
                          "mnuTrayMessagingCenter=Messaging Center", "mnuTrayWarCenter=War Center",
                          "-", "mnuTrayMapOptions=Map Options", "-", "mnuPreferences=Preferences",
                          "-", "mnuMainWindowStatus=Hide Window", "-", "mnuTrayExit=Exit"}));
    QCOMPARE(entries(tray->mnuTrayCoD4),
             QStringList({"mnuTrayCoD4Settings=Settings", "mnuTrayCoD4Maps=Maps",
                          "mnuTrayCoD4Gametype=Gametype"}));
    QCOMPARE(
        entries(tray->mnuTrayMapOptions),
        QStringList({"mnuTrayMapOptionsRestart=Restart",
                     "mnuTrayMapOptionsFastRestart=Fast Restart", "mnuTrayMapOptionsNext=Next"}));
    // The connection sequence switches PunkBuster's entry through the main window.
    QCOMPARE(main.mnuTrayPunkbuster.data(), tray->mnuTrayPunkbuster);
    QCOMPARE(trayWindowMarker(), QStringLiteral("WINDOWOPEN"));

    // CoD 4 > Maps opens the CoD4 maps dialog.
    tray->mnuTrayCoD4->actions().at(1)->trigger();
    QWidget *maps = main.findChild<QWidget *>(QStringLiteral("frmDialogCoD4Maps"));
    QVERIFY(maps && maps->isVisible());
}

void tst_Tray::windowEntryShowsAndHides()
{
    TestProgramDir env;
    DialogRecorder boxes;
    frmMain main;
    main.show();
    auto *tray = main.findChild<frmTray *>(QStringLiteral("frmTray"));
    tray->hideMainWindow();
    tray->hideMainWindow();
    QVERIFY(!main.isVisible());
    QCOMPARE(tray->mnuMainWindowStatus->text(), QStringLiteral("Show Window"));
    QCOMPARE(trayWindowMarker(), QStringLiteral("WINDOWCLOSED"));

    tray->mnuMainWindowStatus->trigger();
    QVERIFY(main.isVisible());
    QCOMPARE(tray->mnuMainWindowStatus->text(), QStringLiteral("Hide Window"));
    QCOMPARE(trayWindowMarker(), QStringLiteral("WINDOWOPEN"));

    main.showMinimized();
    tray->hideMainWindow();
    tray->mnuMainWindowStatus->trigger();
    QTRY_VERIFY(main.isVisible() && !main.isMinimized());
}

void tst_Tray::mapOptionsAnnounce()
{
    TestProgramDir env(50.0);
    DialogRecorder boxes;
    FakeGameServer server(FakeGame::CoD2);
    server.setPassword("pw");
    QVERIFY(server.start());
    frmMain main;
    main.txtServerRCON->setText(QStringLiteral("pw"));
    main.txtServername->setText(QStringLiteral("Admin"));
    main.UDPClient->setRemoteHost(QStringLiteral("127.0.0.1"));
    main.UDPClient->setRemotePort(server.port());
    main.UDPClient->open();
    WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"), QStringLiteral("1"));
    auto *tray = main.findChild<frmTray *>(QStringLiteral("frmTray"));
    for (QAction *a : tray->mnuTrayMapOptions->actions())
        a->trigger();
    QTRY_COMPARE(server.commands(),
                 QList<QByteArray>({"map_restart", "fast_restart", "map_rotate"}));
    WritePref(QStringLiteral("Messages"), QStringLiteral("IngameMess"), QStringLiteral("0"));
    server.clearReceived();
    tray->mnuTrayMapOptions->actions().at(2)->trigger();
    QTRY_COMPARE(
        server.commands(),
        QList<QByteArray>({"Say ^7Vantor 9.0.1 ^4||^7 next map by ^4Admin", "map_rotate"}));
    server.stop();
}

void tst_Tray::translatedWithItsOwnSection()
{
    TestProgramDir env;
    DialogRecorder boxes;
    env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                  "[frmTray]\r\nmnuTrayExit=Beenden\r\nmnuMainWindowStatus1=Fenster verbergen\r\n"
                  "[frmMain]\r\nmnuExit=Beenden\r\n");
    WritePref(QStringLiteral("Settings"), QStringLiteral("Lang"), QStringLiteral("Deutsch"));
    frmMain main;
    auto *tray = main.findChild<frmTray *>(QStringLiteral("frmTray"));
    QCOMPARE(tray->mnuTrayExit->text(), QStringLiteral("Beenden"));
    QCOMPARE(tray->mnuMainWindowStatus->text(), QStringLiteral("Fenster verbergen"));
    QCOMPARE(tray->mnuTrayTitle->text(), QStringLiteral("Vantor 9.0.1"));
    QCOMPARE(tray->mnuTrayKickCenter->text(), QString()); // the pack lacks it
}

QTEST_MAIN(tst_Tray)
#include "tst_tray.moc"
