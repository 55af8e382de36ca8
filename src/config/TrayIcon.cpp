#include "config/TrayIcon.h"

#include "config/Language.h"
#include "config/frmTray.h"
#include "mainwindow/frmMain.h"

#include <QAction>
#include <QPointer>

namespace {
struct TrayState
{
    // The icon goes with its window: a window that is gone leaves no icon behind.
    QPointer<frmMain> owner;
    QPointer<frmTray> menu;
    bool installed = false;
    bool windowShown = true;
};

TrayState &tray()
{
    static TrayState state;
    return state;
}
} // namespace

void AddTrayIcon(frmMain *owner)
{
    if (tray().installed && tray().owner)
        return;
    tray().owner = owner;
    tray().installed = true;
    if (owner && !owner->findChild<frmTray *>()) {
        auto *menu = new frmTray(owner);
        tray().menu = menu;
        owner->mnuTrayPunkbuster = menu->mnuTrayPunkbuster;
    }
}

void RemoveTrayIcon()
{
    if (!tray().installed)
        return;
    tray().installed = false;
    tray().owner = nullptr;
}

bool isTrayIconInstalled()
{
    return tray().installed && tray().owner;
}

bool trayCanRestoreWindow()
{
    return false;
}

void setTrayWindowShown(bool shown)
{
    tray().windowShown = shown;
    if (tray().menu)
        tray().menu->mnuMainWindowStatus->setText(trayWindowEntryCaption());
}

QString trayWindowMarker()
{
    return tray().windowShown ? QStringLiteral("WINDOWOPEN") : QStringLiteral("WINDOWCLOSED");
}

QString trayWindowEntryCaption()
{
    return tray().windowShown
               ? LangText(QStringLiteral("frmTray"), QStringLiteral("mnuMainWindowStatus1"),
                          QStringLiteral("Hide Window"))
               : LangText(QStringLiteral("frmTray"), QStringLiteral("mnuMainWindowStatus2"),
                          QStringLiteral("Show Window"));
}
