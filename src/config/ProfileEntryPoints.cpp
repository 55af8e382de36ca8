#include "config/ProfileEntryPoints.h"

#include "config/frmProfiles.h"
#include "mainwindow/StatusPanels.h"
#include "mainwindow/frmMain.h"

#include <QAction>

namespace {
constexpr int kProfilePanel = 5;
}

void installProfileEntryPoints(frmMain *main)
{
    QObject::connect(main->mnuFileProfilesList, &QAction::triggered, main,
                     [main] { frmProfiles::open(main); });
}

QString currentProfile()
{
    frmMain *main = MainWindow();
    return main ? main->sb1->tag(kProfilePanel) : QString();
}

void setCurrentProfile(frmMain *main, const QString &profile)
{
    const QString shown = profile.isEmpty() ? QStringLiteral("none") : profile;
    main->sb1->setText(kProfilePanel, QStringLiteral("Profile: ") + shown + QLatin1Char(' '));
    main->sb1->setTag(kProfilePanel, profile);
}
