#include "mainwindow/TrayIcon.h"

#include "config/Language.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/frmTray.h"

#include "mainwindow/Icons.h"

#include <QAction>
#include <QEvent>
#include <QMenu>
#include <QPointer>
#include <QSystemTrayIcon>

namespace {
struct TrayState
{
    // The icon goes with its window: a window that is gone leaves no icon behind.
    QPointer<frmMain> owner;
    QPointer<frmTray> menu;
    QPointer<QSystemTrayIcon> icon;
    bool installed = false;
    bool windowShown = true;
};

TrayState &tray()
{
    static TrayState state;
    return state;
}

// However the main window comes back into view (the profile manager shows it, the task bar
// restores it), the window entry offers to hide it again.
class ShownWatcher : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show || event->type() == QEvent::WindowStateChange) {
            auto *window = static_cast<QWidget *>(watched);
            if (window->isVisible() && !window->isMinimized() && !tray().windowShown)
                setTrayWindowShown(true);
        }
        return false;
    }
};
} // namespace

void AddTrayIcon(frmMain *owner)
{
    if (tray().installed && tray().owner)
        return;
    tray().owner = owner;
    tray().installed = true;
    if (owner && !owner->findChild<ShownWatcher *>(QStringLiteral("trayShownWatcher"))) {
        auto *watcher = new ShownWatcher(owner);
        watcher->setObjectName(QStringLiteral("trayShownWatcher"));
        owner->installEventFilter(watcher);
    }
    if (owner && !owner->findChild<frmTray *>()) {
        auto *menu = new frmTray(owner);
        tray().menu = menu;
        owner->mnuTrayPunkbuster = menu->mnuTrayPunkbuster;
    }
    // Desktops without a notification area (and headless runs) keep the menu without an icon;
    // the window then minimises instead of hiding, so it is never stranded.
    if (owner && QSystemTrayIcon::isSystemTrayAvailable() && tray().menu) {
        auto *icon = new QSystemTrayIcon(Icons::app(), owner);
        icon->setObjectName(QStringLiteral("trayIcon"));
        // Only the right button opens the menu; other clicks do nothing.
        icon->setContextMenu(tray().menu->mnuTrayMain);
        icon->show();
        tray().icon = icon;
    }
}

void RemoveTrayIcon()
{
    if (!tray().installed)
        return;
    tray().installed = false;
    tray().owner = nullptr;
    if (tray().icon) {
        tray().icon->hide();
        tray().icon->deleteLater();
    }
}

bool isTrayIconInstalled()
{
    return tray().installed && tray().owner;
}

bool trayCanRestoreWindow()
{
    return isTrayIconInstalled() && tray().icon && tray().icon->isVisible();
}

void setTrayWindowShown(bool shown)
{
    tray().windowShown = shown;
    if (tray().menu) {
        tray().menu->mnuTrayMain->menuAction()->setData(trayWindowMarker());
        tray().menu->mnuMainWindowStatus->setText(trayWindowEntryCaption());
    }
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
