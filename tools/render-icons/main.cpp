// Draws the program's own icon into a hicolor icon theme tree at the sizes desktops look for, so
// that the menu entry, the task switcher and the software centre show the very mark the windows
// wear. Run at build time: render-icons OUTDIR (writes OUTDIR/hicolor/NxN/apps/vantor.png).

#include "mainwindow/Icons.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    // A build machine has no display; painting needs none.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: render-icons OUTDIR\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(out).arg(size);
        const QString file = dir + QStringLiteral("/vantor.png");
        if (!QDir().mkpath(dir) || !Icons::render(QStringLiteral("app"), size).save(file, "PNG")) {
            std::fprintf(stderr, "render-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
