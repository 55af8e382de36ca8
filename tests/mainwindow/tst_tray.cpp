#include "DialogRecorder.h"
#include "FakeGameServer.h"
#include "TestEnv.h"

#include "mainwindow/TrayIcon.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmTray.h"
#include "platform/UdpLink.h"
#include "rcon/RconSession.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {
// A main window on its own session with its tray menu, every box answered.
struct Tray
{
    TestProgramDir env{50.0};
    DialogRecorder boxes;
    RconSession session;
    frmMain main{&session};
    frmTray *tray = main.findChild<frmTray *>();
    void trigger(const char *entry) { tray->findChild<QAction *>(QLatin1String(entry))->trigger(); }
};
} // namespace

class tst_Tray : public QObject
{
    Q_OBJECT
private slots:
    // The entries open the session's windows; PunkBuster's follows the server. The window entry
    // hides the main window and brings it back, restored when it had been minimised.
    void entries()
    {
        Tray t;
        t.trigger("mnuTrayCoD4Maps");
        auto *maps = t.main.findChild<QWidget *>(QStringLiteral("frmDialogCoD4Maps"));
        QVERIFY(maps && maps->isVisible());
        t.session.setPunkBusterEnabled(false);
        QVERIFY(!t.tray->mnuTrayPunkbuster->isEnabled());

        t.main.showMinimized();
        t.tray->hideMainWindow();
        QVERIFY(!t.main.isVisible() && trayWindowMarker() == QLatin1String("WINDOWCLOSED"));
        t.tray->mnuMainWindowStatus->trigger();
        QTRY_VERIFY(t.main.isVisible() && !t.main.isMinimized());
        QCOMPARE(t.tray->mnuTrayMain->menuAction()->data().toString()
                     + t.tray->mnuMainWindowStatus->text(),
                 "WINDOWOPENHide Window");
    }

    // Map Options announce and send their commands, byte for byte.
    void mapOptions()
    {
        Tray t;
        FakeGameServer server(FakeGame::CoD2);
        QVERIFY(server.start());
        t.session.setPassword(QStringLiteral("pw"));
        t.session.setAdminName(QStringLiteral("Admin"));
        UdpLink *link = t.session.link();
        link->setRemoteHost(QStringLiteral("127.0.0.1"));
        link->setRemotePort(server.port());
        link->open();
        for (QAction *a : t.tray->mnuTrayMapOptions->actions())
            a->trigger();
        const auto said = [](const char *what) {
            return "Say ^7Vantor 9.0.1 ^4||^7 " + QByteArray(what) + " by ^4Admin";
        };
        QTRY_COMPARE(server.commands(),
                     QByteArrayList({said("map restart"), "map_restart", said("fast map restart"),
                                     "fast_restart", said("next map"), "map_rotate"}));
        QCOMPARE(server.received().last().bytes, QByteArray("\xFF\xFF\xFF\xFFrcon pw map_rotate"));
    }

    // The menu reads its own section of the pack; the title keeps the program's name.
    void translatedWithItsOwnSection()
    {
        TestProgramDir env;
        DialogRecorder boxes;
        env.writeFile(QStringLiteral("Preferences.ini"), "[Settings]\r\nLang=Deutsch\r\n");
        env.writeFile(QStringLiteral("Lang/Deutsch.ini"),
                      "[frmTray]\r\nmnuTrayExit=Beenden\r\nmnuMainWindowStatus1=Verbergen\r\n");
        RconSession session;
        frmMain main(&session);
        auto *tray = main.findChild<frmTray *>();
        QCOMPARE(tray->mnuTrayExit->text(), QStringLiteral("Beenden"));
        QCOMPARE(tray->mnuMainWindowStatus->text(), QStringLiteral("Verbergen"));
        QCOMPARE(tray->mnuTrayTitle->text(), QStringLiteral("Vantor 9.0.1"));
    }
};

QTEST_MAIN(tst_Tray)
#include "tst_tray.moc"
