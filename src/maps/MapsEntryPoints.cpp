#include "maps/MapsEntryPoints.h"

#include "mainwindow/frmMain.h"
#include "maps/MapsDialog.h"

#include <QAction>
#include <QPushButton>

void installMapsEntryPoints(frmMain *main)
{
    static const char *const kGames[4] = {"cod", "coduo", "cod2", "cod4"};
    for (int i = 0; i < 4; ++i) {
        if (QAction *item = main->mnuOptionsGameMaps[i]) {
            const QString game = QLatin1String(kGames[i]);
            QObject::connect(item, &QAction::triggered, main, [game] { showMapsDialog(game); });
        }
    }
    // The button serves whichever game the connection detected; not connected, it opens nothing.
    QObject::connect(main->cmdOptionsMaps, &QPushButton::clicked, main,
                     [] { showMapsDialog(GameKind()); });
}
