#pragma once

class QString;
class QWidget;
class frmMain;

// Wires the main window's maps menu items and button to the maps dialogs.
void installMapsEntryPoints(frmMain *main);

// Shows the maps dialog of a game ("cod", "coduo", "cod2", "cod4"), creating it on first use, and
// returns it; any other game kind ("noco") opens nothing and gives null.
QWidget *showMapsDialog(const QString &gameKind);
