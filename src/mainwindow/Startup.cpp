#include "mainwindow/Startup.h"

#include "config/frmFirstTimeStart.h"
#include "config/frmProfiles.h"
#include "mainwindow/frmMain.h"
#include "platform/Ini.h"

namespace {
bool settingOn(const char *key)
{
    return ReadPref(QStringLiteral("Settings"), QLatin1String(key)) == QLatin1String("1");
}
} // namespace

// The main window exists from the start, hidden, so that the profile manager can fill it; which
// window the user sees first depends on the preferences.
void startVantor()
{
    auto *main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);

    if (settingOn("FirstTimeStartup"))
        (new frmFirstTimeStart(main))->show();
    else
        openProfilesAtStart(main);
}

void openProfilesAtStart(frmMain *main)
{
    if (settingOn("DontShowProfilesOnStartup"))
        main->show();
    else
        frmProfiles::open(main);
}
