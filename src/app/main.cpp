#include "mainwindow/Icons.h"
#include "mainwindow/Startup.h"
#include "platform/ProgramDir.h"
#include "rcon/RconSession.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor"));
    QApplication::setWindowIcon(Icons::app());
    initProgramDir();
    RconSession session;
    startVantor(&session);
    return app.exec();
}
