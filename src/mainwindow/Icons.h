#pragma once

#include <QIcon>
#include <QPixmap>
#include <QString>

class QAction;
class QLabel;
class frmMain;

// The program's own pictures, drawn at run time: the connection states and the four games. Every
// picture has a name ("connected", "error", "notconnected", "cod", "coduo", "cod2", "cod4") that
// travels with it, so that tools and tests can tell what a control shows.
namespace Icons {
QIcon connected();
QIcon error();
QIcon notConnected();
// The program's own mark ("app"): window and tray icon.
QIcon app();
// The picture of a game by its GameKind text; a null icon for anything else.
QIcon game(const QString &gameKind);
// By name, as listed above; a null icon for an unknown name.
QIcon byName(const QString &name);

// The named picture drawn afresh at any size, sharp where a scaled icon would blur (the desktop's
// icon theme wants it up to 256 pixels); a null pixmap for an unknown name.
QPixmap render(const QString &name, int size);

// Shows the named picture on a label (an image control) and remembers the name.
void show(QLabel *label, const QString &name, int size = 32);
QString shownName(const QObject *control);

// The menu pictures: each game's entry in the Options menu wears its game's picture when that
// game is connected, and the not-connected mark otherwise. "noco" (or any text that is not one of
// the four games) gives the not-connected state.
void setMenuIcons(frmMain *main, const QString &gameKind);
} // namespace Icons
