#include "mainwindow/frmMain.h"
#include "platform/ProgramDir.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor"));
    initProgramDir();
    frmMain main;
    main.show();
    return app.exec();
}
