#include "maps/MapsEntryPoints.h"

#include "mainwindow/frmMain.h"
#include "maps/MapCatalogues.h"
#include "maps/MapsDialog.h"

#include <QAction>
#include <QPointer>
#include <QPushButton>

void installMapsEntryPoints(frmMain *main)
{
    const std::span<const MapCatalogue> catalogues = mapCatalogues();
    for (std::size_t i = 0; i < catalogues.size() && i < std::size(main->mnuOptionsGameMaps); ++i) {
        if (QAction *item = main->mnuOptionsGameMaps[i]) {
            const QString game = QLatin1String(catalogues[i].gameKind);
            QObject::connect(item, &QAction::triggered, main, [game] { showMapsDialog(game); });
        }
    }
    // The button serves whichever game the connection detected; not connected, it opens nothing.
    QObject::connect(main->cmdOptionsMaps, &QPushButton::clicked, main,
                     [] { showMapsDialog(GameKind()); });
}

QWidget *showMapsDialog(const QString &gameKind)
{
    // One window per game, living as long as the main window that owns it.
    static QPointer<MapsDialog> dialogs[4];
    const std::span<const MapCatalogue> catalogues = mapCatalogues();
    for (std::size_t i = 0; i < catalogues.size() && i < std::size(dialogs); ++i) {
        if (gameKind != QLatin1String(catalogues[i].gameKind))
            continue;
        if (!dialogs[i])
            dialogs[i] = new MapsDialog(catalogues[i], MainWindow());
        MapsDialog *dialog = dialogs[i];
        dialog->show();
        dialog->raise();
        dialog->activateWindow();
        return dialog;
    }
    return nullptr;
}
