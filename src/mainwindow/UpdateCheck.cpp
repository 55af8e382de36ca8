#include "mainwindow/UpdateCheck.h"

// The check itself arrives with the game launcher and the updater; starting up must not wait
// for the network either way.
void startUpdateCheck(frmMain *)
{}
