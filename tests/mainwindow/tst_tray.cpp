#include "ServerRig.h"

#include "mainwindow/TrayIcon.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmTray.h"

#include <QAction>
#include <QMenu>
#include <QtTest>

namespace {
// A main window with its tray menu, on a session linked to a fake CoD2 server.
struct Tray : ServerRig
{
    Tray()
        : ServerRig(FakeGame::CoD2, 50.0)
    {}
    frmMain main{&session};
    frmTray *tray = main.findChild<frmTray *>();
    void trigger(const char *entry) { ::control<QAction>(tray, entry)->trigger(); }
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
        auto *maps = t.main.findChild<QWidget *>(u"frmDialogCoD4Maps"_s);
        QVERIFY(maps && maps->isVisible());
        t.session.setPunkBusterEnabled(false);
        QVERIFY(!t.tray->mnuTrayPunkbuster->isEnabled());

        t.main.showMinimized();
        t.tray->hideMainWindow();
        QVERIFY(!t.main.isVisible() && trayWindowMarker() == "WINDOWCLOSED"_L1);
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
        for (QAction *a : t.tray->mnuTrayMapOptions->actions())
            a->trigger();
        QTRY_COMPARE(t.server.commands(),
                     QByteArrayList({ServerRig::announced("map restart"), "map_restart",
                                     ServerRig::announced("fast map restart"), "fast_restart",
                                     ServerRig::announced("next map"), "map_rotate"}));
        QCOMPARE(t.server.received().last().bytes, ServerRig::datagram("map_rotate"));
    }
};

QTEST_MAIN(tst_Tray)
#include "tst_tray.moc"
