#include "config/TrayIcon.h"

#include "config/Language.h"

namespace {
struct TrayState
{
    frmMain *owner = nullptr;
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
    if (tray().installed)
        return;
    tray().owner = owner;
    tray().installed = true;
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
    return tray().installed;
}

bool trayCanRestoreWindow()
{
    return false;
}

void setTrayWindowShown(bool shown)
{
    tray().windowShown = shown;
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
