#include "mainwindow/Startup.h"

#include "mainwindow/frmMain.h"

void startVantor()
{
    auto *main = new frmMain;
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->show();
}
