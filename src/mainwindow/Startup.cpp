#include "mainwindow/Startup.h"

#include "mainwindow/frmMain.h"
#include "platform/Ini.h"
#include "profiles/frmFirstTimeStart.h"
#include "profiles/frmProfiles.h"

#include <QApplication>
#include <QTimer>

namespace {
bool settingOn(const char *key)
{
    return ReadPref(QStringLiteral("Settings"), QLatin1String(key)) == QLatin1String("1");
}
} // namespace

// The main window exists from the start, hidden, so that the profile manager can fill it; which
// window the user sees first depends on the preferences.
frmMain *startVantor(RconSession *session)
{
    // The program ends through its own exit paths only: closing a message box or a dialog that
    // happens to be the last window on screen (the main window may sit in the tray) must not.
    QApplication::setQuitOnLastWindowClosed(false);
    auto *main = new frmMain(session);
    main->setAttribute(Qt::WA_DeleteOnClose);

    if (settingOn("FirstTimeStartup")) {
        auto *welcome = new frmFirstTimeStart(main);
        QObject::connect(welcome, &frmFirstTimeStart::handedOver, main,
                         [main] { openProfilesAtStart(main); });
        welcome->show();
    } else {
        openProfilesAtStart(main);
    }
    return main;
}

void openProfilesAtStart(frmMain *main)
{
    if (settingOn("DontShowProfilesOnStartup"))
        main->show();
    else
        openProfileManager(main);
}

void openProfileManager(frmMain *main)
{
    frmProfiles *manager = frmProfiles::open(main->session(), main);
    QObject::connect(manager, &frmProfiles::connectOnSelect, main->tmrCOS,
                     static_cast<void (QTimer::*)()>(&QTimer::start), Qt::UniqueConnection);
}
