#include "mainwindow/Startup.h"
#include "platform/ProgramDir.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantor"));
    initProgramDir();
    startVantor();
    return app.exec();
}
