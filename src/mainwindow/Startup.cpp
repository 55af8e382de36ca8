#include "mainwindow/Startup.h"

#include "config/frmFirstTimeStart.h"
#include "config/frmProfiles.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"

// The main window exists from the start, hidden, so that the profile manager can fill it; which
// window the user sees first depends on the preferences.
void startVantor()
{
    auto *main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);

    const QString settings = QStringLiteral("Settings");
    const QString on = QStringLiteral("1");
    if (ReadPref(settings, QStringLiteral("FirstTimeStartup")) == on) {
        (new frmFirstTimeStart(main))->show();
    } else if (ReadPref(settings, QStringLiteral("DontShowProfilesOnStartup")) == on) {
        main->show();
    } else {
        frmProfiles::open(main);
    }
}
